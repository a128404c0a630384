// The playback exports against a scripted stand-in for the MCI window: the
// exact messages each export sends, what it makes of the answers, and the
// player's states (no window, window closed, window open).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "frame/vtksupapp.h"
#include "framework/modulestate.h"
#include "support/fake_mciwnd.h"
#include "vtksup.h"

using namespace test;

namespace {

using Seq = std::vector<Received>;
const Received kGetDeviceId = Msg(MCIWNDM_GETDEVICEID);
const Received kWindowClose = Msg(MCI_CLOSE, MCI_WAIT, 0);
const Received kGetPosition = Msg(MCIWNDM_GETPOSITIONA);
const Received kGetMode = Buffer(MCIWNDM_GETMODEA, 49);
const DirectClose kDirectClose7{7, MCI_CLOSE, MCI_WAIT, 0};

CWavePlayer& Player() { return theApp.m_player; }
void Reset() {
  if (Player().HasWindow()) ::DestroyWindow(Player().m_hWnd);
  Player().m_nPauseBackStep = 0;
}
std::vector<DirectClose> DirectCloses(size_t n) { return std::vector<DirectClose>(n, kDirectClose7); }

class WaveMessages : public testing::Test {
 protected:
  void TearDown() override { Reset(); }
  FakeMciWindow fake;
};

enum Start { kNone, kClosed, kOpen };
const char* const kStartNames[] = {"no window", "closed", "open"};

// What the fake answers in one row; a window opened for the row plays a.wav
// with the given pause back-step.
struct Script {
  LONG position = 0, length = 0, mode = MCI_MODE_STOP;
  UINT failing = 0;  // a message answered with `failure`
  LRESULT failure = 0;
  MCIERROR directClose = 0;
  LONG backStep = 500;
};
constexpr int kSame = -1;  // m_bOpen stays as the state had it
struct Case {
  const char* name;
  Start start;
  Script script;
  long (*act)();
  Seq sequence;
  long result;
  size_t directCloses = 0;  // each of device 7
  int openAfter = kSame;
};
#define CALL(expr) [] { return long(expr); }
const Seq kCloseSeq{kGetDeviceId, kWindowClose};
Seq PauseSeekPlay(LONG to) { return {Msg(MCI_PAUSE), kGetPosition, Msg(MCI_SEEK, 0, to), Msg(MCI_PLAY)}; }

const Case kCases[] = {
    // No window: controls refuse, queries answer 0, nothing is sent or made.
    {"play from", kNone, {}, CALL(WavePlayFrom(100)), {}, 0}, {"rewind", kNone, {}, CALL(WaveRewind(100)), {}, 0},
    {"fast forward", kNone, {}, CALL(WaveFastForward(100)), {}, 0}, {"pause", kNone, {}, CALL(WavePause()), {}, 0},
    {"stop", kNone, {}, CALL(WaveStop()), {}, 0}, {"volume", kNone, {}, CALL(WaveSetVolume(500)), {}, 0},
    {"speed", kNone, {}, CALL(WaveSetSpeed(500)), {}, 0}, {"length", kNone, {}, CALL(WaveGetLength()), {}, 0},
    {"device id", kNone, {}, CALL(WaveGetDeviceID()), {}, 0}, {"close", kNone, {}, CALL(WaveClose()), {}, 1},
    {"position", kNone, {}, CALL(WavePosition(TRUE)), {}, 0},
    // Window closed: play from refuses without a word, stop is still sent.
    {"play from", kClosed, {}, CALL(WavePlayFrom(100)), {}, 0},
    {"stop", kClosed, {}, CALL(WaveStop()), {Msg(MCI_STOP)}, 1},
    {"close: no device, no direct close", kClosed, {}, CALL(WaveClose()), kCloseSeq, 1},
    {"play file opens in the window, frames flag unused", kClosed, {},
     CALL(WavePlayFile(nullptr, "b.wav", 0, -1, TRUE)), {Text(MCIWNDM_OPENA, 2, "b.wav"), Msg(MCI_PLAY)}, 1, 0, 1},
    // Window open.
    {"rewind stops at the start, seek result unused", kOpen,
     {.position = 2000, .failing = MCI_SEEK, .failure = MCIERR_OUTOFRANGE}, CALL(WaveRewind(3000)),
     PauseSeekPlay(0), 1},
    {"rewind", kOpen, {.position = 2000}, CALL(WaveRewind(500)), PauseSeekPlay(1500), 1},
    {"fast forward past the end", kOpen, {.position = 2000, .length = 4000}, CALL(WaveFastForward(3000)),
     PauseSeekPlay(5000), 1},
    {"pause steps back", kOpen, {.position = 10000, .mode = MCI_MODE_PLAY}, CALL(WavePause()),
     {kGetMode, Msg(MCI_PAUSE), kGetPosition, Msg(MCI_SEEK, 0, 9500)}, 1},
    {"pause without back-step", kOpen, {.position = 1234, .mode = MCI_MODE_PLAY, .backStep = 0}, CALL(WavePause()),
     {kGetMode, Msg(MCI_PAUSE), kGetPosition, Msg(MCI_SEEK, 0, 1234)}, 1},
    {"pause refused: no seek", kOpen, {.mode = MCI_MODE_PLAY, .failing = MCI_PAUSE, .failure = MCIERR_HARDWARE},
     CALL(WavePause()), {kGetMode, Msg(MCI_PAUSE)}, 0},
    {"pause while paused resumes", kOpen, {.mode = MCI_MODE_PAUSE}, CALL(WavePause()), {kGetMode, Msg(MCI_PLAY)}, 1},
    {"resume refused", kOpen, {.failing = MCI_PLAY, .failure = MCIERR_HARDWARE}, CALL(WavePause()),
     {kGetMode, Msg(MCI_PLAY)}, 0},
    {"volume while stopped plays", kOpen, {}, CALL(WaveSetVolume(500)),
     {kGetMode, Msg(MCIWNDM_SETVOLUME, 0, 500), Msg(MCI_PLAY)}, 1},
    {"volume refused while playing still restarts", kOpen,
     {.mode = MCI_MODE_PLAY, .failing = MCIWNDM_SETVOLUME, .failure = MCIERR_UNSUPPORTED_FUNCTION},
     CALL(WaveSetVolume(1000)), {kGetMode, Msg(MCI_PAUSE), Msg(MCIWNDM_SETVOLUME, 0, 1000), Msg(MCI_PLAY)}, 0},
    {"speed", kOpen, {}, CALL(WaveSetSpeed(1500)), {Msg(MCIWNDM_SETSPEED, 0, 1500)}, 1},
    {"speed refused", kOpen, {.failing = MCIWNDM_SETSPEED, .failure = MCIERR_UNSUPPORTED_FUNCTION},
     CALL(WaveSetSpeed(2000)), {Msg(MCIWNDM_SETSPEED, 0, 2000)}, 0},
    {"play from", kOpen, {}, CALL(WavePlayFrom(2500)), {Msg(MCIWNDM_PLAYFROM, 0, 2500)}, 1},
    {"play from refused", kOpen, {.failing = MCIWNDM_PLAYFROM, .failure = MCIERR_OUTOFRANGE},
     CALL(WavePlayFrom(-5)), {Msg(MCIWNDM_PLAYFROM, 0, LPARAM{-5})}, 0},
    {"stop", kOpen, {}, CALL(WaveStop()), {Msg(MCI_STOP)}, 1},
    {"length", kOpen, {.length = 999}, CALL(WaveGetLength()), {Msg(MCIWNDM_GETLENGTH)}, 999},
    {"device id", kOpen, {}, CALL(WaveGetDeviceID()), {kGetDeviceId}, 7},
    {"frames stay until ms is asked for", kOpen, {.position = 321},
     [] { WavePosition(1); WaveGetLength(); return long(WavePosition(0)); },
     {Text(MCIWNDM_SETTIMEFORMATA, 0, "frames"), kGetPosition, Msg(MCIWNDM_GETLENGTH),
      Text(MCIWNDM_SETTIMEFORMATA, 0, "ms"), kGetPosition}, 321},
    {"close", kOpen, {}, CALL(WaveClose()), kCloseSeq, 1, 1, 0},
    {"close reports the direct close's failure", kOpen, {.directClose = MCIERR_HARDWARE}, CALL(WaveClose()),
     kCloseSeq, 0, 1, 0},
    {"close of a device that the window's close ended already", kOpen,
     {.directClose = MCIERR_INVALID_DEVICE_ID}, CALL(WaveClose()), kCloseSeq, 1, 1, 0},
    {"length of a file while playing closes the playback", kOpen, {.length = 100},
     CALL(WaveGetLengthFile("b.wav")),
     {kGetDeviceId, kWindowClose, Text(MCIWNDM_OPENA, 2, "b.wav"), Msg(MCIWNDM_GETLENGTH), kGetDeviceId, kWindowClose},
     100, 2, 0},
    {"a later play file reuses the window; parent and frames flag unused, open result ignored", kOpen,
     {.failing = MCIWNDM_OPENA, .failure = MCIERR_FILE_NOT_FOUND},
     [] {
       HostWindow host;
       const long r = WavePlayFile(host.h, "b.wav", 300, 1200, TRUE);
       EXPECT_EQ(Player().m_nPauseBackStep, 300);
       EXPECT_EQ(::GetWindow(Player().m_hWnd, GW_OWNER), nullptr);
       return r;
     },
     {kGetDeviceId, kWindowClose, Text(MCIWNDM_OPENA, 2, "b.wav"), Msg(MCIWNDM_PLAYFROM, 0, 1200)}, 1, 1},
};
#undef CALL

}  // namespace

TEST_F(WaveMessages, EachExportFromEachState) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << kStartNames[c.start] << ": " << c.name);
    Reset();
    FakeMciWindow f;  // a fresh script for every row
    if (c.start != kNone) {
      ASSERT_EQ(WavePlayFile(nullptr, "a.wav", c.script.backStep, -1, FALSE), 1);
    }
    if (c.start == kClosed) {
      ASSERT_EQ(WaveClose(), 1);
    }
    f.Clear();
    f.position = c.script.position;
    f.length = c.script.length;
    f.mode = c.script.mode;
    if (c.script.failing) f.results[c.script.failing] = c.script.failure;
    f.directCloseResult = c.script.directClose;
    EXPECT_EQ(c.act(), c.result);
    EXPECT_EQ(f.received, c.sequence);
    EXPECT_EQ(f.directCloses, DirectCloses(c.directCloses));
    EXPECT_TRUE(f.creates.empty());
    EXPECT_EQ(Player().m_bOpen, c.openAfter != kSame ? c.openAfter : c.start == kOpen);
  }
}

TEST_F(WaveMessages, TextsStayWithinTheirBuffers) {
  char buf[64];
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(WavePositionString(buf), 0);  // no window
  EXPECT_STREQ(buf, "");
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(WaveGetError(buf, sizeof buf), 0u);
  EXPECT_STREQ(buf, "");

  ASSERT_EQ(WavePlayFile(nullptr, "a.wav", 0, -1, FALSE), 1);
  fake.Clear();
  fake.position = 83;
  fake.positionText = "0:00:08:30";
  EXPECT_EQ(WavePositionString(buf), 83);
  EXPECT_STREQ(buf, "0:00:08:30");
  // A window that fills its whole scratch buffer without a zero still gives
  // a caller's buffer of exactly 50 bytes 49 characters and the zero.
  fake.overfillPosition = true;
  std::memset(buf, '#', sizeof buf);
  WavePositionString(buf);
  EXPECT_EQ(std::string(buf), std::string(49, '9'));
  EXPECT_EQ(buf[50], '#');

  fake.lastError = MCIERR_FILE_NOT_FOUND;
  fake.errorText = "The specified file was not found.";
  EXPECT_EQ(WaveGetError(buf, sizeof buf), DWORD{MCIERR_FILE_NOT_FOUND});
  EXPECT_STREQ(buf, fake.errorText.c_str());
  std::memcpy(buf, "abcd", 4);
  EXPECT_EQ(WaveGetError(buf, 1), DWORD{MCIERR_FILE_NOT_FOUND});
  EXPECT_EQ(std::string(buf, 4), std::string("\0bcd", 4));
  std::memcpy(buf, "abcd", 4);
  EXPECT_EQ(WaveGetError(buf, 0), DWORD{MCIERR_FILE_NOT_FOUND});
  EXPECT_EQ(WaveGetError(buf, -1), DWORD{MCIERR_FILE_NOT_FOUND});
  EXPECT_EQ(std::string(buf, 4), "abcd");
  // With no room the window is asked into the library's own memory.
  const Received position = Buffer(MCIWNDM_GETPOSITIONA, 49, ""), noRoom = Buffer(MCIWNDM_GETERRORA, 0, "");
  EXPECT_EQ(fake.received, (Seq{position, position, Buffer(MCIWNDM_GETERRORA, 64, ""),
                                Buffer(MCIWNDM_GETERRORA, 1, ""), noRoom, noRoom}));
}

TEST_F(WaveMessages, TheFirstCallMakesAHiddenSubclassedWindowThatLaterCallsReuse) {
  HostWindow host;
  const struct {
    const char* name;
    long (*act)(HWND host);
    bool parented;
    DWORD style;
    Seq sequence;
    long result;
    int openAfter;
  } cases[] = {
      {"play in frames", [](HWND h) { return long(WavePlayFile(h, "a.wav", 500, -1, TRUE)); }, true, 0xC208,
       {Text(MCIWNDM_SETTIMEFORMATA, 0, "frames"), Msg(MCI_PLAY)}, 1, 1},
      // The file stays open even though it would not play.
      {"play from in ms, refused", [](HWND) { return long(WavePlayFile(nullptr, "a.wav", 500, 5000, FALSE)); },
       false, 0xC208, {Text(MCIWNDM_SETTIMEFORMATA, 0, "ms"), Msg(MCIWNDM_PLAYFROM, 0, 5000)}, 0, 1},
      {"length of a file", [](HWND) { return long(WaveGetLengthFile("a.wav")); }, false, 0xC20D,
       {Text(MCIWNDM_SETTIMEFORMATA, 0, "ms"), Msg(MCIWNDM_GETLENGTH), kGetDeviceId, kWindowClose}, 4321, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Reset();
    fake.Clear();
    fake.createVisible = true;
    fake.results[MCIWNDM_PLAYFROM] = MCIERR_OUTOFRANGE;
    fake.length = 4321;
    EXPECT_EQ(c.act(host.h), c.result);
    ASSERT_EQ(fake.creates.size(), 1u);
    EXPECT_EQ(fake.creates[0].hWndParent, c.parented ? host.h : nullptr);
    EXPECT_EQ(fake.creates[0].hInstance, AfxGetStaticModuleState()->m_hCurrentInstanceHandle);
    EXPECT_NE(fake.creates[0].hInstance, nullptr);
    EXPECT_EQ(fake.creates[0].dwStyle, c.style);
    EXPECT_EQ(fake.creates[0].file, "a.wav");
    EXPECT_EQ(fake.received, c.sequence);
    EXPECT_EQ(Player().m_hWnd, fake.lastWindow);
    EXPECT_FALSE(::IsWindowVisible(Player().m_hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(Player().m_hWnd), &Player());
    EXPECT_EQ(Player().m_bOpen, c.openAfter);
    fake.Clear();
    EXPECT_EQ(WavePlayFile(host.h, "b.wav", 0, -1, FALSE), 1);
    EXPECT_TRUE(fake.creates.empty());
  }
}

TEST_F(WaveMessages, FailedCreationLeavesEverythingClosed) {
  fake.failCreate = true;
  EXPECT_EQ(WavePlayFile(nullptr, "missing.wav", 700, -1, FALSE), 0);
  EXPECT_EQ(WaveGetLengthFile("missing.wav"), 0);
  EXPECT_EQ(fake.creates.size(), 2u);
  EXPECT_TRUE(fake.received.empty());
  EXPECT_EQ(Player().m_bOpen, 0);
  EXPECT_EQ(Player().m_nPauseBackStep, 0);
  EXPECT_FALSE(Player().HasWindow());
}

TEST_F(WaveMessages, NullOrEmptyNamesReachTheWindowAsAnEmptyName) {
  EXPECT_EQ(WavePlayFile(nullptr, nullptr, 0, -1, FALSE), 1);
  EXPECT_EQ(fake.creates[0].file, "");
  fake.Clear();
  WavePlayFile(nullptr, nullptr, 0, -1, FALSE);
  WaveGetLengthFile(nullptr);
  WaveGetLengthFile("");
  EXPECT_EQ(std::count(fake.received.begin(), fake.received.end(), Text(MCIWNDM_OPENA, 2, "")), 3);
}

TEST_F(WaveMessages, DestroyingTheHostWindowClosesTheDeviceAndTheNextPlayMakesANewWindow) {
  {
    HostWindow host;
    ASSERT_EQ(WavePlayFile(host.h, "a.wav", 0, -1, FALSE), 1);
    fake.Clear();
  }
  EXPECT_EQ(fake.received, (Seq{kGetDeviceId, kWindowClose}));
  EXPECT_EQ(fake.directCloses, DirectCloses(1));
  EXPECT_EQ(Player().m_bOpen, 0);
  EXPECT_EQ(Player().m_hWnd, nullptr);
  EXPECT_EQ(WaveStop(), 0);
  fake.Clear();
  EXPECT_EQ(WavePlayFile(nullptr, "a.wav", 0, -1, TRUE), 1);
  EXPECT_EQ(fake.creates.size(), 1u);
  EXPECT_EQ(fake.received.front(), Text(MCIWNDM_SETTIMEFORMATA, 0, "frames"));
}

namespace {
// Counts what the player's window routes on after the MCI window saw it.
class CRoutingProbe : public CMciWnd {
 public:
  int routed = 0;

 protected:
  void RouteCommand(WPARAM, LPARAM) override { ++routed; }
};

// A control object that would take a reflected owner-draw message.
class CReflectionProbe : public CWnd {
 public:
  int notified = 0;
  BOOL OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) override { return ++notified; }
};
}  // namespace

TEST_F(WaveMessages, CommandsReachTheMciWindowFirstAndOnlyRealOnesAreRouted) {
  CRoutingProbe wnd;
  ASSERT_TRUE(wnd.Create(nullptr, 0xC208, "a.wav"));
  HostWindow other;
  LPARAM notAWindow = 0;
  for (LPARAM h = 0xFFFF; h > 0x100 && !notAWindow; --h)
    if (!::IsWindow(reinterpret_cast<HWND>(h))) notAWindow = h;
  ASSERT_NE(notAWindow, 0);
  const struct { WPARAM wParam; LPARAM lParam; int routed; } cases[] = {
      {MAKEWPARAM(0, 0), 0, 0},                                             // no id
      {MAKEWPARAM(0, 0), reinterpret_cast<LPARAM>(other.h), 0},             // no id, from a control
      {MAKEWPARAM(5, 0), notAWindow, 0},                                    // from no window
      {MAKEWPARAM(5, 0), 0, 1},                                             // menu or accelerator
      {MAKEWPARAM(5, BN_CLICKED), reinterpret_cast<LPARAM>(other.h), 1},  // a control
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.wParam << ", " << c.lParam);
    fake.Clear();
    wnd.routed = 0;
    EXPECT_EQ(wnd.SendMessage(WM_COMMAND, c.wParam, c.lParam), 0);
    EXPECT_EQ(wnd.routed, c.routed);
    EXPECT_EQ(fake.received, (Seq{Msg(WM_COMMAND, c.wParam, c.lParam)}));
  }
  ::DestroyWindow(wnd.m_hWnd);
}

TEST_F(WaveMessages, OwnerDrawMessagesGoToTheMciWindowNotToAControl) {
  ASSERT_EQ(WavePlayFile(nullptr, "a.wav", 0, -1, FALSE), 1);
  HWND hCtl = ::CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_OWNERDRAW, 0, 0, 5, 5, Player().m_hWnd,
                                reinterpret_cast<HMENU>(77), nullptr, nullptr);
  CReflectionProbe ctl;
  ASSERT_TRUE(ctl.SubclassWindow(hCtl));
  DRAWITEMSTRUCT dis{ODT_BUTTON, 77, 0, 0, 0, hCtl, nullptr, {}, 0};
  DELETEITEMSTRUCT del{ODT_BUTTON, 77, 0, hCtl, 0};
  fake.Clear();
  Player().SendMessage(WM_DRAWITEM, 77, reinterpret_cast<LPARAM>(&dis));
  Player().SendMessage(WM_DELETEITEM, 77, reinterpret_cast<LPARAM>(&del));
  EXPECT_EQ(ctl.notified, 0);
  EXPECT_EQ(fake.received, (Seq{Msg(WM_DRAWITEM, 77, reinterpret_cast<LPARAM>(&dis)),
                                Msg(WM_DELETEITEM, 77, reinterpret_cast<LPARAM>(&del))}));
}

// A device that still plays is left to the window (closing it would wait
// under the loader lock); a closed player sends nothing on the way out.
TEST_F(WaveMessages, DestroyingThePlayerClosesOnlyAStoppedDeviceAndLeavesTheWindowToItsOwnProcedure) {
  const struct { const char* name; LONG mode; bool measureOnly; Seq sequence; size_t directCloses; } cases[] = {
      {"stopped", MCI_MODE_STOP, false, {kGetMode, kGetDeviceId, kWindowClose}, 1},
      {"playing", MCI_MODE_PLAY, false, {kGetMode}, 0},
      {"closed", MCI_MODE_STOP, true, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fake.mode = c.mode;
    HWND hWnd = nullptr;
    {
      CWavePlayer player;
      if (c.measureOnly) player.GetFileLength("a.wav");
      else ASSERT_TRUE(player.PlayFile(nullptr, "a.wav", 0, -1, FALSE));
      hWnd = player.m_hWnd;
      fake.Clear();
    }
    EXPECT_EQ(fake.received, c.sequence);
    EXPECT_EQ(fake.directCloses, DirectCloses(c.directCloses));
    ASSERT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    fake.Clear();
    ::SendMessageA(hWnd, MCI_STOP, 0, 0);
    EXPECT_EQ(fake.received, (Seq{Msg(MCI_STOP)}));
    ::DestroyWindow(hWnd);
  }
}
