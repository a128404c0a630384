// The recorder download exports. They confirm settings and folder names and
// hand them back to the host; nothing is created, copied or deleted on disk.
// The host's buffers hold 260 bytes: every path that the user can choose
// here fits, a backslash included.
#include <optional>

#include "download/shared/paths.h"
#include "download/recorder/qx270conditiondlg.h"
#include "download/recorder/qx270newfolderdlg.h"
#include "download/recorder/qx270optiondlg.h"
#include "frame/callframe.h"
#include "vtksup.h"

namespace {

// The host's settings, or nothing when a pointer is null or a folder is not
// a whole path. Any flag but 0 comes in as 1, so that what the forms show
// and hand back agree; an empty folder stands for the current directory.
struct RecorderSettings {
  int bDelete;
  int bNewFolder;
  std::string folderA, folderB;
};
std::optional<RecorderSettings> TakeSettingsIn(const int* pbDelete, const int* pnMethod, const char* pszFolderA,
                                               const char* pszFolderB) {
  if (!pbDelete || !pnMethod) return std::nullopt;
  std::optional<std::string> folderA = ReadHostFolder(pszFolderA), folderB = ReadHostFolder(pszFolderB);
  if (!folderA || !folderB) return std::nullopt;
  return RecorderSettings{*pbDelete != 0, *pnMethod != 0, *folderA, *folderB};
}

void HandFolderBack(const std::string& folder, char* buffer) {
  vtk::CopyToHostBuffer(buffer, WithoutLastBackslash(folder));
}

// The options export hands a folder back with a trailing backslash, except
// for paths of 3 bytes or fewer (a root such as E:\ keeps its own).
void HandOptionFolderBack(std::string folder, char* buffer) {
  vtk::AddBackslashGuarded(folder);
  vtk::CopyToHostBuffer(buffer, folder);
}

bool EndsWithSettings(INT_PTR result) { return result == IDOK || result == kFormSwitch; }

// Both forms start from the caller's settings and give the flags back alike.
template <class Form>
void FillForm(Form& dlg, const RecorderSettings& settings, int nFolders) {
  dlg.m_bDelete = settings.bDelete;
  dlg.m_bNewFolder = settings.bNewFolder;
  dlg.m_nFolders = nFolders;
  dlg.m_strFolderA = settings.folderA;
  dlg.m_strFolderB = settings.folderB;
}

template <class Form>
void HandFlagsBack(const Form& dlg, int* pbDelete, int* pnMethod) {
  *pbDelete = dlg.m_bDelete;
  *pnMethod = dlg.m_bNewFolder;
}

INT_PTR RunTwoFolderForm(const RecorderSettings& settings, int nFolders, int* pbDelete, int* pnMethod,
                         char* pszFolderA, char* pszFolderB) {
  CQX270ConditionDlg dlg;
  FillForm(dlg, settings, nFolders);
  const INT_PTR result = dlg.DoModal();
  if (EndsWithSettings(result)) {
    HandFlagsBack(dlg, pbDelete, pnMethod);
    HandFolderBack(dlg.m_strFolderA, pszFolderA);
    HandFolderBack(dlg.m_strFolderB, pszFolderB);
  }
  return result;
}

INT_PTR RunNewFolderForm(const RecorderSettings& settings, int nFolders, int* pbDelete, int* pnMethod,
                         char* pszFolderA, char* pszFolderB) {
  CQX270NewFolderConditionDlg dlg;
  FillForm(dlg, settings, nFolders);
  const INT_PTR result = dlg.DoModal();
  if (!EndsWithSettings(result)) return result;
  HandFlagsBack(dlg, pbDelete, pnMethod);
  if (result == IDOK) {
    // The full paths of the new folders: parent\name.
    vtk::AddBackslashGuarded(dlg.m_strFolderA);
    dlg.m_strFolderA += dlg.m_strNewNameA;
    vtk::AddBackslashGuarded(dlg.m_strFolderB);
    dlg.m_strFolderB += dlg.m_strNewNameB;
  }
  HandFolderBack(dlg.m_strFolderA, pszFolderA);
  HandFolderBack(dlg.m_strFolderB, pszFolderB);
  return result;
}

}  // namespace

int WINAPI QX270DnLoadOption(int* pbDelete, int* pnMethod, char* pszFolderA, char* pszFolderB) {
  return vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] {
    const std::optional<RecorderSettings> settings = TakeSettingsIn(pbDelete, pnMethod, pszFolderA, pszFolderB);
    if (!settings) return 0;
    CQX270DnLoadOptionDlg dlg;
    dlg.m_bDelete = settings->bDelete;
    dlg.SetNewFolderFlag(settings->bNewFolder);
    dlg.m_strFolderA = settings->folderA;
    dlg.m_strFolderB = settings->folderB;
    if (dlg.DoModal() != IDOK) return 0;
    *pbDelete = dlg.m_bDelete;
    *pnMethod = dlg.NewFolderFlag();
    HandOptionFolderBack(dlg.m_strFolderA, pszFolderA);
    HandOptionFolderBack(dlg.m_strFolderB, pszFolderB);
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
      result = settings->bNewFolder == 0
                   ? RunTwoFolderForm(*settings, nFolders, pbDelete, pnMethod, pszFolderA, pszFolderB)
                   : RunNewFolderForm(*settings, nFolders, pbDelete, pnMethod, pszFolderA, pszFolderB);
    } while (result == kFormSwitch);
    return result == IDOK ? 1 : 0;
  });
}
