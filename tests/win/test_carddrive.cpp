// Card-drive detection against the test prefix's registry and drives
// (A: E: F: removable, D: fixed, G: CD-ROM), the selection among several card
// drives, and the GetMiniCardDrive export. The table rules are the core's.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "carddrive/cardprobe.h"
#include "support/card_registry.h"
#include "vtksup.h"

// Each registry leads to the highest card drive as the root (-1 and the root
// untouched when none) and to the count the export gives, which writes
// nothing into its first argument.
TEST(CardDrive, DetectionFollowsTheRegistryAndTheDrives) {
  using Keys = std::vector<std::tuple<int, std::string, const char*>>;  // device key, instance, letter
  const struct { const char* what; Keys keys; int found; std::string root; } cases[] = {
      {"no device keys", {}, -1, "keep"},
      {"letters of both keys", {{0, "0000", "F"}, {1, "0000", "E"}, {1, "0001", "E"}}, 2, "F:\\"},
      {"only present removable drives in upper case",
       {{0, "0000", "G"}, {0, "0001", "D"}, {0, "0002", "Q"},      // CD-ROM, fixed, absent
        {0, "0003", "e"}, {1, "0000", "EF"}, {1, "0001", nullptr},  // lower case, two letters, none
        {1, "L" + std::string(40, 'x'), "E"},                       // name cut: no such key
        {1, "M", "EEEEEEEEEEEEEEEE"}},                              // value cut: no such drive
       -1, "keep"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::CardRegistry registry;
    for (const auto& [device, name, letter] : c.keys) registry.Name(device, name, letter);
    std::string root = "keep";
    const int found = FindMiniCardDrive(root);
    char untouched[4] = "abc";
    int count = 55;
    GetMiniCardDrive(untouched, &count);
    EXPECT_EQ(std::tuple(found, root, std::string(untouched), count), std::tuple(c.found, c.root, "abc", std::max(c.found, 0)));
  }
}
