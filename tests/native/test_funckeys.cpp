#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

#include "core/funckeys.h"

using namespace vtk;

TEST(KeyNames, OnlyTheTenAssignableKeysHaveNamesAndEachReadsBack) {
  std::set<std::uint32_t> named;
  for (std::uint32_t code = 0; code <= 0x1FFFF; ++code)
    if (const std::string name = KeyName(code); !name.empty()) {
      named.insert(code);
      EXPECT_EQ(KeyCodeFromName(name), code) << name;
    }
  // F1, F5, NO_KEY and wider values (0x10071 is not folded onto F2) have none.
  EXPECT_EQ(named, (std::set<std::uint32_t>{0x71, 0x72, 0x73, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B}));
  EXPECT_EQ(KeyName(0x7B), "F12");
  EXPECT_EQ(KeyCodeFromName("f10"), 0x79);  // case is ignored
  for (const char* other : {"F1", "f1", "", "F", "F0", "F13", "F10 ", " F2", "F02", "G2", "F1F"})
    EXPECT_EQ(KeyCodeFromName(other), std::nullopt) << other;
}

// The first holder gives its key up; a captured key is red exactly when
// another slot than the shown one holds it (texts compare byte for byte).
TEST(FuncKeyRecord, ReleaseTakesTheKeyFromTheFirstHolderOnlyAndConflictsShowRed) {
  FUNCKEYINFO info{0, 0, {0x71, 0x72, 0x73, 0x75, 0x75, 0x77}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
  EXPECT_EQ(ReleaseKeyFromSlots(info, 0x75), 3);
  EXPECT_EQ(ReleaseKeyFromSlots(info, 0x7B), -1);
  EXPECT_EQ(std::vector(info.wKey, info.wKey + kFuncSlots),
            (std::vector<std::uint16_t>{0x71, 0x72, 0x73, NO_KEY, 0x75, 0x77}));
  for (auto [captured, current, red] : {std::tuple{"F6", "F3", true}, {"F6", "", true}, {"F6", "f6", true},
                                        {"F6", "F6", false}, {"F12", "F3", false}})
    EXPECT_EQ(CapturedKeyConflicts(info, captured, current), red) << captured << " " << current;
}

TEST(RegistryPaths, EachPathKeepsItsLetterCase) {
  EXPECT_EQ(InstallKeyPath("Scribovox5", true), "Software\\Tavorin\\Scribovox5\\Dictation Module\\Install");
  EXPECT_EQ(InstallKeyPath("Scribovox2002", false), "Software\\Tavorin\\Scribovox2002\\Transcription Module\\Install");
  for (auto [five, edition] : {std::pair{true, "Scribovox5"}, {false, "Scribovox2002"}}) {
    const std::string module = std::string(edition) + "\\Dictation Module\\";
    EXPECT_EQ(SettingsKeyPath(ChosenEdition(five)), "Software\\Tavorin\\" + module + "Download\\AnotherSetting");
    EXPECT_EQ(LanguageKeyPath(ChosenEdition(five)), "SOFTWARE\\TAVORIN\\" + module + "Install\\Languages");
  }
}

// 16 and above keep the low four bits.
TEST(Language, ValueReduction) {
  for (auto [value, language] : {std::pair{0u, 0u}, {15u, 15u}, {0x10u, 0u}, {0x11u, 1u}, {0x25u, 5u}, {0xFFFFFFF3u, 3u}})
    EXPECT_EQ(DialogLanguageFromValue(value), language) << value;
}
