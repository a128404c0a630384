// Texts that several download dialogs show for the method and the delete flag.
#pragma once
#include <string>

class CWnd;

// "save into the download folder" for method 0, "create a new folder" otherwise.
std::string MethodText(int nNewFolder);
// "delete" for a nonzero flag, "do not delete" for 0.
std::string DeleteText(int bDelete);
// Both new-folder forms refuse Start with this warning, owned by `dlg`, when
// a folder has no dated name: none fits under its parent within 255 bytes.
void WarnNoNewFolderNameFits(CWnd& dlg);
