#include <gtest/gtest.h>

#include <set>

#include "core/funckeys.h"

using namespace vtk;

namespace {
FUNCKEYINFO Record(std::uint16_t rew, std::uint16_t ff, std::uint16_t play, std::uint16_t vol, std::uint16_t speed,
                   std::uint16_t off) {
  return FUNCKEYINFO{0, 0, {rew, ff, play, vol, speed, off}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
}
}  // namespace

TEST(FuncSlots, TableOrderValueNamesHotKeyIdsAndTexts) {
  const char* names[] = {"REW", "FF", "PLAY_STOP", "VOLUME", "SPEED", "DISABLE"};
  const std::uint32_t ids[] = {2000, 2001, 2002, 2004, 2005, 2006};
  const unsigned texts[] = {61446, 61449, 61447, 61771, 61772, 61773};
  for (int i = 0; i < kFuncSlots; ++i) {
    EXPECT_STREQ(kFuncSlotTable[i].name, names[i]);
    EXPECT_EQ(std::string(kFuncSlotTable[i].valueName), std::string("FUNCTION_KEY_") + names[i]);
    EXPECT_EQ(kFuncSlotTable[i].hotKeyId, ids[i]);
    EXPECT_EQ(kFuncSlotTable[i].globalHotKey, i < kHotKeySlots);
    EXPECT_EQ(kFuncSlotTable[i].listTextId, texts[i]);
    EXPECT_EQ(kFuncSlotTable[i].listTextId2, i == 2 ? 61448u : 0u);
  }
}

TEST(KeyNames, OnlyTheTenAssignableKeysHaveNames) {
  std::set<std::uint32_t> named;
  for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
    if (!KeyName(code).empty()) named.insert(code);
  }
  EXPECT_EQ(named, (std::set<std::uint32_t>{0x71, 0x72, 0x73, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B}));
  EXPECT_EQ(KeyName(0x71), "F2");
  EXPECT_EQ(KeyName(0x79), "F10");
  EXPECT_EQ(KeyName(0x7B), "F12");
  EXPECT_EQ(KeyName(0x70), "");
  EXPECT_EQ(KeyName(0x74), "");
  EXPECT_EQ(KeyName(NO_KEY), "");
  EXPECT_EQ(KeyName(0x10071), "");  // a wider value is not folded onto F2
}

TEST(KeyNames, EveryAssignableKeyRoundTrips) {
  for (std::uint32_t code = 0; code <= 0xFF; ++code) {
    if (!IsAssignableKey(code)) continue;
    ASSERT_EQ(KeyCodeFromName(KeyName(code)), std::optional<std::uint16_t>(code)) << code;
  }
}

TEST(KeyNames, NameToCodeIgnoresCaseAndNeverGivesF1) {
  EXPECT_EQ(KeyCodeFromName("f10"), std::optional<std::uint16_t>(0x79));
  EXPECT_EQ(KeyCodeFromName("F10"), std::optional<std::uint16_t>(0x79));
  EXPECT_EQ(KeyCodeFromName("f2"), std::optional<std::uint16_t>(0x71));
  EXPECT_EQ(KeyCodeFromName("F1"), std::nullopt);
  EXPECT_EQ(KeyCodeFromName("f1"), std::nullopt);
  for (const char* other : {"", "F", "F0", "F13", "F10 ", " F2", "F02", "G2", "F1F"})
    EXPECT_EQ(KeyCodeFromName(other), std::nullopt) << other;
}

TEST(ReleaseKey, TheFirstHolderLosesTheKeyAndOnlyOne) {
  FUNCKEYINFO info = Record(0x71, 0x72, 0x73, 0x75, 0x75, 0x77);
  EXPECT_EQ(ReleaseKeyFromSlots(info, 0x75), 3);
  EXPECT_EQ(info.wKey[3], NO_KEY);
  EXPECT_EQ(info.wKey[4], 0x75);  // a second holder keeps it
  EXPECT_EQ(ReleaseKeyFromSlots(info, 0x7B), -1);
  const FUNCKEYINFO expected = Record(0x71, 0x72, 0x73, NO_KEY, 0x75, 0x77);
  for (int i = 0; i < kFuncSlots; ++i) EXPECT_EQ(info.wKey[i], expected.wKey[i]);
}

TEST(CaptureColour, RedExactlyWhenAnotherSlotHoldsTheKey) {
  const FUNCKEYINFO info = Record(0x71, 0x72, 0x73, 0x75, NO_KEY, 0x70);
  EXPECT_TRUE(CapturedKeyConflicts(info, "F6", "F3"));   // VOLUME has it, FF shown
  EXPECT_FALSE(CapturedKeyConflicts(info, "F6", "F6"));  // the shown slot's own key
  EXPECT_FALSE(CapturedKeyConflicts(info, "F12", "F3"));  // nobody has it
  EXPECT_TRUE(CapturedKeyConflicts(info, "F6", ""));
  // Byte-for-byte comparison with the current text.
  EXPECT_TRUE(CapturedKeyConflicts(info, "F6", "f6"));
}

TEST(HotKeys, AnyNonzeroAltFlagMeansModAlt) {
  EXPECT_EQ(HotKeyModifier(0), 0u);
  EXPECT_EQ(HotKeyModifier(1), 1u);
  EXPECT_EQ(HotKeyModifier(7), 1u);
  EXPECT_EQ(HotKeyModifier(-1), 1u);
}

TEST(RegistryPaths, EachPathKeepsItsLetterCase) {
  EXPECT_EQ(InstallKeyPath("Scribovox5", true), "Software\\Tavorin\\Scribovox5\\Dictation Module\\Install");
  EXPECT_EQ(InstallKeyPath("Scribovox2002", false), "Software\\Tavorin\\Scribovox2002\\Transcription Module\\Install");
  EXPECT_EQ(SettingsKeyPath(ChosenEdition(true)),
            "Software\\Tavorin\\Scribovox5\\Dictation Module\\Download\\AnotherSetting");
  EXPECT_EQ(SettingsKeyPath(ChosenEdition(false)),
            "Software\\Tavorin\\Scribovox2002\\Dictation Module\\Download\\AnotherSetting");
  EXPECT_EQ(LanguageKeyPath(ChosenEdition(true)), "SOFTWARE\\TAVORIN\\Scribovox5\\Dictation Module\\Install\\Languages");
  EXPECT_EQ(LanguageKeyPath(ChosenEdition(false)),
            "SOFTWARE\\TAVORIN\\Scribovox2002\\Dictation Module\\Install\\Languages");
}

TEST(Language, SixteenAndAboveKeepTheLowFourBits) {
  EXPECT_EQ(DialogLanguageFromValue(0), 0u);
  EXPECT_EQ(DialogLanguageFromValue(15), 15u);
  EXPECT_EQ(DialogLanguageFromValue(0x10), 0u);
  EXPECT_EQ(DialogLanguageFromValue(0x11), 1u);
  EXPECT_EQ(DialogLanguageFromValue(0x20), 0u);
  EXPECT_EQ(DialogLanguageFromValue(0x25), 5u);
  EXPECT_EQ(DialogLanguageFromValue(0xFFFFFFF3u), 3u);
}

TEST(Language, ZeroPicksTheJapaneseSetAnyOtherTheAlternative) {
  const FuncKeyDialogTextIds ja = DialogTextIds(0);
  EXPECT_EQ(ja.caption, 1u);
  EXPECT_EQ(ja.listLabel, 2u);
  EXPECT_EQ(ja.currentLabel, 3u);
  EXPECT_EQ(ja.captureLabel, 4u);
  EXPECT_EQ(ja.assignButton, 6u);
  EXPECT_EQ(ja.deleteButton, 7u);
  for (std::uint32_t language : {1u, 5u, 15u}) {
    const FuncKeyDialogTextIds alt = DialogTextIds(language);
    EXPECT_EQ(alt.caption, 1300u);
    EXPECT_EQ(alt.listLabel, 1301u);
    EXPECT_EQ(alt.currentLabel, 1302u);
    EXPECT_EQ(alt.captureLabel, 1303u);
    EXPECT_EQ(alt.assignButton, 1304u);
    EXPECT_EQ(alt.deleteButton, 1305u);
  }
}
