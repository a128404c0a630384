#include "support/bad_calls.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace test {

// The memory is never given back: each row runs in a child process of its own.
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

// Windows the thread tried to make while the hook was set; none is made.
thread_local int t_windowAttempts = 0;
LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code != HCBT_CREATEWND) return CallNextHookEx(nullptr, code, wParam, lParam);
  ++t_windowAttempts;
  return 1;
}

// Runs in the row's child process and ends it: 0 when the row passed. The
// child reports nothing itself, so its failures are written to its standard
// error, which the death test shows.
[[noreturn]] void RunRow(const BadCall& call, int position, BadInput input, const std::function<void()>& checkDisk) {
  testing::TestPartResultArray failures;
  {
    const testing::ScopedFakeTestPartResultReporter reporter(&failures);
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
  for (int i = 0; i < failures.size(); ++i) std::fprintf(stderr, "%s\n", failures.GetTestPartResult(i).message());
  std::exit(failures.size());
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
    // A row that ends its process (a null pointer, a read past a buffer)
    // fails as that row, and the later rows still run.
    EXPECT_EXIT(RunRow(*row.call, row.position, row.input, checkDisk), testing::ExitedWithCode(0), "");
  }
}

}  // namespace test
