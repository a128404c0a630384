#include "download/engine/targetfolder.h"

namespace vtk {

std::wstring FileNameKey(std::string_view name) {
  const int size = static_cast<int>(name.size());
  const int n = ::MultiByteToWideChar(CP_ACP, 0, name.data(), size, nullptr, 0);
  std::wstring key(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) {
    ::MultiByteToWideChar(CP_ACP, 0, name.data(), size, key.data(), n);
    ::CharUpperBuffW(key.data(), static_cast<DWORD>(n));
  }
  return key;
}

TargetFolder::TargetFolder(const std::string& folder) : m_folder(folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    m_bListed = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return;
  }
  do {
    m_keys.insert(FileNameKey(found.cFileName));
    if (found.cAlternateFileName[0] != '\0') m_keys.insert(FileNameKey(found.cAlternateFileName));
  } while (::FindNextFileA(search, &found));
  m_bListed = ::GetLastError() == ERROR_NO_MORE_FILES;
  ::FindClose(search);
}

bool TargetFolder::Holds(const std::string& name) const {
  if (m_bListed) return m_keys.count(FileNameKey(name)) != 0;
  if (::GetFileAttributesA((m_folder + name).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD error = ::GetLastError();
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

}  // namespace vtk
