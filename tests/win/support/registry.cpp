#include "support/registry.h"

namespace test {

ScopedKey::ScopedKey(HKEY root, const std::string& path) : m_root(root), m_path(path) {
  HKEY key;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS)
    RegCloseKey(key);
}

ScopedKey::~ScopedKey() { DeleteTree(m_root, m_path); }

void ScopedKey::SetString(const char* name, const std::string& value) {
  HKEY key;
  if (RegOpenKeyExA(m_root, m_path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
}

void ScopedKey::SetDword(const char* name, DWORD value) {
  HKEY key;
  if (RegOpenKeyExA(m_root, m_path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

void DeleteTree(HKEY root, const std::string& path) {
  RegDeleteTreeA(root, path.c_str());
  RegDeleteKeyA(root, path.c_str());
}

std::optional<DWORD> ReadDword(HKEY root, const std::string& path, const char* name) {
  DWORD value = 0, size = sizeof value, type = 0;
  if (RegGetValueA(root, path.c_str(), name, RRF_RT_ANY, &type, &value, &size) != ERROR_SUCCESS || type != REG_DWORD)
    return std::nullopt;
  return value;
}

}  // namespace test
