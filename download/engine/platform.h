// The platform calls of the transfer engine that a test or a benchmark may
// stand in for, in one place; each is the system's own unless replaced.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <cstddef>

namespace vtk {

struct EnginePlatform {
  int(WINAPI* shellFileOperation)(LPSHFILEOPSTRUCTA) = &::SHFileOperationA;
  decltype(&::CreateFileA) createFile = &::CreateFileA;
  decltype(&::ReadFile) readFile = &::ReadFile;
  // How many card files a run keeps open at once, so that a card of very
  // many files does not exhaust what the process may hold open.
  std::size_t maxHeldFiles = 2048;
};
EnginePlatform& TheEnginePlatform();

}  // namespace vtk
