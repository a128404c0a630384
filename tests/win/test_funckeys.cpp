// Function keys inside the library: the assignment dialog on the library's
// own resources driven with real key messages, and the global hot keys.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <tuple>

#include "funckeys/funckeystore.h"
#include "res/ids_funckeys.h"
#include "support/registry.h"
#include "support/scripted_user.h"
#include "vtksup.h"

// F10 arrives as a system key: released, it is captured, assigned to DISABLE
// and stored where the host reads it; REW's key is deleted. Escape answers 0
// yet keeps both changes.
TEST(FuncKeys, F10ReleasedAsASystemKeyIsAssignedAndStored) {
  FUNCKEYINFO info{0, 0, {0x71, 0x72, 0x73, 0x75, 0x76, 0x77}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
  test::ScriptedUser user;
  user.On(test::Sjis(u8"ﾌｧﾝｸｼｮﾝｷｰの設定"), [](test::Window& w) {
        w.Pick(IDC_FK_LIST, 5, LBN_SELCHANGE);
        w.PostKeyUp(VK_F10, true);
      })
      .On(test::Sjis(u8"ﾌｧﾝｸｼｮﾝｷｰの設定"), [&](test::Window& w) {
        w.Click(IDC_FK_ASSIGN);
        w.Pick(IDC_FK_LIST, 0, LBN_SELCHANGE);
        w.Click(IDC_FK_DELETE);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
      }, [](test::Window& w) { return w.ItemText(IDC_FK_CAPTURE) == "F10"; });
  EXPECT_EQ(FuncKeyAssignJ(&info), 0);
  user.Verify();
  const char path[] = "Software\\Tavorin\\Scribovox2002\\Dictation Module\\Download\\AnotherSetting";
  EXPECT_EQ(std::tuple(info.wKey[5], info.wKey[0], test::ReadDword(HKEY_CURRENT_USER, path, "FUNCTION_KEY_DISABLE"),
                       test::ReadDword(HKEY_CURRENT_USER, path, "FUNCTION_KEY_REW")),
            std::tuple(std::uint16_t{VK_F10}, std::uint16_t{NO_KEY}, std::optional<DWORD>(VK_F10), std::optional<DWORD>(NO_KEY)));
  test::DeleteTree(HKEY_CURRENT_USER, "Software\\Tavorin");
}

// Any nonzero flag means Alt. The release skips a slot without a key as the
// registration did, so the host's own id under FF's survives it. A record
// without a window fails and registers nothing.
TEST(HotKeys, AnyNonzeroFlagMeansAltAndTheReleaseSkipsSlotsWithoutAKey) {
  HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  // A probe registration fails while somebody holds the key.
  auto held = [host](UINT modifier, UINT vk) {
    const bool free = RegisterHotKey(host, 0xB000, modifier, vk);
    if (free) UnregisterHotKey(host, 0xB000);
    return !free;
  };
  FUNCKEYINFO info{static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(host)), 7, {0x71, 0, 0x73}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
  ASSERT_EQ(FuncKeyHook(1, &info), 1);
  ASSERT_TRUE(RegisterHotKey(host, 2001, 0, VK_F11));
  EXPECT_EQ((std::array{held(MOD_ALT, VK_F2), held(0, VK_F2), held(MOD_ALT, VK_F4)}), (std::array{true, false, true}));
  EXPECT_EQ(FuncKeyHook(2, nullptr), 1);  // any mode but 1 releases
  EXPECT_EQ((std::array{held(MOD_ALT, VK_F2), UnregisterHotKey(host, 2001) != FALSE}), (std::array{false, true}));
  info.hWnd = 0;  // stored, registering nothing; then nothing to release
  EXPECT_EQ((std::array{FuncKeyHook(1, &info), int(held(MOD_ALT, VK_F2)), FuncKeyHook(0, nullptr)}), (std::array{0, 0, 0}));
  DestroyWindow(host);
}

// With both editions installed the newer one decides where a key is stored
// and whose language counts.
TEST(FuncKeys, TheNewerInstalledEditionChoosesTheSettingsAndLanguageKeys) {
  test::ScopedKey install2002(HKEY_LOCAL_MACHINE, "Software\\Tavorin\\Scribovox2002\\Dictation Module\\Install");
  test::ScopedKey install5(HKEY_LOCAL_MACHINE, "Software\\Tavorin\\Scribovox5\\Dictation Module\\Install");
  test::ScopedKey language5(HKEY_LOCAL_MACHINE, "SOFTWARE\\TAVORIN\\Scribovox5\\Dictation Module\\Install\\Languages");
  language5.SetDword("Language", 0x12);
  vtk::DetectHostEdition();
  vtk::SaveFunctionKey(FUNCKEYINFO{0, 0, {0x79}, {}, 0}, 0);
  EXPECT_EQ(std::tuple(vtk::g_bScribovox5Installed, vtk::GetDialogLanguage(),
                       test::ReadDword(HKEY_CURRENT_USER, "Software\\Tavorin\\Scribovox5\\Dictation Module\\Download\\AnotherSetting",
                                       "FUNCTION_KEY_REW")),
            std::tuple(true, DWORD{2}, std::optional<DWORD>(0x79)));
  test::DeleteTree(HKEY_CURRENT_USER, "Software\\Tavorin");
}
