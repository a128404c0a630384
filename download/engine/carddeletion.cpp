#include "download/engine/carddeletion.h"

#include <map>
#include <string_view>

#include "download/engine/copycheck.h"
#include "download/engine/platform.h"
#include "download/engine/targetfolder.h"

DeletionOutcome DeleteVerifiedSources(HWND hOwner, const std::vector<LandedCopy>& landed) {
  std::vector<std::string> unchanged;
  for (const LandedCopy& v : landed)
    if (vtk::CurrentIdentity(v.source) == v.identity) unchanged.push_back(v.source);
  DeletionOutcome outcome;
  outcome.kept = static_cast<int>(landed.size() - unchanged.size());
  if (unchanged.empty()) return outcome;
  const std::string list = vtk::DoubleNulList(unchanged);
  SHFILEOPSTRUCTA op{};
  op.hwnd = hOwner;
  op.wFunc = FO_DELETE;
  op.pFrom = list.c_str();
  op.pTo = nullptr;
  op.fFlags = FOF_NOCONFIRMATION;
  vtk::TheEnginePlatform().shellFileOperation(&op);
  // The shell's answer is not trusted: a file still there was not deleted.
  // Each folder is listed once; asking for each name that is gone would
  // cost a search of the folder per name.
  std::map<std::string, vtk::TargetFolder> left;
  for (const std::string& path : unchanged) {
    const std::string_view name = vtk::FileNamePart(path);
    const std::string folder = path.substr(0, path.size() - name.size());
    const vtk::TargetFolder& listing = left.try_emplace(folder, folder).first->second;
    if (listing.Holds(std::string(name))) ++outcome.kept;
    else ++outcome.deleted;
  }
  return outcome;
}
