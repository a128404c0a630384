// The card download exports as the dictation player calls them: the
// settings come from the host's own settings file, go into the call, and
// what comes back is stored again. Arguments KEY=VALUE change a setting
// first (Delete, Method, DriveChoice, Folder, Drive).
#include <set>

#include "core/cp932.h"
#include "host/hostcommands.h"
#include "host/scripted.h"
#include "host/settings.h"
#include "vtksup.h"

namespace {

struct CardSettings {
  host::Settings store{"MiniCard"};
  int bDelete = 0;
  int nMethod = 0;
  int nDriveChoice = 0;
  std::vector<char> folder, drive;

  explicit CardSettings(const host::Args& changes) {
    for (const std::string& change : changes) {
      const std::size_t eq = change.find('=');
      if (eq != std::string::npos) store.Set(change.substr(0, eq).c_str(), change.substr(eq + 1));
    }
    bDelete = store.GetInt("Delete", 0);
    nMethod = store.GetInt("Method", 0);
    nDriveChoice = store.GetInt("DriveChoice", 0);
    folder = host::PathBuffer(store.Get("Folder"));
    drive = host::PathBuffer(store.Get("Drive"));
  }
  void Save() const {
    store.Set("Delete", bDelete);
    store.Set("Method", nMethod);
    store.Set("DriveChoice", nDriveChoice);
    store.Set("Folder", std::string(folder.data()));
    store.Set("Drive", std::string(drive.data()));
  }
  void Print() const {
    host::Print("delete", bDelete);
    host::Print("method", nMethod);
    host::Print("driveChoice", nDriveChoice);
    host::Print("folder", folder.data());
    host::Print("drive", drive.data());
  }
};

std::string WithoutBackslash(std::string folder) {
  if (vtk::EndsWithBackslash(folder)) folder.pop_back();
  return folder;
}

// The dictation files in `folder`, as full paths.
std::set<std::string> DictationFiles(const std::string& folder) {
  std::set<std::string> files;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((WithoutBackslash(folder) + "\\*.dss").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    files.insert(WithoutBackslash(folder) + "\\" + found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return files;
}

int RunDnLoadOptions(HMODULE dll, const host::Args& args) {
  auto fn = host::ExportAs<PFN_DnLoadOptions>(dll, "DnLoadOptions");
  CardSettings s(args);
  host::StartScriptedUserIfAsked();
  const int result = fn(&s.bDelete, &s.nMethod, &s.nDriveChoice, s.folder.data(), s.drive.data());
  host::Print("result", result);
  if (result == 1) s.Save();
  s.Print();
  return 0;
}

int RunDnLoadCondition(HMODULE dll, const host::Args& args) {
  auto fn = host::ExportAs<PFN_DnLoadCondition>(dll, "DnLoadCondition");
  CardSettings s(args);
  int outcome = 0;
  std::vector<char> newFolder = host::PathBuffer("");
  const std::set<std::string> before = DictationFiles(s.folder.data());
  host::StartScriptedUserIfAsked();
  const int result =
      fn(&s.bDelete, &s.nMethod, &s.nDriveChoice, &outcome, s.folder.data(), newFolder.data(), s.drive.data());
  host::Print("result", result);
  if (result == 1) s.Save();
  host::Print("outcome", outcome);
  host::Print("newFolder", newFolder.data());
  s.Print();
  if (result == 1 && outcome > 0) {
    std::string target = WithoutBackslash(s.folder.data());
    if (newFolder[0]) target += std::string("\\") + newFolder.data();
    for (const std::string& file : DictationFiles(target))
      if (!before.count(file)) host::Print("landed", file);
  }
  return 0;
}

int RunGetMiniCardDrive(HMODULE dll, const host::Args&) {
  auto fn = host::ExportAs<PFN_GetMiniCardDrive>(dll, "GetMiniCardDrive");
  int count = -1;
  fn(nullptr, &count);
  host::Print("count", count);
  return 0;
}

host::Registration regOptions({"DnLoadOptions", "[KEY=VALUE...]", RunDnLoadOptions});
host::Registration regCondition({"DnLoadCondition", "[KEY=VALUE...]", RunDnLoadCondition});
host::Registration regCount({"GetMiniCardDrive", "", RunGetMiniCardDrive});

}  // namespace
