#include "download/shared/paths.h"
#include "frame/callframe.h"
#include "vtksup.h"

// The paths of the new folders that a recorder download would create; no
// folder is created and nothing is shown. A dated name is made only where
// parent\name fits the 255 bytes of a path; where none fits, the call fails
// rather than hand back the parent as the new folder.
int WINAPI GetDnLoadNewFolderPath(int nFolders, char* pszFolderA, char* pszFolderB) {
  return vtk::LibraryCall(0, [&] {
    std::optional<std::string> folderA = ReadHostFolder(pszFolderA), folderB = ReadHostFolder(pszFolderB);
    if (!folderA || !folderB) return 0;
    if (!vtk::MakeNewFolderPaths(nFolders, *folderA, *folderB, GetLocalDate(), PathExists)) return 0;
    vtk::CopyToHostBuffer(pszFolderA, *folderA);
    vtk::CopyToHostBuffer(pszFolderB, *folderB);
    return 1;
  });
}
