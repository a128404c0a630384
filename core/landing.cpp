#include "core/landing.h"

namespace vtk {

namespace {

constexpr std::string_view kPrefix = "~VTK", kSuffix = ".TMP";

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char x = a[i] >= 'a' && a[i] <= 'z' ? char(a[i] - 'a' + 'A') : a[i];
    if (x != b[i]) return false;
  }
  return true;
}

}  // namespace

std::string TemporaryName(unsigned long n) {
  return std::string(kPrefix) + std::to_string(n) + std::string(kSuffix);
}

bool IsTemporaryName(std::string_view name) {
  if (name.size() <= kPrefix.size() + kSuffix.size()) return false;
  const std::string_view digits = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  if (!SameLetters(name.substr(0, kPrefix.size()), kPrefix) || !SameLetters(name.substr(name.size() - kSuffix.size()), kSuffix))
    return false;
  if (digits.size() > 10 || digits[0] == '0') return false;
  for (char c : digits)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace vtk
