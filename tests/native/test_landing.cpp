#include <gtest/gtest.h>

#include "core/landing.h"

using namespace vtk;

// Temporaries are recognised by their exact pattern only: a run removes
// what an earlier one left, and never a file of the user's that merely looks
// alike.
TEST(TemporaryNames, OnlyTheLibrarysOwnPatternIsATemporary) {
  EXPECT_EQ(TemporaryName(1), "~VTK1.TMP");
  EXPECT_EQ(TemporaryName(4294967295UL), "~VTK4294967295.TMP");
  for (const char* ours : {"~VTK1.TMP", "~vtk12.tmp", "~VTK4294967295.TMP"}) EXPECT_TRUE(IsTemporaryName(ours)) << ours;
  for (const char* theirs : {"~VTK.TMP", "~VTK01.TMP", "~VTKX.TMP", "~VTK1.TMP.dss", "my~VTK1.TMP", "~VTK1.TM",
                             "~VTK1 .TMP", "VTK1.TMP", "~VTK12345678901.TMP", "~VTK-1.TMP", "", "~VTK1.DSS"})
    EXPECT_FALSE(IsTemporaryName(theirs)) << theirs;
}
