// The recorder download settings as the host keeps them: they come in from
// the host's arguments, go through the options dialog and the confirmation
// forms, and go back to the host.
#pragma once
#include <string>

struct RecorderSettings {
  int bDelete = 0;  // delete the downloaded files from the recorder
  int nMethod = 0;  // 0 = save into the download folders, 1 = a new dated folder in each
  std::string strFolderA;  // the download folder of the recorder's folder A
  std::string strFolderB;  // and of its folder B
};
