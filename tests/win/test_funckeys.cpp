// Function keys inside the library: the registry store, the assignment
// dialog on the library's own resources driven with real key messages, and
// the global hot keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>

#include "core/funckeys.h"
#include "funckeys/hotkeys.h"
#include "framework/modulestate.h"
#include "funckeys/funckeystore.h"
#include "res/ids_funckeys.h"
#include "support/registry.h"
#include "support/scripted_user.h"
#include "support/text.h"
#include "vtksup.h"

namespace {

using Keys = std::array<std::uint16_t, kFuncSlots>;
using vtk::HostEdition;
const char kTavorin[] = "Software\\Tavorin";
const std::string kInstall5 = vtk::InstallKeyPath("Scribovox5", true);
const std::string kInstall2002 = vtk::InstallKeyPath("Scribovox2002", true);
const std::string kLanguages5 = vtk::LanguageKeyPath(HostEdition::kScribovox5);
const std::string kLanguages2002 = vtk::LanguageKeyPath(HostEdition::kScribovox2002);
const std::string kSettings5 = vtk::SettingsKeyPath(HostEdition::kScribovox5);
const std::string kSettings2002 = vtk::SettingsKeyPath(HostEdition::kScribovox2002);
constexpr LPARAM kEscapeDown = 0x00010001;

std::string Res(UINT id) {
  AFX_MAINTAIN_STATE2 state(AfxGetStaticModuleState());
  return LoadResString(id);
}
const test::U8 kCaption = test::Utf8(Res(IDS_FK_CAPTION));

FUNCKEYINFO Record(Keys keys = {0x71, 0x72, 0x73, 0x75, 0x76, 0x77}) {
  FUNCKEYINFO info{0, 0, {}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
  std::copy(keys.begin(), keys.end(), info.wKey);
  return info;
}
Keys KeysOf(const FUNCKEYINFO& info) { return std::to_array(info.wKey); }

// Every value the six slots have under a settings key (absent ones left out).
std::map<int, DWORD> SavedSlots(const std::string& path = kSettings2002) {
  std::map<int, DWORD> saved;
  for (int slot = 0; slot < kFuncSlots; ++slot)
    if (auto v = test::ReadDword(HKEY_CURRENT_USER, path, vtk::kFuncSlotTable[slot].valueName)) saved[slot] = *v;
  return saved;
}

auto CaptureShows(std::string text) {
  return [text](test::Window& w) { return w.ItemText(IDC_FK_CAPTURE) == text; };
}

// Every test starts and ends without the host's keys.
class FuncKeys : public testing::Test {
 protected:
  void SetUp() override { Clear(); }
  void TearDown() override { Clear(); }
  static void Clear() {
    test::DeleteTree(HKEY_LOCAL_MACHINE, kTavorin);
    test::DeleteTree(HKEY_CURRENT_USER, kTavorin);
  }
  // FuncKeyAssignJ on m_info; the user's whole script must have run.
  int Run(const test::ScriptedUser& user) {
    const int result = FuncKeyAssignJ(&m_info);
    EXPECT_TRUE(user.Clean()) << user.Report();
    return result;
  }
  FUNCKEYINFO m_info = Record();
};

}  // namespace

// Both probes always run; only the Scribovox5 flag chooses where a slot's
// value is written, one REG_DWORD per call.
TEST_F(FuncKeys, EditionDetectionRunsBothProbesAndChoosesTheSettingsPath) {
  auto detect = [] {
    const bool any = vtk::DetectHostEdition();
    return std::array{any, vtk::g_bScribovox5Installed, vtk::g_bScribovox2002Installed};
  };
  EXPECT_EQ(detect(), (std::array{false, false, false}));
  m_info = Record({0x71, 0x72, NO_KEY, 0x75, 0x70, 0x7B});
  for (int slot = 0; slot < kFuncSlots; ++slot) vtk::SaveFunctionKey(m_info, slot);
  EXPECT_EQ(SavedSlots(), (std::map<int, DWORD>{{0, 113}, {1, 114}, {2, 65535}, {3, 117}, {4, 112}, {5, 123}}));
  auto only2002 = std::make_unique<test::ScopedKey>(HKEY_LOCAL_MACHINE, kInstall2002);
  EXPECT_EQ(detect(), (std::array{true, false, true}));
  only2002.reset();
  test::ScopedKey install5(HKEY_LOCAL_MACHINE, kInstall5), install2002(HKEY_LOCAL_MACHINE, kInstall2002);
  EXPECT_EQ(detect(), (std::array{true, true, true}));
  m_info.wKey[0] = 0x79;
  vtk::SaveFunctionKey(m_info, 0);
  EXPECT_EQ(SavedSlots(kSettings5), (std::map<int, DWORD>{{0, 0x79}}));
  EXPECT_FALSE(vtk::IsModuleInstalled("Scribovox5", FALSE));
  test::ScopedKey transcription(HKEY_LOCAL_MACHINE, vtk::InstallKeyPath("Scribovox5", false));
  EXPECT_TRUE(vtk::IsModuleInstalled("Scribovox5", FALSE));
}

TEST_F(FuncKeys, LanguageNumberFromTheDetectedEditionsKey) {
  vtk::DetectHostEdition();
  EXPECT_EQ(vtk::GetDialogLanguage(), 0u);  // no key
  test::ScopedKey key2002(HKEY_LOCAL_MACHINE, kLanguages2002);
  EXPECT_EQ(vtk::GetDialogLanguage(), 0u);  // no value
  key2002.SetDword("Language", 0x13);
  EXPECT_EQ(vtk::GetDialogLanguage(), 3u);
  key2002.SetString("Language", "Japanese");  // not a number: the Japanese set
  EXPECT_EQ(vtk::GetDialogLanguage(), 0u);
  // With Scribovox5 installed its own key counts, not the other edition's.
  test::ScopedKey install5(HKEY_LOCAL_MACHINE, kInstall5), key5(HKEY_LOCAL_MACHINE, kLanguages5);
  key2002.SetDword("Language", 0x11);
  key5.SetDword("Language", 0x12);
  vtk::DetectHostEdition();
  EXPECT_EQ(vtk::GetDialogLanguage(), 2u);
}

// F1 and F5 released, F9 pressed and a caption drag are not captured; a
// released key is (F10 also as a system key, or by a caption drag while F10
// is toggled on), red when another slot holds it, and assigning moves it.
// The capture field's brush goes with the dialog.
TEST_F(FuncKeys, AReleasedKeyIsCapturedColouredAndAssigned) {
  enum How { kKeyUp, kSysKeyUp, kCaptionDrag };
  const struct {
    const char* what;
    int slot;
    UINT vk;
    How how;
    const char* name;
    COLORREF colour;
    Keys after;
    std::map<int, DWORD> saved;
  } cases[] = {
      {"F6 from VOLUME to FF", 1, VK_F6, kKeyUp, "F6", RGB(255, 0, 0), {0x71, 0x75, 0x73, NO_KEY, 0x76, 0x77},
       {{1, 117}, {3, 65535}}},
      {"REW's own key, written twice", 0, VK_F2, kKeyUp, "F2", RGB(0, 0, 0), {0x71, 0x72, 0x73, 0x75, 0x76, 0x77},
       {{0, 113}}},
      {"F10 as a system key", 0, VK_F10, kSysKeyUp, "F10", 0, {0x79, 0x72, 0x73, 0x75, 0x76, 0x77}, {{0, 121}}},
      {"caption drag, F10 toggled", 0, VK_F10, kCaptionDrag, "F10", 0, {0x79, 0x72, 0x73, 0x75, 0x76, 0x77},
       {{0, 121}}},
  };
  BYTE keyboard[256] = {};
  GetKeyboardState(keyboard);
  auto dragWithF10 = [](test::Window& w, bool toggled) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_F10] = toggled ? 1 : 0;
    SetKeyboardState(keys);
    PostMessageA(w.hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    PostMessageA(w.hwnd, WM_KEYDOWN, VK_ESCAPE, kEscapeDown);  // ends the system's move loop, should one start
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Clear();
    m_info = Record();
    HBRUSH brush = nullptr;
    test::ScriptedUser user;
    user.On(kCaption, [&](test::Window& w) {
          w.SelectListItem(IDC_FK_LIST, c.slot);
          dragWithF10(w, false);
          w.PostKeyUp(VK_F1);
          w.PostKeyUp(VK_F5);
          PostMessageA(GetFocus(), WM_KEYDOWN, VK_F9, 0x00430001);
        })
        // Timer ticks come only once the posted messages are handled.
        .On(kCaption, [&](test::Window& w) {
          EXPECT_EQ(w.ItemText(IDC_FK_CAPTURE), "");
          if (c.how == kCaptionDrag) dragWithF10(w, true);
          else w.PostKeyUp(c.vk, c.how == kSysKeyUp);
        })
        .When(kCaption, CaptureShows(c.name), [&](test::Window& w) {
          // Painted as the read-only edit asks its parent.
          HWND edit = w.Item(IDC_FK_CAPTURE);
          HDC dc = GetDC(edit);
          brush = reinterpret_cast<HBRUSH>(
              SendMessageA(w.hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
          LOGBRUSH lb{0, CLR_INVALID, 0};
          GetObjectA(brush, sizeof lb, &lb);
          EXPECT_EQ((std::array{GetTextColor(dc), COLORREF(GetBkMode(dc)), lb.lbColor}),
                    (std::array{c.colour, COLORREF(TRANSPARENT), RGB(255, 255, 255)}));
          ReleaseDC(edit, dc);
          w.Click(IDC_FK_ASSIGN);
          EXPECT_EQ(w.ItemText(IDC_FK_CURRENT), c.name);
          EXPECT_EQ(w.ItemText(IDC_FK_CAPTURE), "");
          w.Click(IDOK);
        });
    EXPECT_EQ(Run(user), 1);
    EXPECT_EQ(KeysOf(m_info), c.after);
    EXPECT_EQ(SavedSlots(), c.saved);  // only the slots involved are written
    EXPECT_EQ(GetObjectType(brush), 0u) << "the brush outlives the dialog";
  }
  SetKeyboardState(keyboard);
}

TEST_F(FuncKeys, SelectionShowsThatSlotsKeyDeleteWritesNoKeyAndEscapeKeepsEveryChange) {
  m_info = Record({0x71, 0x72, 0x73, 0x75, NO_KEY, 0x7B});
  test::ScriptedUser user;
  user.On(kCaption, [&](test::Window& w) { w.PostKeyUp(VK_F9); })
      .When(kCaption, CaptureShows("F9"), [&](test::Window& w) {
        for (auto [slot, shown] : {std::pair{4, ""}, {5, "F12"}, {3, "F6"}}) {
          w.SelectListItem(IDC_FK_LIST, slot);
          EXPECT_EQ(w.ItemText(IDC_FK_CURRENT), shown) << slot;
        }
        EXPECT_EQ(w.ItemText(IDC_FK_CAPTURE), "");
        w.Click(IDC_FK_ASSIGN);  // nothing captured: nothing written
        w.SelectListItem(IDC_FK_LIST, 2);
        w.Click(IDC_FK_DELETE);
        EXPECT_EQ(w.ItemText(IDC_FK_CURRENT), "");
        w.SelectListItem(IDC_FK_LIST, 5);
        w.PostKeyUp(VK_F10, true);
      })
      .When(kCaption, CaptureShows("F10"), [&](test::Window& w) {
        w.Click(IDC_FK_ASSIGN);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, kEscapeDown);
      });
  EXPECT_EQ(Run(user), 0);
  EXPECT_EQ(KeysOf(m_info), (Keys{0x71, 0x72, NO_KEY, 0x75, NO_KEY, 0x79}));
  EXPECT_EQ(SavedSlots(), (std::map<int, DWORD>{{2, 65535}, {5, 121}}));
}

namespace {
// A window of the test's thread that takes the hot keys, as the host's would.
class HotKeys : public testing::Test {
 protected:
  void TearDown() override {
    FuncKeyHook(0, nullptr);
    DestroyWindow(m_hWnd);
  }
  FUNCKEYINFO RecordFor(std::int32_t bAlt, Keys keys) const {
    FUNCKEYINFO info = Record(keys);
    info.hWnd = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(m_hWnd));
    info.bAlt = bAlt;
    info.dwReserved = 0xA5A5A5A5;
    return info;
  }
  // Whether each key is registered now with `modifier`: a probe
  // registration of it fails while somebody holds it.
  std::vector<bool> Held(UINT modifier, std::initializer_list<UINT> keys) const {
    std::vector<bool> held;
    for (UINT vk : keys) {
      const bool free = RegisterHotKey(m_hWnd, 0xB000, modifier, vk);
      if (free) UnregisterHotKey(m_hWnd, 0xB000);
      held.push_back(!free && GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED);
    }
    return held;
  }
  HWND m_hWnd = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
};
using Flags = std::vector<bool>;
}  // namespace

TEST_F(HotKeys, RegistersThePlaybackSlotsOnlyWithAltForAnyNonzeroFlagAndReleasesThem) {
  for (std::int32_t bAlt : {0, 7}) {
    SCOPED_TRACE(bAlt);
    const UINT modifier = bAlt ? MOD_ALT : 0;
    FUNCKEYINFO info = RecordFor(bAlt, {0x71, 0x72, 0x73, 0x78, 0x7A, 0x7B});
    ASSERT_EQ(FuncKeyHook(1, &info), 1);
    EXPECT_EQ(memcmp(&g_funcKeyRecord, &info, sizeof info), 0);  // the whole record, reserved word too
    // VOLUME, SPEED and DISABLE (F9, F11, F12) never become hot keys.
    EXPECT_EQ(Held(modifier, {VK_F2, VK_F3, VK_F4, VK_F9, VK_F11, VK_F12}),
              (Flags{true, true, true, false, false, false}));
    EXPECT_EQ(Held(modifier ^ MOD_ALT, {VK_F2}), Flags{false});
    EXPECT_EQ(FuncKeyHook(bAlt ? 2 : 0, nullptr), 1);  // any mode but 1 releases the stored record
    EXPECT_EQ(Held(modifier, {VK_F2, VK_F3, VK_F4}), Flags(3, false));
    EXPECT_EQ(g_funcKeyRecord.wKey[0], 0x71);  // not cleared
  }
}

TEST_F(HotKeys, ZeroIsSkippedButNoKeyIsRegisteredAsIs) {
  FUNCKEYINFO info = RecordFor(0, {0x71, 0, NO_KEY, 0, 0, 0});
  ASSERT_EQ(FuncKeyHook(1, &info), 1);
  EXPECT_EQ(Held(0, {VK_F2, 0xFFFF}), (Flags{true, true}));
  // An id of the host's own under FF's id survives the release, which skips
  // the slot without a key just as the registration did.
  ASSERT_TRUE(RegisterHotKey(m_hWnd, 2001, 0, VK_F11));
  EXPECT_EQ(FuncKeyHook(0, nullptr), 1);
  EXPECT_EQ(Held(0, {0xFFFF}), Flags{false});
  EXPECT_TRUE(UnregisterHotKey(m_hWnd, 2001));
}

TEST_F(HotKeys, ASecondRegistrationAnswersOneANullRecordOrNoWindowZero) {
  FUNCKEYINFO first = RecordFor(0, {0x71, 0x72, 0x73}), second = RecordFor(0, {0x76, 0x77, 0x78});
  ASSERT_EQ(FuncKeyHook(1, &first), 1);
  EXPECT_EQ(FuncKeyHook(1, &second), 1);  // without a release between
  EXPECT_EQ(FuncKeyHook(1, nullptr), 0);
  EXPECT_EQ(g_funcKeyRecord.wKey[0], 0x76);  // the second record, untouched by the null one
  // Whatever the platform kept, releasing the stored record frees its ids.
  EXPECT_EQ(FuncKeyHook(0, nullptr), 1);
  for (int id : {2000, 2001, 2002}) EXPECT_FALSE(UnregisterHotKey(m_hWnd, id)) << id;
  second.hWnd = 0;
  EXPECT_EQ(FuncKeyHook(1, &second), 0);
  EXPECT_EQ(g_funcKeyRecord.hWnd, 0u);  // the copy stays
  EXPECT_EQ(Held(0, {VK_F7}), Flags{false});
  EXPECT_EQ(FuncKeyHook(0, nullptr), 0);  // nothing to release from
}
