#include "download/engine/readonlyfile.h"

#include <limits>

#include "download/engine/platform.h"

namespace vtk {

ReadOnlyFile::ReadOnlyFile(const std::string& path)
    : m_h(TheEnginePlatform().createFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
  if (this != &other) {
    Close();
    m_h = other.m_h;
    other.m_h = INVALID_HANDLE_VALUE;
  }
  return *this;
}

void ReadOnlyFile::Close() {
  if (IsOpen()) ::CloseHandle(m_h);
  m_h = INVALID_HANDLE_VALUE;
}

bool ReadOnlyFile::Size(long long& size) const {
  LARGE_INTEGER n;
  if (!IsOpen() || !::GetFileSizeEx(m_h, &n)) return false;
  size = n.QuadPart;
  return true;
}

bool ReadOnlyFile::SizeAndLastWriteTime(long long& size, unsigned long long& time) const {
  // Two cheap queries: the one that answers both at once also asks for the
  // volume, which costs more than the rest of a file's check.
  FILETIME written;
  if (!Size(size) || !::GetFileTime(m_h, nullptr, nullptr, &written)) return false;
  time = (static_cast<unsigned long long>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
  return true;
}

bool ReadOnlyFile::Rewind() const {
  const LARGE_INTEGER start{};
  return IsOpen() && ::SetFilePointerEx(m_h, start, nullptr, FILE_BEGIN);
}

std::size_t ReadOnlyFile::Read(char* buffer, std::size_t count) const {
  std::size_t total = 0;
  while (IsOpen() && total < count) {
    const std::size_t want = count - total;
    const DWORD ask = want > std::numeric_limits<DWORD>::max() ? std::numeric_limits<DWORD>::max() : DWORD(want);
    DWORD got = 0;
    if (!TheEnginePlatform().readFile(m_h, buffer + total, ask, &got, nullptr) || got == 0) break;
    total += got;
  }
  return total;
}

}  // namespace vtk
