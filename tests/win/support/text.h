// Texts in tests are written in UTF-8 and compared as the CP932 bytes that
// the library handles.
#pragma once
#include <string>

namespace test {
std::string Sjis(const char8_t* utf8);
std::string Sjis(const std::string& utf8);
std::string Utf8(const std::string& cp932);
// A string of the test program's string tables (the library's), CP932.
std::string Res(unsigned id);
}  // namespace test
