// The playback exports as a host sees them: the platform's own MCI window on
// a file that the test writes. The prefix's sound device is a silent ALSA
// one, so playback really runs (faster than real time: positions are only
// compared, never pinned).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>

#include "wave/waveplayer.h"
#include "support/drives.h"
#include "vtksup.h"

namespace {

const char kFolder[] = "D:\\wave", kTone[] = "D:\\wave\\tone.wav", kNotAudio[] = "D:\\wave\\notaudio.wav";
constexpr LONG kLengthMs = 20000;

// 20 s of mono 8-bit PCM at 8000 samples a second, all silence.
std::string Wav() {
  const std::uint32_t samples = 8 * kLengthMs, riff = 36 + samples;
  std::string w("RIFF....WAVEfmt \x10\0\0\0\1\0\1\0\x40\x1F\0\0\x40\x1F\0\0\1\0\x08\0data....", 44);
  std::memcpy(&w[4], &riff, 4);
  std::memcpy(&w[40], &samples, 4);
  return w + std::string(samples, '\x80');
}

LONG Mode() {
  char text[50] = "";
  return static_cast<LONG>(ThePlayer().SendMessage(MCIWNDM_GETMODEA, 49, reinterpret_cast<LPARAM>(text)));
}
void DropPlayerWindow() {
  if (ThePlayer().HasWindow()) ::DestroyWindow(ThePlayer().m_hWnd);
}

class WavePlayback : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::RemoveTree(kFolder);
    test::MakeDir(kFolder);
    test::WriteFile(kTone, Wav());
    test::WriteFile(kNotAudio, std::string(4000, 'x'));
  }
  static void TearDownTestSuite() {
    DropPlayerWindow();
    test::RemoveTree(kFolder);
  }
  void TearDown() override { WaveClose(); }
};

}  // namespace

// Without a window controls refuse and queries answer 0 (texts empty); with
// the file closed only the calls that need an open file refuse.
TEST_F(WavePlayback, NoWindowAndClosedStates) {
  const struct { const char* name; long (*call)(); long noWindow, closed; } cases[] = {  // -1: not checked
      {"play from", [] { return long(WavePlayFrom(100)); }, 0, 0}, {"rewind", [] { return long(WaveRewind(9)); }, 0, 1},
      {"forward", [] { return long(WaveFastForward(9)); }, 0, 1}, {"pause", [] { return long(WavePause()); }, 0, -1},
      {"stop", [] { return long(WaveStop()); }, 0, 1}, {"volume", [] { return long(WaveSetVolume(500)); }, 0, -1},
      {"speed", [] { return long(WaveSetSpeed(500)); }, 0, -1}, {"length", [] { return WaveGetLength(); }, 0, 0},
      {"device", [] { return long(WaveGetDeviceID()); }, 0, 0}, {"close", [] { return long(WaveClose()); }, 1, 1},
  };
  for (bool windowMade : {true, false}) {
    DropPlayerWindow();
    if (windowMade) {
      ASSERT_EQ(WavePlayFile(nullptr, kTone, 0, -1, FALSE), 1);
      ASSERT_EQ(WaveClose(), 1);
    }
    for (const auto& c : cases) {
      const long expected = windowMade ? c.closed : c.noWindow;
      EXPECT_EQ(expected < 0 ? expected : c.call(), expected) << c.name << (windowMade ? ", closed" : ", no window");
      WaveStop();
    }
    EXPECT_EQ(ThePlayer().m_bOpen, 0);
  }
  char position[8] = "x", error[8] = "x";
  EXPECT_EQ(WavePositionString(position), 0);
  EXPECT_EQ(WaveGetError(error, sizeof error), 0u);
  EXPECT_EQ(std::string(position) + std::string(error), "");
}

TEST_F(WavePlayback, ARunThroughTheDevice) {
  EXPECT_EQ(std::pair(WaveGetLengthFile(kTone), ThePlayer().m_bOpen), std::pair(kLengthMs, 0));  // measuring leaves it closed
  ASSERT_EQ(WavePlayFile(nullptr, kTone, 2000, 10000, FALSE), 1);
  EXPECT_NE(WaveGetDeviceID(), 0u);
  EXPECT_EQ(WaveGetLength(), kLengthMs);
  for (const DWORD start = ::GetTickCount(); WavePosition(FALSE) <= 10200; ::Sleep(5)) {
    ASSERT_LT(::GetTickCount() - start, 5000u) << "playback does not advance";
    for (MSG msg; ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) ::DispatchMessageA(&msg);
  }
  char text[50];
  const LONG reported = WavePositionString(text);
  EXPECT_GT(std::atol(text), 10000);  // read before the number: never ahead of it
  EXPECT_LE(std::atol(text), reported);

  ASSERT_EQ(WavePause(), 1);
  EXPECT_NE(Mode(), MCI_MODE_PLAY);
  const LONG paused = WavePosition(FALSE);
  EXPECT_GE(paused, 8000);  // stepped back by 2 s
  EXPECT_LT(paused, reported);
  ASSERT_EQ(WavePause(), 1);  // resumes
  EXPECT_EQ(Mode(), MCI_MODE_PLAY);

  // Each move succeeds and lands before or past the paused position.
  const auto moved = [paused](int ok) { return std::to_string(ok) + (WavePosition(FALSE) < paused ? "<" : ">="); };
  std::string moves = moved(WaveRewind(5000));
  moves += moved(WaveFastForward(5000));
  EXPECT_EQ(moves + moved(WavePlayFrom(1000)), "1<1>=1<");
  EXPECT_EQ(WaveSetSpeed(1000), 1);
  ASSERT_EQ(WaveStop(), 1);
  EXPECT_EQ(Mode(), MCI_MODE_STOP);
  WaveSetVolume(1000);  // restarts playback
  EXPECT_EQ(Mode(), MCI_MODE_PLAY);
  EXPECT_EQ(WaveClose(), 1);
  EXPECT_EQ(WaveGetDeviceID(), 0u);
}

// The error code is answered at every size; only a positive size gets text.
TEST_F(WavePlayback, FilesThatDoNotPlayFailAndTheErrorStaysInItsBuffer) {
  for (const char* file : {"D:\\wave\\missing.wav", kNotAudio, ""}) {
    SCOPED_TRACE(file);
    char text[256] = "";
    const int played = WavePlayFile(nullptr, file, 0, -1, FALSE);
    EXPECT_EQ((std::tuple{played, WaveGetError(text, sizeof text) != 0, text[0] != 0, WaveGetLengthFile(file), WaveGetDeviceID()}),
              std::tuple(0, true, true, 0L, 0u));
  }
  const DWORD code = WaveGetError(nullptr, 0);
  for (int size : {1, 0, -1}) {
    char small[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(WaveGetError(small, size), code) << size;
    EXPECT_EQ(std::string(small, 4), size == 1 ? std::string("\0bcd", 4) : "abcd") << size;
  }
  EXPECT_EQ(WavePlayFile(nullptr, kTone, 0, -1, FALSE), 1);  // the player still works
}

namespace {
// A window that writes 50 bytes of double-byte characters, without a zero,
// into the position text whatever size it is given.
LRESULT CALLBACK OverfillingProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != MCIWNDM_GETPOSITIONA || !lParam) return ::DefWindowProcA(h, message, wParam, lParam);
  for (int i = 0; i < 50; i += 2) std::memcpy(reinterpret_cast<char*>(lParam) + i, "\x82\xA0", 2);
  return 83;
}
HWND WINAPIV CreateOverfilling(HWND, HINSTANCE, DWORD, LPCSTR) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = OverfillingProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "OverfillingMci";
  ::RegisterClassA(&wc);
  return ::CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
}
}  // namespace

// The caller's 50 bytes get at most 49 and the zero, cut on a character.
TEST_F(WavePlayback, ThePositionTextStaysInFiftyBytes) {
  DropPlayerWindow();
  const vtk::MciWndCreateFn platform = std::exchange(vtk::g_pfnMciWndCreate, &CreateOverfilling);
  const int played = WavePlayFile(nullptr, kTone, 0, -1, FALSE);
  vtk::g_pfnMciWndCreate = platform;
  ASSERT_EQ(played, 1);
  char buf[64];
  std::memset(buf, '#', sizeof buf);
  EXPECT_EQ(WavePositionString(buf), 83);
  std::string expected;
  for (int i = 0; i < 24; ++i) expected += "\x82\xA0";
  EXPECT_EQ(std::string(buf, sizeof buf), expected + '\0' + std::string(15, '#'));
  DropPlayerWindow();
}

TEST_F(WavePlayback, DestroyingTheHostWindowClosesTheDeviceAndTheNextPlayMakesANewWindow) {
  DropPlayerWindow();
  HWND host = ::CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_EQ(WavePlayFile(host, kTone, 0, -1, FALSE), 1);
  HWND first = ThePlayer().m_hWnd;
  EXPECT_EQ(::GetWindow(first, GW_OWNER), host);
  ::DestroyWindow(host);
  EXPECT_FALSE(::IsWindow(first));
  EXPECT_EQ(ThePlayer().m_bOpen, 0);
  EXPECT_EQ(WavePause(), 0);
  ASSERT_EQ(WavePlayFile(nullptr, kTone, 0, -1, FALSE), 1);
  EXPECT_NE(WaveGetDeviceID(), 0u);
}

// The library, loaded as a DLL, plays the file and is unloaded: a stopped
// device is closed; one that still plays is left to its window (nothing may
// wait under the loader lock). Either way the window stays and works.
TEST_F(WavePlayback, UnloadingTheLibraryLeavesAWorkingWindow) {
  for (const bool stopFirst : {true, false}) {
    SCOPED_TRACE(stopFirst ? "stopped" : "playing");
    HMODULE dll = ::LoadLibraryA("VTKSUP.dll");
    ASSERT_NE(dll, nullptr);
    auto proc = [dll](const char* name) { return reinterpret_cast<void*>(::GetProcAddress(dll, name)); };
    ASSERT_EQ(reinterpret_cast<decltype(&WavePlayFile)>(proc("WavePlayFile"))(nullptr, kTone, 0, -1, FALSE), 1);
    if (stopFirst) reinterpret_cast<decltype(&WaveStop)>(proc("WaveStop"))();
    HWND left = ::FindWindowExA(nullptr, nullptr, "MCIWndClass", nullptr);
    const DWORD thread = ::GetCurrentThreadId();
    while (left && (left == ThePlayer().m_hWnd || ::GetWindowThreadProcessId(left, nullptr) != thread))
      left = ::FindWindowExA(nullptr, left, "MCIWndClass", nullptr);
    ASSERT_NE(left, nullptr);
    ASSERT_NE(::SendMessageA(left, MCIWNDM_GETDEVICEID, 0, 0), 0);
    ASSERT_TRUE(::FreeLibrary(dll));
    ASSERT_TRUE(::IsWindow(left));  // answers through its own procedure
    EXPECT_EQ(::SendMessageA(left, MCIWNDM_GETDEVICEID, 0, 0) != 0, !stopFirst);
    ::SendMessageA(left, MCI_STOP, 0, 0);
    ::DestroyWindow(left);  // the window closes a device it still has
  }
}
