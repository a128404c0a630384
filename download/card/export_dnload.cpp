#include <optional>

#include "download/card/dnloadconditiondlg.h"
#include "download/card/dnloadnewfolderconditiondlg.h"
#include "download/card/dnloadoptionsdlg.h"
#include "download/shared/paths.h"
#include "frame/callframe.h"
#include "vtksup.h"

namespace {

// The host's settings, or nothing when a pointer is null or a path is not
// whole. Any flag but 0 is true, and comes in as 1, so that the dialogs show,
// do and hand back one and the same thing; an empty folder stands for the
// current directory.
std::optional<DownloadSettings> TakeSettingsIn(const int* pbDelete, const int* pnMethod, const int* pnManualDrive,
                                               const char* pszFolder, const char* pszDrive) {
  if (!pbDelete || !pnMethod || !pnManualDrive) return std::nullopt;
  std::optional<std::string> folder = ReadHostFolder(pszFolder), drive = vtk::ReadHostPath(pszDrive);
  if (!folder || !drive) return std::nullopt;
  return DownloadSettings{*pbDelete != 0, *pnMethod != 0, *pnManualDrive != 0, *folder, *drive};
}

// One form of the card confirmation, filled from the host's values; the
// settings go back to the host after OK and after a form switch.
template <class Form>
INT_PTR RunConditionForm(const DownloadSettings& settings, int* pbDelete, int* pnMethod, int* pnResult, char* pszFolder,
                         char* pszNewFolder, char* pszDrive) {
  Form dlg(settings);
  const INT_PTR result = dlg.DoModal();
  if (result == IDOK || result == kFormSwitch) {
    *pbDelete = dlg.m_settings.bDelete;
    *pnMethod = dlg.m_settings.nMethod;
    vtk::CopyToHostBuffer(pszFolder, vtk::WithoutLastBackslash(dlg.m_settings.strFolder));
    vtk::CopyToHostBuffer(pszDrive, vtk::WithoutLastBackslash(dlg.m_settings.strDrive));
    *pnResult = dlg.m_nResult;
    // The host learns a folder's name only when this download made it.
    vtk::CopyToHostBuffer(pszNewFolder, dlg.m_bStart == 1 ? dlg.m_strNewFolderName : std::string());
  }
  return result;
}

}  // namespace

int WINAPI DnLoadOptions(int* pbDelete, int* pnMethod, int* pnManualDrive, char* pszFolder, char* pszDrive) {
  return vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] {
    const std::optional<DownloadSettings> settings =
        TakeSettingsIn(pbDelete, pnMethod, pnManualDrive, pszFolder, pszDrive);
    if (!settings) return 0;
    CDnLoadOptionsDlg dlg(*settings);
    if (dlg.DoModal() != IDOK) return 0;
    const DownloadSettings chosen = dlg.Settings();
    *pbDelete = chosen.bDelete;
    *pnMethod = chosen.nMethod;
    *pnManualDrive = chosen.nManualDrive;
    vtk::CopyToHostBuffer(pszFolder, chosen.strFolder);
    vtk::CopyToHostBuffer(pszDrive, chosen.strDrive);
    return 1;
  });
}

int WINAPI DnLoadCondition(int* pbDelete, int* pnMethod, int* pnManualDrive, int* pnResult, char* pszFolder,
                           char* pszNewFolder, char* pszDrive) {
  return vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] {
    if (!pnResult || !pszNewFolder) return 0;
    // A form switch shows the other form with the values just handed back.
    for (;;) {
      const std::optional<DownloadSettings> settings =
          TakeSettingsIn(pbDelete, pnMethod, pnManualDrive, pszFolder, pszDrive);
      if (!settings) return 0;
      const INT_PTR result =
          settings->nMethod == 0
              ? RunConditionForm<CDnLoadConditionDlg>(*settings, pbDelete, pnMethod, pnResult, pszFolder, pszNewFolder,
                                                      pszDrive)
              : RunConditionForm<CDnLoadNewFolderConditionDlg>(*settings, pbDelete, pnMethod, pnResult, pszFolder,
                                                               pszNewFolder, pszDrive);
      if (result != kFormSwitch) return result == IDOK ? 1 : 0;
    }
  });
}
