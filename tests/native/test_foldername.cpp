#include <gtest/gtest.h>

#include <set>
#include <tuple>

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
  EXPECT_EQ(FormatDatedFolderName({2007, 1, 1}, 12345678901LL), "2007.1.1-12345678901");
}

// The lowest free serial of the day (a freed one too, other days ignored);
// the parent gets its backslash, however short.
TEST(NewFolderName, TakesTheLowestFreeSerial) {
  const struct { std::string parent; std::set<std::string> disk; std::string name, parentAfter; } cases[] = {
      {"D:\\R", {"D:\\R\\2006.3.5-1"}, "2006.3.5-2", "D:\\R\\"},
      {"D:\\R\\", {"D:\\R\\2006.3.5-2", "D:\\R\\2006.3.4-1"}, "2006.3.5-1", "D:\\R\\"},
      {"E:", {}, "2006.3.5-1", "E:\\"},
  };
  for (const auto& c : cases) {
    FakeDisk disk{c.disk};
    std::string parent = c.parent;
    const std::string name = MakeNewFolderName(parent, k5Mar2006, disk.Probe());
    EXPECT_EQ((std::vector{name, parent, disk.probed.back()}), (std::vector{c.name, c.parentAfter, c.parentAfter + c.name}));
  }
}

// A parent that could not be read (empty) names nothing, and neither does
// one where parent\name would not fit a host's path of 255 bytes.
TEST(NewFolderName, NoNameWhenParentAndNameWouldNotFitAHostPath) {
  const std::string fits(244, 'x'), tooLong(245, 'x');  // "\2006.3.5-1" is 11 bytes: 255 and 256
  const struct { std::string parent, name; } cases[] = {{"", ""}, {fits, "2006.3.5-1"}, {tooLong, ""}};
  for (const auto& c : cases) {
    FakeDisk disk;
    RecorderFolderPair pair{0, "", c.parent, "", ""};
    std::string plain = c.parent, a = c.parent, b;
    // Braces keep the calls in order: the paths are read after they are made.
    EXPECT_EQ((std::vector{MakeNewFolderName(plain, k5Mar2006, disk.Probe()),
                           MakePairedNewFolderName(pair, 1, pair.strFolderB, k5Mar2006, disk.Probe()),
                           pair.strFolderA,  // the other folder, unread, stays empty too
                           (MakeNewFolderPaths(1, a, b, k5Mar2006, disk.Probe()), a), b}),
              (std::vector<std::string>{c.name, c.name, "", c.name.empty() ? c.parent : c.parent + "\\" + c.name, ""}))
        << c.parent.size();
  }
}

// With the same parent (compared exactly) B's name is skipped for A, and the
// disk still counts; a stored name with a backslash equals no proposal.
TEST(PairedName, SkipsTheOtherFoldersNameOnlyUnderTheSameParent) {
  const struct { std::string a, b, nameB, onDisk, expected; } cases[] = {
      {"D:\\Rec", "D:\\Rec\\", "2006.3.5-1", "", "2006.3.5-2"},
      {"D:\\Rec", "d:\\rec", "2006.3.5-1", "", "2006.3.5-1"},
      {"D:\\Rec\\", "D:\\Rec\\", "2006.3.5-2", "D:\\Rec\\2006.3.5-1", "2006.3.5-3"},
      {"D:\\Rec\\", "D:\\Rec\\", "2006.3.5-2\\", "D:\\Rec\\2006.3.5-1", "2006.3.5-2"},
  };
  for (const auto& c : cases) {
    FakeDisk disk{{c.onDisk}};
    RecorderFolderPair pair{0, c.a, c.b, "", c.nameB};
    EXPECT_EQ(MakePairedNewFolderName(pair, 0, pair.strFolderA, k5Mar2006, disk.Probe()), c.expected) << c.b;
  }
}

// Only the selected folder gets a dated name; every path loses one trailing
// backslash when longer than 3 bytes, and other selectors probe nothing.
TEST(NewFolderPaths, NamesOnlyTheSelectedFolder) {
  const struct { int selector; std::string a, b, aAfter, bAfter; } cases[] = {
      {1, "D:\\Dictation", "C:\\Work", "D:\\Dictation\\2006.3.5-2", "C:\\Work"},
      {2, "D:\\Dictation", "F:\\Rec\\", "D:\\Dictation", "F:\\Rec\\2006.3.5-1"},
      {1, "E:", "E:\\", "E:\\2006.3.5-1", "E:\\"},
      {0, "D:\\Rec\\A\\", "E:\\", "D:\\Rec\\A", "E:\\"},
      {3, "D:\\Rec\\A\\", "E:\\", "D:\\Rec\\A", "E:\\"},
      {-1, "D:\\Rec\\A\\", "E:\\", "D:\\Rec\\A", "E:\\"},
  };
  for (const auto& c : cases) {
    FakeDisk disk{{"D:\\Dictation\\2006.3.5-1"}};
    std::string a = c.a, b = c.b;
    MakeNewFolderPaths(c.selector, a, b, k5Mar2006, disk.Probe());
    EXPECT_EQ(std::tuple(a, b, disk.probed.empty()), std::tuple(c.aAfter, c.bAfter, c.selector != 1 && c.selector != 2))
        << c.selector;
  }
}
