// The recorder download exports. They confirm settings and folder names and
// hand them back to the host; nothing is created, copied or deleted on disk.
// The host's buffers hold 260 bytes: every path that the user can choose
// here fits, a backslash included.
#include <optional>

#include "download/recorder/qx270conditiondlg.h"
#include "download/recorder/qx270newfolderdlg.h"
#include "download/recorder/qx270optiondlg.h"
#include "download/shared/paths.h"
#include "frame/callframe.h"
#include "vtksup.h"

namespace {

// The host's settings, or nothing when a pointer is null or a folder is not
// a whole path. Any flag but 0 comes in as 1, so that what the forms show
// and hand back agree; an empty folder stands for the current directory.
std::optional<RecorderSettings> TakeSettingsIn(const int* pbDelete, const int* pnMethod, const char* pszFolderA,
                                               const char* pszFolderB) {
  if (!pbDelete || !pnMethod) return std::nullopt;
  std::optional<std::string> folderA = ReadHostFolder(pszFolderA), folderB = ReadHostFolder(pszFolderB);
  if (!folderA || !folderB) return std::nullopt;
  return RecorderSettings{*pbDelete != 0, *pnMethod != 0, *folderA, *folderB};
}

// The settings go back to the host; a folder without its trailing backslash,
// or, from the options, with one (but for a root such as E:\, which keeps its
// own, and for a path of 3 bytes or fewer).
void HandSettingsBack(const RecorderSettings& settings, int* pbDelete, int* pnMethod, char* pszFolderA,
                      char* pszFolderB, bool fromOptions = false) {
  *pbDelete = settings.bDelete;
  *pnMethod = settings.nMethod;
  for (auto [folder, buffer] : {std::pair{settings.strFolderA, pszFolderA}, std::pair{settings.strFolderB, pszFolderB}}) {
    if (fromOptions) vtk::AddBackslashGuarded(folder);
    vtk::CopyToHostBuffer(buffer, fromOptions ? folder : WithoutLastBackslash(folder));
  }
}

bool EndsWithSettings(INT_PTR result) { return result == IDOK || result == kFormSwitch; }

INT_PTR RunTwoFolderForm(const RecorderSettings& settings, int nFolders, int* pbDelete, int* pnMethod,
                         char* pszFolderA, char* pszFolderB) {
  CQX270ConditionDlg dlg(settings, nFolders);
  const INT_PTR result = dlg.DoModal();
  if (EndsWithSettings(result)) HandSettingsBack(dlg.m_settings, pbDelete, pnMethod, pszFolderA, pszFolderB);
  return result;
}

INT_PTR RunNewFolderForm(const RecorderSettings& settings, int nFolders, int* pbDelete, int* pnMethod,
                         char* pszFolderA, char* pszFolderB) {
  CQX270NewFolderConditionDlg dlg(settings, nFolders);
  const INT_PTR result = dlg.DoModal();
  if (!EndsWithSettings(result)) return result;
  RecorderSettings chosen = dlg.m_settings;
  if (result == IDOK) {
    // The full paths of the new folders: parent\name.
    chosen.strFolderA = vtk::JoinPath(chosen.strFolderA, dlg.m_strNewNameA);
    chosen.strFolderB = vtk::JoinPath(chosen.strFolderB, dlg.m_strNewNameB);
  }
  HandSettingsBack(chosen, pbDelete, pnMethod, pszFolderA, pszFolderB);
  return result;
}

}  // namespace

int WINAPI QX270DnLoadOption(int* pbDelete, int* pnMethod, char* pszFolderA, char* pszFolderB) {
  return vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] {
    const std::optional<RecorderSettings> settings = TakeSettingsIn(pbDelete, pnMethod, pszFolderA, pszFolderB);
    if (!settings) return 0;
    CQX270DnLoadOptionDlg dlg(*settings);
    if (dlg.DoModal() != IDOK) return 0;
    HandSettingsBack(dlg.Settings(), pbDelete, pnMethod, pszFolderA, pszFolderB, true);
    return 1;
  });
}

int WINAPI QX270DnLoadCondition(int* pbDelete, int* pnMethod, int nFolders, char* pszFolderA, char* pszFolderB) {
  return vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] {
    INT_PTR result;
    do {
      // The caller's settings are written at every switch, so the next form
      // opens with what the last one handed back.
      const std::optional<RecorderSettings> settings = TakeSettingsIn(pbDelete, pnMethod, pszFolderA, pszFolderB);
      if (!settings) return 0;
      result = settings->nMethod == 0
                   ? RunTwoFolderForm(*settings, nFolders, pbDelete, pnMethod, pszFolderA, pszFolderB)
                   : RunNewFolderForm(*settings, nFolders, pbDelete, pnMethod, pszFolderA, pszFolderB);
    } while (result == kFormSwitch);
    return result == IDOK ? 1 : 0;
  });
}
