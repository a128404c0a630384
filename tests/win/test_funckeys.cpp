// Function keys inside the library: the registry store, the assignment
// dialog on the library's own resources driven with real key messages, and
// the global hot keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <tuple>

#include "core/funckeys.h"
#include "funckeys/hotkeys.h"
#include "framework/modulestate.h"
#include "funckeys/funckeystore.h"
#include "res/ids_funckeys.h"
#include "support/registry.h"
#include "support/scripted_user.h"
#include "vtksup.h"

namespace {

using Keys = std::array<std::uint16_t, kFuncSlots>;
using Saved = std::map<int, DWORD>;
using Flags = std::vector<bool>;
using vtk::HostEdition;
constexpr LPARAM kEscapeDown = 0x00010001;

FUNCKEYINFO Record(Keys keys = {0x71, 0x72, 0x73, 0x75, 0x76, 0x77}, HWND hWnd = nullptr) {
  FUNCKEYINFO info{static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hWnd)), 0, {}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
  std::copy(keys.begin(), keys.end(), info.wKey);
  return info;
}

// The slots' values under a settings key, by the names the host reads (absent
// ones left out).
Saved SavedSlots(HostEdition edition = HostEdition::kScribovox2002) {
  const char* const names[] = {"REW", "FF", "PLAY_STOP", "VOLUME", "SPEED", "DISABLE"};
  Saved saved;
  for (int slot = 0; slot < kFuncSlots; ++slot)
    if (auto v = test::ReadDword(HKEY_CURRENT_USER, vtk::SettingsKeyPath(edition),
                                 (std::string("FUNCTION_KEY_") + names[slot]).c_str()))
      saved[slot] = *v;
  return saved;
}

// Every test starts and ends without the host's keys.
class FuncKeys : public testing::Test {
 protected:
  void SetUp() override { Clear(); }
  void TearDown() override { Clear(); }
  static void Clear() {
    test::DeleteTree(HKEY_LOCAL_MACHINE, "Software\\Tavorin");
    test::DeleteTree(HKEY_CURRENT_USER, "Software\\Tavorin");
  }
};

}  // namespace

// Both probes always run; only the Scribovox5 flag chooses the keys: where a
// slot's value goes (one REG_DWORD per call) and whose language counts.
TEST_F(FuncKeys, TheDetectedEditionChoosesTheSettingsAndLanguageKeys) {
  auto detect = [] {
    return std::array{vtk::DetectHostEdition(), vtk::g_bScribovox5Installed, vtk::g_bScribovox2002Installed};
  };
  EXPECT_EQ(detect(), (std::array{false, false, false}));
  EXPECT_EQ(vtk::GetDialogLanguage(), 0u);  // no key
  const FUNCKEYINFO info = Record({0x71, 0x72, NO_KEY, 0x75, 0x70, 0x7B});
  for (int slot = 0; slot < kFuncSlots; ++slot) vtk::SaveFunctionKey(info, slot);
  EXPECT_EQ(SavedSlots(), (Saved{{0, 113}, {1, 114}, {2, 65535}, {3, 117}, {4, 112}, {5, 123}}));
  test::ScopedKey install2002(HKEY_LOCAL_MACHINE, vtk::InstallKeyPath("Scribovox2002", true));
  test::ScopedKey language2002(HKEY_LOCAL_MACHINE, vtk::LanguageKeyPath(HostEdition::kScribovox2002));
  EXPECT_EQ(detect(), (std::array{true, false, true}));
  EXPECT_EQ(vtk::GetDialogLanguage(), 0u);  // no value
  language2002.SetString("Language", "Japanese");  // not a number: the Japanese set
  EXPECT_EQ(vtk::GetDialogLanguage(), 0u);
  language2002.SetDword("Language", 0x11);
  EXPECT_EQ(vtk::GetDialogLanguage(), 1u);
  test::ScopedKey install5(HKEY_LOCAL_MACHINE, vtk::InstallKeyPath("Scribovox5", true));
  test::ScopedKey language5(HKEY_LOCAL_MACHINE, vtk::LanguageKeyPath(HostEdition::kScribovox5));
  language5.SetDword("Language", 0x12);
  EXPECT_EQ(detect(), (std::array{true, true, true}));
  EXPECT_EQ(vtk::GetDialogLanguage(), 2u);
  vtk::SaveFunctionKey(Record({0x79}), 0);
  EXPECT_EQ(SavedSlots(HostEdition::kScribovox5), (Saved{{0, 0x79}}));
  EXPECT_FALSE(vtk::IsModuleInstalled("Scribovox5", FALSE));
  test::ScopedKey transcription(HKEY_LOCAL_MACHINE, vtk::InstallKeyPath("Scribovox5", false));
  EXPECT_TRUE(vtk::IsModuleInstalled("Scribovox5", FALSE));
}

// One session: F1 and F5 released, F9 pressed and a caption drag are not
// captured; a released key is (F10 also as a system key, or by a caption drag
// while F10 is toggled on), red when another slot holds it, and assigning
// moves it. Choosing a slot shows its key and clears the capture, delete
// writes no key, and Escape answers 0 yet keeps every change. The capture
// field's brush goes with the dialog.
TEST_F(FuncKeys, CaptureAssignDeleteAndEscape) {
  enum How { kKeyUp, kSysKeyUp, kCaptionDrag };
  const struct { int slot; UINT vk; How how; const char* name; COLORREF colour; } steps[] = {
      {1, VK_F6, kKeyUp, "F6", RGB(255, 0, 0)},          // VOLUME's key to FF
      {0, VK_F2, kKeyUp, "F2", RGB(0, 0, 0)},            // REW's own key, written again
      {5, VK_F10, kSysKeyUp, "F10", RGB(0, 0, 0)},       // to DISABLE
      {4, VK_F10, kCaptionDrag, "F10", RGB(255, 0, 0)},  // DISABLE's key to SPEED
  };
  BYTE keyboard[256] = {};
  GetKeyboardState(keyboard);
  auto dragWithF10 = [&keyboard](test::Window& w, bool toggled) {
    BYTE keys[256];
    std::memcpy(keys, keyboard, sizeof keys);
    keys[VK_F10] = toggled ? 1 : 0;
    SetKeyboardState(keys);
    PostMessageA(w.hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    PostMessageA(w.hwnd, WM_KEYDOWN, VK_ESCAPE, kEscapeDown);  // ends the system's move loop, should one start
  };
  auto captured = [](const char* name) { return [name](test::Window& w) { return w.ItemText(IDC_FK_CAPTURE) == name; }; };
  const std::string caption = [] { AFX_MAINTAIN_STATE2 s(AfxGetStaticModuleState()); return LoadResString(IDS_FK_CAPTION); }();
  FUNCKEYINFO info = Record();
  HBRUSH brush = nullptr;
  test::ScriptedUser user;
  user.On(caption, [&](test::Window& w) {
    dragWithF10(w, false);
    w.PostKeyUp(VK_F1);
    w.PostKeyUp(VK_F5);
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_F9, 0x00430001);
  });
  for (const auto& s : steps) {
    // Timer ticks come only once the posted messages are handled.
    user.On(caption, [&](test::Window& w) {
          EXPECT_EQ(w.ItemText(IDC_FK_CAPTURE), "");
          w.Pick(IDC_FK_LIST, s.slot, LBN_SELCHANGE);
          if (s.how == kCaptionDrag) dragWithF10(w, true);
          else w.PostKeyUp(s.vk, s.how == kSysKeyUp);
        })
        .On(caption, [&](test::Window& w) {
          // Painted as the read-only edit asks its parent.
          HWND edit = w.Item(IDC_FK_CAPTURE);
          HDC dc = GetDC(edit);
          brush = reinterpret_cast<HBRUSH>(
              SendMessageA(w.hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
          LOGBRUSH lb{0, CLR_INVALID, 0};
          GetObjectA(brush, sizeof lb, &lb);
          EXPECT_EQ((std::array{GetTextColor(dc), COLORREF(GetBkMode(dc)), lb.lbColor}),
                    (std::array{s.colour, COLORREF(TRANSPARENT), RGB(255, 255, 255)})) << s.slot;
          ReleaseDC(edit, dc);
          w.Click(IDC_FK_ASSIGN);
          EXPECT_EQ(w.ItemText(IDC_FK_CURRENT) + "|" + w.ItemText(IDC_FK_CAPTURE), std::string(s.name) + "|");
        }, captured(s.name));
  }
  user.On(caption, [&](test::Window& w) { w.PostKeyUp(VK_F9); })
      .On(caption, [&](test::Window& w) {
        for (auto [slot, shown] : {std::pair{3, ""}, {1, "F6"}, {2, "F4"}}) {
          w.Pick(IDC_FK_LIST, slot, LBN_SELCHANGE);
          EXPECT_EQ(w.ItemText(IDC_FK_CURRENT) + "|" + w.ItemText(IDC_FK_CAPTURE), std::string(shown) + "|") << slot;
        }
        w.Click(IDC_FK_ASSIGN);  // nothing captured: nothing written
        w.Click(IDC_FK_DELETE);
        EXPECT_EQ(w.ItemText(IDC_FK_CURRENT), "");
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, kEscapeDown);
      }, captured("F9"));
  EXPECT_EQ(FuncKeyAssignJ(&info), 0);
  user.Verify();
  SetKeyboardState(keyboard);
  EXPECT_EQ(std::to_array(info.wKey), (Keys{0x71, 0x75, NO_KEY, NO_KEY, 0x79, NO_KEY}));
  EXPECT_EQ(SavedSlots(), (Saved{{0, 113}, {1, 117}, {2, 65535}, {3, 65535}, {4, 121}, {5, 65535}}));
  EXPECT_EQ(GetObjectType(brush), 0u) << "the brush outlives the dialog";
}

namespace {
// A window of the test's thread that takes the hot keys, as the host's would.
class HotKeys : public testing::Test {
 protected:
  void TearDown() override {
    FuncKeyHook(0, nullptr);
    DestroyWindow(m_hWnd);
  }
  // Whether each key is registered now with `modifier`: a probe
  // registration of it fails while somebody holds it.
  Flags Held(UINT modifier, std::initializer_list<UINT> keys) const {
    Flags held;
    for (UINT vk : keys) {
      const bool free = RegisterHotKey(m_hWnd, 0xB000, modifier, vk);
      if (free) UnregisterHotKey(m_hWnd, 0xB000);
      held.push_back(!free && GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED);
    }
    return held;
  }
  HWND m_hWnd = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
};
}  // namespace

TEST_F(HotKeys, RegistersThePlaybackSlotsOnlyWithAltForAnyNonzeroFlagAndReleasesThem) {
  for (std::int32_t bAlt : {0, 7}) {
    SCOPED_TRACE(bAlt);
    const UINT modifier = bAlt ? MOD_ALT : 0;
    FUNCKEYINFO info = Record({0x71, 0x72, 0x73, 0x78, 0x7A, 0x7B}, m_hWnd);
    info.bAlt = bAlt;
    info.dwReserved = 0xA5A5A5A5;
    ASSERT_EQ(FuncKeyHook(1, &info), 1);
    EXPECT_EQ(memcmp(&g_funcKeyRecord, &info, sizeof info), 0);  // the whole record, reserved word too
    // VOLUME, SPEED and DISABLE (F9, F11, F12) never become hot keys.
    EXPECT_EQ(Held(modifier, {VK_F2, VK_F3, VK_F4, VK_F9, VK_F11, VK_F12}),
              (Flags{true, true, true, false, false, false}));
    EXPECT_EQ(Held(modifier ^ MOD_ALT, {VK_F2}), Flags{false});
    EXPECT_EQ(FuncKeyHook(bAlt ? 2 : 0, nullptr), 1);  // any mode but 1 releases the stored record
    EXPECT_EQ(std::pair(Held(modifier, {VK_F2, VK_F3, VK_F4}), g_funcKeyRecord.wKey[0]), std::pair(Flags(3, false), std::uint16_t{0x71}));  // not cleared
  }
}

// Key 0 is skipped but NO_KEY registered as is; the release skips the slot
// without a key just as the registration did (the host's own id under FF's
// survives). A second registration answers 1 without a release between, a
// null record 0 (the stored one stays), a record without a window 0 (it is
// stored all the same, and registers nothing).
TEST_F(HotKeys, ZeroIsSkippedNoKeyIsRegisteredAndOnlyAWindowlessOrNullRecordFails) {
  FUNCKEYINFO info = Record({0x71, 0, NO_KEY, 0, 0, 0}, m_hWnd), second = Record({0x76, 0x77, 0x78}, m_hWnd);
  ASSERT_EQ(FuncKeyHook(1, &info), 1);
  EXPECT_EQ(Held(0, {VK_F2, 0xFFFF}), (Flags{true, true}));
  ASSERT_TRUE(RegisterHotKey(m_hWnd, 2001, 0, VK_F11));
  EXPECT_EQ(FuncKeyHook(0, nullptr), 1);
  EXPECT_EQ(Held(0, {0xFFFF}), Flags{false});
  EXPECT_TRUE(UnregisterHotKey(m_hWnd, 2001));
  ASSERT_EQ(FuncKeyHook(1, &info), 1);
  EXPECT_EQ(FuncKeyHook(1, &second), 1);
  EXPECT_EQ((std::tuple{FuncKeyHook(1, nullptr), g_funcKeyRecord.wKey[0], FuncKeyHook(0, nullptr)}), std::tuple(0, 0x76, 1));
  for (int id : {2000, 2001, 2002}) EXPECT_FALSE(UnregisterHotKey(m_hWnd, id)) << id;
  second.hWnd = 0;
  // Stored but registering nothing; then nothing to release from.
  EXPECT_EQ((std::tuple{FuncKeyHook(1, &second), g_funcKeyRecord.hWnd, Held(0, {VK_F7}), FuncKeyHook(0, nullptr)}),
            std::tuple(0, 0u, Flags{false}, 0));
}
