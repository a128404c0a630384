// What the two forms of the recorder download confirmation share.
#pragma once
#include <initializer_list>

#include "download/recorder/recordersettings.h"

class CWnd;

// Runs the recorder options dialog preset from a form's settings (an empty
// folder is shown as the current directory). On OK the settings come back
// and true is returned; otherwise nothing changes.
bool RunRecorderOptions(RecorderSettings& settings);

// Which controls a folder selector leaves enabled: 1 = folder A only,
// 2 = folder B only, any other value = both.
bool FolderATakesPart(int nFolders);
bool FolderBTakesPart(int nFolders);
// Disables in `dlg` the controls of the folder that the selector leaves out.
void DisableFolderLeftOut(CWnd& dlg, int nFolders, std::initializer_list<int> controlsA,
                          std::initializer_list<int> controlsB);
