#include "support/text.h"

#include <windows.h>

namespace test {
namespace {
std::string Convert(const std::string& in, UINT from, UINT to) {
  if (in.empty()) return in;
  const int wide = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()), nullptr, 0);
  if (wide <= 0) return "<not convertible>";
  std::wstring w(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(from, 0, in.data(), static_cast<int>(in.size()), w.data(), wide);
  const int n = WideCharToMultiByte(to, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(to, 0, w.data(), wide, out.data(), n, nullptr, nullptr);
  return out;
}
}  // namespace

std::string Sjis(const std::string& utf8) { return Convert(utf8, CP_UTF8, 932); }
std::string Sjis(const char8_t* utf8) { return Sjis(std::string(reinterpret_cast<const char*>(utf8))); }
std::string Utf8(const std::string& cp932) { return Convert(cp932, 932, CP_UTF8); }
std::string Res(unsigned id) {
  char buf[1024] = {};
  return std::string(buf, static_cast<std::size_t>(LoadStringA(GetModuleHandleA(nullptr), id, buf, sizeof buf)));
}
}  // namespace test
