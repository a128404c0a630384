// The function-key exports seen from a host: this program carries none of
// the library, only resources of its own (hosttest_funckeys.rc), and loads
// VTKSUP.dll by name. FuncKeyAssign must show this program's template 130
// and texts; FuncKeyAssignJ the library's.
#include <gtest/gtest.h>

#include <vector>

#include "hosttest_ids.h"
#include "res/ids_funckeys.h"
#include "support/registry.h"
#include "support/scripted_user.h"
#include "support/text.h"
#include "vtksup.h"

using test::Sjis;

namespace {

const char kTavorin[] = "Software\\Tavorin";
const std::string kSettings2002 = "Software\\Tavorin\\Scribovox2002\\Dictation Module\\Download\\AnotherSetting";
const std::string kLanguages2002 = "SOFTWARE\\TAVORIN\\Scribovox2002\\Dictation Module\\Install\\Languages";

struct Library {
  HMODULE h = LoadLibraryA("VTKSUP.dll");
  ~Library() {
    if (h) FreeLibrary(h);
  }
  template <class Fn>
  Fn Get(const char* name) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(h, name)));
  }
};

// What the user sees of the dialog.
struct Seen {
  std::string caption, marker, listLabel, currentLabel, captureLabel, ok, assign, del;
  bool hasMarker = false;
  std::vector<std::string> items;
};
Seen Look(const test::Window& w) {
  Seen s;
  s.caption = w.Caption();
  s.hasMarker = w.Item(IDC_HOSTTEST_MARKER) != nullptr;
  s.marker = w.ItemText(IDC_HOSTTEST_MARKER);
  s.listLabel = w.ItemText(IDC_FK_LIST_LABEL);
  s.currentLabel = w.ItemText(IDC_FK_CURRENT_LABEL);
  s.captureLabel = w.ItemText(IDC_FK_CAPTURE_LABEL);
  s.ok = w.ItemText(IDOK);
  s.assign = w.ItemText(IDC_FK_ASSIGN);
  s.del = w.ItemText(IDC_FK_DELETE);
  for (int i = 0; i < w.ListCount(IDC_FK_LIST); ++i) s.items.push_back(w.ListItemText(IDC_FK_LIST, i));
  return s;
}

class HostFuncKeys : public testing::Test {
 protected:
  void SetUp() override {
    Clear();
    ASSERT_NE(m_dll.h, nullptr) << GetLastError();
    m_assign = m_dll.Get<decltype(&FuncKeyAssign)>("FuncKeyAssign");
    m_assignJ = m_dll.Get<decltype(&FuncKeyAssignJ)>("FuncKeyAssignJ");
    m_hook = m_dll.Get<decltype(&FuncKeyHook)>("FuncKeyHook");
    ASSERT_TRUE(m_assign && m_assignJ && m_hook);
  }
  void TearDown() override { Clear(); }
  static void Clear() {
    test::DeleteTree(HKEY_LOCAL_MACHINE, kTavorin);
    test::DeleteTree(HKEY_CURRENT_USER, kTavorin);
  }
  Library m_dll;
  decltype(&FuncKeyAssign) m_assign = nullptr;
  decltype(&FuncKeyAssignJ) m_assignJ = nullptr;
  decltype(&FuncKeyHook) m_hook = nullptr;
  FUNCKEYINFO m_info{0, 0, {0x71, 0x72, 0x73, 0x75, 0x76, 0x77}, {2000, 2001, 2002, 2004, 2005, 2006}, 0};
};

}  // namespace

TEST_F(HostFuncKeys, FuncKeyAssignShowsTheHostsTemplateAndTextsAndWritesTheRegistry) {
  Seen seen;
  std::string current;
  test::ScriptedUser user;
  user.On(u8"ﾎｽﾄのﾌｧﾝｸｼｮﾝｷｰ", [&](test::Window& w) {
        seen = Look(w);
        w.SelectListItem(IDC_FK_LIST, 1);
        w.PostKeyUp(VK_F6);
      })
      .When(u8"ﾎｽﾄのﾌｧﾝｸｼｮﾝｷｰ", [](test::Window& w) { return w.ItemText(IDC_FK_CAPTURE) == "F6"; },
            [&](test::Window& w) {
              w.Click(IDC_FK_ASSIGN);
              current = w.ItemText(IDC_FK_CURRENT);
              w.Click(IDOK);
            });
  EXPECT_EQ(m_assign(&m_info), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(seen.marker, "hosttest template 130");
  EXPECT_EQ(seen.listLabel, Sjis(u8"項目(ﾎｽﾄ)"));
  EXPECT_EQ(seen.currentLabel, Sjis(u8"現在(ﾎｽﾄ)"));
  EXPECT_EQ(seen.captureLabel, Sjis(u8"押すｷｰ(ﾎｽﾄ)"));
  EXPECT_EQ(seen.ok, "Host OK");
  EXPECT_EQ(seen.assign, Sjis(u8"割当(ﾎｽﾄ)"));
  EXPECT_EQ(seen.del, Sjis(u8"削除(ﾎｽﾄ)"));
  EXPECT_EQ(seen.items, (std::vector<std::string>{"Host REW", "Host FF", "Host STOP / Host PLAY", "Host VOLUME",
                                                  "Host SPEED", "Host DISABLE"}));
  EXPECT_EQ(current, "F6");
  EXPECT_EQ(m_info.wKey[1], 0x75);
  EXPECT_EQ(m_info.wKey[3], 0xFFFF);
  EXPECT_EQ(test::ReadDword(HKEY_CURRENT_USER, kSettings2002, "FUNCTION_KEY_FF"), 117u);
  EXPECT_EQ(test::ReadDword(HKEY_CURRENT_USER, kSettings2002, "FUNCTION_KEY_VOLUME"), 65535u);
}

TEST_F(HostFuncKeys, ANonzeroLanguageTakesTheHostsAlternativeTexts) {
  test::ScopedKey languages(HKEY_LOCAL_MACHINE, kLanguages2002);
  languages.SetDword("Language", 0x11);
  Seen seen;
  test::ScriptedUser user;
  user.On("Host function keys", [&](test::Window& w) {
    seen = Look(w);
    PostMessageA(w.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  EXPECT_EQ(m_assign(&m_info), 1);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_EQ(seen.marker, "hosttest template 130");
  EXPECT_EQ(seen.listLabel, "Host items");
  EXPECT_EQ(seen.currentLabel, "Host current");
  EXPECT_EQ(seen.captureLabel, "Host press");
  EXPECT_EQ(seen.assign, "Host assign");
  EXPECT_EQ(seen.del, "Host delete");
  EXPECT_EQ(seen.ok, "Host OK");
  EXPECT_EQ(seen.items.at(0), "Host REW");
}

TEST_F(HostFuncKeys, FuncKeyAssignJShowsTheLibrarysOwnTemplateAndTexts) {
  Seen seen;
  test::ScriptedUser user;
  user.On(u8"ﾌｧﾝｸｼｮﾝｷｰの設定", [&](test::Window& w) {
    seen = Look(w);
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  });
  EXPECT_EQ(m_assignJ(&m_info), 0);
  EXPECT_TRUE(user.Clean()) << user.Report();
  EXPECT_FALSE(seen.hasMarker);
  EXPECT_EQ(seen.ok, "OK");
  EXPECT_EQ(seen.assign, Sjis(u8"割り当て(&A)"));
  EXPECT_EQ(seen.items.at(2), Sjis(u8"停止 / 再生"));
}

TEST_F(HostFuncKeys, NullRecordsShowNothing) {
  test::ScriptedUser user;
  EXPECT_EQ(m_assign(nullptr), 0);
  EXPECT_EQ(m_assignJ(nullptr), 0);
  EXPECT_EQ(m_hook(1, nullptr), 0);
  EXPECT_TRUE(user.Clean()) << user.Report();
}

TEST_F(HostFuncKeys, FuncKeyHookRegistersOnTheHostsWindowUntilReleased) {
  HWND hWnd = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hWnd, nullptr);
  m_info.hWnd = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hWnd));
  m_info.bAlt = 1;
  ASSERT_EQ(m_hook(1, &m_info), 1);
  EXPECT_FALSE(RegisterHotKey(hWnd, 0xB000, MOD_ALT, VK_F3));
  EXPECT_EQ(m_hook(0, nullptr), 1);
  EXPECT_TRUE(RegisterHotKey(hWnd, 0xB000, MOD_ALT, VK_F3));
  UnregisterHotKey(hWnd, 0xB000);
  DestroyWindow(hWnd);
}
