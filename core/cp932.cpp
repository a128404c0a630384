#include "core/cp932.h"

namespace vtk {

std::size_t CharWidthAt(std::string_view s, std::size_t i) {
  return (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

std::size_t LastCharPos(std::string_view s) {
  std::size_t last = npos;
  for (std::size_t i = 0; i < s.size(); i += CharWidthAt(s, i)) last = i;
  return last;
}

bool EndsWithBackslash(std::string_view s) {
  const std::size_t last = LastCharPos(s);
  return last != npos && s[last] == '\\';
}

bool EndsWithLoneLeadByte(std::string_view s) {
  const std::size_t last = LastCharPos(s);
  return last != npos && last + 1 == s.size() && IsLeadByte(static_cast<unsigned char>(s[last]));
}

std::size_t FindBackslash(std::string_view s, std::size_t from) {
  for (std::size_t i = from; i < s.size(); i += CharWidthAt(s, i))
    if (s[i] == '\\') return i;
  return npos;
}

std::size_t FindLastChar(std::string_view s, char c) {
  std::size_t found = npos;
  for (std::size_t i = 0; i < s.size(); i += CharWidthAt(s, i))
    if (s[i] == c && CharWidthAt(s, i) == 1) found = i;
  return found;
}

std::size_t FindLastBackslash(std::string_view s) { return FindLastChar(s, '\\'); }

std::size_t ClampToCharBoundary(std::string_view s, std::size_t maxBytes) {
  std::size_t end = 0;
  for (std::size_t i = 0; i < s.size(); i += CharWidthAt(s, i)) {
    const std::size_t next = i + CharWidthAt(s, i);
    if (next > maxBytes) break;
    end = next;
  }
  return end;
}

}  // namespace vtk
