#include "download/engine/carddeletion.h"
#include "framework/modulestate.h"
#include "framework/msgbox.h"
#include "res/ids_download.h"

void ReportDnLoad(HWND hOwner, const TransferOutcome& outcome, int bDelete) {
  const std::string caption = LoadResString(IDS_DNLOAD_CAPTION);
  const auto warn = [&](const std::string& text) {
    vtk::ShowMessageBox(hOwner, text, caption, MB_OK | MB_ICONEXCLAMATION);
  };
  if (!outcome.unreadable.empty())
    return warn(vtk::FormatWithName(LoadResString(IDS_DNLOAD_ERROR_OPENING), outcome.unreadable));
  if (outcome.pathTooLong) warn(LoadResString(IDS_DNLOAD_PATH_TOO_LONG));
  const int count = static_cast<int>(outcome.confirmed.size());
  if (count > 0) vtk::ShowMessageBox(hOwner, vtk::FormatWithCount(LoadResString(IDS_DNLOAD_COUNT), count), caption, MB_OK);
  if (count < outcome.queued)
    warn(vtk::FormatWithCount(LoadResString(IDS_DNLOAD_SHORTFALL), outcome.queued - count));
  if (count == 0 || bDelete == 0) return;
  if (vtk::ShowMessageBox(hOwner, LoadResString(IDS_DNLOAD_DELETE_QUESTION), caption, MB_OKCANCEL | MB_ICONQUESTION) !=
      IDOK)
    return;
  const DeletionOutcome deletion = DeleteVerifiedSources(hOwner, outcome.confirmed);
  if (deletion.kept > 0) warn(vtk::FormatWithCount(LoadResString(IDS_DNLOAD_NOT_DELETED), deletion.kept));
}
