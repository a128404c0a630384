// The card download settings as the host keeps them: they come in from the
// host's arguments, go through the options dialog and the confirmation
// forms, and go back to the host.
#pragma once
#include <string>

struct DownloadSettings {
  int bDelete = 0;        // delete the downloaded files from the card
  int nMethod = 0;        // 0 = save into the download folder, 1 = a new dated folder in it
  int nManualDrive = 0;   // 0 = detect the card drive, 1 = the user's own drive
  std::string strFolder;  // the download folder
  std::string strDrive;   // root of the user's own drive, such as E:\ (may be empty)
};
