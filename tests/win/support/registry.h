// Registry keys that a test makes and removes again.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace test {

// Creates `path` under `root` (with its parents) and deletes its whole tree
// when destroyed.
class ScopedKey {
 public:
  ScopedKey(HKEY root, const std::string& path);
  ~ScopedKey();
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;

  void SetString(const char* name, const std::string& value);
  void SetDword(const char* name, DWORD value);

 private:
  HKEY m_root;
  std::string m_path;
};

void DeleteTree(HKEY root, const std::string& path);
std::optional<DWORD> ReadDword(HKEY root, const std::string& path, const char* name);

}  // namespace test
