#include "core/pathrules.h"

#include "core/cp932.h"

namespace vtk {

void RemoveLastBackslash(std::string& path) {
  if (path.size() <= 3) return;
  if (EndsWithBackslash(path)) path.pop_back();
}

std::string WithoutLastBackslash(std::string path) {
  RemoveLastBackslash(path);
  return path;
}

void AddLastBackslash(std::string& path) {
  if (!EndsWithBackslash(path)) path.push_back('\\');
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  AddLastBackslash(path);
  return path.append(name);
}

void AddBackslashGuarded(std::string& path) {
  if (path.size() > 3 && !EndsWithBackslash(path)) path.push_back('\\');
}

NewFolderNameFault CheckNewFolderName(std::string_view parent, std::string_view name) {
  constexpr std::string_view kForbidden = "\\/:*?\"<>|";
  for (std::size_t i = 0; i < name.size(); i += CharWidthAt(name, i))
    if (CharWidthAt(name, i) == 1 && kForbidden.find(name[i]) != std::string_view::npos)
      return NewFolderNameFault::kBadCharacter;
  // Joined as the chooser joins them: a root such as E:\ needs no backslash.
  const bool needsBackslash = parent.size() != 3 && !EndsWithBackslash(parent);
  if (parent.size() + (needsBackslash ? 1 : 0) + name.size() > kMaxPath) return NewFolderNameFault::kTooLong;
  return NewFolderNameFault::kNone;
}

std::optional<std::string> ReadHostPath(const char* buffer) {
  if (!buffer) return std::nullopt;
  // Byte by byte: nothing after the NUL, nor after the buffer, is touched.
  std::size_t n = 0;
  while (n < kHostBufferSize && buffer[n] != '\0') ++n;
  if (n == kHostBufferSize || n > kMaxPath) return std::nullopt;
  std::string path(buffer, n);
  if (EndsWithLoneLeadByte(path)) return std::nullopt;
  return path;
}

void CopyToHostBuffer(char* buffer, std::string_view text) {
  const std::size_t n = ClampToCharBoundary(text, kHostBufferSize - 1);
  text.copy(buffer, n);
  buffer[n] = '\0';
}

}  // namespace vtk
