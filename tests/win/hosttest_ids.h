#pragma once
// A control that only the host tests' template 130 has: the dialog leaves it
// alone, so its text names the module the template came from.
#define IDC_HOSTTEST_MARKER 1099
