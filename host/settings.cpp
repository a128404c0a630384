#include "host/settings.h"

#include <windows.h>

#include <vector>

namespace host {

namespace {
std::string IniBesideExe() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string file = path;
  const std::size_t dot = file.find_last_of('.');
  return (dot == std::string::npos ? file : file.substr(0, dot)) + ".ini";
}
}  // namespace

Settings::Settings(std::string section) : m_section(std::move(section)), m_file(IniBesideExe()) {}

std::string Settings::Get(const char* key, const std::string& fallback) const {
  std::vector<char> buf(1024);
  GetPrivateProfileStringA(m_section.c_str(), key, fallback.c_str(), buf.data(), static_cast<DWORD>(buf.size()),
                           m_file.c_str());
  return buf.data();
}

int Settings::GetInt(const char* key, int fallback) const {
  return static_cast<int>(GetPrivateProfileIntA(m_section.c_str(), key, fallback, m_file.c_str()));
}

void Settings::Set(const char* key, const std::string& value) const {
  WritePrivateProfileStringA(m_section.c_str(), key, value.c_str(), m_file.c_str());
}

void Settings::Set(const char* key, int value) const { Set(key, std::to_string(value)); }

}  // namespace host
