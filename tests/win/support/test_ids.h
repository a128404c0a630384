#pragma once
// Resources that only the test programs carry: texts whose double-byte
// characters have the trail byte 0x5C.
#define IDS_TEST_TRAIL_5C 30000
#define IDD_TEST_TRAIL_5C 30001
