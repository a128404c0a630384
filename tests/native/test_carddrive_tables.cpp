// The card-drive table rules; detection against a registry and real drives
// is the Windows tier's.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/carddrive_tables.h"

using namespace vtk;
using Names = std::vector<std::string>;

namespace {
// A table filled the way the registry reader fills it: distinct values in
// order, then sorted.
struct Letters {
  CardDriveTable table = {};
  int count = 0;
  explicit Letters(const Names& values) {
    for (const std::string& v : values) count = AddDistinctLetter(table, count, v);
    SortCardDriveLetters(table);
  }
  Names Entries(int n) const { return Names(table, table + n); }
};
bool Removable(const std::string&) { return true; }
}  // namespace

// 0x95 is negative as a signed byte; EF and E keep their order of arrival. A
// full table takes nothing more, and its last entry is kept like any other.
TEST(CardDriveTables, DistinctLettersSortedByTheSignedFirstByteStably) {
  Letters l({"F", "EF", "", "\x95\x5C", "E", "A", "E", "e"});
  EXPECT_EQ(std::pair(l.count, l.Entries(7)), std::pair(6, Names{"\x95\x5C", "A", "EF", "E", "F", "e", ""}));
  Names many = {"Z"};
  for (char c = 'a'; c <= 'z'; ++c) many.push_back(std::string("Y") + c);
  many.push_back("1");
  Letters full(many);
  std::string root;
  EXPECT_EQ(std::tuple(full.count, KeepCardDrives(full.table, {"Z:\\"}, Removable, root), root),
            std::tuple(27, 1, std::string("Z:\\")));
}
