// The card-drive tables: the sub-key names of a device key, and the drive
// letters that the device instances name, turned into the roots of the card
// drives that are present and removable. The tables have a fixed size; every
// write here stays inside them, so a long registry name or value is cut to
// the table's width (and then names no drive) instead of running over.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vtk {

constexpr int kCardDriveEntries = 27;
constexpr std::size_t kCardDriveWidth = 10;
constexpr std::size_t kDeviceInstanceWidth = 30;
using CardDriveTable = char[kCardDriveEntries][kCardDriveWidth];
using DeviceInstanceTable = char[kCardDriveEntries][kDeviceInstanceWidth];

// Writes `text` into an entry of `width` bytes: cut to width - 1 bytes and
// padded with NULs.
void StoreEntry(char* entry, std::size_t width, std::string_view text);

// The table of sub-key names, in enumeration order; names after the 27th
// are not kept.
void StoreDeviceInstances(DeviceInstanceTable& table, const std::vector<std::string>& names);

// Adds one drive-letter value at index `count` unless it is empty, already
// in the table, or the table is full. The value is cut to the entry's width
// first. Returns the new count.
int AddDistinctLetter(CardDriveTable& table, int count, std::string_view value);

// 26 passes of a bubble sort on the entries' first bytes, compared as
// signed bytes; entries with the same first byte keep their order.
void SortCardDriveLetters(CardDriveTable& table);

// Appends ":\" in place, cut to the entry's width.
void AppendRootSuffix(char (&entry)[kCardDriveWidth]);

// The roots in a buffer of NUL-separated strings ending with an empty one,
// as the system lists its drives; each is turned to upper case (ASCII).
std::vector<std::string> SplitDriveRoots(const char* buffer, std::size_t size);

// Whether a root (such as E:\) is a removable drive.
using IsRemovableDrive = std::function<bool(const std::string& root)>;

struct CardDriveCount {
  int count = 0;
  std::string letters;  // one letter per card drive, in table order
};

// Turns every stored letter into a root and counts those that are among
// `roots` and removable. The table is left as roots, unpacked.
CardDriveCount CountCardDrives(CardDriveTable& table, const std::vector<std::string>& roots,
                               const IsRemovableDrive& isRemovable);

// Turns every stored letter into a root, empties those that are not among
// `roots` or not removable, and packs the rest from index 0. Returns how many
// are kept and puts the root of the last kept one (the highest letter) into
// `root`; with none kept returns -1 and leaves `root` as it was.
int KeepCardDrives(CardDriveTable& table, const std::vector<std::string>& roots,
                   const IsRemovableDrive& isRemovable, std::string& root);

}  // namespace vtk
