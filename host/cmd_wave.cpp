// Playback from the command line: plays, pauses, resumes, winds, stops and
// measures a sound file through the Wave exports. Between steps the host
// pumps its messages for a while, as a host's message loop would while the
// device plays.
#include <string>

#include "host/hostcommands.h"
#include "vtksup.h"

namespace {

struct WaveExports {
  explicit WaveExports(HMODULE dll)
      : playFile(host::ExportAs<PFN_WavePlayFile>(dll, "WavePlayFile")),
        pause(host::ExportAs<PFN_WavePause>(dll, "WavePause")),
        stop(host::ExportAs<PFN_WaveStop>(dll, "WaveStop")),
        rewind(host::ExportAs<PFN_WaveRewind>(dll, "WaveRewind")),
        fastForward(host::ExportAs<PFN_WaveFastForward>(dll, "WaveFastForward")),
        position(host::ExportAs<PFN_WavePosition>(dll, "WavePosition")),
        positionString(host::ExportAs<PFN_WavePositionString>(dll, "WavePositionString")),
        length(host::ExportAs<PFN_WaveGetLength>(dll, "WaveGetLength")),
        close(host::ExportAs<PFN_WaveClose>(dll, "WaveClose")),
        getError(host::ExportAs<PFN_WaveGetError>(dll, "WaveGetError")) {}
  PFN_WavePlayFile playFile;
  PFN_WavePause pause;
  PFN_WaveStop stop;
  PFN_WaveRewind rewind;
  PFN_WaveFastForward fastForward;
  PFN_WavePosition position;
  PFN_WavePositionString positionString;
  PFN_WaveGetLength length;
  PFN_WaveClose close;
  PFN_WaveGetError getError;

  void PrintPosition(const std::string& key) const {
    char text[50] = "";
    const LONG value = positionString(text);
    host::Print(key, std::to_string(value) + " (" + text + ")");
  }
  // Plays `file`; on failure prints the MCI error and returns false.
  bool Start(const std::string& file, LONG from) const {
    const int started = playFile(nullptr, file.c_str(), 0, from, FALSE);
    host::Print("play", started);
    if (started) return true;
    char text[256] = "";
    const DWORD code = getError(text, sizeof text);
    host::Print("error", code);
    host::Print("errorText", text);
    close();
    return false;
  }
  void Finish() const {
    host::Print("stop", stop());
    host::Print("close", close());
  }
};

void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < ms) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  }
}

// Wave play FILE [MS]: plays for MS milliseconds (1000 unless given), pauses,
// resumes for as long again, then stops and closes.
int RunWavePlay(HMODULE dll, const host::Args& args) {
  if (args.size() < 2 || args.size() > 3) return 2;
  const WaveExports wave(dll);
  const DWORD ms = args.size() == 3 ? static_cast<DWORD>(host::ToInt(args[2])) : 1000;
  if (!wave.Start(args[1], -1)) return 1;
  host::Print("length", wave.length());
  PumpFor(ms);
  wave.PrintPosition("playing");
  host::Print("pause", wave.pause());
  wave.PrintPosition("paused");
  PumpFor(ms / 4);
  wave.PrintPosition("stillPaused");
  host::Print("resume", wave.pause());
  PumpFor(ms);
  wave.PrintPosition("resumed");
  wave.Finish();
  return 0;
}

// Wave wind FILE FROM STEP: plays from FROM, rewinds by STEP, then winds
// forward by STEP twice.
int RunWaveWind(HMODULE dll, const host::Args& args) {
  if (args.size() != 4) return 2;
  const WaveExports wave(dll);
  if (!wave.Start(args[1], host::ToInt(args[2]))) return 1;
  const LONG step = host::ToInt(args[3]);
  wave.PrintPosition("start");
  host::Print("rewind", wave.rewind(step));
  wave.PrintPosition("rewound");
  host::Print("fastForward", wave.fastForward(step));
  host::Print("fastForward", wave.fastForward(step));
  wave.PrintPosition("forward");
  wave.Finish();
  return 0;
}

int RunWave(HMODULE dll, const host::Args& args) {
  if (args.empty()) return 2;
  if (args[0] == "play") return RunWavePlay(dll, args);
  if (args[0] == "wind") return RunWaveWind(dll, args);
  return 2;
}

int RunWaveGetLengthFile(HMODULE dll, const host::Args& args) {
  if (args.size() != 1) return 2;
  auto fn = host::ExportAs<PFN_WaveGetLengthFile>(dll, "WaveGetLengthFile");
  host::Print("length", fn(args[0].c_str()));
  return 0;
}

host::Registration play({"Wave", "play FILE [MS] | wind FILE FROM STEP", RunWave});
host::Registration length({"WaveGetLengthFile", "FILE", RunWaveGetLengthFile});

}  // namespace
