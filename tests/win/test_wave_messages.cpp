// The playback exports against a scripted stand-in for the MCI window: the
// exact messages each export sends, what it makes of the answers, and the
// player's states (no window, window closed, window open).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "frame/vtksupapp.h"
#include "framework/modulestate.h"
#include "support/fake_mciwnd.h"
#include "vtksup.h"

using test::Buffer;
using test::DirectClose;
using test::Msg;
using test::Received;
using test::Text;

namespace {

using Seq = std::vector<Received>;
const Received kGetDeviceId = Msg(MCIWNDM_GETDEVICEID);
const Received kWindowClose = Msg(MCI_CLOSE, MCI_WAIT, 0);
const Received kGetPosition = Msg(MCIWNDM_GETPOSITIONA);
const Received kGetMode = Buffer(MCIWNDM_GETMODEA, 49);
const DirectClose kDirectClose7{7, MCI_CLOSE, MCI_WAIT, 0};

// A host window that can parent the player's window.
struct HostWindow {
  HWND h = ::CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ~HostWindow() {
    if (::IsWindow(h)) ::DestroyWindow(h);
  }
};

class WaveMessages : public testing::Test {
 protected:
  void TearDown() override {
    // Back to "no window" for the next test.
    if (Player().HasWindow()) ::DestroyWindow(Player().m_hWnd);
    Player().m_nPauseBackStep = 0;
  }
  static CWavePlayer& Player() { return theApp.m_player; }

  // A window open on a.wav and playing, with the log emptied.
  void OpenPlaying(LONG backStep = 0) {
    ASSERT_EQ(WavePlayFile(nullptr, "a.wav", backStep, -1, FALSE), 1);
    fake.Clear();
  }

  test::FakeMciWindow fake;
};

}  // namespace

TEST_F(WaveMessages, WithNoWindowControlsRefuseAndQueriesAnswerZero) {
  ASSERT_FALSE(Player().HasWindow());
  EXPECT_EQ(WavePlayFrom(100), 0);
  EXPECT_EQ(WaveRewind(100), 0);
  EXPECT_EQ(WaveFastForward(100), 0);
  EXPECT_EQ(WavePause(), 0);
  EXPECT_EQ(WaveStop(), 0);
  EXPECT_EQ(WaveSetVolume(500), 0);
  EXPECT_EQ(WaveSetSpeed(500), 0);
  EXPECT_EQ(WaveGetLength(), 0);
  EXPECT_EQ(WaveGetDeviceID(), 0u);
  EXPECT_EQ(WavePosition(TRUE), 0);
  char text[64];
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(WavePositionString(text), 0);
  EXPECT_STREQ(text, "");
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(WaveGetError(text, sizeof text), 0u);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(WaveClose(), 1);
  EXPECT_TRUE(fake.creates.empty());
  EXPECT_TRUE(fake.directCloses.empty());
  EXPECT_EQ(Player().m_bOpen, 0);
}

TEST_F(WaveMessages, FirstPlayFileCreatesAHiddenWindowInFramesAndPlaysFromTheStart) {
  HostWindow host;
  fake.createVisible = true;
  EXPECT_EQ(WavePlayFile(host.h, "D:\\rec\\a.wav", 500, -1, TRUE), 1);
  ASSERT_EQ(fake.creates.size(), 1u);
  EXPECT_EQ(fake.creates[0].hWndParent, host.h);
  EXPECT_EQ(fake.creates[0].hInstance, AfxGetStaticModuleState()->m_hCurrentInstanceHandle);
  EXPECT_NE(fake.creates[0].hInstance, nullptr);
  EXPECT_EQ(fake.creates[0].dwStyle, 0xC208u);
  EXPECT_EQ(fake.creates[0].file, "D:\\rec\\a.wav");
  EXPECT_EQ(fake.received, (Seq{Text(MCIWNDM_SETTIMEFORMATA, 0, "frames"), Msg(MCI_PLAY)}));
  EXPECT_EQ(Player().m_hWnd, fake.lastWindow);
  EXPECT_FALSE(::IsWindowVisible(Player().m_hWnd));
  EXPECT_EQ(CWnd::FromHandlePermanent(Player().m_hWnd), &Player());
  EXPECT_EQ(Player().m_bOpen, 1);
  EXPECT_EQ(Player().m_nPauseBackStep, 500);
}

TEST_F(WaveMessages, PlayFileFromAPositionInMilliseconds) {
  fake.results[MCIWNDM_PLAYFROM] = MCIERR_OUTOFRANGE;
  EXPECT_EQ(WavePlayFile(nullptr, "a.wav", 0, 5000, FALSE), 0);
  EXPECT_EQ(fake.received, (Seq{Text(MCIWNDM_SETTIMEFORMATA, 0, "ms"), Msg(MCIWNDM_PLAYFROM, 0, 5000)}));
  EXPECT_EQ(fake.creates[0].hWndParent, nullptr);
  // The file is open even though it would not play.
  EXPECT_EQ(Player().m_bOpen, 1);
}

TEST_F(WaveMessages, LaterPlayFileReusesTheWindowWithoutTouchingItsFormat) {
  ASSERT_EQ(WavePlayFile(nullptr, "a.wav", 100, -1, TRUE), 1);
  fake.Clear();
  HostWindow host;
  fake.results[MCIWNDM_OPENA] = MCIERR_FILE_NOT_FOUND;  // not looked at
  EXPECT_EQ(WavePlayFile(host.h, "b.wav", 300, 1200, FALSE), 1);
  EXPECT_TRUE(fake.creates.empty());
  EXPECT_EQ(fake.received, (Seq{kGetDeviceId, kWindowClose, Text(MCIWNDM_OPENA, 2, "b.wav"),
                                Msg(MCIWNDM_PLAYFROM, 0, 1200)}));
  EXPECT_EQ(fake.directCloses, (std::vector<DirectClose>{kDirectClose7}));
  EXPECT_EQ(Player().m_nPauseBackStep, 300);
  EXPECT_EQ(Player().m_bOpen, 1);
  EXPECT_EQ(::GetWindow(Player().m_hWnd, GW_OWNER), nullptr);  // the new parent is not used
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
  int opens = 0;
  for (const Received& r : fake.received) {
    if (r.message == MCIWNDM_OPENA) {
      ++opens;
      EXPECT_EQ(r.text, "");
    }
  }
  EXPECT_EQ(opens, 3);
}

TEST_F(WaveMessages, RewindPausesSeeksNoFurtherThanTheStartAndPlays) {
  OpenPlaying();
  fake.position = 2000;
  fake.results[MCI_SEEK] = MCIERR_OUTOFRANGE;  // not looked at
  EXPECT_EQ(WaveRewind(3000), 1);
  EXPECT_EQ(fake.received, (Seq{Msg(MCI_PAUSE), kGetPosition, Msg(MCI_SEEK, 0, 0), Msg(MCI_PLAY)}));
  fake.Clear();
  EXPECT_EQ(WaveRewind(500), 1);
  EXPECT_EQ(fake.received[2], Msg(MCI_SEEK, 0, 1500));
}

TEST_F(WaveMessages, FastForwardSeeksPastTheEndIfAsked) {
  OpenPlaying();
  fake.position = 2000;
  fake.length = 4000;
  EXPECT_EQ(WaveFastForward(3000), 1);
  EXPECT_EQ(fake.received, (Seq{Msg(MCI_PAUSE), kGetPosition, Msg(MCI_SEEK, 0, 5000), Msg(MCI_PLAY)}));
}

TEST_F(WaveMessages, PauseStepsBackAndTheNextCallPlaysOn) {
  OpenPlaying(500);
  fake.position = 10000;
  fake.mode = MCI_MODE_PLAY;
  EXPECT_EQ(WavePause(), 1);
  EXPECT_EQ(fake.received, (Seq{kGetMode, Msg(MCI_PAUSE), kGetPosition, Msg(MCI_SEEK, 0, 9500)}));
  fake.Clear();
  fake.mode = MCI_MODE_PAUSE;
  EXPECT_EQ(WavePause(), 1);
  EXPECT_EQ(fake.received, (Seq{kGetMode, Msg(MCI_PLAY)}));
}

TEST_F(WaveMessages, PauseWithoutBackStepStaysWhereTheDeviceIs) {
  OpenPlaying(0);
  fake.position = 1234;
  fake.mode = MCI_MODE_PLAY;
  EXPECT_EQ(WavePause(), 1);
  EXPECT_EQ(fake.received.back(), Msg(MCI_SEEK, 0, 1234));
}

TEST_F(WaveMessages, RefusedPauseOrPlayReportsFailure) {
  OpenPlaying(500);
  fake.mode = MCI_MODE_PLAY;
  fake.results[MCI_PAUSE] = MCIERR_HARDWARE;
  EXPECT_EQ(WavePause(), 0);
  EXPECT_EQ(fake.received, (Seq{kGetMode, Msg(MCI_PAUSE)}));  // no seek after a refusal
  fake.Clear();
  fake.mode = MCI_MODE_STOP;
  fake.results[MCI_PLAY] = MCIERR_HARDWARE;
  EXPECT_EQ(WavePause(), 0);
  EXPECT_EQ(fake.received, (Seq{kGetMode, Msg(MCI_PLAY)}));
}

TEST_F(WaveMessages, VolumeRestartsPlaybackWhateverTheMode) {
  OpenPlaying();
  fake.mode = MCI_MODE_STOP;
  EXPECT_EQ(WaveSetVolume(500), 1);
  EXPECT_EQ(fake.received, (Seq{kGetMode, Msg(MCIWNDM_SETVOLUME, 0, 500), Msg(MCI_PLAY)}));
  fake.Clear();
  fake.mode = MCI_MODE_PLAY;
  fake.results[MCIWNDM_SETVOLUME] = MCIERR_UNSUPPORTED_FUNCTION;
  EXPECT_EQ(WaveSetVolume(1000), 0);
  EXPECT_EQ(fake.received,
            (Seq{kGetMode, Msg(MCI_PAUSE), Msg(MCIWNDM_SETVOLUME, 0, 1000), Msg(MCI_PLAY)}));
}

TEST_F(WaveMessages, SpeedIsSetAlone) {
  OpenPlaying();
  EXPECT_EQ(WaveSetSpeed(1500), 1);
  fake.results[MCIWNDM_SETSPEED] = MCIERR_UNSUPPORTED_FUNCTION;
  EXPECT_EQ(WaveSetSpeed(2000), 0);
  EXPECT_EQ(fake.received, (Seq{Msg(MCIWNDM_SETSPEED, 0, 1500), Msg(MCIWNDM_SETSPEED, 0, 2000)}));
}

TEST_F(WaveMessages, PositionSetsTheTimeFormatForGood) {
  OpenPlaying();
  fake.position = 321;
  fake.length = 999;
  EXPECT_EQ(WavePosition(1), 321);
  EXPECT_EQ(WaveGetLength(), 999);
  EXPECT_EQ(WavePosition(0), 321);
  EXPECT_EQ(fake.received, (Seq{Text(MCIWNDM_SETTIMEFORMATA, 0, "frames"), kGetPosition, Msg(MCIWNDM_GETLENGTH),
                                Text(MCIWNDM_SETTIMEFORMATA, 0, "ms"), kGetPosition}));
}

TEST_F(WaveMessages, PositionStringFillsAtMostFiftyBytes) {
  OpenPlaying();
  fake.position = 83;
  fake.positionText = "0:00:08:30";
  char buf[51];
  std::memset(buf, '#', sizeof buf);
  EXPECT_EQ(WavePositionString(buf), 83);
  EXPECT_EQ(fake.received, (Seq{Buffer(MCIWNDM_GETPOSITIONA, 49, "")}));
  EXPECT_STREQ(buf, "0:00:08:30");

  // A window that fills its whole scratch buffer without a zero still gives
  // a caller's buffer of exactly 50 bytes 49 characters and the zero.
  fake.overfillPosition = true;
  std::memset(buf, '#', sizeof buf);
  WavePositionString(buf);
  EXPECT_EQ(std::string(buf), std::string(49, '9'));
  EXPECT_EQ(buf[50], '#');
}

TEST_F(WaveMessages, LengthOfAFileAsTheFirstCallMakesAWindowWithoutParentThatPlayFileReuses) {
  fake.length = 4321;
  fake.createVisible = true;
  EXPECT_EQ(WaveGetLengthFile("a.wav"), 4321);
  ASSERT_EQ(fake.creates.size(), 1u);
  EXPECT_EQ(fake.creates[0].hWndParent, nullptr);
  EXPECT_EQ(fake.creates[0].dwStyle, 0xC20Du);
  EXPECT_EQ(fake.received, (Seq{Text(MCIWNDM_SETTIMEFORMATA, 0, "ms"), Msg(MCIWNDM_GETLENGTH), kGetDeviceId,
                                kWindowClose}));
  EXPECT_EQ(fake.directCloses, (std::vector<DirectClose>{kDirectClose7}));
  EXPECT_FALSE(::IsWindowVisible(Player().m_hWnd));
  // Window, closed.
  EXPECT_TRUE(Player().HasWindow());
  EXPECT_EQ(Player().m_bOpen, 0);

  fake.Clear();
  HostWindow host;
  EXPECT_EQ(WavePlayFile(host.h, "b.wav", 0, -1, TRUE), 1);
  EXPECT_TRUE(fake.creates.empty());
  EXPECT_EQ(fake.received, (Seq{Text(MCIWNDM_OPENA, 2, "b.wav"), Msg(MCI_PLAY)}));  // nothing was open
}

TEST_F(WaveMessages, LengthOfAFileWhilePlayingClosesThePlayback) {
  OpenPlaying();
  fake.length = 100;
  EXPECT_EQ(WaveGetLengthFile("b.wav"), 100);
  EXPECT_EQ(fake.received, (Seq{kGetDeviceId, kWindowClose, Text(MCIWNDM_OPENA, 2, "b.wav"),
                                Msg(MCIWNDM_GETLENGTH), kGetDeviceId, kWindowClose}));
  EXPECT_EQ(fake.directCloses.size(), 2u);
  EXPECT_EQ(Player().m_bOpen, 0);
}

TEST_F(WaveMessages, CloseTriesBothClosesAndReportsTheDirectOne) {
  OpenPlaying();
  fake.directCloseResult = MCIERR_HARDWARE;
  EXPECT_EQ(WaveClose(), 0);
  EXPECT_EQ(fake.received, (Seq{kGetDeviceId, kWindowClose}));
  EXPECT_EQ(fake.directCloses, (std::vector<DirectClose>{kDirectClose7}));
  EXPECT_EQ(Player().m_bOpen, 0);
  // Nothing open any more: no direct close, success.
  fake.Clear();
  EXPECT_EQ(WaveClose(), 1);
  EXPECT_EQ(fake.received, (Seq{kGetDeviceId, kWindowClose}));
  EXPECT_TRUE(fake.directCloses.empty());
  // A clean close succeeds, and so does one that finds the device already
  // closed by the window's own close (as the platform's window does).
  WavePlayFile(nullptr, "a.wav", 0, -1, FALSE);
  fake.directCloseResult = 0;
  EXPECT_EQ(WaveClose(), 1);
  WavePlayFile(nullptr, "a.wav", 0, -1, FALSE);
  fake.directCloseResult = MCIERR_INVALID_DEVICE_ID;
  EXPECT_EQ(WaveClose(), 1);
  EXPECT_EQ(fake.directCloses.size(), 2u);
}

TEST_F(WaveMessages, AfterCloseTheWindowStays) {
  OpenPlaying();
  ASSERT_EQ(WaveClose(), 1);
  fake.Clear();
  EXPECT_EQ(WavePlayFrom(100), 0);
  EXPECT_TRUE(fake.received.empty());
  EXPECT_EQ(WaveStop(), 1);
  EXPECT_EQ(fake.received, (Seq{Msg(MCI_STOP)}));
}

TEST_F(WaveMessages, PlayFromAnOpenFile) {
  OpenPlaying();
  EXPECT_EQ(WavePlayFrom(2500), 1);
  fake.results[MCIWNDM_PLAYFROM] = MCIERR_OUTOFRANGE;
  EXPECT_EQ(WavePlayFrom(-5), 0);
  EXPECT_EQ(fake.received, (Seq{Msg(MCIWNDM_PLAYFROM, 0, 2500), Msg(MCIWNDM_PLAYFROM, 0, LPARAM{-5})}));
}

TEST_F(WaveMessages, DeviceIdAndError) {
  OpenPlaying();
  EXPECT_EQ(WaveGetDeviceID(), 7u);
  fake.lastError = MCIERR_FILE_NOT_FOUND;
  fake.errorText = "The specified file was not found.";
  char buf[64];
  EXPECT_EQ(WaveGetError(buf, sizeof buf), DWORD{MCIERR_FILE_NOT_FOUND});
  EXPECT_STREQ(buf, fake.errorText.c_str());
  EXPECT_EQ(fake.received.back(), Buffer(MCIWNDM_GETERRORA, 64, ""));
}

TEST_F(WaveMessages, ErrorBufferOfOneOrNoByteIsNeverOverrun) {
  OpenPlaying();
  fake.lastError = MCIERR_FILE_NOT_FOUND;
  fake.errorText = "The specified file was not found.";
  char buf[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(WaveGetError(buf, 1), DWORD{MCIERR_FILE_NOT_FOUND});
  EXPECT_EQ(buf[0], '\0');
  EXPECT_EQ(buf[1], 'b');
  fake.Clear();
  std::memcpy(buf, "abcd", 4);
  EXPECT_EQ(WaveGetError(buf, 0), DWORD{MCIERR_FILE_NOT_FOUND});
  EXPECT_EQ(WaveGetError(buf, -1), DWORD{MCIERR_FILE_NOT_FOUND});
  EXPECT_EQ(std::string(buf, 4), "abcd");
  // The window is asked with no room at all, into the library's own memory.
  ASSERT_EQ(fake.received.size(), 2u);
  EXPECT_EQ(fake.received[0].wParam, 0u);
  EXPECT_EQ(fake.received[1].wParam, 0u);
}

TEST_F(WaveMessages, DestroyingTheHostWindowClosesTheDeviceAndTheNextPlayMakesANewWindow) {
  {
    HostWindow host;
    ASSERT_EQ(WavePlayFile(host.h, "a.wav", 0, -1, FALSE), 1);
    fake.Clear();
    ::DestroyWindow(host.h);
  }
  EXPECT_EQ(fake.received, (Seq{kGetDeviceId, kWindowClose}));
  EXPECT_EQ(fake.directCloses, (std::vector<DirectClose>{kDirectClose7}));
  EXPECT_EQ(Player().m_bOpen, 0);
  EXPECT_FALSE(Player().HasWindow());
  EXPECT_EQ(Player().m_hWnd, nullptr);
  // No window again: the controls refuse, and the next play makes a window.
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
  BOOL OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) override {
    ++notified;
    return TRUE;
  }
};
}  // namespace

TEST_F(WaveMessages, CommandsReachTheMciWindowFirstAndOnlyRealOnesAreRouted) {
  CRoutingProbe wnd;
  ASSERT_TRUE(wnd.Create(nullptr, 0xC208, "a.wav"));
  HostWindow other;
  HWND notAWindow = nullptr;
  for (UINT_PTR h = 0xFFFF; h > 0x100; --h) {
    if (!::IsWindow(reinterpret_cast<HWND>(h))) {
      notAWindow = reinterpret_cast<HWND>(h);
      break;
    }
  }
  ASSERT_NE(notAWindow, nullptr);
  fake.Clear();
  EXPECT_EQ(wnd.SendMessage(WM_COMMAND, MAKEWPARAM(0, 0), 0), 0);
  EXPECT_EQ(wnd.routed, 0);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(0, 0), reinterpret_cast<LPARAM>(other.h));
  EXPECT_EQ(wnd.routed, 0);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(5, 0), reinterpret_cast<LPARAM>(notAWindow));
  EXPECT_EQ(wnd.routed, 0);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(5, 0), 0);  // menu or accelerator
  EXPECT_EQ(wnd.routed, 1);
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(5, BN_CLICKED), reinterpret_cast<LPARAM>(other.h));
  EXPECT_EQ(wnd.routed, 2);
  EXPECT_EQ(fake.received.size(), 5u);  // every one went to the MCI window first
  ::DestroyWindow(wnd.m_hWnd);
}

TEST_F(WaveMessages, OwnerDrawMessagesGoToTheMciWindowNotToAControl) {
  OpenPlaying();
  HWND hCtl = ::CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_OWNERDRAW, 0, 0, 5, 5, Player().m_hWnd,
                                reinterpret_cast<HMENU>(77), nullptr, nullptr);
  CReflectionProbe ctl;
  ASSERT_TRUE(ctl.SubclassWindow(hCtl));
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = 77;
  dis.hwndItem = hCtl;
  fake.Clear();
  Player().SendMessage(WM_DRAWITEM, 77, reinterpret_cast<LPARAM>(&dis));
  DELETEITEMSTRUCT del{};
  del.CtlType = ODT_BUTTON;
  del.CtlID = 77;
  del.hwndItem = hCtl;
  Player().SendMessage(WM_DELETEITEM, 77, reinterpret_cast<LPARAM>(&del));
  EXPECT_EQ(ctl.notified, 0);
  ASSERT_EQ(fake.received.size(), 2u);
  EXPECT_EQ(fake.received[0].message, UINT{WM_DRAWITEM});
  EXPECT_EQ(fake.received[1].message, UINT{WM_DELETEITEM});
}

TEST_F(WaveMessages, DestroyingThePlayerClosesAStoppedDeviceAndLeavesTheWindowToItsOwnProcedure) {
  HWND hWnd = nullptr;
  {
    CWavePlayer player;
    ASSERT_TRUE(player.PlayFile(nullptr, "a.wav", 0, -1, FALSE));
    hWnd = player.m_hWnd;
    fake.Clear();
  }
  EXPECT_EQ(fake.received, (Seq{kGetMode, kGetDeviceId, kWindowClose}));
  EXPECT_EQ(fake.directCloses.size(), 1u);
  ASSERT_TRUE(::IsWindow(hWnd));
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
  // Messages now go straight to the MCI window's procedure.
  fake.Clear();
  ::SendMessageA(hWnd, MCI_STOP, 0, 0);
  EXPECT_EQ(fake.received, (Seq{Msg(MCI_STOP)}));
  ::DestroyWindow(hWnd);

  // A device that still plays is left to the window (closing it would wait
  // under the loader lock); a closed player sends nothing on the way out.
  {
    CWavePlayer player;
    ASSERT_TRUE(player.PlayFile(nullptr, "a.wav", 0, -1, FALSE));
    hWnd = player.m_hWnd;
    fake.mode = MCI_MODE_PLAY;
    fake.Clear();
  }
  EXPECT_EQ(fake.received, (Seq{kGetMode}));
  EXPECT_TRUE(fake.directCloses.empty());
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
  ::DestroyWindow(hWnd);
  {
    CWavePlayer player;
    player.GetFileLength("a.wav");
    hWnd = player.m_hWnd;
    fake.Clear();
  }
  EXPECT_TRUE(fake.received.empty());
  ::DestroyWindow(hWnd);
}
