#include "download/carddeletion.h"

#include <algorithm>

#include "download/copycheck.h"
#include "download/twohalves.h"

DeletionOutcome DeleteVerifiedSources(HWND hOwner, const std::vector<VerifiedSource>& verified) {
  std::vector<char> same(verified.size(), 0);
  const bool laterHalfChecked = vtk::InTwoHalves(verified.size(), [&](std::size_t first, std::size_t last) {
    for (std::size_t i = first; i < last; ++i) same[i] = vtk::CurrentIdentity(verified[i].path) == verified[i].identity;
  });
  if (!laterHalfChecked) std::fill(same.begin() + static_cast<std::ptrdiff_t>(verified.size() / 2), same.end(), 0);
  std::vector<std::string> unchanged;
  for (std::size_t i = 0; i < verified.size(); ++i)
    if (same[i]) unchanged.push_back(verified[i].path);
  DeletionOutcome outcome;
  outcome.kept = static_cast<int>(verified.size() - unchanged.size());
  if (unchanged.empty()) return outcome;
  const std::string list = vtk::DoubleNulList(unchanged);
  SHFILEOPSTRUCTA op{};
  op.hwnd = hOwner;
  op.wFunc = FO_DELETE;
  op.pFrom = list.c_str();
  op.pTo = nullptr;
  op.fFlags = FOF_NOCONFIRMATION;
  vtk::RunShellFileOperation(op);
  // The shell's answer is not trusted: a file still there was not deleted.
  for (const std::string& path : unchanged) {
    if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) ++outcome.deleted;
    else ++outcome.kept;
  }
  return outcome;
}
