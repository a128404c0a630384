// What the two forms of the recorder download confirmation share.
#pragma once
#include <initializer_list>
#include <string>

class CWnd;

// Runs the recorder options dialog preset from a form's state (an empty
// folder is shown as the current directory). On OK the delete flag, the
// method flag and both folders come back and true is returned; otherwise
// nothing changes.
bool RunRecorderOptions(int& bDelete, int& bNewFolder, std::string& folderA, std::string& folderB);

// Which controls a folder selector leaves enabled: 1 = folder A only,
// 2 = folder B only, any other value = both.
bool FolderATakesPart(int nFolders);
bool FolderBTakesPart(int nFolders);
// Disables in `dlg` the controls of the folder that the selector leaves out.
void DisableFolderLeftOut(CWnd& dlg, int nFolders, std::initializer_list<int> controlsA,
                          std::initializer_list<int> controlsB);
