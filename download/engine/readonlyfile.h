// A file opened for reading only, shared with every other reader and writer
// (the shell copies from a card file while the transfer still holds it),
// closed when the object goes.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

namespace vtk {

class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  explicit ReadOnlyFile(const std::string& path);
  ~ReadOnlyFile() { Close(); }
  ReadOnlyFile(ReadOnlyFile&& other) noexcept : m_h(other.m_h) { other.m_h = INVALID_HANDLE_VALUE; }
  ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept;
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  bool IsOpen() const { return m_h != INVALID_HANDLE_VALUE; }
  bool Size(long long& size) const;
  // The length and the last-write time (as the file system keeps it, in
  // 100 ns units).
  bool SizeAndLastWriteTime(long long& size, unsigned long long& time) const;
  bool Rewind() const;
  // Reads until `count` bytes, the end of the file or an error; returns the
  // number of bytes read.
  std::size_t Read(char* buffer, std::size_t count) const;

 private:
  void Close();
  HANDLE m_h = INVALID_HANDLE_VALUE;
};

}  // namespace vtk
