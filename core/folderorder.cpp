#include "core/folderorder.h"

#include <algorithm>
#include <set>
#include <utility>

#include "core/cp932.h"

namespace vtk {

namespace {

// Full-width capital letters Ａ-Ｚ and their small forms ａ-ｚ.
constexpr unsigned kFullWidthUpperA = 0x8260, kFullWidthUpperZ = 0x8279, kFullWidthCaseStep = 0x8281 - 0x8260;

// The character at byte i as one comparable unit, with the ASCII and the
// full-width letters folded to lower case.
unsigned FoldedUnitAt(std::string_view s, std::size_t i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  if (CharWidthAt(s, i) == 2) {
    const unsigned unit = lead * 256u + static_cast<unsigned char>(s[i + 1]);
    return (unit >= kFullWidthUpperA && unit <= kFullWidthUpperZ) ? unit + kFullWidthCaseStep : unit;
  }
  return (lead >= 'A' && lead <= 'Z') ? lead + ('a' - 'A') : lead;
}

}  // namespace

int MbsICompare(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const unsigned ca = FoldedUnitAt(a, i);
    const unsigned cb = FoldedUnitAt(b, j);
    if (ca != cb) return ca < cb ? -1 : 1;
    i += CharWidthAt(a, i);
    j += CharWidthAt(b, j);
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

void OrderSubFolders(std::vector<SubFolder>& found) {
  // Exact duplicates compare equal to the entry they repeat, so dropping the
  // later ones before a stable sort gives the same list as inserting each
  // entry after every entry not greater than it.
  std::vector<SubFolder> kept;
  kept.reserve(found.size());  // no reallocation: `seen` views into `kept`
  std::set<std::pair<std::string_view, std::string_view>> seen;
  for (SubFolder& f : found) {
    kept.push_back(std::move(f));
    if (!seen.emplace(kept.back().name, kept.back().path).second) kept.pop_back();
  }
  seen.clear();  // the sort moves the strings that it views
  std::stable_sort(kept.begin(), kept.end(),
                   [](const SubFolder& x, const SubFolder& y) { return MbsICompare(x.name, y.name) < 0; });
  found = std::move(kept);
}

bool StartsWithDriveRoot(std::string_view path) {
  if (path.size() < 3) return false;
  const auto letter = static_cast<unsigned char>(path[0]);
  const bool isLetter = (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
  return isLetter && path[1] == ':' && path[2] == '\\';
}

bool GetPathComponent(std::string_view path, int n, std::string& component, std::string& prefix) {
  component.clear();
  prefix.clear();
  if (n < 1 || !StartsWithDriveRoot(path)) return false;
  std::size_t pos = 3;
  for (int skipped = 1; skipped < n; ++skipped) {
    const std::size_t bs = FindBackslash(path, pos);
    if (bs == npos) return false;
    pos = bs + 1;
  }
  std::size_t end = FindBackslash(path, pos);
  if (end == npos) end = path.size();
  component.assign(path.substr(pos, end - pos));
  prefix.assign(path.substr(0, end));
  return !component.empty();
}

}  // namespace vtk
