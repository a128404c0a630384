// The day the download forms see in the tests: 5 March 2006, so that every
// dated folder name is known (2006.3.5-1, ...). Put in the download forms'
// platform record as its getLocalTime.
#pragma once
#include <windows.h>

namespace test {

void WINAPI On5March2006(LPSYSTEMTIME now);

}  // namespace test
