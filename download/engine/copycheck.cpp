#include "download/engine/copycheck.h"

#include <algorithm>
#include <cstring>

#include "core/transfer_names.h"

namespace vtk {

namespace {

constexpr std::size_t kBlock = 1 << 20;

// Length and last-write time; the header is read by the caller.
bool ReadSizeAndTime(const ReadOnlyFile& file, FileIdentity& identity) {
  return file.SizeAndLastWriteTime(identity.size, identity.lastWrite) && file.Rewind();
}

}  // namespace

std::optional<FileIdentity> CopyCheck::IsExactCopy(const ReadOnlyFile& heldSource, const std::string& source,
                                                   const std::string& target) {
  ReadOnlyFile reopened;
  if (!heldSource.IsOpen()) reopened = ReadOnlyFile(source);
  const ReadOnlyFile& from = heldSource.IsOpen() ? heldSource : reopened;
  const ReadOnlyFile to(target);
  FileIdentity identity;
  long long targetSize = 0;
  if (!ReadSizeAndTime(from, identity) || !to.Size(targetSize) || identity.size != targetSize) return std::nullopt;
  m_source.resize(kBlock);
  m_target.resize(kBlock);
  for (long long left = identity.size; left > 0;) {
    const std::size_t n = left < static_cast<long long>(kBlock) ? static_cast<std::size_t>(left) : kBlock;
    if (from.Read(m_source.data(), n) != n || to.Read(m_target.data(), n) != n) return std::nullopt;
    if (std::memcmp(m_source.data(), m_target.data(), n) != 0) return std::nullopt;
    if (left == identity.size) identity.header.assign(m_source.data(), std::min(n, kHeaderSampleSize));
    left -= static_cast<long long>(n);
  }
  return identity;
}

std::optional<FileIdentity> CurrentIdentity(const std::string& path) {
  // A fresh file is read from its start: one read, one query of length and
  // time, since the check runs on every file just before its deletion.
  const ReadOnlyFile file(path);
  char header[kHeaderSampleSize];
  const std::size_t got = file.Read(header, sizeof header);
  FileIdentity identity;
  if (!file.SizeAndLastWriteTime(identity.size, identity.lastWrite)) return std::nullopt;
  if (got != static_cast<std::size_t>(std::min<long long>(identity.size, sizeof header))) return std::nullopt;
  identity.header.assign(header, got);
  return identity;
}

}  // namespace vtk
