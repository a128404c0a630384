#include "support/bad_calls.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "support/drives.h"

namespace test {

// The memory is never given back: rows run in a child that ends after one.
char* HostArgs::Place(const std::string& bytes) {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  auto* base = static_cast<char*>(VirtualAlloc(nullptr, 2 * info.dwPageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  DWORD old = 0;
  VirtualProtect(base + info.dwPageSize, info.dwPageSize, PAGE_NOACCESS, &old);
  char* data = base + info.dwPageSize - bytes.size();
  std::memcpy(data, bytes.data(), bytes.size());
  m_placed.emplace_back(data, bytes);
  return data;
}

int* HostArgs::Int(int position) {
  if (position == m_badPosition && m_input == BadInput::kNull) return nullptr;
  const int one = 1;
  return reinterpret_cast<int*>(Place(std::string(reinterpret_cast<const char*>(&one), sizeof one)));
}

char* HostArgs::Path(int position, const std::string& path) {
  if (position != m_badPosition) return Place(path + '\0');
  switch (m_input) {
    case BadInput::kNull: return nullptr;
    case BadInput::kUnterminated: return Place("D:\\" + std::string(257, 'x'));
    case BadInput::kTooLong: return Place("D:\\" + std::string(253, 'x') + '\0');
    case BadInput::kLoneLeadByte: return Place(std::string("D:\\rt\\\x95", 7) + '\0');
    default: return Place(path + '\0');
  }
}

bool HostArgs::Untouched() const {
  for (const auto& [data, bytes] : m_placed)
    if (std::memcmp(data, bytes.data(), bytes.size()) != 0) return false;
  return true;
}

namespace {

constexpr char kRowVariable[] = "VTK_TEST_CHILD_ROW";

// Windows the thread tried to make while the hook was set; none is made.
thread_local int t_windowAttempts = 0;
LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code != HCBT_CREATEWND) return CallNextHookEx(nullptr, code, wParam, lParam);
  ++t_windowAttempts;
  return 1;
}

void CheckRow(const BadCall& call, int position, BadInput input, const std::function<void()>& checkDisk) {
  if (call.prepare) call.prepare();
  HostArgs args(position, input);
  t_windowAttempts = 0;
  HHOOK hook = SetWindowsHookExA(WH_CBT, &RefuseWindows, nullptr, GetCurrentThreadId());
  const long result = call.call(args);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(result, call.failure);
  EXPECT_EQ(t_windowAttempts, 0) << "windows the call tried to make";
  EXPECT_TRUE(args.Untouched()) << "the host's integers and buffers";
  if (checkDisk) checkDisk();
}

// In the test program: runs `row` in a child, its output in a file, and
// fails unless the child passed. In a child: runs `body` for its own row only.
void RunRowInChild(std::size_t row, const std::function<void()>& body) {
  char own[32] = {};
  if (GetEnvironmentVariableA(kRowVariable, own, sizeof own)) {
    if (std::to_string(row) == own) body();
    return;
  }
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string command = std::string("\"") + exe + "\" --gtest_filter=" + test->test_suite_name() + "." + test->name();
  const char kOutput[] = "bad_call_row.log";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = CreateFileA(kOutput, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
  PROCESS_INFORMATION pi{};
  SetEnvironmentVariableA(kRowVariable, std::to_string(row).c_str());
  DWORD code = STILL_ACTIVE;  // when it cannot be started
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    WaitForSingleObject(pi.hProcess, INFINITE);
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  SetEnvironmentVariableA(kRowVariable, nullptr);
  CloseHandle(si.hStdOutput);
  EXPECT_EQ(code, 0u) << "row " << row << " ended with 0x" << std::hex << code << ":\n" << ReadFile(kOutput);
  DeleteFileA(kOutput);
}

const char* Name(BadInput input) {
  static const char* const names[] = {"as called", "null", "unterminated", "too long", "lone lead byte"};
  return names[static_cast<int>(input)];
}

}  // namespace

void RunBadCalls(const std::vector<BadCall>& calls, const std::function<void()>& checkDisk) {
  struct Row {
    const BadCall* call;
    int position;
    BadInput input;
  };
  std::vector<Row> rows;
  for (const BadCall& call : calls) {
    for (int position : call.pointers) rows.push_back({&call, position, BadInput::kNull});
    for (int position : call.paths)
      for (BadInput input : {BadInput::kUnterminated, BadInput::kTooLong, BadInput::kLoneLeadByte})
        rows.push_back({&call, position, input});
    if (call.pointers.empty() && call.paths.empty()) rows.push_back({&call, 0, BadInput::kNone});
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    SCOPED_TRACE(row.call->what + ", argument " + std::to_string(row.position) + " " + Name(row.input));
    RunRowInChild(i, [&] { CheckRow(*row.call, row.position, row.input, checkDisk); });
  }
}

}  // namespace test
