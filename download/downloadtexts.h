// Texts that several download dialogs show for the method and the delete flag.
#pragma once
#include <string>

// "save into the download folder" for method 0, "create a new folder" otherwise.
std::string MethodText(int nNewFolder);
// "delete" for a nonzero flag, "do not delete" for 0.
std::string DeleteText(int bDelete);
