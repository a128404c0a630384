#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "core/cp932.h"
#include "core/transfer_names.h"

using namespace vtk;

namespace {
// Double-byte characters whose second byte would mean something on its own:
// ダ (0x83 0x5F, an underscore), 表 (0x95 0x5C, a backslash), and a lead byte
// followed by a digit, which the digit belongs to.
const std::string kDa = "\x83\x5F";
const std::string kHyo = "\x95\x5C";
const std::string kLeadDigit = "\x82\x31";
}  // namespace

// The naming table, names with double-byte characters whose trail byte looks
// like '_' or '\\', and a digit that belongs to a lead byte.
TEST(SerialStart, FollowsTheNamingTableAndNeverSplitsACharacter) {
  const struct Row { std::string name, base; long long serial; std::string copiedAs; } rows[] = {
      {"REC.dss", "REC.dss", 1, "REC_1.DSS"},          {"REC_3.dss", "REC.dss", 4, "REC_4.DSS"},
      {"REC_.dss", "REC.dss", 1, "REC_1.DSS"},         {"MY_FILE.dss", "MY_FILE.dss", 1, "MY_FILE_1.DSS"},
      {"A_12x.dss", "A_12x.dss", 13, "A_12x_13.DSS"},  {"rec_09.DSS", "rec.dss", 10, "rec_10.DSS"},
      {"A_B_7.dss", "A_B.dss", 8, "A_B_8.DSS"},        {"A_1.2.dss", "A.dss", 2, "A_2.DSS"},
      {kDa + "3.dss", kDa + "3.dss", 1, kDa + "3_1.DSS"}, {"X_" + kDa + "5.dss", "X_" + kDa + "5.dss", 1, "X_" + kDa + "5_1.DSS"},
      {"X_" + kLeadDigit + ".dss", "X_" + kLeadDigit + ".dss", 1, "X_" + kLeadDigit + "_1.DSS"},
      {kHyo + "_2.dss", kHyo + ".dss", 3, kHyo + "_3.DSS"},
  };
  for (const Row& r : rows) {
    const SerialStart s = BaseNameAndStartSerial(r.name);
    EXPECT_EQ(std::tuple(s.base, s.serial, SerialCandidateName(s.base, s.serial)), std::tuple(r.base, r.serial, r.copiedAs));
  }
  EXPECT_EQ((std::vector{SerialCandidateName(kHyo + kDa + ".dss", 2), SerialCandidateName("NOEXT", 2), SerialCandidateName("A.B.dss", 12)}),
            (std::vector<std::string>{kHyo + kDa + "_2.DSS", "NOEXT_2.DSS", "A.B_12.DSS"}));
  // The tail is read as atoi reads it, without overflowing.
  for (const auto& [name, serial] : {std::pair{"A_ 7z.dss", 8LL}, {"A_-3z.dss", -2LL}, {"A_x.dss", 1LL},
                                     {"A_99999999999999999999999.dss", kMaxSerial + 1},
                                     {"A_99999999999999999999999z.dss", kMaxSerial + 1},
                                     {"A_-99999999999999999999999z", -kMaxSerial + 1}})
    EXPECT_EQ(BaseNameAndStartSerial(name).serial, serial) << name;
}

// Full-width a and A are one name; trail bytes that look like letters are not folded.
TEST(FileNames, CompareIgnoringCaseOfLettersOnly) {
  EXPECT_EQ((std::vector{SameFileName("rec_1.dss", "REC_1.DSS"), SameFileName("REC_1.DSS", "REC_1.DSS "),
                         SameFileName("\x82\x81.dss", "\x82\x60.DSS"), SameFileName("\x83\x41.dss", "\x83\x61.dss")}),
            (std::vector{true, false, true, false}));
  for (const std::string& path : {"D:\\a\\" + kHyo + "\\" + kHyo + "x.dss", "D:\\" + kHyo + "x.dss"})
    EXPECT_EQ(FileNamePart(path), kHyo + "x.dss");
  EXPECT_EQ(FileNamePart("plain.dss"), "plain.dss");
}

TEST(BatchClash, AListedNameMovesTheSerialPastEveryListedName) {
  const std::string top = "R_" + std::to_string(kMaxSerial) + ".DSS";
  const struct Row { std::string target; NameList names; long long serial, after; int result; } rows[] = {
      {"D:\\T\\REC_1.DSS", {"A.dss", "REC_2.dss"}, 1, 1, 0},
      {"D:\\T\\REC_1.DSS", {}, 1, 1, 0},
      {"D:\\T\\REC_1.DSS", {"rec_1.dss"}, 1, 2, -1},
      // The walk starts again after each rename, wherever the new name stands.
      {"D:\\T\\REC_1.DSS", {"REC_3.DSS", "x.dss", "REC_2.dss", "REC_1.DSS"}, 1, 4, -1},
      {"D:\\" + kHyo + "\\" + kDa + "_1.DSS", {kDa + "_1.dss"}, 1, 2, -1},
      {"D:\\" + top, {top}, kMaxSerial, kMaxSerial + 1, -1},  // gives up instead of overflowing
  };
  for (const Row& r : rows) {
    long long serial = r.serial;
    const int result = AvoidBatchClash(r.target, r.names, serial);
    EXPECT_EQ(std::pair(result, serial), std::pair(r.result, r.after)) << r.target;
  }
}

// Full samples compare bytes 50 to 67 only; shorter ones match only when the
// lengths and every byte are equal.
TEST(HeaderSample, SameRecording) {
  std::string a(70, 'a'), b(70, 'b'), c = b, d = b;
  for (std::size_t i = kIdentityOffset; i < kIdentityEnd; ++i) a[i] = b[i] = c[i] = d[i] = char('0' + i % 10);
  c[50] = d[67] = 'X';
  const std::string s(67, 'q'), z(50, 'z');
  const struct { std::string x, y; bool same; } cases[] = {
      {a, b, true}, {a, c, false}, {a, d, false}, {a.substr(0, 69), z + a.substr(50, 19), true},
      {a.substr(0, 68), z + a.substr(50, 18), true}, {a, a.substr(0, 69), false}, {"", "", true}, {"", "x", false},
      {s, s, true}, {s, "r" + s.substr(1), false}, {s, s.substr(0, 66) + std::string(1, '\0'), false},
  };
  for (const auto& k : cases) EXPECT_EQ(IsSameRecording(k.x, k.y), k.same) << k.x << " / " << k.y;
}

TEST(Messages, NamesAreCutOnACharacterBoundaryAndCountsTakeTheIntegerConversion) {
  const std::string format = "Error opening %.40s";
  // Row 3: 39 single bytes and a double-byte character: byte 40 would be its lead.
  for (const auto& [name, shown] : {std::pair<std::string, std::string>{"REC.dss", "REC.dss"}, {std::string(40, 'n') + "XYZ", std::string(40, 'n')},
                                    {std::string(39, 'n') + kHyo + "z.dss", std::string(39, 'n')}, {std::string(38, 'n') + kHyo + "z", std::string(38, 'n') + kHyo}})
    EXPECT_EQ(FormatWithName(format, name), "Error opening " + shown);
  EXPECT_EQ((std::vector{FormatWithName("%s!%s 100%%", "ab"), FormatWithName("no conversion %", "ab"),
                         FormatWithCount("%i \x8C\xC2\x82\xCC", 3), FormatWithCount("%d/%i", 12), FormatWithCount("%s", 12)}),
            (std::vector<std::string>{"ab!%s 100%", "no conversion %", "3 \x8C\xC2\x82\xCC", "12/%i", "%s"}));  // "%i 個の"
}

TEST(DoubleNul, BuildsSplitsAndTakesTheFirstEntries) {
  const std::string list = DoubleNulList({"E:\\A.dss", "E:\\" + kHyo + ".dss", "E:\\C.dss"});
  const std::string two = std::string("E:\\A.dss\0E:\\", 12) + kHyo + std::string(".dss\0", 5);
  EXPECT_EQ(list, two + std::string("E:\\C.dss\0\0", 10));
  EXPECT_EQ(SplitDoubleNulList(list).size(), 3u);
  EXPECT_EQ(FirstEntries(list, 2), two + '\0');
  EXPECT_EQ(FirstEntries(list, 9), list);
  for (long long none : {0, -4}) EXPECT_EQ(FirstEntries(list, none), std::string(1, '\0'));
  EXPECT_EQ(DoubleNulList({}), std::string(1, '\0'));
  EXPECT_EQ(SplitDoubleNulList(std::string("a\0b", 3)), (std::vector<std::string>{"a", "b"}));
}

namespace {
// Names made of the bytes that matter to the rules, with arbitrary bytes
// mixed in.
std::string RandomName(std::mt19937& rng) {
  static const std::string alphabet = std::string("_._.0123456789 -+aZ\\\x5F\x5C\x83\x95\x82\x81\xE0\xFC\xFD\xA0\x7F", 31) + std::string(1, '\0');
  std::uniform_int_distribution<int> length(0, 300), pick(0, static_cast<int>(alphabet.size()) - 1), byte(0, 255),
      coin(0, 3);
  std::string name(static_cast<std::size_t>(length(rng)), ' ');
  for (char& c : name) c = coin(rng) == 0 ? static_cast<char>(byte(rng)) : alphabet[static_cast<std::size_t>(pick(rng))];
  return name;
}

bool OnBoundary(std::string_view s, std::size_t pos) { return ClampToCharBoundary(s, pos) == pos; }
}  // namespace

// Arbitrary bytes: no rule reads or writes out of bounds (the sanitizers
// watch), cuts fall on character boundaries, and serials stay in range.
TEST(NameRulesFuzz, ArbitraryBytesKeepEveryRule) {
  std::mt19937 rng(20061305);
  for (int round = 0; round < 20000; ++round) {
    const std::string name = RandomName(rng);
    const SerialStart s = BaseNameAndStartSerial(name);
    ASSERT_TRUE(s.serial >= -kMaxSerial + 1 && s.serial <= kMaxSerial + 1) << s.serial;
    if (s.base != name) {
      const std::size_t stem = s.base.size() - 4;
      ASSERT_EQ(s.base, name.substr(0, stem) + ".dss");
      ASSERT_TRUE(OnBoundary(name, stem) && name[stem] == '_') << stem;
    }
    const std::string candidate = SerialCandidateName(s.base, s.serial), tail = "_" + std::to_string(s.serial) + ".DSS";
    const std::size_t kept = candidate.size() - tail.size();
    ASSERT_EQ(candidate, s.base.substr(0, kept) + tail);
    ASSERT_TRUE(OnBoundary(s.base, kept));

    NameList names = {candidate, RandomName(rng), SerialCandidateName(s.base, s.serial + 1)};
    long long serial = s.serial;
    const int clash = AvoidBatchClash("D:\\" + candidate, names, serial);
    ASSERT_TRUE(FindLastBackslash(candidate) != npos || s.serial > kMaxSerial || (clash == -1 && serial > 0)) << serial;

    const std::string message = FormatWithName("Error opening %.40s", name);
    const std::size_t shown = message.size() - 14;
    ASSERT_TRUE(shown <= 40 && OnBoundary(name, shown)) << shown;
    ASSERT_EQ(message.substr(14), name.substr(0, shown));
    FormatWithName(name, RandomName(rng));
    FormatWithCount(name, round);

    const std::string other = RandomName(rng);
    ASSERT_EQ(IsSameRecording(name.substr(0, 70), other.substr(0, 70)),
              IsSameRecording(other.substr(0, 70), name.substr(0, 70)));
    FirstEntries(name, round % 5);
  }
}
