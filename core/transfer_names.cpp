#include "core/transfer_names.h"

#include <algorithm>
#include <optional>

#include "core/cp932.h"

namespace vtk {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The value of the run of digits at the start of `s`, read no further than
// kMaxSerial, and how many bytes the run has.
long long LeadingDigits(std::string_view s, std::size_t* length = nullptr) {
  long long value = 0;
  std::size_t i = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i) value = std::min(kMaxSerial, value * 10 + (s[i] - '0'));
  if (length) *length = i;
  return value;
}

// What the C runtime's atoi reads (blanks, a sign, digits), kept within
// +-kMaxSerial where atoi itself would overflow.
long long AtoiWithinSerialRange(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsSpace(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const long long value = LeadingDigits(s.substr(i));
  return negative ? -value : value;
}

long long NextSerial(long long value) { return std::min(value, kMaxSerial) + 1; }

std::string WithSerial(std::string_view stem, long long serial, std::string_view extension) {
  std::string name(stem);
  name += '_';
  name += std::to_string(serial);
  name += extension;
  return name;
}

// Rewrites the first conversion of `format` that `replace` answers for (it is
// given the conversion letter and the precision, if any); "%%" gives "%".
template <typename Replace>
std::string FormatFirst(std::string_view format, Replace replace) {
  std::string out;
  bool done = false;
  for (std::size_t i = 0; i < format.size();) {
    if (format[i] != '%' || i + 1 >= format.size()) {
      const std::size_t width = CharWidthAt(format, i);
      out.append(format.substr(i, width));
      i += width;
      continue;
    }
    if (format[i + 1] == '%') {
      out += '%';
      i += 2;
      continue;
    }
    std::size_t j = i + 1;
    while (j < format.size() && std::string_view("-+ #0").find(format[j]) != std::string_view::npos) ++j;
    while (j < format.size() && IsDigit(format[j])) ++j;
    std::optional<long long> precision;
    if (j < format.size() && format[j] == '.') {
      std::size_t digits = 0;
      precision = LeadingDigits(format.substr(j + 1), &digits);
      j += 1 + digits;
    }
    if (j >= format.size()) {
      out.append(format.substr(i));
      break;
    }
    std::optional<std::string> replacement;
    if (!done) replacement = replace(format[j], precision);
    if (replacement) {
      out += *replacement;
      done = true;
    } else {
      out.append(format.substr(i, j + 1 - i));
    }
    i = j + 1;
  }
  return out;
}

}  // namespace

SerialStart BaseNameAndStartSerial(std::string_view name) {
  const std::size_t u = FindLastChar(name, '_');
  if (u == npos) return {std::string(name), 1};
  const std::string_view after = name.substr(u + 1);
  std::size_t digits = 0;
  const long long value = LeadingDigits(after, &digits);
  if (digits < after.size() && after[digits] == '.') return {std::string(name.substr(0, u)) + ".dss", NextSerial(value)};
  return {std::string(name), NextSerial(AtoiWithinSerialRange(after))};
}

std::string SerialCandidateName(std::string_view base, long long serial) {
  const std::size_t dot = FindLastChar(base, '.');
  return WithSerial(base.substr(0, dot == npos ? base.size() : dot), serial, ".DSS");
}

std::string_view FileNamePart(std::string_view path) {
  const std::size_t slash = FindLastBackslash(path);
  return slash == npos ? path : path.substr(slash + 1);
}

int AvoidBatchClash(std::string_view targetPath, const std::function<bool(const std::string&)>& listed,
                    long long& serial) {
  std::string name(FileNamePart(targetPath));
  int result = 0;
  // Each round gives a higher serial, and serials stop at kMaxSerial + 1,
  // which no name is ever copied under, so the walk always ends.
  while (listed(name) && serial <= kMaxSerial) {
    const std::size_t u = FindLastChar(name, '_');
    std::string_view stem = name;
    long long k = 1;
    if (u != npos) {
      stem = std::string_view(name).substr(0, u);
      k = NextSerial(LeadingDigits(std::string_view(name).substr(u + 1)));
    } else if (const std::size_t dot = FindLastChar(name, '.'); dot != npos) {
      stem = std::string_view(name).substr(0, dot);
    }
    name = WithSerial(stem, k, ".dss");
    serial = k;
    result = -1;
  }
  return result;
}

bool IsSameRecording(const RecordingProbe& a, const RecordingProbe& b) {
  const std::string_view sampleA = a.sample, sampleB = b.sample;
  if (a.size != b.size || sampleA.size() != sampleB.size()) return false;
  if (sampleA.size() < kIdentityEnd) return sampleA == sampleB;
  const std::size_t n = kIdentityEnd - kIdentityOffset;
  return sampleA.substr(kIdentityOffset, n) == sampleB.substr(kIdentityOffset, n);
}

std::string FormatWithName(std::string_view format, std::string_view name) {
  return FormatFirst(format, [name](char conversion, std::optional<long long> precision) -> std::optional<std::string> {
    if (conversion != 's') return std::nullopt;
    const std::size_t limit =
        precision ? static_cast<std::size_t>(std::min<long long>(*precision, static_cast<long long>(name.size())))
                  : name.size();
    return std::string(name.substr(0, ClampToCharBoundary(name, limit)));
  });
}

std::string FormatWithCount(std::string_view format, long long value) {
  return FormatFirst(format, [value](char conversion, std::optional<long long>) -> std::optional<std::string> {
    if (conversion != 'i' && conversion != 'd') return std::nullopt;
    return std::to_string(value);
  });
}

std::string DoubleNulList(const std::vector<std::string>& entries) {
  std::string list;
  for (const std::string& e : entries) {
    list += e;
    list += '\0';
  }
  list += '\0';
  return list;
}

std::vector<std::string> SplitDoubleNulList(std::string_view list) {
  std::vector<std::string> entries;
  std::size_t pos = 0;
  while (pos < list.size()) {
    const std::size_t end = list.find('\0', pos);
    if (end == pos) break;
    entries.emplace_back(list.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
    if (end == std::string_view::npos) break;
    pos = end + 1;
  }
  return entries;
}

std::string FirstEntries(std::string_view list, long long count) {
  std::vector<std::string> entries = SplitDoubleNulList(list);
  const std::size_t keep = count <= 0 ? 0 : std::min(entries.size(), static_cast<std::size_t>(count));
  entries.resize(keep);
  return DoubleNulList(entries);
}

}  // namespace vtk
