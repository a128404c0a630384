#include <gtest/gtest.h>

#include <set>

#include "core/foldername.h"

using namespace vtk;

namespace {
const LocalDate k5Mar2006{2006, 3, 5};

// A disk of full paths that exist; paths compare exactly, as the probe does.
struct FakeDisk {
  std::set<std::string> paths = {};
  std::vector<std::string> probed = {};
  ExistsProbe Probe() {
    return [this](const std::string& p) { probed.push_back(p); return paths.count(p) > 0; };
  }
};
}  // namespace

TEST(DatedName, FormatsWithoutLeadingZeros) {
  EXPECT_EQ(FormatDatedFolderName(k5Mar2006, 2), "2006.3.5-2");
  EXPECT_EQ(FormatDatedFolderName({2006, 12, 31}, 1), "2006.12.31-1");
  EXPECT_EQ(FormatDatedFolderName({2007, 1, 1}, 1), "2007.1.1-1");
  EXPECT_EQ(FormatDatedFolderName({2007, 1, 1}, 12345678901LL), "2007.1.1-12345678901");
}

TEST(NewFolderName, TakesLowestFreeSerialAndAddsBackslashToParent) {
  FakeDisk disk{{"D:\\Dictation\\2006.3.5-1"}};
  std::string parent = "D:\\Dictation";
  EXPECT_EQ(MakeNewFolderName(parent, k5Mar2006, disk.Probe()), "2006.3.5-2");
  EXPECT_EQ(parent, "D:\\Dictation\\");
  EXPECT_EQ(disk.probed, (std::vector<std::string>{"D:\\Dictation\\2006.3.5-1", "D:\\Dictation\\2006.3.5-2"}));
}

TEST(NewFolderName, ReusesAFreedSerialAndIgnoresOtherDays) {
  FakeDisk disk{{"D:\\R\\2006.3.5-2", "D:\\R\\2006.3.4-1"}};
  std::string parent = "D:\\R\\";
  EXPECT_EQ(MakeNewFolderName(parent, k5Mar2006, disk.Probe()), "2006.3.5-1");
}

TEST(NewFolderName, ShortParentsGetTheirBackslashUnconditionally) {
  FakeDisk disk;
  std::string root = "E:\\", bare = "E:", empty;
  EXPECT_EQ(MakeNewFolderName(root, k5Mar2006, disk.Probe()), "2006.3.5-1");
  MakeNewFolderName(bare, k5Mar2006, disk.Probe());
  MakeNewFolderName(empty, k5Mar2006, disk.Probe());
  EXPECT_EQ(root, "E:\\");
  EXPECT_EQ(bare, "E:\\");
  EXPECT_EQ(empty, "");  // a directory that could not be read names nothing
  EXPECT_EQ(disk.probed.size(), 2u);
  EXPECT_EQ(disk.probed[1], "E:\\2006.3.5-1");
}

TEST(NewFolderName, NoNameWhenParentAndNameWouldNotFitAHostPath) {
  const std::string fits(244, 'x'), tooLong(245, 'x');  // "\2006.3.5-1" is 11 bytes: 255 and 256
  const struct {
    std::string parent, name;
  } cases[] = {{"", ""}, {fits, "2006.3.5-1"}, {tooLong, ""}};
  for (const auto& c : cases) {
    FakeDisk disk;
    RecorderFolderPair pair{0, "", c.parent, "", ""};
    std::string plain = c.parent;
    EXPECT_EQ(MakeNewFolderName(plain, k5Mar2006, disk.Probe()), c.name) << c.parent.size();
    EXPECT_EQ(MakePairedNewFolderName(pair, 1, pair.strFolderB, k5Mar2006, disk.Probe()), c.name);
    EXPECT_EQ(pair.strFolderA, "");  // the other folder, unread, stays empty too
    std::string a = c.parent, b;
    MakeNewFolderPaths(1, a, b, k5Mar2006, disk.Probe());
    EXPECT_EQ(a, c.name.empty() ? c.parent : c.parent + "\\" + c.name);
    EXPECT_EQ(b, "");
  }
}

TEST(PairedName, SharedParentGivesAThenNextSerialToB) {
  FakeDisk disk;
  RecorderFolderPair pair{0, "D:\\Rec", "D:\\Rec\\", "", ""};
  pair.strNewNameA = MakePairedNewFolderName(pair, 0, pair.strFolderA, k5Mar2006, disk.Probe());
  pair.strNewNameB = MakePairedNewFolderName(pair, 1, pair.strFolderB, k5Mar2006, disk.Probe());
  EXPECT_EQ(pair.strNewNameA, "2006.3.5-1");
  EXPECT_EQ(pair.strNewNameB, "2006.3.5-2");
  EXPECT_EQ(pair.strFolderA, "D:\\Rec\\");
  EXPECT_EQ(pair.strFolderB, "D:\\Rec\\");
}

TEST(PairedName, ComparisonOfParentsIsExact) {
  FakeDisk disk;
  RecorderFolderPair pair{0, "D:\\Rec", "d:\\rec", "", ""};
  pair.strNewNameA = MakePairedNewFolderName(pair, 0, pair.strFolderA, k5Mar2006, disk.Probe());
  pair.strNewNameB = MakePairedNewFolderName(pair, 1, pair.strFolderB, k5Mar2006, disk.Probe());
  EXPECT_EQ(pair.strNewNameA, "2006.3.5-1");
  EXPECT_EQ(pair.strNewNameB, "2006.3.5-1");
}

TEST(PairedName, SkipsOnlyTheOtherNameAndStillHonoursTheDisk) {
  // B holds -2; -1 exists on disk: A must skip both and take -3.
  FakeDisk disk{{"D:\\Rec\\2006.3.5-1"}};
  RecorderFolderPair pair{0, "D:\\Rec\\", "D:\\Rec\\", "", "2006.3.5-2"};
  EXPECT_EQ(MakePairedNewFolderName(pair, 0, pair.strFolderA, k5Mar2006, disk.Probe()), "2006.3.5-3");
  // A stored name with a trailing backslash is not equal to a proposal.
  pair.strNewNameB = "2006.3.5-2\\";
  EXPECT_EQ(MakePairedNewFolderName(pair, 0, pair.strFolderA, k5Mar2006, disk.Probe()), "2006.3.5-2");
}

TEST(NewFolderPaths, NamesOnlyTheSelectedFolder) {
  FakeDisk disk{{"D:\\Dictation\\2006.3.5-1"}};
  std::string a = "D:\\Dictation", b = "C:\\Work";
  MakeNewFolderPaths(1, a, b, k5Mar2006, disk.Probe());
  EXPECT_EQ(a, "D:\\Dictation\\2006.3.5-2");
  EXPECT_EQ(b, "C:\\Work");

  a = "D:\\Dictation";
  b = "F:\\Rec\\";
  MakeNewFolderPaths(2, a, b, k5Mar2006, disk.Probe());
  EXPECT_EQ(a, "D:\\Dictation");
  EXPECT_EQ(b, "F:\\Rec\\2006.3.5-1");

  a = "E:";
  b = "E:\\";
  MakeNewFolderPaths(1, a, b, k5Mar2006, disk.Probe());
  EXPECT_EQ(a, "E:\\2006.3.5-1");
  EXPECT_EQ(b, "E:\\");
}

TEST(NewFolderPaths, OtherSelectorsOnlyNormalise) {
  for (int selector : {0, 3, -1}) {
    FakeDisk disk;
    std::string a = "D:\\Rec\\A\\", b = "E:\\";
    MakeNewFolderPaths(selector, a, b, k5Mar2006, disk.Probe());
    EXPECT_EQ(a, "D:\\Rec\\A") << selector;
    EXPECT_EQ(b, "E:\\") << selector;
    EXPECT_TRUE(disk.probed.empty());
  }
}
