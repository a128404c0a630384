// Function keys inside the library: the registry store, the assignment
// dialog on the library's own resources driven with real key messages, the
// capture field's colours and brush, and the global hot keys.
#include <gtest/gtest.h>

#include <array>
#include <map>

#include "core/funckeys.h"
#include "frame/globals.h"
#include "funckeys/funckeyedit.h"
#include "funckeys/funckeystore.h"
#include "res/ids_funckeys.h"
#include "support/registry.h"
#include "support/scripted_user.h"
#include "support/text.h"
#include "vtksup.h"

using test::Sjis;

namespace {

const char kTavorin[] = "Software\\Tavorin";
const std::string kSettings5 = "Software\\Tavorin\\Scribovox5\\Dictation Module\\Download\\AnotherSetting";
const std::string kSettings2002 = "Software\\Tavorin\\Scribovox2002\\Dictation Module\\Download\\AnotherSetting";
const std::string kInstall5 = "Software\\Tavorin\\Scribovox5\\Dictation Module\\Install";
const std::string kInstall2002 = "Software\\Tavorin\\Scribovox2002\\Dictation Module\\Install";
const std::string kLanguages5 = "SOFTWARE\\TAVORIN\\Scribovox5\\Dictation Module\\Install\\Languages";
const std::string kLanguages2002 = "SOFTWARE\\TAVORIN\\Scribovox2002\\Dictation Module\\Install\\Languages";
const test::U8 kCaption = u8"ﾌｧﾝｸｼｮﾝｷｰの設定";
constexpr LPARAM kEscapeDown = 0x00010001;

FUNCKEYINFO Record(std::uint16_t rew = 0x71, std::uint16_t ff = 0x72, std::uint16_t play = 0x73,
                   std::uint16_t vol = 0x75, std::uint16_t speed = 0x76, std::uint16_t off = 0x77) {
  return FUNCKEYINFO{0, 0, {rew, ff, play, vol, speed, off}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
}

std::optional<DWORD> Saved(const char* valueName, const std::string& path = kSettings2002) {
  return test::ReadDword(HKEY_CURRENT_USER, path, valueName);
}

// Every value the six slots have under the settings key (absent ones left out).
std::map<int, DWORD> SavedSlots() {
  std::map<int, DWORD> saved;
  for (int slot = 0; slot < kFuncSlots; ++slot)
    if (auto value = Saved(vtk::kFuncSlotTable[slot].valueName)) saved[slot] = *value;
  return saved;
}

std::vector<std::string> Texts(const test::Window& w) {
  std::vector<std::string> texts{w.Caption()};
  for (int id : {IDC_FK_LIST_LABEL, IDC_FK_CURRENT_LABEL, IDC_FK_CAPTURE_LABEL, IDOK, IDC_FK_ASSIGN, IDC_FK_DELETE})
    texts.push_back(w.ItemText(id));
  for (int i = 0; i < w.Send(IDC_FK_LIST, LB_GETCOUNT); ++i) texts.push_back(w.ListItemText(IDC_FK_LIST, i));
  return texts;
}

// How the capture field is painted now (text colour, background mode and
// brush colour), asked the way the read-only edit asks its parent.
std::array<COLORREF, 3> Paint(const test::Window& w) {
  HWND edit = w.Item(IDC_FK_CAPTURE);
  HDC dc = GetDC(edit);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageA(w.hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
  LOGBRUSH lb{0, CLR_INVALID, 0};
  if (brush) GetObjectA(brush, sizeof lb, &lb);
  const std::array<COLORREF, 3> paint{GetTextColor(dc), static_cast<COLORREF>(GetBkMode(dc)), lb.lbColor};
  ReleaseDC(edit, dc);
  return paint;
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
    user.Verify();
    return result;
  }
  FUNCKEYINFO m_info = Record();
};

// A window of the test's thread that takes the hot keys, as the host's would.
class HotKeyWindow : public testing::Test {
 protected:
  void SetUp() override {
    m_hWnd = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(m_hWnd, nullptr);
  }
  void TearDown() override {
    FuncKeyHook(0, nullptr);
    DestroyWindow(m_hWnd);
  }
  FUNCKEYINFO RecordFor(std::int32_t bAlt, std::uint16_t rew, std::uint16_t ff, std::uint16_t play) const {
    FUNCKEYINFO info = Record(rew, ff, play, 0x78, 0x7A, 0x7B);
    info.hWnd = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(m_hWnd));
    info.bAlt = bAlt;
    info.dwReserved = 0xA5A5A5A5;
    return info;
  }
  // Whether each (modifier, key) is registered now: a probe registration of
  // it fails while somebody holds it.
  std::vector<bool> Held(UINT modifier, std::initializer_list<UINT> keys) const {
    std::vector<bool> held;
    for (UINT vk : keys) {
      const bool free = RegisterHotKey(m_hWnd, kProbeId, modifier, vk);
      if (free) UnregisterHotKey(m_hWnd, kProbeId);
      held.push_back(!free && GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED);
    }
    return held;
  }
  static constexpr int kProbeId = 0xB000;
  HWND m_hWnd = nullptr;
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
  m_info = Record(0x71, 0x72, NO_KEY, 0x75, 0x70, 0x7B);
  for (int slot = 0; slot < kFuncSlots; ++slot) vtk::SaveFunctionKey(m_info, slot);
  EXPECT_EQ(SavedSlots(), (std::map<int, DWORD>{{0, 113}, {1, 114}, {2, 65535}, {3, 117}, {4, 112}, {5, 123}}));
  {
    test::ScopedKey only2002(HKEY_LOCAL_MACHINE, kInstall2002);
    EXPECT_EQ(detect(), (std::array{true, false, true}));
  }
  test::ScopedKey install5(HKEY_LOCAL_MACHINE, kInstall5);
  EXPECT_EQ(detect(), (std::array{true, true, false}));
  test::ScopedKey install2002(HKEY_LOCAL_MACHINE, kInstall2002);
  EXPECT_EQ(detect(), (std::array{true, true, true}));
  m_info.wKey[0] = 0x79;
  vtk::SaveFunctionKey(m_info, 0);
  EXPECT_EQ(Saved("FUNCTION_KEY_REW", kSettings5), 0x79u);
  EXPECT_EQ(Saved("FUNCTION_KEY_FF", kSettings5), std::nullopt);
  EXPECT_EQ(Saved("FUNCTION_KEY_REW"), 113u);
  // The Transcription module is only known to the probe.
  EXPECT_FALSE(vtk::IsModuleInstalled("Scribovox5", FALSE));
  test::ScopedKey transcription(HKEY_LOCAL_MACHINE, "Software\\Tavorin\\Scribovox5\\Transcription Module\\Install");
  EXPECT_TRUE(vtk::IsModuleInstalled("Scribovox5", FALSE));
}

TEST_F(FuncKeys, LanguageNumberFromTheDetectedEditionsKey) {
  vtk::DetectHostEdition();
  EXPECT_EQ(vtk::GetDialogLanguage(), 0u);  // no key
  test::ScopedKey key2002(HKEY_LOCAL_MACHINE, kLanguages2002);
  EXPECT_EQ(vtk::GetDialogLanguage(), 0u);  // key without the value
  for (auto [stored, language] : {std::pair<DWORD, DWORD>{0x11, 1}, {0x10, 0}, {0x20, 0}, {0x25, 5}, {3, 3}}) {
    key2002.SetDword("Language", stored);
    EXPECT_EQ(vtk::GetDialogLanguage(), language) << stored;
  }
  key2002.SetString("Language", "Japanese");  // too long for the number: the Japanese set
  EXPECT_EQ(vtk::GetDialogLanguage(), 0u);

  // With Scribovox5 installed its own key counts, not the other edition's.
  test::ScopedKey key5(HKEY_LOCAL_MACHINE, kLanguages5);
  key2002.SetDword("Language", 0x11);
  key5.SetDword("Language", 0x12);
  vtk::DetectHostEdition();
  EXPECT_EQ(vtk::GetDialogLanguage(), 2u);
}

TEST(FuncKeyEdit, MakesItsBrushWhenFirstNeededAndDeletesItWithTheControl) {
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  HWND hEdit = CreateWindowExA(0, "EDIT", "F6", WS_CHILD | ES_READONLY, 0, 0, 50, 20, parent, nullptr, nullptr, nullptr);
  CFuncKeyEdit edit;
  ASSERT_TRUE(edit.SubclassWindow(hEdit));
  EXPECT_EQ(edit.BackgroundBrush(), nullptr);
  HDC dc = GetDC(hEdit);
  LRESULT answer = 0;
  ASSERT_TRUE(edit.OnChildNotify(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hEdit), &answer));
  ReleaseDC(hEdit, dc);
  auto brush = reinterpret_cast<HBRUSH>(answer);
  ASSERT_EQ(brush, edit.BackgroundBrush());
  EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
  DestroyWindow(parent);
  EXPECT_EQ(edit.BackgroundBrush(), nullptr);
  EXPECT_EQ(GetObjectType(brush), 0u);  // deleted
}

TEST_F(FuncKeys, OpeningShowsTheLanguagesTextsAndSelectsRew) {
  const std::vector<std::string> items = {Sjis(u8"早戻し"), Sjis(u8"早送り"), Sjis(u8"停止 / 再生"),
                                          Sjis(u8"音量を上げる"), Sjis(u8"再生速度を上げる"), Sjis(u8"ﾌｧﾝｸｼｮﾝ ｷｰの無効")};
  std::vector<std::string> japanese = {Sjis(kCaption.s), Sjis(u8"ﾌｧﾝｸｼｮﾝｷｰの項目(&I)："), Sjis(u8"現在のｷｰ(&U)："),
                                       Sjis(u8"割り当てるﾌｧﾝｸｼｮﾝｷｰ\nを押して下さい(&C)："), "OK",
                                       Sjis(u8"割り当て(&A)"), Sjis(u8"削除(&D)")};
  // The library lacks the alternative set: any other language leaves these empty.
  std::vector<std::string> alternative = {"", "", "", "", "OK", "", ""};
  japanese.insert(japanese.end(), items.begin(), items.end());
  alternative.insert(alternative.end(), items.begin(), items.end());
  m_info.wKey[0] = 0x70;  // F1 handed in for REW
  for (DWORD language : {0x10u, 0x11u}) {
    SCOPED_TRACE(language);
    test::ScopedKey languages(HKEY_LOCAL_MACHINE, kLanguages2002);
    languages.SetDword("Language", language);
    std::vector<std::string> texts;
    std::string current = "?";
    int selection = -2;
    test::ScriptedUser user;
    user.On(language == 0x10 ? kCaption : test::U8(""), [&](test::Window& w) {
      texts = Texts(w);
      current = w.ItemText(IDC_FK_CURRENT);
      selection = w.Send(IDC_FK_LIST, LB_GETCURSEL);
      w.Click(IDOK);
    });
    EXPECT_EQ(Run(user), 1);
    EXPECT_EQ(texts, language == 0x10 ? japanese : alternative);
    EXPECT_EQ(selection, 0);
    EXPECT_EQ(current, "");  // F1 has no name
    EXPECT_EQ(m_info.wKey[0], 0x70);  // stays until the slot gets another key
  }
}

// F1 and F5 released, F9 pressed and a caption drag are not captured; a
// released key is (F10 also as a system key, or by a caption drag while F10
// is toggled on), red when another slot holds it, and assigning moves it.
TEST_F(FuncKeys, AReleasedKeyIsCapturedColouredAndAssigned) {
  enum How { kKeyUp, kSysKeyUp, kCaptionDrag };
  struct Case {
    const char* what;
    int slot;
    UINT vk;
    How how;
    const char* name;
    COLORREF colour;
    std::array<std::uint16_t, kFuncSlots> after;
    std::map<int, DWORD> saved;
  };
  const Case cases[] = {
      {"F6 from VOLUME to FF", 1, VK_F6, kKeyUp, "F6", RGB(255, 0, 0), {0x71, 0x75, 0x73, NO_KEY, 0x76, 0x77},
       {{1, 117}, {3, 65535}}},
      {"REW's own key, written twice", 0, VK_F2, kKeyUp, "F2", RGB(0, 0, 0), {0x71, 0x72, 0x73, 0x75, 0x76, 0x77},
       {{0, 113}}},
      {"F10 as a system key", 0, VK_F10, kSysKeyUp, "F10", RGB(0, 0, 0), {0x79, 0x72, 0x73, 0x75, 0x76, 0x77},
       {{0, 121}}},
      {"caption drag, F10 toggled", 0, VK_F10, kCaptionDrag, "F10", RGB(0, 0, 0),
       {0x79, 0x72, 0x73, 0x75, 0x76, 0x77}, {{0, 121}}},
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
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Clear();
    m_info = Record();
    std::string ignored = "?", current, captureAfter = "?";
    std::array<COLORREF, 3> paint{};
    test::ScriptedUser user;
    user.On(kCaption, [&](test::Window& w) {
          w.Pick(IDC_FK_LIST, c.slot, LBN_SELCHANGE);
          dragWithF10(w, false);
          w.PostKeyUp(VK_F1);
          w.PostKeyUp(VK_F5);
          PostMessageA(GetFocus(), WM_KEYDOWN, VK_F9, 0x00430001);
        })
        // Timer ticks come only once the posted messages are handled.
        .On(kCaption, [&](test::Window& w) {
          ignored = w.ItemText(IDC_FK_CAPTURE);
          if (c.how == kCaptionDrag)
            dragWithF10(w, true);
          else
            w.PostKeyUp(c.vk, c.how == kSysKeyUp);
        })
        .On(kCaption, [&](test::Window& w) {
          paint = Paint(w);
          w.Click(IDC_FK_ASSIGN);
          current = w.ItemText(IDC_FK_CURRENT);
          captureAfter = w.ItemText(IDC_FK_CAPTURE);
          w.Click(IDOK);
        }, CaptureShows(c.name));
    EXPECT_EQ(Run(user), 1);
    EXPECT_EQ(ignored, "");
    EXPECT_EQ(paint, (std::array<COLORREF, 3>{c.colour, TRANSPARENT, RGB(255, 255, 255)}));
    EXPECT_EQ(current, c.name);
    EXPECT_EQ(captureAfter, "");
    EXPECT_EQ(std::to_array(m_info.wKey), c.after);
    EXPECT_EQ(SavedSlots(), c.saved);  // only the slots involved are written
  }
  SetKeyboardState(keyboard);
}

TEST_F(FuncKeys, SelectionShowsThatSlotsKeyDeleteWritesNoKeyAndEscapeKeepsEveryChange) {
  m_info = Record(0x71, 0x72, 0x73, 0x75, NO_KEY, 0x7B);
  std::vector<std::string> shown;
  std::string capture = "?", afterDelete = "?";
  test::ScriptedUser user;
  user.On(kCaption, [&](test::Window& w) { w.PostKeyUp(VK_F9); })
      .On(kCaption, [&](test::Window& w) {
        for (int slot : {4, 5, 3}) {
          w.Pick(IDC_FK_LIST, slot, LBN_SELCHANGE);
          shown.push_back(w.ItemText(IDC_FK_CURRENT));
        }
        capture = w.ItemText(IDC_FK_CAPTURE);
        w.Click(IDC_FK_ASSIGN);  // nothing captured: nothing written
        w.Pick(IDC_FK_LIST, 2, LBN_SELCHANGE);
        w.Click(IDC_FK_DELETE);
        afterDelete = w.ItemText(IDC_FK_CURRENT);
        w.Pick(IDC_FK_LIST, 5, LBN_SELCHANGE);
        w.PostKeyUp(VK_F10, true);
      }, CaptureShows("F9"))
      .On(kCaption, [&](test::Window& w) {
        w.Click(IDC_FK_ASSIGN);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, kEscapeDown);
      }, CaptureShows("F10"));
  EXPECT_EQ(Run(user), 0);
  EXPECT_EQ(shown, (std::vector<std::string>{"", "F12", "F6"}));
  EXPECT_EQ(capture, "");
  EXPECT_EQ(afterDelete, "");
  EXPECT_EQ(std::to_array(m_info.wKey),
            (std::array<std::uint16_t, kFuncSlots>{0x71, 0x72, NO_KEY, 0x75, NO_KEY, 0x79}));
  EXPECT_EQ(SavedSlots(), (std::map<int, DWORD>{{2, 65535}, {5, 121}}));
}

TEST_F(HotKeyWindow, RegistersThePlaybackSlotsOnlyWithAltForAnyNonzeroFlagAndReleasesThem) {
  for (std::int32_t bAlt : {0, 7}) {
    SCOPED_TRACE(bAlt);
    const UINT modifier = bAlt ? MOD_ALT : 0;
    FUNCKEYINFO info = RecordFor(bAlt, 0x71, 0x72, 0x73);
    ASSERT_EQ(FuncKeyHook(1, &info), 1);
    EXPECT_EQ(memcmp(&g_funcKeyRecord, &info, sizeof info), 0);  // the whole record, reserved word too
    // VOLUME, SPEED and DISABLE (F9, F11, F12) never become hot keys.
    EXPECT_EQ(Held(modifier, {VK_F2, VK_F3, VK_F4, VK_F9, VK_F11, VK_F12}),
              (std::vector<bool>{true, true, true, false, false, false}));
    EXPECT_EQ(Held(modifier ^ MOD_ALT, {VK_F2}), std::vector<bool>{false});
    EXPECT_EQ(FuncKeyHook(0, nullptr), 1);  // the stored record is released
    EXPECT_EQ(Held(modifier, {VK_F2, VK_F3, VK_F4}), std::vector<bool>(3, false));
    EXPECT_EQ(g_funcKeyRecord.wKey[0], 0x71);  // not cleared
  }
  FUNCKEYINFO info = RecordFor(0, 0x71, 0x72, 0x73);
  ASSERT_EQ(FuncKeyHook(1, &info), 1);
  EXPECT_EQ(FuncKeyHook(2, &info), 1);  // any mode but 1 releases
  EXPECT_EQ(Held(0, {VK_F2}), std::vector<bool>{false});
}

TEST_F(HotKeyWindow, ZeroIsSkippedButNoKeyIsRegisteredAsIs) {
  FUNCKEYINFO info = RecordFor(0, 0x71, 0, NO_KEY);
  ASSERT_EQ(FuncKeyHook(1, &info), 1);
  EXPECT_EQ(Held(0, {VK_F2, 0xFFFF}), (std::vector<bool>{true, true}));
  // An id of the host's own under FF's id survives the release, which skips
  // the slot without a key just as the registration did.
  ASSERT_TRUE(RegisterHotKey(m_hWnd, 2001, 0, VK_F11));
  EXPECT_EQ(FuncKeyHook(0, nullptr), 1);
  EXPECT_EQ(Held(0, {0xFFFF}), std::vector<bool>{false});
  EXPECT_TRUE(UnregisterHotKey(m_hWnd, 2001));
}

TEST_F(HotKeyWindow, ASecondRegistrationAnswersOneANullRecordOrNoWindowZero) {
  FUNCKEYINFO first = RecordFor(0, 0x71, 0x72, 0x73), second = RecordFor(0, 0x76, 0x77, 0x78);
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
  EXPECT_EQ(Held(0, {VK_F7}), std::vector<bool>{false});
  EXPECT_EQ(FuncKeyHook(0, nullptr), 0);  // nothing to release from
}

TEST_F(HotKeyWindow, APressedHotKeyReachesTheWindow) {
  FUNCKEYINFO info = RecordFor(0, 0x71, 0x72, 0x73);
  ASSERT_EQ(FuncKeyHook(1, &info), 1);
  INPUT keys[2] = {};
  for (INPUT& in : keys) {
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = VK_F3;
  }
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
  MSG msg{};
  WPARAM id = 0;
  for (const ULONGLONG deadline = GetTickCount64() + 5000; id == 0 && GetTickCount64() < deadline;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_HOTKEY && msg.hwnd == m_hWnd) id = msg.wParam;
      DispatchMessageA(&msg);
    }
  }
  EXPECT_EQ(id, 2001u);
}
