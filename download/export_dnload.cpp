#include "download/dnloadconditiondlg.h"
#include "download/dnloadnewfolderconditiondlg.h"
#include "download/dnloadoptionsdlg.h"
#include "download/paths.h"
#include "frame/callframe.h"
#include "vtksup.h"

namespace {

// One form of the card confirmation, filled from the host's values; the
// settings go back to the host after OK and after a form switch.
template <class Form>
INT_PTR RunConditionForm(int* pbDelete, int* pnMethod, const int* pnManualDrive, int* pnResult, char* pszFolder,
                         char* pszNewFolder, char* pszDrive) {
  Form dlg;
  dlg.m_strDrive = pszDrive;
  dlg.m_bDelete = *pbDelete;
  dlg.m_nNewFolder = *pnMethod;
  dlg.m_nManualDrive = *pnManualDrive;
  dlg.m_nResult = 0;
  dlg.m_strFolder = PathOrCurrentDirectory(pszFolder);
  dlg.m_strSubFolder.clear();
  const INT_PTR result = dlg.DoModal();
  if (result == IDOK || result == kFormSwitch) {
    *pbDelete = dlg.m_bDelete;
    *pnMethod = dlg.m_nNewFolder;
    vtk::CopyToHostBuffer(pszFolder, WithoutLastBackslash(dlg.m_strFolder));
    vtk::CopyToHostBuffer(pszDrive, WithoutLastBackslash(dlg.m_strDrive));
    *pnResult = dlg.m_nResult;
    // The host learns a folder's name only when this download made it.
    vtk::CopyToHostBuffer(pszNewFolder, dlg.m_bStart == 1 ? dlg.m_strNewFolderName : std::string());
  }
  return result;
}

}  // namespace

int WINAPI DnLoadOptions(int* pbDelete, int* pnMethod, int* pnManualDrive, char* pszFolder, char* pszDrive) {
  return vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] {
    CDnLoadOptionsDlg dlg;
    dlg.m_strDrive = pszDrive;
    dlg.m_bDelete = *pbDelete;
    dlg.m_nSaveToFolder = *pnMethod == 0 ? 1 : 0;
    dlg.m_nNewFolder = *pnMethod == 0 ? 0 : 1;
    dlg.m_nAutoDrive = *pnManualDrive == 0 ? 1 : 0;
    dlg.m_nManualDrive = *pnManualDrive == 0 ? 0 : 1;
    dlg.m_strFolder = PathOrCurrentDirectory(pszFolder);
    if (dlg.DoModal() != IDOK) return 0;
    *pbDelete = dlg.m_bDelete;
    *pnMethod = (dlg.m_nSaveToFolder == 1 && dlg.m_nNewFolder == 0) ? 0 : 1;
    *pnManualDrive = (dlg.m_nAutoDrive == 1 && dlg.m_nManualDrive == 0) ? 0 : 1;
    vtk::CopyToHostBuffer(pszFolder, dlg.m_strFolder);
    vtk::CopyToHostBuffer(pszDrive, dlg.m_strDrive);
    return 1;
  });
}

int WINAPI DnLoadCondition(int* pbDelete, int* pnMethod, int* pnManualDrive, int* pnResult, char* pszFolder,
                           char* pszNewFolder, char* pszDrive) {
  return vtk::DialogCall(AfxGetStaticModuleState(), 0, [&] {
    // A form switch shows the other form with the values just handed back.
    for (;;) {
      const INT_PTR result =
          *pnMethod == 0
              ? RunConditionForm<CDnLoadConditionDlg>(pbDelete, pnMethod, pnManualDrive, pnResult, pszFolder,
                                                      pszNewFolder, pszDrive)
              : RunConditionForm<CDnLoadNewFolderConditionDlg>(pbDelete, pnMethod, pnManualDrive, pnResult,
                                                               pszFolder, pszNewFolder, pszDrive);
      if (result != kFormSwitch) return result == IDOK ? 1 : 0;
    }
  });
}
