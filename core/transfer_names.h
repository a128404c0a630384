// Naming rules of the transfer of dictation files: the serial names under
// which a file is copied when its own name is taken at the target by a
// different recording, the renaming that keeps two files of one transfer
// apart, and the comparison of two header samples. Names are CP932 bytes;
// no search for an underscore, full stop or backslash ever lands on the trail
// byte of a double-byte character (ダ is 0x83 0x5F, 表 is 0x95 0x5C).
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vtk {

// Serials are 64-bit so that no name can make them overflow. A name whose
// digits say more than this is read as this much, and a serial beyond it is
// never used: a file that would need one is left on the card.
constexpr long long kMaxSerial = 999'999'999'999LL;

// How many bytes of a dictation file the engine reads, and where in them the
// recording's identity lies (an end-of-recording time stamp and more).
constexpr std::size_t kHeaderSampleSize = 70;
constexpr std::size_t kIdentityOffset = 50;
constexpr std::size_t kIdentityEnd = 68;  // one past byte 67

struct SerialStart {
  std::string base;  // the name the serial candidates are formed from
  long long serial;  // the first serial to try
};

// The base name and start serial of a source file name whose name is taken at
// the target:
//   no underscore                       -> name itself, 1
//   "_" + digits (maybe none) + "."     -> part before "_" + ".dss", digits + 1
//   anything else after the last "_"    -> name itself, atoi(after "_") + 1
// REC.dss -> REC.dss,1; REC_3.dss -> REC.dss,4; REC_.dss -> REC.dss,1;
// MY_FILE.dss -> MY_FILE.dss,1; A_12x.dss -> A_12x.dss,13.
SerialStart BaseNameAndStartSerial(std::string_view name);

// The file name of serial `serial` for `base`: everything from the base's last
// full stop onward replaced by "_<serial>.DSS" (appended when the base has no
// full stop). The extension of a serial name is always upper-case.
std::string SerialCandidateName(std::string_view base, long long serial);

// The file-name part of a full path (after its last backslash).
std::string_view FileNamePart(std::string_view path);

// Keeps two files of one transfer from getting the same target name. While
// `listed` says that the file name of `targetPath` is queued already (the
// caller compares names as its file system does), the digits after its last
// underscore give k (their value + 1), the name becomes the part before that
// underscore + "_<k>.dss" and `serial` becomes k; the walk then starts again.
// Returns 0 when the first name was not listed, -1 when `serial` moved.
int AvoidBatchClash(std::string_view targetPath, const std::function<bool(const std::string&)>& listed,
                    long long& serial);

// What the engine reads of a dictation file to tell recordings apart: its
// length and what one read of up to kHeaderSampleSize bytes from its start
// returned.
struct RecordingProbe {
  long long size = 0;
  std::string sample;
};

// Two files hold the same recording when they are equally long and
//  - for samples of at least kIdentityEnd bytes, bytes 50 to 67 are equal;
//  - for shorter samples, which do not hold the whole identity, every byte
//    read is equal (so two empty files are the same recording).
// The length counts, so that a copy cut short (or grown) is never taken for
// the recording it was copied from.
bool IsSameRecording(const RecordingProbe& a, const RecordingProbe& b);

// printf-style texts of the string table, formatted here so that a cut never
// splits a double-byte character: the first "%s" or "%.<n>s" conversion takes
// `name` cut to at most n bytes on a character boundary, "%%" gives "%", and
// any other text is kept as it is.
std::string FormatWithName(std::string_view format, std::string_view name);
// The same for the first "%i" or "%d" conversion and an integer.
std::string FormatWithCount(std::string_view format, long long value);

// Double-NUL lists as the shell's file operations take them: every entry
// ended by a NUL, the whole list ended by one more.
std::string DoubleNulList(const std::vector<std::string>& entries);
// The entries of a double-NUL list (stops at the first empty entry or at the
// end of the data, whichever comes first).
std::vector<std::string> SplitDoubleNulList(std::string_view list);
// The first `count` entries of a double-NUL list, as a double-NUL list.
std::string FirstEntries(std::string_view list, long long count);

}  // namespace vtk
