#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <tuple>

#include "core/cp932.h"
#include "core/transfer_names.h"

using namespace vtk;

namespace {
// Double-byte characters whose second byte would mean something on its own:
// ダ (0x83 0x5F, an underscore) and 表 (0x95 0x5C, a backslash).
const std::string kDa = "\x83\x5F", kHyo = "\x95\x5C";

// A queue of names as a file system that ignores the case of ASCII letters
// lists them (the engine asks its platform; these rows need only ASCII).
std::function<bool(const std::string&)> Listing(std::vector<std::string> names) {
  const auto folded = [](std::string n) {
    for (char& c : n) c = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    return n;
  };
  for (std::string& n : names) n = folded(n);
  return [names, folded](const std::string& n) { return std::find(names.begin(), names.end(), folded(n)) != names.end(); };
}
}  // namespace

// The naming table; a trail byte that looks like '_' is no underscore; the
// tail is read as atoi reads it, without overflowing.
TEST(SerialStart, FollowsTheNamingTableAndNeverSplitsACharacter) {
  const struct Row { std::string name, base; long long serial; std::string copiedAs; } rows[] = {
      {"REC.dss", "REC.dss", 1, "REC_1.DSS"},          {"REC_3.dss", "REC.dss", 4, "REC_4.DSS"},
      {"MY_FILE.dss", "MY_FILE.dss", 1, "MY_FILE_1.DSS"}, {"A_12x.dss", "A_12x.dss", 13, "A_12x_13.DSS"},
      {kDa + "3.dss", kDa + "3.dss", 1, kDa + "3_1.DSS"}, {kHyo + "_2.dss", kHyo + ".dss", 3, kHyo + "_3.DSS"},
      {"A_-3z.dss", "A_-3z.dss", -2, "A_-3z_-2.DSS"},      {"REC_.dss", "REC.dss", 1, "REC_1.DSS"},
      {"A_99999999999999999999999.dss", "A.dss", kMaxSerial + 1, "A_1000000000000.DSS"},
  };
  for (const Row& r : rows) {
    const SerialStart s = BaseNameAndStartSerial(r.name);
    EXPECT_EQ(std::tuple(s.base, s.serial, SerialCandidateName(s.base, s.serial)), std::tuple(r.base, r.serial, r.copiedAs));
  }
}

TEST(BatchClash, AListedNameMovesTheSerialPastEveryListedName) {
  const std::string top = "R_" + std::to_string(kMaxSerial) + ".DSS";
  const struct Row { std::string target; std::vector<std::string> names; long long serial, after; int result; } rows[] = {
      {"D:\\T\\REC_1.DSS", {"A.dss", "REC_2.dss"}, 1, 1, 0},
      // The walk starts again after each rename, wherever the new name stands.
      {"D:\\T\\REC_1.DSS", {"REC_3.DSS", "x.dss", "REC_2.dss", "rec_1.dss"}, 1, 4, -1},
      {"D:\\" + kHyo + "\\" + kDa + "_1.DSS", {kDa + "_1.dss"}, 1, 2, -1},
      {"D:\\" + top, {top}, kMaxSerial, kMaxSerial + 1, -1},  // gives up instead of overflowing
  };
  for (const Row& r : rows) {
    long long serial = r.serial;
    const int result = AvoidBatchClash(r.target, Listing(r.names), serial);
    EXPECT_EQ(std::pair(result, serial), std::pair(r.result, r.after)) << r.target;
  }
}

// Two files are one recording only when they are equally long; then samples
// of at least 68 bytes compare bytes 50 to 67 only, and shorter ones match
// only when every byte is equal.
TEST(HeaderSample, SameRecording) {
  std::string a(70, 'a'), b(70, 'b');
  for (std::size_t i = kIdentityOffset; i < kIdentityEnd; ++i) a[i] = b[i] = char('0' + i % 10);
  std::string c = b, d = b, s(67, 'q');
  c[50] = d[67] = 'X';
  const struct { RecordingProbe x, y; bool same; } cases[] = {
      {{4096, a}, {4096, b}, true},
      {{4096, a}, {4096, c}, false},
      {{4096, a}, {4096, d}, false},
      {{68, a.substr(0, 68)}, {68, b.substr(0, 68)}, true},
      {{4096, a}, {4096, a.substr(0, 69)}, false},
      {{67, s}, {67, "r" + s.substr(1)}, false},
      // A copy cut short or grown keeps the identity bytes of its recording.
      {{100663296, a}, {22085632, a}, false},
      {{4194304, a}, {4194305, b}, false},
      {{0, ""}, {0, ""}, true},
  };
  for (const auto& k : cases)
    EXPECT_EQ(IsSameRecording(k.x, k.y), k.same) << k.x.size << ":" << k.x.sample << " / " << k.y.size << ":" << k.y.sample;
}

// A cut never ends on the lead byte of 表; only the first conversion is
// filled in.
TEST(Messages, NamesAreCutOnACharacterBoundary) {
  const std::string n38(38, 'n');
  EXPECT_EQ((std::vector{FormatWithName("Error opening %.40s", n38 + "n" + kHyo + "z"), FormatWithName("%.40s", n38 + kHyo + "z"),
                         FormatWithName("%s!%s 100%%", "ab"), FormatWithCount("%i \x8C\xC2 %d", 3)}),
            (std::vector<std::string>{"Error opening " + n38 + "n", n38 + kHyo, "ab!%s 100%", "3 \x8C\xC2 %d"}));
}

namespace {
// Names made of the bytes that matter to the rules, with arbitrary bytes
// mixed in.
std::string RandomName(std::mt19937& rng) {
  static const std::string alphabet = std::string("_._.0123456789 -+aZ\\\x5F\x5C\x83\x95\x82\x81\xE0\xFC\xFD\xA0\x7F", 31) + '\0';
  std::uniform_int_distribution<int> length(0, 300), pick(0, static_cast<int>(alphabet.size()) - 1), byte(0, 255);
  std::string name(static_cast<std::size_t>(length(rng)), ' ');
  for (char& c : name) c = byte(rng) < 64 ? static_cast<char>(byte(rng)) : alphabet[static_cast<std::size_t>(pick(rng))];
  return name;
}

bool OnBoundary(std::string_view s, std::size_t pos) { return ClampToCharBoundary(s, pos) == pos; }
}  // namespace

// Arbitrary bytes: no rule reads or writes out of bounds (the sanitizers
// watch), cuts fall on character boundaries, and serials stay in range.
TEST(NameRulesFuzz, ArbitraryBytesKeepEveryRule) {
  std::mt19937 rng(20061305);
  for (int round = 0; round < 20000; ++round) {
    const std::string name = RandomName(rng), other = RandomName(rng);
    const SerialStart s = BaseNameAndStartSerial(name);
    ASSERT_TRUE(s.serial >= -kMaxSerial + 1 && s.serial <= kMaxSerial + 1) << s.serial;
    const std::size_t stem = s.base.size() - 4;
    ASSERT_TRUE(s.base == name || (s.base == name.substr(0, stem) + ".dss" && OnBoundary(name, stem) && name[stem] == '_'));
    const std::string candidate = SerialCandidateName(s.base, s.serial), tail = "_" + std::to_string(s.serial) + ".DSS";
    const std::size_t kept = candidate.size() - tail.size();
    ASSERT_TRUE(candidate == s.base.substr(0, kept) + tail && OnBoundary(s.base, kept)) << kept;
    const std::string message = FormatWithName("Error opening %.40s", name);
    const std::size_t shown = message.size() - 14;
    ASSERT_TRUE(shown <= 40 && OnBoundary(name, shown) && message.substr(14) == name.substr(0, shown)) << shown;
    // A text with no conversion in it comes back as it is.
    if (name.find('%') == std::string::npos) {
      ASSERT_EQ(FormatWithName(name, other) + FormatWithCount(name, round), name + name);
    }
    const RecordingProbe x{static_cast<long long>(name.size()), name.substr(0, 70)},
        y{static_cast<long long>(other.size()), other.substr(0, 70)};
    ASSERT_EQ(IsSameRecording(x, y), IsSameRecording(y, x));
    ASSERT_TRUE(IsSameRecording(x, x));
  }
}
