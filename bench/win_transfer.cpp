// Transfer benchmark, run under the Windows runtime:
//   win_transfer.exe [--files N] [--sizes BYTES,BYTES...] [--rounds N]
// A card folder (E:\) of N .dss files (2,000 by default) of each size (1 MB
// and 100 KB by default); half of them are already downloaded, a tenth clash
// with a different recording, the rest are new. Prints the engine's own time
// (everything but the shell copy) split into the naming before the copy and
// what the landing (every copy read back, compared with its source and
// renamed from its temporary name, mostly while the shell copies the later
// ones) still has to do after the copy, the whole run against the
// shell copy alone, the shell copy against a CopyFileA loop and against the
// operating system's cp of the same bytes, and what the engine read from
// files it did not copy. Then the deletion after the question: the copied
// card files deleted with the check that each is still the file read back,
// against one shell delete of the same files alone. The shell's own times
// vary by a tenth or more from run to run, so each size is run --rounds
// times (1 by default) and the ratios' medians are printed last.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "download/engine/carddeletion.h"
#include "download/engine/copycheck.h"
#include "download/engine/platform.h"
#include "download/engine/transfer.h"
#include "framework/modulestate.h"
#include "framework/winapp.h"
#include "support/drives.h"

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

const std::string kCard = "E:\\";
const std::string kFolder = "D:\\Bench\\";

// What the engine opened and read, by path. The read-back runs on two
// threads, so the counts are locked.
struct FileUse {
  int opens = 0;
  long long bytes = 0;
};
std::mutex g_useLock;
std::map<std::string, FileUse> g_use;
std::map<HANDLE, std::string> g_openPaths;

HANDLE WINAPI CountingOpen(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                           DWORD flags, HANDLE pattern) {
  const HANDLE h = CreateFileA(path, access, share, security, disposition, flags, pattern);
  const std::lock_guard<std::mutex> lock(g_useLock);
  ++g_use[path].opens;
  if (h != INVALID_HANDLE_VALUE) g_openPaths[h] = path;
  return h;
}

BOOL WINAPI CountingRead(HANDLE file, LPVOID buffer, DWORD size, LPDWORD got, LPOVERLAPPED overlapped) {
  const BOOL ok = ReadFile(file, buffer, size, got, overlapped);
  const std::lock_guard<std::mutex> lock(g_useLock);
  g_use[g_openPaths[file]].bytes += ok ? *got : 0;
  return ok;
}

Clock::duration g_shellTime{};
Clock::time_point g_shellEnd;  // after the copy, Run only lands what is left
int WINAPI TimedShell(LPSHFILEOPSTRUCTA op) {
  const auto start = Clock::now();
  const int rc = SHFileOperationA(op);
  g_shellEnd = Clock::now();
  g_shellTime += g_shellEnd - start;
  return rc;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

// A file whose identity bytes (50 to 67) name recording `id`.
std::string Recording(std::size_t size, int id) {
  std::string bytes(size, 'x');
  char identity[32];
  std::snprintf(identity, sizeof identity, "0603051011%08d", id);
  std::memcpy(&bytes[50], identity, std::min<std::size_t>(18, size > 50 ? size - 50 : 0));
  return bytes;
}

std::string Name(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "DS%06d.dss", i);
  return name;
}

// The Unix folder behind a test drive, as the Linux side names it.
std::string UnixFolder(char letter) {
  const char* drives = std::getenv("VTK_DRIVES");
  return std::string(drives ? drives : "/tmp") + "/" + static_cast<char>(letter);
}

// Times a shell command line on the Linux side and returns its seconds, or
// a negative value when it could not be run. Wine starts a Unix program given
// by its Z: path but does not wait for it, so the shell writes its own time
// into a file that is polled for.
double TimeUnixCommand(const std::string& commandLine) {
  const std::string result = UnixFolder('d') + "/cp-seconds";
  std::string winResult = "Z:" + result;
  for (char& c : winResult) c = c == '/' ? '\\' : c;
  DeleteFileA(winResult.c_str());
  std::string cmd = "Z:\\bin\\sh -c \"s=$(date +%s.%N); " + commandLine + "; e=$(date +%s.%N); echo $s $e > " +
                    result + ".tmp && mv " + result + ".tmp " + result + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  for (int waited = 0; waited < 600'000; waited += 50) {
    const std::string text = test::ReadFile(winResult);
    if (!text.empty()) {
      DeleteFileA(winResult.c_str());
      double begin = 0, end = 0;
      if (std::sscanf(text.c_str(), "%lf %lf", &begin, &end) != 2) return -1;
      return end - begin;
    }
    Sleep(50);
  }
  return -1;
}

struct Ratios {
  double run, deletion;
};

double ShellDelete(const std::vector<std::string>& paths) {
  const std::string list = vtk::DoubleNulList(paths);
  SHFILEOPSTRUCTA op{};
  op.wFunc = FO_DELETE;
  op.pFrom = list.c_str();
  op.fFlags = FOF_NOCONFIRMATION;
  const auto start = Clock::now();
  SHFileOperationA(&op);
  return Seconds(Clock::now() - start);
}

// The copied card files deleted as after the user's OK, the check included,
// against one shell delete of the same files alone. Both are repeated on the
// same files written afresh, in turn, so that neither always follows the
// writes; the first checked deletion is the run's own.
double BenchDeletion(const TransferResult& result, std::size_t size) {
  std::vector<LandedCopy> verified = result.confirmed;
  std::vector<std::string> paths;
  for (const LandedCopy& v : verified) paths.push_back(v.source);
  const auto rewrite = [&] {
    for (LandedCopy& v : verified) {
      WriteBytes(v.source, Recording(size, 0));
      v.identity = *vtk::CurrentIdentity(v.source);
    }
  };
  std::vector<double> checked, plain;
  for (int turn = 0; turn < 3; ++turn) {
    if (turn > 0) rewrite();
    const auto start = Clock::now();
    const DeletionOutcome deleted = DeleteVerifiedSources(nullptr, verified);
    checked.push_back(Seconds(Clock::now() - start));
    if (deleted.deleted != static_cast<int>(verified.size())) std::printf("deletion left %d files\n", deleted.kept);
    rewrite();
    plain.push_back(ShellDelete(paths));
  }
  std::sort(checked.begin(), checked.end());
  std::sort(plain.begin(), plain.end());
  const double c = checked[1], p = plain[1];
  std::printf("deletion after the question     : %8.3f s  (median of 3; the check %.3f ms per file)\n", c,
              1000.0 * (c - p) / std::max<std::size_t>(1, paths.size()));
  std::printf("shell delete of the same alone  : %8.3f s  (median of 3)\n", p);
  std::printf("deletion / shell delete alone   : %8.2f\n", c / p);
  return c / p;
}

Ratios Bench(int files, std::size_t size) {
  test::ClearDrive('E');
  test::ClearDrive('D');
  test::MakeDir("D:\\Bench");
  const int already = files / 2, clashing = files / 10;
  for (int i = 0; i < files; ++i) {
    WriteBytes(kCard + Name(i), Recording(size, i));
    if (i < already) WriteBytes(kFolder + Name(i), Recording(size, i));
    else if (i < already + clashing) WriteBytes(kFolder + Name(i), Recording(size, 1'000'000 + i));
  }

  g_use.clear();
  g_openPaths.clear();
  g_shellTime = {};
  vtk::EnginePlatform& platform = vtk::TheEnginePlatform();
  platform.createFile = &CountingOpen;
  platform.readFile = &CountingRead;
  platform.shellFileOperation = &TimedShell;
  const auto start = Clock::now();
  const TransferResult result = CDnLoadTransfer(kCard, kFolder).Run(nullptr);
  const auto end = Clock::now();
  const auto total = end - start;
  const double verification = Seconds(end - g_shellEnd);  // what the landing had left
  platform = {};

  const int count = static_cast<int>(result.confirmed.size());
  std::vector<std::string> copiedSources, copiedTargets;
  for (const LandedCopy& landed : result.confirmed) {
    copiedSources.push_back(landed.source);
    copiedTargets.push_back(landed.target);
  }
  const std::size_t queued = copiedSources.size() + result.notConfirmed.size();
  std::set<std::string> copied(copiedSources.begin(), copiedSources.end());
  copied.insert(copiedTargets.begin(), copiedTargets.end());
  for (const auto& [path, use] : g_use)  // where the copies were read back, before their renaming
    if (vtk::IsTemporaryName(vtk::FileNamePart(path))) copied.insert(path);
  long long notCopiedBytes = 0, notCopiedMax = 0, copiedBytes = 0;
  int maxOpens = 0;
  for (const auto& [path, use] : g_use) {
    maxOpens = std::max(maxOpens, use.opens);
    if (copied.count(path)) {
      copiedBytes += use.bytes;
    } else {
      notCopiedBytes += use.bytes;
      notCopiedMax = std::max(notCopiedMax, use.bytes);
    }
  }
  const double engine = Seconds(total - g_shellTime);

  // The same copies with a CopyFileA loop, into a fresh folder.
  test::MakeDir("D:\\BenchCopyFile");
  const auto loopStart = Clock::now();
  for (const std::string& src : copiedSources)
    CopyFileA(src.c_str(), ("D:\\BenchCopyFile\\" + std::string(vtk::FileNamePart(src))).c_str(), FALSE);
  const double loop = Seconds(Clock::now() - loopStart);

  // And with the operating system's own cp of the same files.
  std::string cpLine = "mkdir -p '" + UnixFolder('d') + "/BenchCp' && cd '" + UnixFolder('e') + "' && cp";
  for (const std::string& src : copiedSources) {
    cpLine += ' ';
    cpLine.append(vtk::FileNamePart(src));
  }
  cpLine += " '" + UnixFolder('d') + "/BenchCp/'";
  const double cp = TimeUnixCommand(cpLine);
  const bool cpRan = cp >= 0;

  std::printf("\n== %d files of %zu bytes: %d already downloaded, %d clashing, %d new\n", files, size, already, clashing,
              files - already - clashing);
  std::printf("copied (count)                  : %d of %zu queued; at the target %zu files\n", count, queued,
              test::ListDir(kFolder).size());
  std::printf("whole download (Run)            : %8.3f s\n", Seconds(total));
  std::printf("engine's own work               : %8.3f s  (%.3f ms per file examined, %.1f%% of the download)\n", engine,
              1000.0 * engine / files, 100.0 * engine / Seconds(total));
  std::printf("  naming, before the copy       : %8.3f s  (%.3f ms per file examined)\n", engine - verification,
              1000.0 * (engine - verification) / files);
  std::printf("  landing, after the copy       : %8.3f s  (%.3f ms per copy)\n", verification,
              1000.0 * verification / std::max<std::size_t>(1, copiedTargets.size()));
  std::printf("shell copy (one SHFileOperation): %8.3f s\n", Seconds(g_shellTime));
  std::printf("whole Run / shell copy alone    : %8.2f\n", Seconds(total) / Seconds(g_shellTime));
  std::printf("CopyFileA loop, same files      : %8.3f s  (shell / loop = %.2f)\n", loop, Seconds(g_shellTime) / loop);
  if (cpRan)
    std::printf("cp of the same files (Linux)    : %8.3f s  (shell / cp = %.2f)\n", cp, Seconds(g_shellTime) / cp);
  else
    std::printf("cp of the same files (Linux)    : not measured (Wine could not start /bin/sh)\n");
  std::printf("bytes read from files not copied: %lld in all, at most %lld from one file\n", notCopiedBytes, notCopiedMax);
  std::printf("bytes read from copied files    : %lld (with their copies; the read-back reads both whole)\n",
              copiedBytes);
  std::printf("most opens of one file          : %d\n", maxOpens);
  return {Seconds(total) / Seconds(g_shellTime), BenchDeletion(result, size)};
}

}  // namespace

int main(int argc, char** argv) {
  if (!AfxAttachModule(GetModuleHandleA(nullptr))) return 1;
  AFX_MAINTAIN_STATE2 frame(AfxGetStaticModuleState());
  int files = 2000, rounds = 1;
  std::vector<std::size_t> sizes = {1024 * 1024, 100 * 1024};
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--files") == 0) files = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--rounds") == 0) rounds = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--sizes") == 0) {
      sizes.clear();
      for (char* p = argv[i + 1]; *p;) {
        sizes.push_back(std::strtoull(p, &p, 10));
        if (*p == ',') ++p;
        else break;
      }
    }
  }
  const auto report = [rounds](std::size_t size, const char* what, std::vector<double> ratios) {
    std::sort(ratios.begin(), ratios.end());
    std::printf("%zu bytes over %d round(s), %s:", size, rounds, what);
    for (double r : ratios) std::printf(" %.3f", r);
    std::printf("; median %.3f\n", ratios[ratios.size() / 2]);
  };
  for (std::size_t size : sizes) {
    std::vector<double> runs, deletions;
    for (int round = 0; round < rounds; ++round) {
      const Ratios r = Bench(files, size);
      runs.push_back(r.run);
      deletions.push_back(r.deletion);
    }
    std::printf("\n");
    report(size, "Run / shell copy", runs);
    report(size, "deletion / shell delete", deletions);
  }
  test::ClearDrive('E');
  test::ClearDrive('D');
  AfxDetachModule();
  return 0;
}
