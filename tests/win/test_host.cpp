// The sample host loads VTKSUP.dll by name and calls exports from its
// command line, as the dictation player does.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/drives.h"

namespace {
// Runs vtkhost.exe with `args` and returns what it printed (UTF-8).
std::string RunHost(const std::string& args, DWORD* exitCode) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  CreatePipe(&readEnd, &writeEnd, &sa, 0);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = writeEnd;
  si.hStdError = writeEnd;
  PROCESS_INFORMATION pi{};
  std::string cmd = "vtkhost.exe " + args;
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return "<no process>";
  CloseHandle(writeEnd);
  std::string out;
  char buf[512];
  DWORD got = 0;
  while (ReadFile(readEnd, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
  WaitForSingleObject(pi.hProcess, 60000);
  GetExitCodeProcess(pi.hProcess, exitCode);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  CloseHandle(readEnd);
  return out;
}
}  // namespace

TEST(SampleHost, CallsGetDnLoadNewFolderPathAndPrintsTheBuffers) {
  test::ClearDrive('D');
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::string today = std::to_string(now.wYear) + "." + std::to_string(now.wMonth) + "." + std::to_string(now.wDay);
  test::MakeDir("D:\\Dictation\\" + today + "-1");
  DWORD rc = 99;
  const std::string out = RunHost("GetDnLoadNewFolderPath 1 D:\\Dictation E:\\", &rc);
  EXPECT_EQ(rc, 0u);
  EXPECT_EQ(out, "result=1\nfolderA=D:\\Dictation\\" + today + "-2\nfolderB=E:\\\n");
  test::ClearDrive('D');
}

TEST(SampleHost, UnknownCommandPrintsUsage) {
  DWORD rc = 0;
  const std::string out = RunHost("NoSuchExport", &rc);
  EXPECT_EQ(rc, 2u);
  EXPECT_NE(out.find("GetDnLoadNewFolderPath"), std::string::npos);
}
