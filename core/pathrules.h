// Directory path rules shared by every download dialog. Paths are CP932
// bytes; lengths are in bytes, as the host counts them (a drive root such as
// E:\ is 3).
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vtk {

// Longest path the library reads itself (the current directory) and the
// longest full path it builds for a file.
constexpr std::size_t kMaxPath = 255;
// The size of a path buffer that the host hands in: room for kMaxPath
// bytes, a backslash and more, and the terminating zero.
constexpr std::size_t kHostBufferSize = 260;

// Removes one trailing backslash from a path longer than 3 bytes.
void RemoveLastBackslash(std::string& path);

// A copy of `path` after RemoveLastBackslash: how a folder is shown and
// handed back.
std::string WithoutLastBackslash(std::string path);

// Appends a backslash unless the path already ends in one (an empty path
// becomes a single backslash).
void AddLastBackslash(std::string& path);

// A name in a folder: the folder, one backslash unless it ends in one, and
// the name. A drive given as E: is its root: E:\name.
std::string JoinPath(std::string_view folder, std::string_view name);

// Appends a backslash only to a path longer than 3 bytes that does not end
// in one: the form used when a parent and a new folder name are joined for
// the host, so that E: stays E: and E:\ stays E:\.
void AddBackslashGuarded(std::string& path);

// Why a typed new-folder name cannot be used under a parent folder.
enum class NewFolderNameFault {
  kNone,
  kTooLong,       // parent\name would be longer than kMaxPath
  kBadCharacter,  // the name holds one of \ / : * ? " < > |
};
NewFolderNameFault CheckNewFolderName(std::string_view parent, std::string_view name);

// A path from a host's buffer, read up to its NUL but never past the
// buffer's kHostBufferSize bytes. Refused (nothing) when the buffer is null,
// holds no NUL in those bytes, holds more than kMaxPath bytes, or ends in a
// lone lead byte: a path the library could not hand on whole and unchanged.
std::optional<std::string> ReadHostPath(const char* buffer);

// Copies `text` into a host buffer of kHostBufferSize bytes, cut at a
// character boundary when it does not fit, and always terminated.
void CopyToHostBuffer(char* buffer, std::string_view text);

}  // namespace vtk
