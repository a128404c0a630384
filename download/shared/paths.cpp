#include "download/shared/paths.h"

#include <io.h>
#include <windows.h>

#include "download/shared/platform.h"

bool PathExists(const std::string& fullPath) {
  _finddata_t found;
  const intptr_t search = _findfirst(fullPath.c_str(), &found);
  if (search == -1) return false;
  _findclose(search);
  return true;
}

vtk::LocalDate GetLocalDate() {
  SYSTEMTIME now;
  vtk::TheDownloadPlatform().getLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

std::string GetCurrentDirectoryFallback() {
  char buf[vtk::kMaxPath + 1] = {};
  const DWORD n = GetCurrentDirectoryA(static_cast<DWORD>(vtk::kMaxPath), buf);
  // A longer directory is not cut short: it is not read at all.
  if (n == 0 || n >= vtk::kMaxPath) return std::string();
  return WithoutLastBackslash(std::string(buf, n));
}

std::optional<std::string> ReadHostFolder(const char* buffer) {
  std::optional<std::string> folder = vtk::ReadHostPath(buffer);
  if (folder && folder->empty()) folder = GetCurrentDirectoryFallback();
  return folder;
}

std::string ProposeDatedFolderName(const std::string& parent) {
  return vtk::MakeNewFolderName(parent, GetLocalDate(), PathExists);
}

std::string ProposePairedFolderName(const vtk::RecorderFolderPair& pair, int nWhichFolder, const std::string& parent) {
  return vtk::MakePairedNewFolderName(pair, nWhichFolder, parent, GetLocalDate(), PathExists);
}
