// CP932 (Shift_JIS) byte rules. A double-byte character has a lead byte in
// 0x81-0x9F or 0xE0-0xFC; its trail byte may be 0x5C, which is then part of
// the character and never a backslash (表 is 0x95 0x5C).
#pragma once
#include <cstddef>
#include <string_view>

namespace vtk {

constexpr bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

constexpr std::size_t npos = std::string_view::npos;

// Width in bytes of the character that starts at byte i (1 or 2). A lead
// byte at the very end stands alone.
std::size_t CharWidthAt(std::string_view s, std::size_t i);

// Byte offset of the first byte of the last character, or npos when empty.
std::size_t LastCharPos(std::string_view s);

bool EndsWithBackslash(std::string_view s);

// The last byte is a lead byte that no trail byte follows (the walk from the
// start decides which bytes are trail bytes). Such a text is no path: a
// backslash appended to it would become the lead byte's trail byte instead
// (0x95 then a backslash is 表).
bool EndsWithLoneLeadByte(std::string_view s);

// First backslash character at or after byte `from` (which must be the start
// of a character), or npos.
std::size_t FindBackslash(std::string_view s, std::size_t from = 0);

// Last backslash character, or npos.
std::size_t FindLastBackslash(std::string_view s);

// Last occurrence of a single-byte character (never a trail byte), or npos.
std::size_t FindLastChar(std::string_view s, char c);

// Longest prefix of at most `maxBytes` bytes that does not end inside a
// double-byte character.
std::size_t ClampToCharBoundary(std::string_view s, std::size_t maxBytes);

}  // namespace vtk
