// Function keys inside the library: the registry store, the assignment
// dialog on the library's own resources driven with real key messages, the
// capture field's colours and brush, and the global hot keys.
#include <gtest/gtest.h>

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
const test::U8 kCaption = u8"ﾌｧﾝｸｼｮﾝｷｰの設定";

FUNCKEYINFO Record(std::uint16_t rew, std::uint16_t ff, std::uint16_t play, std::uint16_t vol, std::uint16_t speed,
                   std::uint16_t off) {
  return FUNCKEYINFO{0, 0, {rew, ff, play, vol, speed, off}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
}

std::optional<DWORD> Saved(const char* valueName, const std::string& path = kSettings2002) {
  return test::ReadDword(HKEY_CURRENT_USER, path, valueName);
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
};

// How the capture field is painted now, asked the way the edit asks its
// parent (a read-only edit sends WM_CTLCOLORSTATIC).
struct FieldPaint {
  COLORREF text = CLR_INVALID;
  int bkMode = 0;
  COLORREF background = CLR_INVALID;
};
FieldPaint CaptureFieldPaint(const test::Window& w) {
  HWND edit = w.Item(IDC_FK_CAPTURE);
  HDC dc = GetDC(edit);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageA(w.hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
  FieldPaint paint{GetTextColor(dc), GetBkMode(dc), CLR_INVALID};
  LOGBRUSH lb{};
  if (brush && GetObjectA(brush, sizeof lb, &lb) == sizeof lb) paint.background = lb.lbColor;
  ReleaseDC(edit, dc);
  return paint;
}

bool CaptureShows(const test::Window& w, const char* text) { return w.ItemText(IDC_FK_CAPTURE) == text; }

}  // namespace

// --- The store -------------------------------------------------------------

TEST_F(FuncKeys, EditionDetectionRunsBothProbes) {
  EXPECT_FALSE(vtk::DetectHostEdition());
  EXPECT_FALSE(vtk::g_bScribovox5Installed);
  EXPECT_FALSE(vtk::g_bScribovox2002Installed);
  {
    test::ScopedKey only2002(HKEY_LOCAL_MACHINE, kInstall2002);
    EXPECT_TRUE(vtk::DetectHostEdition());
    EXPECT_FALSE(vtk::g_bScribovox5Installed);
    EXPECT_TRUE(vtk::g_bScribovox2002Installed);
  }
  test::ScopedKey both5(HKEY_LOCAL_MACHINE, kInstall5);
  test::ScopedKey both2002(HKEY_LOCAL_MACHINE, kInstall2002);
  EXPECT_TRUE(vtk::DetectHostEdition());
  EXPECT_TRUE(vtk::g_bScribovox5Installed);
  EXPECT_TRUE(vtk::g_bScribovox2002Installed);  // the first find does not stop the second probe
  // The Transcription module is only known to the probe.
  EXPECT_TRUE(vtk::IsModuleInstalled("Scribovox5", TRUE));
  EXPECT_FALSE(vtk::IsModuleInstalled("Scribovox5", FALSE));
  test::ScopedKey transcription(HKEY_LOCAL_MACHINE, "Software\\Tavorin\\Scribovox5\\Transcription Module\\Install");
  EXPECT_TRUE(vtk::IsModuleInstalled("Scribovox5", FALSE));
}

TEST_F(FuncKeys, LanguageNumberFromTheDetectedEditionsKey) {
  const std::string languages2002 = "SOFTWARE\\TAVORIN\\Scribovox2002\\Dictation Module\\Install\\Languages";
  const std::string languages5 = "SOFTWARE\\TAVORIN\\Scribovox5\\Dictation Module\\Install\\Languages";
  vtk::DetectHostEdition();
  EXPECT_EQ(vtk::GetDialogLanguage(), 0u);  // no key

  test::ScopedKey key2002(HKEY_LOCAL_MACHINE, languages2002);
  EXPECT_EQ(vtk::GetDialogLanguage(), 0u);  // key without the value
  const std::pair<DWORD, DWORD> cases[] = {{0x11, 1}, {0x10, 0}, {0x20, 0}, {0x25, 5}, {3, 3}};
  for (auto [stored, language] : cases) {
    key2002.SetDword("Language", stored);
    EXPECT_EQ(vtk::GetDialogLanguage(), language) << stored;
  }
  // More than four bytes cannot be read into the number: the Japanese set.
  key2002.SetString("Language", "Japanese");
  EXPECT_EQ(vtk::GetDialogLanguage(), 0u);

  // With Scribovox5 installed its own key counts, not the other edition's.
  test::ScopedKey key5(HKEY_LOCAL_MACHINE, languages5);
  key2002.SetDword("Language", 0x11);
  key5.SetDword("Language", 0x12);
  vtk::DetectHostEdition();
  EXPECT_EQ(vtk::GetDialogLanguage(), 2u);
}

TEST_F(FuncKeys, SaveWritesADwordUnderTheChosenEditionsPath) {
  FUNCKEYINFO info = Record(0x71, 0x72, NO_KEY, 0x75, 0x70, 0x7B);
  vtk::DetectHostEdition();  // neither edition: the Scribovox2002 path
  for (int slot = 0; slot < kFuncSlots; ++slot) vtk::SaveFunctionKey(info, slot);
  const DWORD expected[] = {113, 114, 65535, 117, 112, 123};
  for (int slot = 0; slot < kFuncSlots; ++slot)
    EXPECT_EQ(Saved(vtk::kFuncSlotTable[slot].valueName), expected[slot]) << slot;

  test::ScopedKey install5(HKEY_LOCAL_MACHINE, kInstall5);
  test::ScopedKey install2002(HKEY_LOCAL_MACHINE, kInstall2002);
  vtk::DetectHostEdition();  // both: the Scribovox5 path
  info.wKey[0] = 0x79;
  vtk::SaveFunctionKey(info, 0);
  EXPECT_EQ(Saved("FUNCTION_KEY_REW", kSettings5), 0x79u);
  EXPECT_EQ(Saved("FUNCTION_KEY_FF", kSettings5), std::nullopt);  // one value per call
  EXPECT_EQ(Saved("FUNCTION_KEY_REW"), 113u);
}

// --- The capture field -----------------------------------------------------

TEST(FuncKeyEdit, PaintsWhiteWithItsColourAndReleasesItsBrushWithTheControl) {
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  HWND hEdit = CreateWindowExA(0, "EDIT", "F6", WS_CHILD | ES_READONLY, 0, 0, 50, 20, parent, nullptr, nullptr, nullptr);
  CFuncKeyEdit edit;
  ASSERT_TRUE(edit.SubclassWindow(hEdit));
  EXPECT_EQ(edit.BackgroundBrush(), nullptr);  // made when first needed
  edit.m_crText = RGB(255, 0, 0);
  HDC dc = GetDC(hEdit);
  LRESULT answer = 0;
  ASSERT_TRUE(edit.OnChildNotify(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hEdit), &answer));
  EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  ReleaseDC(hEdit, dc);
  auto brush = reinterpret_cast<HBRUSH>(answer);
  ASSERT_EQ(brush, edit.BackgroundBrush());
  LOGBRUSH lb{};
  ASSERT_EQ(GetObjectA(brush, sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));

  DestroyWindow(parent);
  EXPECT_EQ(edit.BackgroundBrush(), nullptr);
  EXPECT_EQ(GetObjectType(brush), 0u);  // deleted
}

// --- The dialog on the library's resources ---------------------------------

TEST_F(FuncKeys, OpeningShowsTheJapaneseTextsAndSelectsRew) {
  FUNCKEYINFO info = Record(0x70, 0x72, 0x73, 0x75, 0x76, 0x77);  // F1 handed in for REW
  std::string caption, listLabel, currentLabel, captureLabel, ok, assign, del, current;
  std::vector<std::string> items;
  int selection = -2;
  LONG_PTR captureStyle = 0;
  test::ScriptedUser user;
  user.On(kCaption, [&](test::Window& w) {
    caption = w.Caption();
    listLabel = w.ItemText(IDC_FK_LIST_LABEL);
    currentLabel = w.ItemText(IDC_FK_CURRENT_LABEL);
    captureLabel = w.ItemText(IDC_FK_CAPTURE_LABEL);
    ok = w.ItemText(IDOK);
    assign = w.ItemText(IDC_FK_ASSIGN);
    del = w.ItemText(IDC_FK_DELETE);
    current = w.ItemText(IDC_FK_CURRENT);
    for (int i = 0; i < w.ListCount(IDC_FK_LIST); ++i) items.push_back(w.ListItemText(IDC_FK_LIST, i));
    selection = w.ListSelection(IDC_FK_LIST);
    captureStyle = GetWindowLongPtrA(w.Item(IDC_FK_CAPTURE), GWL_STYLE);
    w.Click(IDOK);
  });
  EXPECT_EQ(FuncKeyAssignJ(&info), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(caption, Sjis(kCaption.s));
  EXPECT_EQ(listLabel, Sjis(u8"ﾌｧﾝｸｼｮﾝｷｰの項目(&I)："));
  EXPECT_EQ(currentLabel, Sjis(u8"現在のｷｰ(&U)："));
  EXPECT_EQ(captureLabel, Sjis(u8"割り当てるﾌｧﾝｸｼｮﾝｷｰ\nを押して下さい(&C)："));
  EXPECT_EQ(ok, "OK");
  EXPECT_EQ(assign, Sjis(u8"割り当て(&A)"));
  EXPECT_EQ(del, Sjis(u8"削除(&D)"));
  EXPECT_EQ(items, (std::vector<std::string>{Sjis(u8"早戻し"), Sjis(u8"早送り"), Sjis(u8"停止 / 再生"),
                                             Sjis(u8"音量を上げる"), Sjis(u8"再生速度を上げる"),
                                             Sjis(u8"ﾌｧﾝｸｼｮﾝ ｷｰの無効")}));
  EXPECT_EQ(selection, 0);
  EXPECT_EQ(current, "");  // F1 has no name
  EXPECT_TRUE(captureStyle & ES_READONLY);
  EXPECT_EQ(info.wKey[0], 0x70);  // stays until the slot gets another key
}

TEST_F(FuncKeys, F6MovesFromVolumeToFastForwardShownRedThenWritten) {
  FUNCKEYINFO info = Record(0x71, 0x72, 0x73, 0x75, 0x76, 0x77);
  std::string currentFF, currentAfter, captureAfter;
  FieldPaint paint;
  test::ScriptedUser user;
  user.On(kCaption, [&](test::Window& w) {
        w.SelectListItem(IDC_FK_LIST, 1);
        currentFF = w.ItemText(IDC_FK_CURRENT);
        w.PostKeyUp(VK_F6);
      })
      .When(kCaption, [](test::Window& w) { return CaptureShows(w, "F6"); },
            [&](test::Window& w) {
              paint = CaptureFieldPaint(w);
              w.Click(IDC_FK_ASSIGN);
              currentAfter = w.ItemText(IDC_FK_CURRENT);
              captureAfter = w.ItemText(IDC_FK_CAPTURE);
              w.Click(IDOK);
            });
  EXPECT_EQ(FuncKeyAssignJ(&info), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(currentFF, "F3");
  EXPECT_EQ(paint.text, RGB(255, 0, 0));
  EXPECT_EQ(paint.bkMode, TRANSPARENT);
  EXPECT_EQ(paint.background, RGB(255, 255, 255));
  EXPECT_EQ(currentAfter, "F6");
  EXPECT_EQ(captureAfter, "");
  EXPECT_EQ(info.wKey[1], 0x75);
  EXPECT_EQ(info.wKey[3], NO_KEY);
  EXPECT_EQ(Saved("FUNCTION_KEY_VOLUME"), 65535u);
  EXPECT_EQ(Saved("FUNCTION_KEY_FF"), 117u);
  EXPECT_EQ(Saved("FUNCTION_KEY_REW"), std::nullopt);  // untouched slots are not written
}

TEST_F(FuncKeys, TheChosenSlotsOwnKeyIsBlackAndAssigningItKeepsTheRecord) {
  FUNCKEYINFO info = Record(0x71, 0x72, 0x73, 0x75, 0x76, 0x77);
  const FUNCKEYINFO before = info;
  FieldPaint paint;
  test::ScriptedUser user;
  user.On(kCaption, [&](test::Window& w) { w.PostKeyUp(VK_F2); })
      .When(kCaption, [](test::Window& w) { return CaptureShows(w, "F2"); },
            [&](test::Window& w) {
              paint = CaptureFieldPaint(w);
              w.Click(IDC_FK_ASSIGN);
              w.Click(IDOK);
            });
  EXPECT_EQ(FuncKeyAssignJ(&info), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(paint.text, RGB(0, 0, 0));
  EXPECT_EQ(memcmp(&info, &before, sizeof info), 0);
  EXPECT_EQ(Saved("FUNCTION_KEY_REW"), 113u);
  EXPECT_EQ(Saved("FUNCTION_KEY_FF"), std::nullopt);
}

TEST_F(FuncKeys, F1AndF5PassThroughF10IsCaughtAsASystemKeyPressesAreIgnored) {
  FUNCKEYINFO info = Record(0x71, 0x72, 0x73, 0x75, 0x76, 0x77);
  std::string afterF1F5, afterKeyDown, afterF10;
  FieldPaint paintF10;
  test::ScriptedUser user;
  user.On(kCaption, [&](test::Window& w) {
        w.PostKeyUp(VK_F1);
        w.PostKeyUp(VK_F5);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_F9, 0x00430001);
      })
      // Timer ticks come only once the posted messages are handled.
      .On(kCaption, [&](test::Window& w) {
        afterF1F5 = w.ItemText(IDC_FK_CAPTURE);
        w.PostKeyUp(VK_F10, true);
      })
      .When(kCaption, [](test::Window& w) { return CaptureShows(w, "F10"); },
            [&](test::Window& w) {
              afterF10 = w.ItemText(IDC_FK_CAPTURE);
              paintF10 = CaptureFieldPaint(w);
              w.Click(IDOK);
            });
  EXPECT_EQ(FuncKeyAssignJ(&info), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(afterF1F5, "");
  EXPECT_EQ(afterF10, "F10");
  EXPECT_EQ(paintF10.text, RGB(0, 0, 0));  // nobody holds F10
  EXPECT_EQ(Saved("FUNCTION_KEY_REW"), std::nullopt);
}

TEST_F(FuncKeys, ACaptionDragWithF10ToggledOnCapturesF10) {
  FUNCKEYINFO info = Record(0x71, 0x72, 0x73, 0x75, 0x76, 0x77);
  std::string afterDragWithoutF10, afterDragWithF10;
  BYTE saved[256] = {};
  GetKeyboardState(saved);
  auto dragWithF10 = [](test::Window& w, bool toggled) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_F10] = toggled ? 1 : 0;
    SetKeyboardState(keys);
    PostMessageA(w.hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    // Ends the system's move loop, should one start.
    PostMessageA(w.hwnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  };
  test::ScriptedUser user;
  user.On(kCaption, [&](test::Window& w) { dragWithF10(w, false); })
      .On(kCaption, [&](test::Window& w) {
        afterDragWithoutF10 = w.ItemText(IDC_FK_CAPTURE);
        dragWithF10(w, true);
      })
      .When(kCaption, [](test::Window& w) { return CaptureShows(w, "F10"); },
            [&](test::Window& w) {
              afterDragWithF10 = w.ItemText(IDC_FK_CAPTURE);
              w.Click(IDOK);
            });
  const int result = FuncKeyAssignJ(&info);
  SetKeyboardState(saved);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(result, 1);
  EXPECT_EQ(afterDragWithoutF10, "");
  EXPECT_EQ(afterDragWithF10, "F10");
}

TEST_F(FuncKeys, ChangingTheSelectionShowsThatSlotsKeyAndClearsTheCapture) {
  FUNCKEYINFO info = Record(0x71, 0x72, 0x70, 0x75, NO_KEY, 0x7B);
  std::vector<std::string> shown;
  std::string capture;
  test::ScriptedUser user;
  user.On(kCaption, [&](test::Window& w) { w.PostKeyUp(VK_F9); })
      .When(kCaption, [](test::Window& w) { return CaptureShows(w, "F9"); },
            [&](test::Window& w) {
              for (int slot : {2, 4, 5, 3}) {
                w.SelectListItem(IDC_FK_LIST, slot);
                shown.push_back(w.ItemText(IDC_FK_CURRENT));
              }
              capture = w.ItemText(IDC_FK_CAPTURE);
              // Assign with nothing captured writes nothing.
              w.Click(IDC_FK_ASSIGN);
              w.Click(IDOK);
            });
  EXPECT_EQ(FuncKeyAssignJ(&info), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(shown, (std::vector<std::string>{"", "", "F12", "F6"}));
  EXPECT_EQ(capture, "");
  EXPECT_EQ(info.wKey[3], 0x75);
  EXPECT_EQ(Saved("FUNCTION_KEY_VOLUME"), std::nullopt);
}

TEST_F(FuncKeys, DeleteOnPlayStopWritesNoKeyAndEscapeKeepsEveryChange) {
  FUNCKEYINFO info = Record(0x71, 0x72, 0x73, 0x75, 0x76, 0x77);
  std::string current;
  test::ScriptedUser user;
  user.On(kCaption, [&](test::Window& w) {
        w.SelectListItem(IDC_FK_LIST, 2);
        w.Click(IDC_FK_DELETE);
        current = w.ItemText(IDC_FK_CURRENT);
        w.SelectListItem(IDC_FK_LIST, 5);
        w.PostKeyUp(VK_F12);
      })
      .When(kCaption, [](test::Window& w) { return CaptureShows(w, "F12"); },
            [&](test::Window& w) {
              w.Click(IDC_FK_ASSIGN);
              PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            });
  EXPECT_EQ(FuncKeyAssignJ(&info), 0);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(current, "");
  EXPECT_EQ(info.wKey[2], NO_KEY);
  EXPECT_EQ(info.wKey[5], 0x7B);
  EXPECT_EQ(Saved("FUNCTION_KEY_PLAY_STOP"), 65535u);
  EXPECT_EQ(Saved("FUNCTION_KEY_DISABLE"), 123u);
}

TEST_F(FuncKeys, TheCloseBoxCountsAsOk) {
  FUNCKEYINFO info = Record(0x71, 0x72, 0x73, 0x75, 0x76, 0x77);
  test::ScriptedUser user;
  user.On(kCaption, [](test::Window& w) { PostMessageA(w.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); });
  EXPECT_EQ(FuncKeyAssignJ(&info), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
}

TEST_F(FuncKeys, ANullRecordShowsNothing) {
  test::ScriptedUser user;  // any dialog would be unexpected
  EXPECT_EQ(FuncKeyAssignJ(nullptr), 0);
  EXPECT_EQ(FuncKeyAssign(nullptr), 0);
  EXPECT_TRUE(user.Clean()) << user.Report();
}

TEST_F(FuncKeys, TheLibraryLacksTheAlternativeTexts) {
  test::ScopedKey languages(HKEY_LOCAL_MACHINE, "SOFTWARE\\TAVORIN\\Scribovox2002\\Dictation Module\\Install\\Languages");
  languages.SetDword("Language", 0x11);
  FUNCKEYINFO info = Record(0x71, 0x72, 0x73, 0x75, 0x76, 0x77);
  std::vector<std::string> texts;
  std::string ok, firstItem;
  test::ScriptedUser user;
  user.On("", [&](test::Window& w) {
    texts = {w.Caption(), w.ItemText(IDC_FK_LIST_LABEL), w.ItemText(IDC_FK_CURRENT_LABEL),
             w.ItemText(IDC_FK_CAPTURE_LABEL), w.ItemText(IDC_FK_ASSIGN), w.ItemText(IDC_FK_DELETE)};
    ok = w.ItemText(IDOK);
    firstItem = w.ListItemText(IDC_FK_LIST, 0);
    w.Click(IDOK);
  });
  EXPECT_EQ(FuncKeyAssignJ(&info), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(texts, std::vector<std::string>(6, ""));
  EXPECT_EQ(ok, "OK");
  EXPECT_EQ(firstItem, Sjis(u8"早戻し"));
}

// --- Global hot keys -------------------------------------------------------

namespace {

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
  // Whether (modifier, key) is registered now: a probe registration of it
  // fails while somebody holds it.
  bool Held(UINT modifier, UINT vk) const {
    if (RegisterHotKey(m_hWnd, kProbeId, modifier, vk)) {
      UnregisterHotKey(m_hWnd, kProbeId);
      return false;
    }
    return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
  }
  static constexpr int kProbeId = 0xB000;
  HWND m_hWnd = nullptr;
};

}  // namespace

TEST_F(HotKeyWindow, RegistersTheThreePlaybackSlotsAndReleasesThem) {
  FUNCKEYINFO info = RecordFor(0, 0x71, 0x72, 0x73);
  ASSERT_EQ(FuncKeyHook(1, &info), 1);
  EXPECT_EQ(memcmp(&g_funcKeyRecord, &info, sizeof info), 0);  // the whole record, reserved word too
  EXPECT_TRUE(Held(0, VK_F2));
  EXPECT_TRUE(Held(0, VK_F3));
  EXPECT_TRUE(Held(0, VK_F4));
  EXPECT_FALSE(Held(MOD_ALT, VK_F2));
  // VOLUME, SPEED and DISABLE never become hot keys.
  EXPECT_FALSE(Held(0, VK_F9));
  EXPECT_FALSE(Held(0, VK_F11));
  EXPECT_FALSE(Held(0, VK_F12));

  EXPECT_EQ(FuncKeyHook(0, nullptr), 1);  // the stored record is released
  EXPECT_FALSE(Held(0, VK_F2));
  EXPECT_FALSE(Held(0, VK_F3));
  EXPECT_FALSE(Held(0, VK_F4));
  EXPECT_EQ(g_funcKeyRecord.wKey[0], 0x71);  // not cleared

  ASSERT_EQ(FuncKeyHook(1, &info), 1);
  EXPECT_EQ(FuncKeyHook(2, &info), 1);  // any mode but 1 releases
  EXPECT_FALSE(Held(0, VK_F2));
}

TEST_F(HotKeyWindow, AnyNonzeroAltFlagRegistersWithAlt) {
  FUNCKEYINFO info = RecordFor(7, 0x71, 0x72, 0x73);
  ASSERT_EQ(FuncKeyHook(1, &info), 1);
  EXPECT_TRUE(Held(MOD_ALT, VK_F2));
  EXPECT_TRUE(Held(MOD_ALT, VK_F4));
  EXPECT_FALSE(Held(0, VK_F2));
}

TEST_F(HotKeyWindow, ZeroIsSkippedButNoKeyIsRegisteredAsIs) {
  FUNCKEYINFO info = RecordFor(0, 0x71, 0, NO_KEY);
  ASSERT_EQ(FuncKeyHook(1, &info), 1);
  EXPECT_TRUE(Held(0, VK_F2));
  EXPECT_TRUE(Held(0, 0xFFFF));
  // An id of the host's own under FF's id survives the release, which skips
  // the slot without a key just as the registration did.
  ASSERT_TRUE(RegisterHotKey(m_hWnd, 2001, 0, VK_F11));
  EXPECT_EQ(FuncKeyHook(0, nullptr), 1);
  EXPECT_FALSE(Held(0, 0xFFFF));
  EXPECT_TRUE(UnregisterHotKey(m_hWnd, 2001));
}

TEST_F(HotKeyWindow, ASecondRegistrationWithoutReleaseStillAnswersOne) {
  FUNCKEYINFO first = RecordFor(0, 0x71, 0x72, 0x73);
  FUNCKEYINFO second = RecordFor(0, 0x76, 0x77, 0x78);
  ASSERT_EQ(FuncKeyHook(1, &first), 1);
  EXPECT_EQ(FuncKeyHook(1, &second), 1);
  EXPECT_EQ(g_funcKeyRecord.wKey[0], 0x76);
  // Whatever the platform kept, releasing the stored record frees its ids.
  EXPECT_EQ(FuncKeyHook(0, nullptr), 1);
  for (int id : {2000, 2001, 2002}) EXPECT_FALSE(UnregisterHotKey(m_hWnd, id)) << id;
}

TEST_F(HotKeyWindow, NullRecordOrNoWindowAnswersZero) {
  FUNCKEYINFO info = RecordFor(0, 0x71, 0x72, 0x73);
  ASSERT_EQ(FuncKeyHook(1, &info), 1);
  EXPECT_EQ(FuncKeyHook(1, nullptr), 0);
  EXPECT_EQ(g_funcKeyRecord.wKey[0], 0x71);  // unchanged
  EXPECT_EQ(FuncKeyHook(0, nullptr), 1);

  FUNCKEYINFO noWindow = RecordFor(0, 0x71, 0x72, 0x73);
  noWindow.hWnd = 0;
  EXPECT_EQ(FuncKeyHook(1, &noWindow), 0);
  EXPECT_EQ(g_funcKeyRecord.hWnd, 0u);  // the copy stays
  EXPECT_FALSE(Held(0, VK_F2));
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
  const ULONGLONG deadline = GetTickCount64() + 5000;
  while (id == 0 && GetTickCount64() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_HOTKEY && msg.hwnd == m_hWnd) id = msg.wParam;
      DispatchMessageA(&msg);
    }
  }
  EXPECT_EQ(id, 2001u);
}
