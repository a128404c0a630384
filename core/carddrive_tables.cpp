#include "core/carddrive_tables.h"

#include <algorithm>
#include <cstring>

namespace vtk {

namespace {

std::string_view EntryText(const char* entry, std::size_t width) {
  return std::string_view(entry, strnlen(entry, width));
}

bool IsAmong(const std::string& root, const std::vector<std::string>& roots) {
  return std::find(roots.begin(), roots.end(), root) != roots.end();
}

// A stored letter that names a present removable drive; the entry becomes a
// root either way.
bool BecomesCardDriveRoot(char (&entry)[kCardDriveWidth], const std::vector<std::string>& roots,
                          const IsRemovableDrive& isRemovable) {
  AppendRootSuffix(entry);
  const std::string root(EntryText(entry, kCardDriveWidth));
  return IsAmong(root, roots) && isRemovable(root);
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

void StoreEntry(char* entry, std::size_t width, std::string_view text) {
  const std::size_t n = std::min(text.size(), width - 1);
  std::memcpy(entry, text.data(), n);
  std::memset(entry + n, 0, width - n);
}

void StoreDeviceInstances(DeviceInstanceTable& table, const std::vector<std::string>& names) {
  std::memset(table, 0, sizeof table);
  const std::size_t kept = std::min<std::size_t>(names.size(), kCardDriveEntries);
  for (std::size_t i = 0; i < kept; ++i) StoreEntry(table[i], kDeviceInstanceWidth, names[i]);
}

int AddDistinctLetter(CardDriveTable& table, int count, std::string_view value) {
  value = value.substr(0, std::min(value.size(), kCardDriveWidth - 1));
  value = value.substr(0, value.find('\0'));
  if (value.empty()) return count;
  for (int i = 0; i < kCardDriveEntries; ++i) {
    const std::string_view stored = EntryText(table[i], kCardDriveWidth);
    if (stored == value) return count;
    if (stored.empty()) break;
  }
  if (count >= kCardDriveEntries) return count;
  StoreEntry(table[count], kCardDriveWidth, value);
  return count + 1;
}

void SortCardDriveLetters(CardDriveTable& table) {
  int stored = 0;
  while (stored < kCardDriveEntries && table[stored][0] != '\0') ++stored;
  for (int pass = 0; pass < 26; ++pass) {
    for (int i = 0; i + 1 < stored; ++i) {
      if (static_cast<signed char>(table[i][0]) > static_cast<signed char>(table[i + 1][0])) {
        char swap[kCardDriveWidth];
        std::memcpy(swap, table[i], kCardDriveWidth);
        std::memcpy(table[i], table[i + 1], kCardDriveWidth);
        std::memcpy(table[i + 1], swap, kCardDriveWidth);
      }
    }
  }
}

void AppendRootSuffix(char (&entry)[kCardDriveWidth]) {
  std::string text(EntryText(entry, kCardDriveWidth));
  text += ":\\";
  StoreEntry(entry, kCardDriveWidth, text);
}

std::vector<std::string> SplitDriveRoots(const char* buffer, std::size_t size) {
  std::vector<std::string> roots;
  std::size_t pos = 0;
  while (pos < size && buffer[pos] != '\0') {
    const std::size_t len = strnlen(buffer + pos, size - pos);
    std::string root(buffer + pos, len);
    std::transform(root.begin(), root.end(), root.begin(), AsciiUpper);
    roots.push_back(std::move(root));
    pos += len + 1;
  }
  return roots;
}

CardDriveCount CountCardDrives(CardDriveTable& table, const std::vector<std::string>& roots,
                               const IsRemovableDrive& isRemovable) {
  CardDriveCount result;
  for (int i = 0; i < kCardDriveEntries && table[i][0] != '\0'; ++i) {
    if (BecomesCardDriveRoot(table[i], roots, isRemovable)) {
      ++result.count;
      result.letters += table[i][0];
    }
  }
  return result;
}

int KeepCardDrives(CardDriveTable& table, const std::vector<std::string>& roots,
                   const IsRemovableDrive& isRemovable, std::string& root) {
  int stored = 0;
  while (stored < kCardDriveEntries && table[stored][0] != '\0') ++stored;
  for (int i = 0; i < stored; ++i) {
    if (!BecomesCardDriveRoot(table[i], roots, isRemovable)) table[i][0] = '\0';
  }
  // Every entry takes part in the packing, the last one included: a kept
  // drive is never lost to its place in the table.
  CardDriveTable kept = {};
  int count = 0;
  for (int i = 0; i < kCardDriveEntries; ++i) {
    if (table[i][0] != '\0') std::memcpy(kept[count++], table[i], kCardDriveWidth);
  }
  std::memcpy(table, kept, sizeof kept);
  if (count == 0) return -1;
  root = std::string(1, AsciiUpper(table[count - 1][0])) + ":\\";
  return count;
}

}  // namespace vtk
