#include <gtest/gtest.h>

#include <random>

#include "core/cp932.h"
#include "core/transfer_names.h"

using namespace vtk;

namespace {
// Double-byte characters whose trail byte is an underscore, a backslash or a
// digit: ダ (0x83 0x5F), 表 (0x95 0x5C), ア (0x83 0x41 is not one; 0x82 0x31
// stands for a lead byte followed by a digit that belongs to it).
const std::string kDa = "\x83\x5F";
const std::string kHyo = "\x95\x5C";
const std::string kLeadDigit = "\x82\x31";
}  // namespace

TEST(SerialStart, FollowsTheNamingTable) {
  struct Row {
    const char* name;
    const char* base;
    long long serial;
    const char* copiedAs;
  };
  const Row rows[] = {
      {"REC.dss", "REC.dss", 1, "REC_1.DSS"},         {"REC_3.dss", "REC.dss", 4, "REC_4.DSS"},
      {"REC_.dss", "REC.dss", 1, "REC_1.DSS"},        {"MY_FILE.dss", "MY_FILE.dss", 1, "MY_FILE_1.DSS"},
      {"A_12x.dss", "A_12x.dss", 13, "A_12x_13.DSS"}, {"rec_09.DSS", "rec.dss", 10, "rec_10.DSS"},
      {"A_B_7.dss", "A_B.dss", 8, "A_B_8.DSS"},       {"A_1.2.dss", "A.dss", 2, "A_2.DSS"},
  };
  for (const Row& r : rows) {
    const SerialStart s = BaseNameAndStartSerial(r.name);
    EXPECT_EQ(s.base, r.base) << r.name;
    EXPECT_EQ(s.serial, r.serial) << r.name;
    EXPECT_EQ(SerialCandidateName(s.base, s.serial), r.copiedAs) << r.name;
  }
}

TEST(SerialStart, ReadsTheTailAsAtoiDoesWithoutOverflow) {
  EXPECT_EQ(BaseNameAndStartSerial("A_ 7z.dss").serial, 8);
  EXPECT_EQ(BaseNameAndStartSerial("A_-3z.dss").serial, -2);
  EXPECT_EQ(BaseNameAndStartSerial("A_x.dss").serial, 1);
  EXPECT_EQ(BaseNameAndStartSerial("A_99999999999999999999999.dss").serial, kMaxSerial + 1);
  EXPECT_EQ(BaseNameAndStartSerial("A_99999999999999999999999z.dss").serial, kMaxSerial + 1);
  EXPECT_EQ(BaseNameAndStartSerial("A_-99999999999999999999999z").serial, -kMaxSerial + 1);
}

TEST(SerialStart, NeverTakesATrailByteForAnUnderscoreOrFullStop) {
  // ダ ends in 0x5F: not an underscore, so the name has none.
  SerialStart s = BaseNameAndStartSerial(kDa + "3.dss");
  EXPECT_EQ(s.base, kDa + "3.dss");
  EXPECT_EQ(s.serial, 1);
  s = BaseNameAndStartSerial("X_" + kDa + "5.dss");
  EXPECT_EQ(s.base, "X_" + kDa + "5.dss");
  EXPECT_EQ(s.serial, 1);
  // The digit after a lead byte belongs to its character.
  s = BaseNameAndStartSerial("X_" + kLeadDigit + ".dss");
  EXPECT_EQ(s.base, "X_" + kLeadDigit + ".dss");
  EXPECT_EQ(s.serial, 1);
  s = BaseNameAndStartSerial(kHyo + "_2.dss");
  EXPECT_EQ(s.base, kHyo + ".dss");
  EXPECT_EQ(s.serial, 3);
  EXPECT_EQ(SerialCandidateName(kHyo + kDa + ".dss", 2), kHyo + kDa + "_2.DSS");
  EXPECT_EQ(SerialCandidateName("NOEXT", 2), "NOEXT_2.DSS");
  EXPECT_EQ(SerialCandidateName("A.B.dss", 12), "A.B_12.DSS");
}

TEST(FileNames, CompareIgnoringCaseOfLettersOnly) {
  EXPECT_TRUE(SameFileName("rec_1.dss", "REC_1.DSS"));
  EXPECT_FALSE(SameFileName("REC_1.DSS", "REC_1.DSS "));
  // Full-width ａ (0x82 0x81) and Ａ (0x82 0x60) name the same file.
  EXPECT_TRUE(SameFileName("\x82\x81.dss", "\x82\x60.DSS"));
  // A trail byte that looks like a letter is not folded: 0x83 0x41 (ア) and
  // 0x83 0x61 (タ) are different characters.
  EXPECT_FALSE(SameFileName("\x83\x41.dss", "\x83\x61.dss"));
  EXPECT_EQ(FileNamePart("D:\\a\\" + kHyo + "\\" + kHyo + "x.dss"), kHyo + "x.dss");
  EXPECT_EQ(FileNamePart("D:\\" + kHyo + "x.dss"), kHyo + "x.dss");
  EXPECT_EQ(FileNamePart("plain.dss"), "plain.dss");
}

TEST(BatchClash, FreeNameKeepsSerial) {
  long long serial = 1;
  EXPECT_EQ(AvoidBatchClash("D:\\T\\REC_1.DSS", {"A.dss", "REC_2.dss"}, serial), 0);
  EXPECT_EQ(serial, 1);
  EXPECT_EQ(AvoidBatchClash("D:\\T\\REC_1.DSS", {}, serial), 0);
}

TEST(BatchClash, ListedNameMovesSerialPastEveryListedName) {
  long long serial = 1;
  EXPECT_EQ(AvoidBatchClash("D:\\T\\REC_1.DSS", {"rec_1.dss"}, serial), -1);
  EXPECT_EQ(serial, 2);
  // The walk starts again after each rename, wherever in the list the new
  // name stands.
  serial = 1;
  EXPECT_EQ(AvoidBatchClash("D:\\T\\REC_1.DSS", {"REC_3.DSS", "x.dss", "REC_2.dss", "REC_1.DSS"}, serial), -1);
  EXPECT_EQ(serial, 4);
  serial = 1;
  EXPECT_EQ(AvoidBatchClash("D:\\" + kHyo + "\\" + kDa + "_1.DSS", {kDa + "_1.dss"}, serial), -1);
  EXPECT_EQ(serial, 2);
  // Past the highest serial the walk gives up instead of overflowing.
  serial = kMaxSerial;
  const std::string top = "R_" + std::to_string(kMaxSerial) + ".DSS";
  EXPECT_EQ(AvoidBatchClash("D:\\" + top, {top}, serial), -1);
  EXPECT_EQ(serial, kMaxSerial + 1);
}

TEST(HeaderSample, FullSamplesCompareBytes50To67Only) {
  std::string a(70, 'a'), b(70, 'b');
  for (std::size_t i = kIdentityOffset; i < kIdentityEnd; ++i) a[i] = b[i] = static_cast<char>('0' + i % 10);
  EXPECT_TRUE(IsSameRecording(a, b));
  b[67] = 'X';
  EXPECT_FALSE(IsSameRecording(a, b));
  b[67] = a[67];
  b[50] = 'X';
  EXPECT_FALSE(IsSameRecording(a, b));
  // 68 and 69 bytes hold the whole identity.
  EXPECT_TRUE(IsSameRecording(a.substr(0, 69), std::string(50, 'z') + a.substr(50, 19)));
  EXPECT_TRUE(IsSameRecording(a.substr(0, 68), std::string(50, 'z') + a.substr(50, 18)));
  // Different lengths never match.
  EXPECT_FALSE(IsSameRecording(a, a.substr(0, 69)));
}

TEST(HeaderSample, ShortSamplesMatchOnlyWhenEveryByteIsEqual) {
  EXPECT_TRUE(IsSameRecording("", ""));
  EXPECT_FALSE(IsSameRecording("", "x"));
  const std::string s(67, 'q');
  EXPECT_TRUE(IsSameRecording(s, s));
  std::string t = s;
  t[0] = 'r';
  EXPECT_FALSE(IsSameRecording(s, t));
  t = s;
  t[66] = std::string("\0", 1)[0];
  EXPECT_FALSE(IsSameRecording(s, t));
}

TEST(Messages, NameIsCutOnACharacterBoundary) {
  const std::string format = "Error opening %.40s";
  EXPECT_EQ(FormatWithName(format, "REC.dss"), "Error opening REC.dss");
  const std::string forty(40, 'n');
  EXPECT_EQ(FormatWithName(format, forty + "XYZ"), "Error opening " + forty);
  // 39 single bytes and a double-byte character: byte 40 would be its lead.
  const std::string name = std::string(39, 'n') + kHyo + "z.dss";
  EXPECT_EQ(FormatWithName(format, name), "Error opening " + std::string(39, 'n'));
  EXPECT_EQ(FormatWithName(format, std::string(38, 'n') + kHyo + "z"), "Error opening " + std::string(38, 'n') + kHyo);
  EXPECT_EQ(FormatWithName("%s!%s 100%%", "ab"), "ab!%s 100%");
  EXPECT_EQ(FormatWithName("no conversion %", "ab"), "no conversion %");
}

TEST(Messages, CountTakesTheIntegerConversion) {
  const std::string format = "%i \x8C\xC2\x82\xCC";  // "%i 個の"
  EXPECT_EQ(FormatWithCount(format, 3), "3 \x8C\xC2\x82\xCC");
  EXPECT_EQ(FormatWithCount("%d/%i", 12), "12/%i");
  EXPECT_EQ(FormatWithCount("%s", 12), "%s");
}

TEST(DoubleNul, BuildsSplitsAndTakesTheFirstEntries) {
  const std::string list = DoubleNulList({"E:\\A.dss", "E:\\" + kHyo + ".dss", "E:\\C.dss"});
  EXPECT_EQ(list, std::string("E:\\A.dss\0E:\\", 12) + kHyo + std::string(".dss\0E:\\C.dss\0\0", 15));
  EXPECT_EQ(SplitDoubleNulList(list).size(), 3u);
  EXPECT_EQ(FirstEntries(list, 2), std::string("E:\\A.dss\0E:\\", 12) + kHyo + std::string(".dss\0\0", 6));
  EXPECT_EQ(FirstEntries(list, 9), list);
  EXPECT_EQ(FirstEntries(list, 0), std::string(1, '\0'));
  EXPECT_EQ(FirstEntries(list, -4), std::string(1, '\0'));
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
    ASSERT_GE(s.serial, -kMaxSerial + 1);
    ASSERT_LE(s.serial, kMaxSerial + 1);
    if (s.base != name) {
      const std::size_t stem = s.base.size() - 4;
      ASSERT_EQ(s.base.substr(stem), ".dss");
      ASSERT_EQ(s.base.substr(0, stem), name.substr(0, stem));
      ASSERT_TRUE(OnBoundary(name, stem));
      ASSERT_EQ(name[stem], '_');
    }
    const std::string candidate = SerialCandidateName(s.base, s.serial);
    const std::string tail = "_" + std::to_string(s.serial) + ".DSS";
    ASSERT_EQ(candidate.substr(candidate.size() - tail.size()), tail);
    const std::size_t kept = candidate.size() - tail.size();
    ASSERT_EQ(candidate.substr(0, kept), s.base.substr(0, kept));
    ASSERT_TRUE(OnBoundary(s.base, kept));

    NameList names = {candidate, RandomName(rng), SerialCandidateName(s.base, s.serial + 1)};
    long long serial = s.serial;
    const int clash = AvoidBatchClash("D:\\" + candidate, names, serial);
    if (FindLastBackslash(candidate) == npos && s.serial <= kMaxSerial) {
      ASSERT_EQ(clash, -1);
      ASSERT_GT(serial, 0);
    }

    const std::string message = FormatWithName("Error opening %.40s", name);
    const std::size_t shown = message.size() - 14;
    ASSERT_LE(shown, 40u);
    ASSERT_TRUE(OnBoundary(name, shown));
    ASSERT_EQ(message.substr(14), name.substr(0, shown));
    FormatWithName(name, RandomName(rng));
    FormatWithCount(name, round);

    const std::string other = RandomName(rng);
    ASSERT_EQ(IsSameRecording(name.substr(0, 70), other.substr(0, 70)),
              IsSameRecording(other.substr(0, 70), name.substr(0, 70)));
    ASSERT_EQ(SplitDoubleNulList(DoubleNulList({"a", "b"})).size(), 2u);
    FirstEntries(name, round % 5);
  }
}
