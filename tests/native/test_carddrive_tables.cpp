#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "core/carddrive_tables.h"

using namespace vtk;
using Names = std::vector<std::string>;

namespace {

std::string Entry(const CardDriveTable& t, int i) { return std::string(t[i], strnlen(t[i], kCardDriveWidth)); }
Names Entries(const CardDriveTable& t, int n) {
  Names names;
  for (int i = 0; i < n; ++i) names.push_back(Entry(t, i));
  return names;
}

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

const Names kRoots = {"A:\\", "C:\\", "D:\\", "E:\\", "F:\\", "G:\\"};
bool Removable(const std::string& root) { return std::set<std::string>{"A:\\", "E:\\", "F:\\"}.count(root) != 0; }

}  // namespace

TEST(CardDriveTables, DistinctLettersSortedByTheSignedFirstByteStably) {
  Letters l({"E", "", "F", "E", "e"});
  EXPECT_EQ(l.count, 3);
  EXPECT_EQ(Entries(l.table, 4), (Names{"E", "F", "e", ""}));
  // 0x95 is negative as a signed byte; EF and E keep their order of arrival.
  Letters m({"F", "EF", "\x95\x5C", "E", "A"});
  EXPECT_EQ(Entries(m.table, 5), (Names{"\x95\x5C", "A", "EF", "E", "F"}));
}

TEST(CardDriveTables, TwentySixPassesSortAFullReversedTable) {
  CardDriveTable t = {};
  int n = 0;
  for (char c = 'Z'; c >= 'A'; --c) n = AddDistinctLetter(t, n, std::string(1, c));
  n = AddDistinctLetter(t, n, "@");  // the 27th entry, smallest of all
  ASSERT_EQ(n, kCardDriveEntries);
  EXPECT_EQ(AddDistinctLetter(t, n, "1"), n) << "a full table takes nothing more";
  SortCardDriveLetters(t);
  for (int i = 0; i < kCardDriveEntries; ++i) EXPECT_EQ(Entry(t, i), std::string(1, static_cast<char>('@' + i)));
}

TEST(CardDriveTables, LongNamesAndValuesAreCutToTheTableWidth) {
  Names names;
  for (int i = 0; i < 40; ++i) names.push_back(std::string(i == 3 ? 45 : 5, 'k') + std::to_string(i));
  DeviceInstanceTable inst;
  std::memset(inst, 0x7F, sizeof inst);
  StoreDeviceInstances(inst, names);
  EXPECT_EQ((Names{inst[0], inst[3], inst[26]}), (Names{"kkkkk0", std::string(29, 'k'), "kkkkk26"}));

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
  EXPECT_EQ(SplitDriveRoots(buffer, sizeof buffer), (Names{"A:\\", "C:\\", "E:\\"}));
  EXPECT_TRUE(SplitDriveRoots("\0\0", 2).empty());
}

TEST(CardDriveTables, CountingMakesRootsAndCountsPresentRemovableDrives) {
  // e (lower case), EF (two letters), G (CD-ROM), H (absent) count for nothing.
  Letters l({"F", "e", "EF", "G", "H", "E", "A"});
  const CardDriveCount c = CountCardDrives(l.table, kRoots, Removable);
  EXPECT_EQ(c.count, 3);
  EXPECT_EQ(c.letters, "AEF");
  EXPECT_EQ(Entries(l.table, 7), (Names{"A:\\", "EF:\\", "E:\\", "F:\\", "G:\\", "H:\\", "e:\\"}));
  Letters none({});
  EXPECT_EQ(CountCardDrives(none.table, kRoots, Removable).count, 0);
  Letters e({"E"});
  EXPECT_EQ(CountCardDrives(e.table, {}, Removable).count, 0);
}

TEST(CardDriveTables, KeepingPacksGivesTheHighestLetterAndNeverZero) {
  Letters l({"F", "G", "e", "E"});
  std::string root;
  EXPECT_EQ(KeepCardDrives(l.table, kRoots, Removable, root), 2);
  EXPECT_EQ(root, "F:\\");
  Names packed(kCardDriveEntries);
  packed[0] = "E:\\";
  packed[1] = "F:\\";
  EXPECT_EQ(Entries(l.table, kCardDriveEntries), packed);

  Letters none({"G", "D"});  // a CD-ROM and a fixed disk
  root = "E:\\";
  EXPECT_EQ(KeepCardDrives(none.table, kRoots, Removable, root), -1);
  EXPECT_EQ(root, "E:\\");
  EXPECT_EQ(Entry(none.table, 0), "");
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
