// The sample host keeps the settings it passes to the library between calls,
// as the dictation player does: in vtkhost.ini beside vtkhost.exe, one
// section per export family. Values are CP932 bytes.
#pragma once
#include <string>

namespace host {

class Settings {
 public:
  explicit Settings(std::string section);
  std::string Get(const char* key, const std::string& fallback = "") const;
  int GetInt(const char* key, int fallback = 0) const;
  void Set(const char* key, const std::string& value) const;
  void Set(const char* key, int value) const;

 private:
  std::string m_section;
  std::string m_file;
};

}  // namespace host
