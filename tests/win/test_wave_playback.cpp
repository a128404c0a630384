// The playback exports with the platform's own MCI window and a real WAV file
// that the test writes: the prefix's sound device is a silent ALSA one, so
// playback really runs (faster than real time, which is why exact positions
// are left to the message-sequence tests).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <string>
#include <vector>

#include "frame/vtksupapp.h"
#include "support/drives.h"
#include "vtksup.h"

namespace {

const char kFolder[] = "D:\\wave";
const char kTone[] = "D:\\wave\\tone.wav";
const char kMissing[] = "D:\\wave\\missing.wav";
const char kNotAudio[] = "D:\\wave\\notaudio.wav";
constexpr int kSeconds = 20;
constexpr LONG kLengthMs = kSeconds * 1000;

void PutLE(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A mono 8-bit PCM tone of 440 Hz at 8000 samples a second.
std::string ToneWav(int seconds) {
  constexpr std::uint32_t rate = 8000;
  const std::uint32_t samples = rate * static_cast<std::uint32_t>(seconds);
  std::string w = "RIFF";
  PutLE(w, 36 + samples, 4);
  w += "WAVEfmt ";
  PutLE(w, 16, 4);
  PutLE(w, 1, 2);  // PCM
  PutLE(w, 1, 2);  // mono
  PutLE(w, rate, 4);
  PutLE(w, rate, 4);  // bytes a second
  PutLE(w, 1, 2);     // block align
  PutLE(w, 8, 2);     // bits
  w += "data";
  PutLE(w, samples, 4);
  for (std::uint32_t i = 0; i < samples; ++i)
    w.push_back(static_cast<char>(128 + 60 * std::sin(2 * 3.14159265 * 440 * i / rate)));
  return w;
}

void PumpFor(DWORD ms) {
  const DWORD start = ::GetTickCount();
  MSG msg;
  while (::GetTickCount() - start < ms) {
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(5);
  }
}

// Pumps messages until `done` holds or `ms` have passed.
template <class Pred>
bool PumpUntil(Pred done, DWORD ms) {
  const DWORD start = ::GetTickCount();
  while (!done()) {
    if (::GetTickCount() - start > ms) return false;
    PumpFor(10);
  }
  return true;
}

LONG Mode() {
  char text[50] = "";
  return static_cast<LONG>(theApp.m_player.SendMessage(MCIWNDM_GETMODEA, 49, reinterpret_cast<LPARAM>(text)));
}

struct HostWindow {
  HWND h = ::CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ~HostWindow() {
    if (::IsWindow(h)) ::DestroyWindow(h);
  }
};

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
  HostWindow host;
  ASSERT_EQ(WavePlayFile(host.h, kTone, 0, -1, FALSE), 1);
  EXPECT_EQ(theApp.m_player.m_bOpen, 1);
  EXPECT_NE(WaveGetDeviceID(), 0u);
  EXPECT_EQ(WaveGetLength(), kLengthMs);
  EXPECT_EQ(Mode(), MCI_MODE_PLAY);
  ASSERT_TRUE(PumpUntil([] { return WavePosition(FALSE) > 200; }, 5000)) << "playback does not advance";

  char text[50];
  const LONG reported = WavePositionString(text);
  EXPECT_GT(reported, 0);
  EXPECT_GT(std::strlen(text), 0u);
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

TEST_F(WavePlayback, PauseStepsBackAndWindingMovesThePosition) {
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
}

TEST_F(WavePlayback, VolumeStartsAStoppedDevice) {
  ASSERT_EQ(WavePlayFile(nullptr, kTone, 0, -1, FALSE), 1);
  ASSERT_EQ(WaveStop(), 1);
  EXPECT_NE(Mode(), MCI_MODE_PLAY);
  WaveSetVolume(1000);
  EXPECT_EQ(Mode(), MCI_MODE_PLAY);
}

TEST_F(WavePlayback, AMissingFileFailsAndTheErrorTellsWhy) {
  EXPECT_EQ(WavePlayFile(nullptr, kMissing, 0, -1, FALSE), 0);
  char text[256] = "";
  const DWORD code = WaveGetError(text, sizeof text);
  EXPECT_NE(code, 0u);
  EXPECT_GT(std::strlen(text), 0u);
  EXPECT_EQ(WaveGetLengthFile(kMissing), 0);
  EXPECT_EQ(WaveGetDeviceID(), 0u);

  // Buffers of one byte and of none.
  WavePlayFile(nullptr, kMissing, 0, -1, FALSE);
  char small[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(WaveGetError(small, 1), code);
  EXPECT_EQ(std::string(small, 4), std::string("\0bcd", 4));
  std::memcpy(small, "abcd", 4);
  EXPECT_EQ(WaveGetError(small, 0), code);
  EXPECT_EQ(std::string(small, 4), "abcd");
  // The platform's window itself writes nothing for a size of 0 either.
  EXPECT_EQ(static_cast<DWORD>(
                theApp.m_player.SendMessage(MCIWNDM_GETERRORA, 0, reinterpret_cast<LPARAM>(small))),
            code);
  EXPECT_EQ(std::string(small, 4), "abcd");
}

TEST_F(WavePlayback, AFileThatIsNotAudioOrAnEmptyNameDoesNotPlay) {
  EXPECT_EQ(WavePlayFile(nullptr, kNotAudio, 0, -1, FALSE), 0);
  char text[256] = "";
  EXPECT_NE(WaveGetError(text, sizeof text), 0u);
  EXPECT_EQ(WaveGetLengthFile(kNotAudio), 0);
  EXPECT_EQ(WavePlayFile(nullptr, "", 0, -1, FALSE), 0);
  EXPECT_EQ(WaveGetLengthFile(""), 0);
  // The player still works afterwards.
  EXPECT_EQ(WavePlayFile(nullptr, kTone, 0, -1, FALSE), 1);
}

TEST_F(WavePlayback, DestroyingTheHostWindowClosesTheDeviceAndTheNextPlayMakesANewWindow) {
  if (theApp.m_player.HasWindow()) ::DestroyWindow(theApp.m_player.m_hWnd);
  HWND first = nullptr;
  {
    HostWindow host;
    ASSERT_EQ(WavePlayFile(host.h, kTone, 0, -1, FALSE), 1);
    first = theApp.m_player.m_hWnd;
    EXPECT_EQ(::GetWindow(first, GW_OWNER), host.h);
  }
  EXPECT_FALSE(::IsWindow(first));
  EXPECT_FALSE(theApp.m_player.HasWindow());
  EXPECT_EQ(theApp.m_player.m_bOpen, 0);
  EXPECT_EQ(WaveGetDeviceID(), 0u);
  EXPECT_EQ(WavePause(), 0);
  ASSERT_EQ(WavePlayFile(nullptr, kTone, 0, -1, FALSE), 1);
  EXPECT_TRUE(theApp.m_player.HasWindow());
  EXPECT_NE(WaveGetDeviceID(), 0u);
}

namespace {
std::vector<HWND> MciWindowsOfThisThread() {
  std::vector<HWND> found;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND h, LPARAM p) -> BOOL {
        char cls[64] = "";
        ::GetClassNameA(h, cls, sizeof cls);
        if (std::string(cls) == "MCIWndClass") reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}
}  // namespace

namespace {
// Loads the DLL, plays the tone through it and returns the MCI window that
// the play made.
HWND PlayThroughTheDll(HMODULE dll) {
  const std::vector<HWND> before = MciWindowsOfThisThread();
  auto play = reinterpret_cast<decltype(&WavePlayFile)>(reinterpret_cast<void*>(::GetProcAddress(dll, "WavePlayFile")));
  if (play(nullptr, kTone, 0, -1, FALSE) != 1) return nullptr;
  for (HWND h : MciWindowsOfThisThread()) {
    if (std::find(before.begin(), before.end(), h) == before.end()) return h;
  }
  return nullptr;
}
}  // namespace

TEST_F(WavePlayback, UnloadingTheLibraryClosesAStoppedDeviceAndLeavesAWorkingWindow) {
  HMODULE dll = ::LoadLibraryA("VTKSUP.dll");
  ASSERT_NE(dll, nullptr);
  HWND left = PlayThroughTheDll(dll);
  ASSERT_NE(left, nullptr);
  reinterpret_cast<decltype(&WaveStop)>(reinterpret_cast<void*>(::GetProcAddress(dll, "WaveStop")))();
  ASSERT_NE(::SendMessageA(left, MCIWNDM_GETDEVICEID, 0, 0), 0);
  ASSERT_TRUE(::FreeLibrary(dll));
  // The window stays, answers through its own procedure, and has no device.
  ASSERT_TRUE(::IsWindow(left));
  EXPECT_EQ(::SendMessageA(left, MCIWNDM_GETDEVICEID, 0, 0), 0);
  ::DestroyWindow(left);
}

TEST_F(WavePlayback, UnloadingTheLibraryWhilePlayingLeavesTheDeviceToItsWindow) {
  HMODULE dll = ::LoadLibraryA("VTKSUP.dll");
  ASSERT_NE(dll, nullptr);
  HWND left = PlayThroughTheDll(dll);
  ASSERT_NE(left, nullptr);
  ASSERT_TRUE(::FreeLibrary(dll));  // returns: nothing waits under the loader lock
  ASSERT_TRUE(::IsWindow(left));
  EXPECT_NE(::SendMessageA(left, MCIWNDM_GETDEVICEID, 0, 0), 0);
  ::SendMessageA(left, MCI_STOP, 0, 0);
  ::DestroyWindow(left);  // the window closes its device itself
}
