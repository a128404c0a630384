// Calls of the exports with one bad input each, as a careless host makes
// them, and what each must leave: the export's failure result, no window (no
// dialog, no message box, no player window: the thread's attempts to make one
// are counted and refused, so that nothing waits for an answer), and every
// integer and buffer of the host as it was. Each row runs in a child process,
// as a death test does.
#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace test {

enum class BadInput {
  kNone,          // the call as the row writes it is the bad input
  kNull,          // a null pointer
  kUnterminated,  // 260 bytes of a path and no NUL
  kTooLong,       // a path of 256 bytes
  kLoneLeadByte,  // D:\rt\ and the lead byte 0x95 alone
};

// The arguments of one call, by position (1 = the first). Each integer and
// each buffer ends right before a page that cannot be read, so that a read
// past its end faults. The bad input goes to one position.
class HostArgs {
 public:
  HostArgs(int badPosition, BadInput input) : m_badPosition(badPosition), m_input(input) {}

  // An integer that holds 1, or null.
  int* Int(int position);
  // A path buffer that holds `path` and its NUL, the bad bytes, or null.
  char* Path(int position, const std::string& path = "D:\\Dictation");
  // No integer and no buffer has been written.
  bool Untouched() const;

 private:
  char* Place(const std::string& bytes);

  std::vector<std::pair<const char*, std::string>> m_placed;
  int m_badPosition;
  BadInput m_input;
};

// One export as the rows call it. Each position in `pointers` gets a row with
// a null pointer there, each one in `paths` a row per bad path; a call with
// neither is one row as it stands. Every row must return `failure`;
// `prepare` runs before the call, outside the watch on windows.
struct BadCall {
  std::string what;
  std::function<long(HostArgs&)> call;
  std::vector<int> pointers = {}, paths = {};
  long failure = 0;
  std::function<void()> prepare = {};
};

// Runs every row of `calls`; `checkDisk`, when given, checks after each that
// nothing was created, copied or deleted.
void RunBadCalls(const std::vector<BadCall>& calls, const std::function<void()>& checkDisk = {});

}  // namespace test
