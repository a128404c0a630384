#include "download/copycheck.h"

#include <windows.h>

#include <cstring>

namespace vtk {

namespace {

constexpr DWORD kBlock = 1 << 20;

class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::string& path)
      : m_h(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {}
  ~ReadOnlyFile() {
    if (m_h != INVALID_HANDLE_VALUE) ::CloseHandle(m_h);
  }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  bool Size(long long& size) const {
    LARGE_INTEGER n;
    if (m_h == INVALID_HANDLE_VALUE || !::GetFileSizeEx(m_h, &n)) return false;
    size = n.QuadPart;
    return true;
  }
  // Reads exactly `count` bytes.
  bool Read(char* buffer, DWORD count) const {
    while (count > 0) {
      DWORD got = 0;
      if (!::ReadFile(m_h, buffer, count, &got, nullptr) || got == 0) return false;
      buffer += got;
      count -= got;
    }
    return true;
  }

 private:
  HANDLE m_h;
};

}  // namespace

bool CopyCheck::IsExactCopy(const std::string& source, const std::string& target) {
  const ReadOnlyFile from(source), to(target);
  long long left = 0, targetSize = 0;
  if (!from.Size(left) || !to.Size(targetSize) || left != targetSize) return false;
  m_source.resize(kBlock);
  m_target.resize(kBlock);
  while (left > 0) {
    const DWORD n = left < kBlock ? static_cast<DWORD>(left) : kBlock;
    if (!from.Read(m_source.data(), n) || !to.Read(m_target.data(), n)) return false;
    if (std::memcmp(m_source.data(), m_target.data(), n) != 0) return false;
    left -= n;
  }
  return true;
}

}  // namespace vtk
