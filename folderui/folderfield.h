// A folder field of a dialog: a read-only edit that shows a folder, with a
// "..." button beside it that opens the directory chooser on that folder.
#pragma once
#include <string>

class CWnd;

// Shows `folder` in the edit `nIDEdit` of `dlg` without its last backslash
// (a root such as E:\ keeps its own), as every dialog shows a folder.
void ShowFolderInField(CWnd& dlg, int nIDEdit, const std::string& folder);

// The "..." button: runs the chooser in select mode from `folder`. On OK
// `folder` becomes the chosen directory and the edit shows it as chosen;
// after Cancel nothing changes and false is returned.
bool BrowseIntoField(CWnd& dlg, int nIDEdit, std::string& folder);
