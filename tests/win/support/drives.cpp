#include "support/drives.h"

#include "core/cp932.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace test {

namespace {
// The Unix folder behind a test drive, as a path on Wine's Z: drive.
std::string DriveFolder(char letter) {
  const char* drives = std::getenv("VTK_DRIVES");
  std::string path = std::string("Z:") + (drives ? drives : "/tmp") + "/" + static_cast<char>(tolower(letter));
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}
}  // namespace

void RemoveTree(const std::string& path) {
  const DWORD attrs = GetFileAttributesA(path.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) return;
  if (!(attrs & FILE_ATTRIBUTE_DIRECTORY)) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    return;
  }
  for (const std::string& name : ListDir(path)) RemoveTree(path + "\\" + name);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(path.c_str());
}

void ClearDrive(char letter) {
  const std::string root = std::string(1, letter) + ":";
  for (const std::string& name : ListDir(root + "\\")) RemoveTree(root + "\\" + name);
}

void MakeDir(const std::string& path) {
  for (std::size_t i = 3; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
  }
}

std::string MakeLongDir(std::size_t length) {
  std::string path = "D:";
  while (path.size() + 41 + 2 < length) path.append("\\").append(40, 'x');
  const std::size_t rest = length - path.size() - 1;
  path.append("\\").append(rest, 'y');
  MakeDir(path);
  return path;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> ListDir(const std::string& folder) {
  std::vector<std::string> names;
  std::string pattern = folder;
  // A folder named 表 ends in the byte 0x5C, which is not a backslash.
  if (!vtk::EndsWithBackslash(pattern)) pattern += '\\';
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((pattern + "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = fd.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  std::sort(names.begin(), names.end());
  return names;
}

EjectedMedium::EjectedMedium(char letter) : m_folder(DriveFolder(letter)), m_parked(m_folder + ".ejected") {
  MoveFileA(m_folder.c_str(), m_parked.c_str());
}

EjectedMedium::~EjectedMedium() { MoveFileA(m_parked.c_str(), m_folder.c_str()); }

CurrentDirectoryKeeper::CurrentDirectoryKeeper() {
  char buf[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, buf);
  m_dir = buf;
}

CurrentDirectoryKeeper::~CurrentDirectoryKeeper() { SetCurrentDirectoryA(m_dir.c_str()); }

}  // namespace test
