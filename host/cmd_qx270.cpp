// Recorder download commands. The settings live in the [Recorder] section of
// vtkhost.ini: what an export hands back is stored for the next call.
#include "host/hostcommands.h"
#include "host/settings.h"
#include "vtksup.h"

namespace {

struct RecorderSettings {
  host::Settings ini{"Recorder"};
  int bDelete = ini.GetInt("Delete");
  int nMethod = ini.GetInt("Method");
  int nFolders = ini.GetInt("Folders");
  std::vector<char> folderA = host::PathBuffer(ini.Get("FolderA"));
  std::vector<char> folderB = host::PathBuffer(ini.Get("FolderB"));

  void Print() const {
    host::Print("delete", bDelete);
    host::Print("method", nMethod);
    host::Print("folderA", folderA.data());
    host::Print("folderB", folderB.data());
  }
  void Store(bool withFolders) const {
    ini.Set("Delete", bDelete);
    ini.Set("Method", nMethod);
    if (!withFolders) return;
    ini.Set("FolderA", folderA.data());
    ini.Set("FolderB", folderB.data());
  }
};

int RunOption(HMODULE dll, const host::Args&) {
  auto fn = host::ExportAs<PFN_QX270DnLoadOption>(dll, "QX270DnLoadOption");
  RecorderSettings s;
  const int result = fn(&s.bDelete, &s.nMethod, s.folderA.data(), s.folderB.data());
  host::Print("result", result);
  s.Print();
  if (result == 1) s.Store(true);
  return 0;
}

int RunCondition(HMODULE dll, const host::Args& args) {
  auto fn = host::ExportAs<PFN_QX270DnLoadCondition>(dll, "QX270DnLoadCondition");
  RecorderSettings s;
  if (!args.empty()) s.nFolders = host::ToInt(args[0]);
  const int result = fn(&s.bDelete, &s.nMethod, s.nFolders, s.folderA.data(), s.folderB.data());
  host::Print("result", result);
  s.Print();
  // A form switch writes the settings even when the user cancels later. The
  // folders are kept only as download folders: after a start in the new-folder
  // form they are the new folders' full paths, which belong to this download.
  s.Store(s.nMethod == 0);
  return 0;
}

host::Registration option({"QX270DnLoadOption", "(settings in vtkhost.ini [Recorder])", RunOption});
host::Registration condition({"QX270DnLoadCondition", "[SELECTOR] (settings in vtkhost.ini [Recorder])", RunCondition});

}  // namespace
