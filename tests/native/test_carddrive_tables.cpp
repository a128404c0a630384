#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "core/carddrive_tables.h"

using namespace vtk;

namespace {

std::string Entry(const CardDriveTable& t, int i) { return std::string(t[i], strnlen(t[i], kCardDriveWidth)); }

// A table filled the way the registry reader fills it: distinct values in
// order, then sorted.
struct Letters {
  CardDriveTable table = {};
  int count = 0;
  explicit Letters(std::initializer_list<std::string_view> values) {
    for (std::string_view v : values) count = AddDistinctLetter(table, count, v);
    SortCardDriveLetters(table);
  }
};

const std::vector<std::string> kRoots = {"A:\\", "C:\\", "D:\\", "E:\\", "F:\\", "G:\\"};
const std::set<std::string> kRemovable = {"A:\\", "E:\\", "F:\\"};
bool Removable(const std::string& root) { return kRemovable.count(root) != 0; }

}  // namespace

TEST(CardDriveTables, DistinctLettersAcrossKeysDropEmptyAndRepeatedValues) {
  Letters l({"E", "", "F", "E", "e"});
  EXPECT_EQ(l.count, 3);
  EXPECT_EQ(Entry(l.table, 0), "E");
  EXPECT_EQ(Entry(l.table, 1), "F");
  EXPECT_EQ(Entry(l.table, 2), "e");
  EXPECT_EQ(Entry(l.table, 3), "");
}

TEST(CardDriveTables, SortIsByTheSignedFirstByteAndStable) {
  // 0x95 is negative as a signed byte, so it sorts before the letters; EF and
  // E share their first byte and keep their order of arrival.
  Letters l({"F", "EF", "\x95\x5C", "E", "A"});
  ASSERT_EQ(l.count, 5);
  EXPECT_EQ(Entry(l.table, 0), "\x95\x5C");
  EXPECT_EQ(Entry(l.table, 1), "A");
  EXPECT_EQ(Entry(l.table, 2), "EF");
  EXPECT_EQ(Entry(l.table, 3), "E");
  EXPECT_EQ(Entry(l.table, 4), "F");
}

TEST(CardDriveTables, TwentySixPassesSortAFullReversedTable) {
  CardDriveTable t = {};
  int n = 0;
  for (char c = 'Z'; c >= 'A'; --c) n = AddDistinctLetter(t, n, std::string(1, c));
  n = AddDistinctLetter(t, n, "@");  // the 27th entry, smallest of all
  ASSERT_EQ(n, kCardDriveEntries);
  EXPECT_EQ(AddDistinctLetter(t, n, "1"), n) << "a full table takes nothing more";
  SortCardDriveLetters(t);
  EXPECT_EQ(Entry(t, 0), "@");
  for (int i = 1; i < kCardDriveEntries; ++i) EXPECT_EQ(Entry(t, i), std::string(1, static_cast<char>('A' + i - 1)));
}

TEST(CardDriveTables, LongNamesAndValuesAreCutToTheTableWidth) {
  std::vector<std::string> names;
  for (int i = 0; i < 40; ++i) names.push_back(std::string(i == 3 ? 45 : 5, 'k') + std::to_string(i));
  DeviceInstanceTable inst;
  std::memset(inst, 0x7F, sizeof inst);
  StoreDeviceInstances(inst, names);
  EXPECT_EQ(std::string(inst[0]), "kkkkk0");
  EXPECT_EQ(std::string(inst[3]), std::string(29, 'k'));
  EXPECT_EQ(std::string(inst[26]), "kkkkk26");

  Letters l({"ABCDEFGHIJKLMNOP"});
  ASSERT_EQ(l.count, 1);
  EXPECT_EQ(Entry(l.table, 0), "ABCDEFGHI");
  AppendRootSuffix(l.table[0]);
  EXPECT_EQ(Entry(l.table, 0), "ABCDEFGHI") << "no room for the suffix: still no drive root";
  EXPECT_EQ(l.table[0][kCardDriveWidth - 1], '\0');
  std::string root = "unchanged";
  EXPECT_EQ(KeepCardDrives(l.table, kRoots, Removable, root), -1);
  EXPECT_EQ(root, "unchanged");
}

TEST(CardDriveTables, DriveRootsAreSplitAndUpperCased) {
  const char buffer[] = "a:\\\0C:\\\0e:\\\0\0garbage";
  EXPECT_EQ(SplitDriveRoots(buffer, sizeof buffer), (std::vector<std::string>{"A:\\", "C:\\", "E:\\"}));
  EXPECT_TRUE(SplitDriveRoots("\0\0", 2).empty());
}

TEST(CardDriveTables, CountingMakesRootsAndCountsPresentRemovableDrives) {
  // e (lower case), EF (two letters), G (CD-ROM), H (absent) count for nothing.
  Letters l({"F", "e", "EF", "G", "H", "E", "A"});
  const CardDriveCount c = CountCardDrives(l.table, kRoots, Removable);
  EXPECT_EQ(c.count, 3);
  EXPECT_EQ(c.letters, "AEF");
  EXPECT_EQ(Entry(l.table, 0), "A:\\");
  EXPECT_EQ(Entry(l.table, 1), "EF:\\");
  EXPECT_EQ(Entry(l.table, 6), "e:\\");
}

TEST(CardDriveTables, CountingWithoutDrivesOrLettersFindsNone) {
  Letters none({});
  EXPECT_EQ(CountCardDrives(none.table, kRoots, Removable).count, 0);
  Letters e({"E"});
  EXPECT_EQ(CountCardDrives(e.table, {}, Removable).count, 0);
}

TEST(CardDriveTables, KeepingPacksAndGivesTheHighestLetter) {
  Letters l({"F", "G", "e", "E"});
  std::string root;
  EXPECT_EQ(KeepCardDrives(l.table, kRoots, Removable, root), 2);
  EXPECT_EQ(root, "F:\\");
  EXPECT_EQ(Entry(l.table, 0), "E:\\");
  EXPECT_EQ(Entry(l.table, 1), "F:\\");
  for (int i = 2; i < kCardDriveEntries; ++i) EXPECT_EQ(Entry(l.table, i), "") << i;
}

TEST(CardDriveTables, KeepingNeverReturnsZero) {
  Letters l({"G", "D"});  // a CD-ROM and a fixed disk
  std::string root = "E:\\";
  EXPECT_EQ(KeepCardDrives(l.table, kRoots, Removable, root), -1);
  EXPECT_EQ(root, "E:\\");
  EXPECT_EQ(Entry(l.table, 0), "");
}

TEST(CardDriveTables, KeepingKeepsADriveInTheLastEntry) {
  // 26 values that sort before Z and name no drive push Z into entry 26.
  CardDriveTable t = {};
  int n = 0;
  for (int i = 0; i < 26; ++i) n = AddDistinctLetter(t, n, std::string("Y") + static_cast<char>('a' + i));
  n = AddDistinctLetter(t, n, "Z");
  ASSERT_EQ(n, 27);
  SortCardDriveLetters(t);
  ASSERT_EQ(Entry(t, 26), "Z");
  std::string root;
  EXPECT_EQ(KeepCardDrives(t, {"Z:\\"}, [](const std::string&) { return true; }, root), 1);
  EXPECT_EQ(root, "Z:\\");
  EXPECT_EQ(Entry(t, 0), "Z:\\");
}
