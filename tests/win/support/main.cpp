// Test programs link the library's objects and resources into the .exe, so
// the .exe module plays the library's module: attach it as the DLL entry
// point would, then run the tests.
#include <gtest/gtest.h>

#include "framework/winapp.h"

int main(int argc, char** argv) {
  if (!AfxAttachModule(GetModuleHandleA(nullptr))) return 1;
  testing::InitGoogleTest(&argc, argv);
  const int rc = RUN_ALL_TESTS();
  AfxDetachModule();
  return rc;
}
