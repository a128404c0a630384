// Registry keys that a test makes and removes again.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace test {

// Creates `path` under `root` (with its parents) and deletes the whole tree
// of `removeFrom` (default: `path`) when destroyed.
class ScopedKey {
 public:
  ScopedKey(HKEY root, const std::string& path, const std::string& removeFrom = "");
  ~ScopedKey();
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;

  void SetString(const char* name, const std::string& value);
  void SetDword(const char* name, DWORD value);

 private:
  HKEY m_root;
  std::string m_path;
  std::string m_removeFrom;
};

void DeleteTree(HKEY root, const std::string& path);
std::optional<DWORD> ReadDword(HKEY root, const std::string& path, const char* name);
std::optional<std::string> ReadString(HKEY root, const std::string& path, const char* name);

}  // namespace test
