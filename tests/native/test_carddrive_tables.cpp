#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "core/carddrive_tables.h"

using namespace vtk;
using Names = std::vector<std::string>;

namespace {

Names Entries(const CardDriveTable& t, int n = kCardDriveEntries) {
  Names names;
  for (int i = 0; i < n; ++i) names.emplace_back(t[i], strnlen(t[i], kCardDriveWidth));
  return names;
}

// A table filled the way the registry reader fills it: distinct values in
// order, then sorted.
struct Letters {
  CardDriveTable table = {};
  int count = 0;
  explicit Letters(const Names& values) {
    for (const std::string& v : values) count = AddDistinctLetter(table, count, v);
    SortCardDriveLetters(table);
  }
};

const Names kRoots = {"A:\\", "C:\\", "D:\\", "E:\\", "F:\\", "G:\\"};
bool Removable(const std::string& root) { return std::set<std::string>{"A:\\", "E:\\", "F:\\", "Z:\\"}.count(root) != 0; }

}  // namespace

// 0x95 is negative as a signed byte; EF and E keep their order of arrival.
// 26 passes sort a full reversed table, and a full table takes nothing more.
TEST(CardDriveTables, DistinctLettersSortedByTheSignedFirstByteStably) {
  Letters l({"F", "EF", "", "\x95\x5C", "E", "A", "E", "e"});
  EXPECT_EQ(std::pair(l.count, Entries(l.table, 7)), std::pair(6, Names{"\x95\x5C", "A", "EF", "E", "F", "e", ""}));
  Names reversed, sorted;
  for (char c = 'Z'; c >= '@'; --c) reversed.push_back(std::string(1, c));
  sorted.assign(reversed.rbegin(), reversed.rend());
  reversed.push_back("1");
  Letters full(reversed);
  EXPECT_EQ(std::pair(full.count, Entries(full.table)), std::pair(kCardDriveEntries, sorted));
}

// Long sub-key names and values are cut to the table width; a cut letter
// with no room for the suffix names no drive root.
TEST(CardDriveTables, LongNamesAndValuesAreCutToTheTableWidth) {
  Names names;
  for (int i = 0; i < 40; ++i) names.push_back(std::string(i == 3 ? 45 : 5, 'k') + std::to_string(i));
  DeviceInstanceTable inst;
  std::memset(inst, 0x7F, sizeof inst);
  StoreDeviceInstances(inst, names);
  EXPECT_EQ((Names{inst[0], inst[3], inst[26]}), (Names{"kkkkk0", std::string(29, 'k'), "kkkkk26"}));
  Letters l({"ABCDEFGHIJKLMNOP"});
  AppendRootSuffix(l.table[0]);
  EXPECT_EQ(Entries(l.table, 1)[0], "ABCDEFGHI");
  std::string root = "unchanged";
  EXPECT_EQ((std::pair{KeepCardDrives(l.table, kRoots, Removable, root), root}), std::pair(-1, std::string("unchanged")));
  const char buffer[] = "a:\\\0C:\\\0e:\\\0\0garbage";
  EXPECT_EQ(SplitDriveRoots(buffer, sizeof buffer), (Names{"A:\\", "C:\\", "E:\\"}));
  EXPECT_TRUE(SplitDriveRoots("\0\0", 2).empty());
}

// Only present removable drives count (not e, EF, G, H absent); counting
// leaves the roots unpacked, keeping packs them and names the highest letter,
// or gives -1 and leaves the root. 26 values that sort before Z and name no
// drive push Z into the last entry.
TEST(CardDriveTables, CountingAndKeeping) {
  Names many;
  for (int i = 0; i < 26; ++i) many.push_back(std::string("Y") + char('a' + i));
  many.push_back("Z");
  const struct { Names letters, roots; int count; std::string found; Names counted; int kept; std::string root; } cases[] = {
      {{"F", "e", "EF", "G", "H", "E", "A"}, kRoots, 3, "AEF", {"A:\\", "EF:\\", "E:\\", "F:\\", "G:\\", "H:\\", "e:\\"},
       3, "F:\\"},
      {{"G", "D"}, kRoots, 0, "", {"D:\\", "G:\\"}, -1, "keep"},
      {{}, kRoots, 0, "", {""}, -1, "keep"},
      {many, {"Z:\\"}, 1, "Z", {}, 1, "Z:\\"},
  };
  for (const auto& c : cases) {
    Letters counted(c.letters), kept(c.letters);
    const CardDriveCount n = CountCardDrives(counted.table, c.roots, Removable);
    EXPECT_EQ(std::pair(n.count, n.letters), std::pair(c.count, c.found));
    EXPECT_EQ(Entries(counted.table, int(c.counted.size())), c.counted);
    std::string root = "keep";
    EXPECT_EQ((std::pair{KeepCardDrives(kept.table, c.roots, Removable, root), root}), std::pair(c.kept, c.root));
    Names packed(kCardDriveEntries);
    for (std::size_t i = 0; i < c.found.size(); ++i) packed[i] = c.found.substr(i, 1) + ":\\";
    EXPECT_EQ(Entries(kept.table), packed);
  }
}
