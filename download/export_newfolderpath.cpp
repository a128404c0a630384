#include "download/paths.h"
#include "frame/callframe.h"
#include "vtksup.h"

// The paths of the new folders that a recorder download would create; no
// folder is created and nothing is shown. The buffers are the host's and are
// written without a bound: they must hold a path, a backslash and a dated name.
int WINAPI GetDnLoadNewFolderPath(int nFolders, char* pszFolderA, char* pszFolderB) {
  return vtk::LibraryCall(0, [&] {
    std::string folderA = PathOrCurrentDirectory(pszFolderA);
    std::string folderB = PathOrCurrentDirectory(pszFolderB);
    vtk::MakeNewFolderPaths(nFolders, folderA, folderB, GetLocalDate(), PathExists);
    lstrcpyA(pszFolderA, folderA.c_str());
    lstrcpyA(pszFolderB, folderB.c_str());
    return 1;
  });
}
