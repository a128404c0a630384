// The playback exports with the platform's own MCI window and a real WAV file
// that the test writes: the prefix's sound device is a silent ALSA one, so
// playback really runs (faster than real time, which is why exact positions
// are left to the message-sequence tests).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "frame/vtksupapp.h"
#include "support/drives.h"
#include "support/fake_mciwnd.h"
#include "vtksup.h"

namespace {

const char kFolder[] = "D:\\wave";
const char kTone[] = "D:\\wave\\tone.wav";
const char kMissing[] = "D:\\wave\\missing.wav";
const char kNotAudio[] = "D:\\wave\\notaudio.wav";
constexpr int kSeconds = 20;
constexpr LONG kLengthMs = kSeconds * 1000;

// A mono 8-bit PCM tone of 440 Hz at 8000 samples a second.
std::string ToneWav(int seconds) {
  constexpr std::uint32_t rate = 8000;
  const std::uint32_t samples = rate * static_cast<std::uint32_t>(seconds);
  std::string w;
  auto put = [&w](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) w.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  w += "RIFF";
  put(36 + samples, 4);
  w += "WAVEfmt ";
  // Chunk size, PCM, mono, samples and bytes a second, block align, bits.
  for (auto [value, bytes] : {std::pair{16u, 4}, {1u, 2}, {1u, 2}, {rate, 4}, {rate, 4}, {1u, 2}, {8u, 2}})
    put(value, bytes);
  w += "data";
  put(samples, 4);
  for (std::uint32_t i = 0; i < samples; ++i)
    w.push_back(static_cast<char>(128 + 60 * std::sin(2 * 3.14159265 * 440 * i / rate)));
  return w;
}

// Pumps messages until `done` holds or `ms` have passed.
template <class Pred>
bool PumpUntil(Pred done, DWORD ms) {
  const DWORD start = ::GetTickCount();
  MSG msg;
  while (!done()) {
    if (::GetTickCount() - start > ms) return false;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    ::Sleep(5);
  }
  return true;
}
void PumpFor(DWORD ms) { PumpUntil([] { return false; }, ms); }

LONG Mode() {
  char text[50] = "";
  return static_cast<LONG>(theApp.m_player.SendMessage(MCIWNDM_GETMODEA, 49, reinterpret_cast<LPARAM>(text)));
}

class WavePlayback : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::RemoveTree(kFolder);
    test::MakeDir(kFolder);
    test::WriteFile(kTone, ToneWav(kSeconds));
    test::WriteFile(kNotAudio, std::string(4000, 'x'));
  }
  static void TearDownTestSuite() {
    if (theApp.m_player.HasWindow()) ::DestroyWindow(theApp.m_player.m_hWnd);
    test::RemoveTree(kFolder);
  }
  void TearDown() override { WaveClose(); }
};

}  // namespace

TEST_F(WavePlayback, LengthOfAFileInMilliseconds) {
  EXPECT_EQ(WaveGetLengthFile(kTone), kLengthMs);
  EXPECT_TRUE(theApp.m_player.HasWindow());
  EXPECT_EQ(theApp.m_player.m_bOpen, 0);
  EXPECT_EQ(WaveGetDeviceID(), 0u);
  EXPECT_EQ(WaveGetLengthFile(kTone), kLengthMs);  // through the same window
}

TEST_F(WavePlayback, PlayPauseResumeStopAndClose) {
  test::HostWindow host;
  ASSERT_EQ(WavePlayFile(host.h, kTone, 0, -1, FALSE), 1);
  EXPECT_NE(WaveGetDeviceID(), 0u);
  EXPECT_EQ(WaveGetLength(), kLengthMs);
  EXPECT_EQ(Mode(), MCI_MODE_PLAY);
  ASSERT_TRUE(PumpUntil([] { return WavePosition(FALSE) > 200; }, 5000)) << "playback does not advance";

  char text[50];
  const LONG reported = WavePositionString(text);
  // The window reads the text first, so it is never ahead of the result.
  EXPECT_GT(std::atol(text), 0);
  EXPECT_LE(std::atol(text), reported);

  ASSERT_EQ(WavePause(), 1);
  EXPECT_NE(Mode(), MCI_MODE_PLAY);  // the seek back leaves the device stopped
  const LONG paused = WavePosition(FALSE);
  PumpFor(300);
  EXPECT_EQ(WavePosition(FALSE), paused);

  ASSERT_EQ(WavePause(), 1);  // resumes
  EXPECT_EQ(Mode(), MCI_MODE_PLAY);
  EXPECT_TRUE(PumpUntil([&] { return WavePosition(FALSE) > paused; }, 5000));

  EXPECT_EQ(WaveStop(), 1);
  EXPECT_EQ(Mode(), MCI_MODE_STOP);
  EXPECT_EQ(WaveClose(), 1);
  EXPECT_EQ(WaveGetDeviceID(), 0u);
  EXPECT_EQ(theApp.m_player.m_bOpen, 0);
  EXPECT_TRUE(theApp.m_player.HasWindow());
}

TEST_F(WavePlayback, PauseStepsBackWindingMovesThePositionAndVolumeRestarts) {
  ASSERT_EQ(WavePlayFile(nullptr, kTone, 2000, 10000, FALSE), 1);
  ASSERT_EQ(WavePause(), 1);
  const LONG paused = WavePosition(FALSE);
  EXPECT_GE(paused, 8000);
  EXPECT_LT(paused, 10000 + 3000);  // stepped back from where it was

  ASSERT_EQ(WaveRewind(5000), 1);  // plays again
  EXPECT_EQ(Mode(), MCI_MODE_PLAY);
  EXPECT_LT(WavePosition(FALSE), paused);
  ASSERT_EQ(WaveFastForward(5000), 1);
  EXPECT_GE(WavePosition(FALSE), paused);
  EXPECT_EQ(WavePlayFrom(1000), 1);
  EXPECT_LT(WavePosition(FALSE), paused);
  EXPECT_EQ(WaveSetSpeed(1000), 1);

  ASSERT_EQ(WaveStop(), 1);
  EXPECT_NE(Mode(), MCI_MODE_PLAY);
  WaveSetVolume(1000);
  EXPECT_EQ(Mode(), MCI_MODE_PLAY);
}

TEST_F(WavePlayback, AMissingFileAFileThatIsNotAudioOrAnEmptyNameFailsAndTheErrorTellsWhy) {
  for (const char* file : {kMissing, kNotAudio, ""}) {
    SCOPED_TRACE(file);
    EXPECT_EQ(WavePlayFile(nullptr, file, 0, -1, FALSE), 0);
    char text[256] = "";
    EXPECT_NE(WaveGetError(text, sizeof text), 0u);
    EXPECT_GT(std::strlen(text), 0u);
    EXPECT_EQ(WaveGetLengthFile(file), 0);
    EXPECT_EQ(WaveGetDeviceID(), 0u);
  }
  // Error buffers of one byte and of none.
  WavePlayFile(nullptr, kMissing, 0, -1, FALSE);
  const DWORD code = WaveGetError(nullptr, 0);
  EXPECT_NE(code, 0u);
  char small[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(WaveGetError(small, 1), code);
  EXPECT_EQ(std::string(small, 4), std::string("\0bcd", 4));
  std::memcpy(small, "abcd", 4);
  EXPECT_EQ(WaveGetError(small, 0), code);
  EXPECT_EQ(std::string(small, 4), "abcd");
  // The platform's window itself writes nothing for a size of 0 either.
  EXPECT_EQ(DWORD(theApp.m_player.SendMessage(MCIWNDM_GETERRORA, 0, reinterpret_cast<LPARAM>(small))), code);
  EXPECT_EQ(std::string(small, 4), "abcd");
  EXPECT_EQ(WavePlayFile(nullptr, kTone, 0, -1, FALSE), 1);  // the player still works
}

TEST_F(WavePlayback, DestroyingTheHostWindowClosesTheDeviceAndTheNextPlayMakesANewWindow) {
  if (theApp.m_player.HasWindow()) ::DestroyWindow(theApp.m_player.m_hWnd);
  HWND first = nullptr;
  {
    test::HostWindow host;
    ASSERT_EQ(WavePlayFile(host.h, kTone, 0, -1, FALSE), 1);
    first = theApp.m_player.m_hWnd;
    EXPECT_EQ(::GetWindow(first, GW_OWNER), host.h);
  }
  EXPECT_FALSE(::IsWindow(first));
  EXPECT_FALSE(theApp.m_player.HasWindow());
  EXPECT_EQ(theApp.m_player.m_bOpen, 0);
  EXPECT_EQ(WavePause(), 0);
  ASSERT_EQ(WavePlayFile(nullptr, kTone, 0, -1, FALSE), 1);
  EXPECT_NE(WaveGetDeviceID(), 0u);
}

// The library, loaded as a DLL, plays the tone and is unloaded: a stopped
// device is closed; one that still plays is left to its window (nothing may
// wait under the loader lock). Either way the window stays and works.
TEST_F(WavePlayback, UnloadingTheLibraryLeavesAWorkingWindow) {
  for (const bool stopFirst : {true, false}) {
    SCOPED_TRACE(stopFirst ? "stopped" : "playing");
    std::vector<HWND> before;
    auto collect = [](HWND h, LPARAM p) CALLBACK -> BOOL {
      char cls[64] = "";
      ::GetClassNameA(h, cls, sizeof cls);
      if (std::string(cls) == "MCIWndClass") reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
      return TRUE;
    };
    ::EnumThreadWindows(::GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&before));
    HMODULE dll = ::LoadLibraryA("VTKSUP.dll");
    ASSERT_NE(dll, nullptr);
    auto* play =
        reinterpret_cast<decltype(&WavePlayFile)>(reinterpret_cast<void*>(::GetProcAddress(dll, "WavePlayFile")));
    auto* stop = reinterpret_cast<decltype(&WaveStop)>(reinterpret_cast<void*>(::GetProcAddress(dll, "WaveStop")));
    ASSERT_EQ(play(nullptr, kTone, 0, -1, FALSE), 1);
    if (stopFirst) stop();
    std::vector<HWND> after;
    ::EnumThreadWindows(::GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&after));
    HWND left = nullptr;
    for (HWND h : after)
      if (std::find(before.begin(), before.end(), h) == before.end()) left = h;
    ASSERT_NE(left, nullptr);
    ASSERT_NE(::SendMessageA(left, MCIWNDM_GETDEVICEID, 0, 0), 0);
    ASSERT_TRUE(::FreeLibrary(dll));
    ASSERT_TRUE(::IsWindow(left));  // answers through its own procedure
    EXPECT_EQ(::SendMessageA(left, MCIWNDM_GETDEVICEID, 0, 0) != 0, !stopFirst);
    ::SendMessageA(left, MCI_STOP, 0, 0);
    ::DestroyWindow(left);  // the window closes a device it still has
  }
}
