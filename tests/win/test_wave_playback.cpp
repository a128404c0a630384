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

#include "support/bad_calls.h"
#include "support/drives.h"
#include "vtksup.h"
#include "wave/waveplayer.h"

using test::HostArgs;

namespace {

const char kTone[] = "D:\\wave\\tone.wav";

void DropPlayerWindow() {
  if (ThePlayer().HasWindow()) ::DestroyWindow(ThePlayer().m_hWnd);
}

class WavePlayback : public testing::Test {
 protected:
  // 20 s of mono 8-bit PCM at 8000 samples a second, all silence.
  static void SetUpTestSuite() {
    test::RemoveTree("D:\\wave");
    test::MakeDir("D:\\wave");
    const std::uint32_t samples = 160000, riff = 36 + samples;
    std::string w("RIFF....WAVEfmt \x10\0\0\0\1\0\1\0\x40\x1F\0\0\x40\x1F\0\0\1\0\x08\0data....", 44);
    std::memcpy(&w[4], &riff, 4);
    std::memcpy(&w[40], &samples, 4);
    test::WriteFile(kTone, w + std::string(samples, '\x80'));
  }
  static void TearDownTestSuite() {
    DropPlayerWindow();
    test::RemoveTree("D:\\wave");
  }
  void TearDown() override { WaveClose(); }
};

}  // namespace

TEST_F(WavePlayback, ARunThroughTheDevice) {
  EXPECT_EQ(WaveGetLengthFile(kTone), 20000);
  ASSERT_EQ(WavePlayFile(nullptr, kTone, 2000, 10000, FALSE), 1);
  for (const DWORD start = ::GetTickCount(); WavePosition(FALSE) <= 10200; ::Sleep(5)) {
    ASSERT_LT(::GetTickCount() - start, 5000u) << "playback does not advance";
    for (MSG msg; ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) ::DispatchMessageA(&msg);
  }
  char text[50];
  const LONG reported = WavePositionString(text);
  EXPECT_GT(std::atol(text), 10000);  // read before the number: never ahead of it
  EXPECT_LE(std::atol(text), reported);
  ASSERT_EQ(WavePause(), 1);
  const LONG paused = WavePosition(FALSE);
  EXPECT_GE(paused, 8000);  // stepped back by 2 s
  EXPECT_LT(paused, reported);
  // Each move succeeds and lands before or past the paused position.
  const auto moved = [paused](int ok) { return std::to_string(ok) + (WavePosition(FALSE) < paused ? "<" : ">="); };
  std::string moves = moved(WaveRewind(5000));
  EXPECT_EQ(moves + moved(WaveFastForward(5000)), "1<1>=");
  EXPECT_EQ(WaveClose(), 1);
  EXPECT_EQ(WaveGetDeviceID(), 0u);
}

// The host's window going takes the player's window and the device with it;
// the next play makes a new window.
TEST_F(WavePlayback, TheHostsWindowGoingClosesTheDevice) {
  DropPlayerWindow();
  HWND host = ::CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_EQ(WavePlayFile(host, kTone, 0, -1, FALSE), 1);
  HWND first = ThePlayer().m_hWnd;
  ::DestroyWindow(host);
  EXPECT_EQ(std::tuple(::IsWindow(first), ThePlayer().m_bOpen, WavePause()), std::tuple(FALSE, 0, 0));
  EXPECT_EQ(WavePlayFile(nullptr, kTone, 0, -1, FALSE), 1);
}

// The error code is answered at every size; only a positive size gets text.
TEST_F(WavePlayback, AFileThatDoesNotPlayFailsAndTheErrorStaysInItsBuffer) {
  char text[256] = "";
  EXPECT_EQ(WavePlayFile(nullptr, "D:\\wave\\missing.wav", 0, -1, FALSE), 0);
  const DWORD code = WaveGetError(text, sizeof text);
  EXPECT_TRUE(code && text[0]);
  for (int size : {1, 0, -1}) {
    char small[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(WaveGetError(small, size), code) << size;
    EXPECT_EQ(std::string(small, 4), size == 1 ? std::string("\0bcd", 4) : "abcd") << size;
  }
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
  vtk::TheWavePlatform().mciWndCreate = &CreateOverfilling;
  const int played = WavePlayFile(nullptr, kTone, 0, -1, FALSE);
  vtk::TheWavePlatform() = {};
  ASSERT_EQ(played, 1);
  char buf[64];
  std::memset(buf, '#', sizeof buf);
  EXPECT_EQ(WavePositionString(buf), 83);
  std::string expected;
  for (int i = 0; i < 24; ++i) expected += "\x82\xA0";
  EXPECT_EQ(std::string(buf, sizeof buf), expected + '\0' + std::string(15, '#'));
  DropPlayerWindow();
}

// A file name that is null or not a whole path plays and measures nothing and
// makes no player window; a null text buffer gets 0, the answer without a
// file, not what the window holds (a position of 83, an error code).
TEST(WaveBadInput, FailsAtOnce) {
  test::RunBadCalls({
      {"WavePlayFile", [](HostArgs& a) { return long(WavePlayFile(nullptr, a.Path(2), 0, -1, FALSE)); }, {2}, {2}},
      {"WaveGetLengthFile", [](HostArgs& a) { return WaveGetLengthFile(a.Path(1)); }, {1}, {1}},
      {"WavePositionString", [](HostArgs&) { return WavePositionString(nullptr); }, {}, {}, 0,
       [] {
         vtk::TheWavePlatform().mciWndCreate = &CreateOverfilling;
         ASSERT_EQ(WavePlayFile(nullptr, kTone, 0, -1, FALSE), 1);
         vtk::TheWavePlatform() = {};
       }},
      {"WaveGetError", [](HostArgs&) { return long(WaveGetError(nullptr, 64)); }, {}, {}, 0,
       [] { ASSERT_EQ(WavePlayFile(nullptr, "D:\\wave\\missing.wav", 0, -1, FALSE), 0); }},
  });
}
