#include "download/card/dnloadreport.h"

#include <algorithm>

#include "download/engine/carddeletion.h"
#include "framework/modulestate.h"
#include "framework/msgbox.h"
#include "res/ids_download.h"

void ReportDnLoad(HWND hOwner, const TransferResult& result, int bDelete) {
  const std::string caption = LoadResString(IDS_DNLOAD_CAPTION);
  const auto warn = [&](const std::string& text) {
    vtk::ShowMessageBox(hOwner, text, caption, MB_OK | MB_ICONEXCLAMATION);
  };
  if (!result.unreadable.empty())
    return warn(vtk::FormatWithName(LoadResString(IDS_DNLOAD_ERROR_OPENING), result.unreadable));
  const auto tooLong = [](const LeftOnCard& left) { return left.why == LeftOnCard::Why::kPathTooLong; };
  const auto notArrived = std::count_if(result.notConfirmed.begin(), result.notConfirmed.end(),
                                        [&](const LeftOnCard& left) { return !tooLong(left); });
  if (std::any_of(result.notConfirmed.begin(), result.notConfirmed.end(), tooLong))
    warn(LoadResString(IDS_DNLOAD_PATH_TOO_LONG));
  const int count = static_cast<int>(result.confirmed.size());
  if (count > 0) vtk::ShowMessageBox(hOwner, vtk::FormatWithCount(LoadResString(IDS_DNLOAD_COUNT), count), caption, MB_OK);
  if (notArrived > 0) warn(vtk::FormatWithCount(LoadResString(IDS_DNLOAD_SHORTFALL), notArrived));
  if (count == 0 || bDelete == 0) return;
  if (vtk::ShowMessageBox(hOwner, LoadResString(IDS_DNLOAD_DELETE_QUESTION), caption, MB_OKCANCEL | MB_ICONQUESTION) !=
      IDOK)
    return;
  const DeletionOutcome deletion = DeleteVerifiedSources(hOwner, result.confirmed);
  if (deletion.kept > 0) warn(vtk::FormatWithCount(LoadResString(IDS_DNLOAD_NOT_DELETED), deletion.kept));
}
