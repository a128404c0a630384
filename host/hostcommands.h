// vtkhost: a sample host that loads VTKSUP.dll as the dictation player does
// and calls its exports from the command line. Each export family registers
// its commands from a file of its own.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace host {

using Args = std::vector<std::string>;  // CP932, as the process got them

struct Command {
  const char* name;
  const char* usage;
  int (*run)(HMODULE dll, const Args& args);
};

// Registers a command at static initialisation.
struct Registration {
  explicit Registration(const Command& command);
};
const std::vector<Command>& Commands();

// The export `name` of the DLL, or exits with a message when it is missing.
FARPROC Export(HMODULE dll, const char* name);
template <class Fn>
Fn ExportAs(HMODULE dll, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(Export(dll, name)));
}

// Prints "key=value" with the value turned from CP932 into UTF-8, so that the
// console of the machine shows it whatever its code page.
void Print(const std::string& key, const std::string& value);
void Print(const std::string& key, long long value);
std::string ToUtf8(const std::string& cp932);
int ToInt(const std::string& text);

// A host buffer for a path: large enough for any path the user can choose.
constexpr std::size_t kPathBuffer = 1024;
std::vector<char> PathBuffer(const std::string& initial);

}  // namespace host
