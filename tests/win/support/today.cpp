#include "support/today.h"

namespace test {

void WINAPI On5March2006(LPSYSTEMTIME now) {
  *now = SYSTEMTIME{};
  now->wYear = 2006;
  now->wMonth = 3;
  now->wDay = 5;
}

}  // namespace test
