#include "host/hostcommands.h"
#include "vtksup.h"

namespace {

int RunGetDnLoadNewFolderPath(HMODULE dll, const host::Args& args) {
  if (args.size() != 3) return 2;
  auto fn = host::ExportAs<PFN_GetDnLoadNewFolderPath>(dll, "GetDnLoadNewFolderPath");
  std::vector<char> folderA = host::PathBuffer(args[1]);
  std::vector<char> folderB = host::PathBuffer(args[2]);
  host::Print("result", fn(host::ToInt(args[0]), folderA.data(), folderB.data()));
  host::Print("folderA", folderA.data());
  host::Print("folderB", folderB.data());
  return 0;
}

host::Registration reg({"GetDnLoadNewFolderPath", "SELECTOR FOLDER_A FOLDER_B", RunGetDnLoadNewFolderPath});

}  // namespace
