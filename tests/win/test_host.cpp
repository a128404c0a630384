// The sample host loads VTKSUP.dll by name and calls exports from its
// command line, as the dictation player does.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/drives.h"

namespace {
// Runs vtkhost.exe with `args` and returns what it printed (UTF-8). The
// output goes to a file, and this thread keeps answering messages while it
// waits: a child that shows dialogs may send messages to every top-level
// window, ours included.
std::string RunHost(const std::string& args, DWORD* exitCode) {
  char tempDir[MAX_PATH] = {}, outPath[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, tempDir);
  GetTempFileNameA(tempDir, "vth", 0, outPath);
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE out = CreateFileA(outPath, GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out;
  si.hStdError = out;
  PROCESS_INFORMATION pi{};
  std::string cmd = "vtkhost.exe " + args;
  const BOOL started = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(out);
  if (!started) {
    DeleteFileA(outPath);
    return "<no process>";
  }
  const ULONGLONG deadline = GetTickCount64() + 60000;
  while (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0 &&
         GetTickCount64() < deadline) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  GetExitCodeProcess(pi.hProcess, exitCode);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  std::string text = test::ReadFile(outPath);
  DeleteFileA(outPath);
  return text;
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

TEST(SampleHost, RunsACardDownloadWithItsScriptedUserAndKeepsItsSettings) {
  test::ClearDrive('D');
  test::ClearDrive('E');
  test::MakeDir("D:\\Dictation");
  std::string header(70, 'x');
  for (const char* name : {"A.dss", "B.dss"}) {
    header[50] = name[0];
    test::WriteFile(std::string("E:\\") + name, header);
  }
  SetEnvironmentVariableA("VTKHOST_SCRIPT", "1");
  DWORD rc = 99;
  const std::string out =
      RunHost("DnLoadCondition Method=0 Delete=0 DriveChoice=1 Drive=E:\\ Folder=D:\\Dictation", &rc);
  EXPECT_EQ(rc, 0u) << out;
  EXPECT_NE(out.find("result=1\noutcome=2\n"), std::string::npos) << out;
  EXPECT_NE(out.find("landed=D:\\Dictation\\A.dss\n"), std::string::npos) << out;
  EXPECT_EQ(test::ReadFile("D:\\Dictation\\B.dss"), test::ReadFile("E:\\B.dss"));
  // The host stored what came back and passes it in again next time.
  const std::string again = RunHost("DnLoadOptions", &rc);
  SetEnvironmentVariableA("VTKHOST_SCRIPT", nullptr);
  EXPECT_NE(again.find("result=1\n"), std::string::npos) << again;
  EXPECT_NE(again.find("folder=D:\\Dictation\n"), std::string::npos) << again;
  EXPECT_NE(again.find("drive=E:\\\n"), std::string::npos) << again;
  test::ClearDrive('D');
  test::ClearDrive('E');
}
