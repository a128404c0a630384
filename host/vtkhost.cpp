#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <io.h>

#include "host/hostcommands.h"

namespace host {

namespace {
std::vector<Command>& Registry() {
  static std::vector<Command> commands;
  return commands;
}

int Usage() {
  std::printf("usage: vtkhost EXPORT [ARGS...]\n");
  for (const Command& c : Commands()) std::printf("  %s %s\n", c.name, c.usage);
  return 2;
}
}  // namespace

Registration::Registration(const Command& command) { Registry().push_back(command); }
const std::vector<Command>& Commands() { return Registry(); }

FARPROC Export(HMODULE dll, const char* name) {
  FARPROC fn = GetProcAddress(dll, name);
  if (!fn) {
    std::fprintf(stderr, "vtkhost: VTKSUP.dll has no export %s\n", name);
    std::exit(3);
  }
  return fn;
}

std::string ToUtf8(const std::string& cp932) {
  if (cp932.empty()) return cp932;
  const int wide = MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), w.data(), wide);
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, out.data(), n, nullptr, nullptr);
  return out;
}

void Print(const std::string& key, const std::string& value) {
  std::printf("%s=%s\n", key.c_str(), ToUtf8(value).c_str());
  std::fflush(stdout);
}

void Print(const std::string& key, long long value) {
  std::printf("%s=%lld\n", key.c_str(), value);
  std::fflush(stdout);
}

int ToInt(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 0)); }

std::vector<char> PathBuffer(const std::string& initial) {
  std::vector<char> buf(kPathBuffer, '\0');
  std::memcpy(buf.data(), initial.data(), std::min(initial.size(), kPathBuffer - 1));
  return buf;
}

}  // namespace host

int main(int argc, char** argv) {
  // Plain LF line ends, whoever reads the output.
  _setmode(_fileno(stdout), _O_BINARY);
  if (argc < 2) return host::Usage();
  const std::string name = argv[1];
  for (const host::Command& c : host::Commands()) {
    if (name != c.name) continue;
    HMODULE dll = LoadLibraryA("VTKSUP.dll");
    if (!dll) {
      std::fprintf(stderr, "vtkhost: cannot load VTKSUP.dll (error %lu)\n", GetLastError());
      return 3;
    }
    const int rc = c.run(dll, host::Args(argv + 2, argv + argc));
    FreeLibrary(dll);
    return rc;
  }
  return host::Usage();
}
