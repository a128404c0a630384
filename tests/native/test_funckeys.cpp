#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "core/funckeys.h"

using namespace vtk;

// F1, F5, NO_KEY and wider values (0x10071 is not folded onto F2) have no
// name; each name reads back, in any letter case.
TEST(KeyNames, OnlyTheTenAssignableKeysHaveNamesAndEachReadsBack) {
  std::set<std::uint32_t> named;
  for (std::uint32_t code = 0; code <= 0x1FFFF; ++code)
    if (const std::string name = KeyName(code); !name.empty() && KeyCodeFromName(name) == code) named.insert(code);
  EXPECT_EQ(named, (std::set<std::uint32_t>{0x71, 0x72, 0x73, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B}));
  EXPECT_EQ(KeyCodeFromName("f10"), 0x79);
  for (const char* other : {"F1", "F0", "F13", "F10 ", "F02"}) EXPECT_EQ(KeyCodeFromName(other), std::nullopt) << other;
}

// The first holder gives its key up; a captured key is red exactly when
// another slot than the shown one holds it (texts compare byte for byte).
TEST(FuncKeyRecord, ReleaseTakesTheKeyFromTheFirstHolderOnlyAndConflictsShowRed) {
  FUNCKEYINFO info{0, 0, {0x71, 0x72, 0x73, 0x75, 0x75, 0x77}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
  EXPECT_EQ(std::pair(ReleaseKeyFromSlots(info, 0x75), ReleaseKeyFromSlots(info, 0x7B)), std::pair(3, -1));
  EXPECT_EQ(std::vector(info.wKey, info.wKey + kFuncSlots), (std::vector<std::uint16_t>{0x71, 0x72, 0x73, NO_KEY, 0x75, 0x77}));
  for (auto [captured, current, red] : {std::tuple{"F6", "F3", true}, {"F6", "f6", true}, {"F6", "F6", false}, {"F12", "F3", false}})
    EXPECT_EQ(CapturedKeyConflicts(info, captured, current), red) << captured << " " << current;
}

// Each path keeps its letter case; language values of 16 and above keep the
// low four bits.
TEST(FuncKeySettings, PathsAndLanguage) {
  EXPECT_EQ(InstallKeyPath("Scribovox2002", false), "Software\\Tavorin\\Scribovox2002\\Transcription Module\\Install");
  EXPECT_EQ(SettingsKeyPath(ChosenEdition(true)), "Software\\Tavorin\\Scribovox5\\Dictation Module\\Download\\AnotherSetting");
  EXPECT_EQ(LanguageKeyPath(ChosenEdition(false)), "SOFTWARE\\TAVORIN\\Scribovox2002\\Dictation Module\\Install\\Languages");
  for (auto [value, language] : {std::pair{15u, 15u}, {0x10u, 0u}, {0x25u, 5u}, {0xFFFFFFF3u, 3u}})
    EXPECT_EQ(DialogLanguageFromValue(value), language) << value;
}
