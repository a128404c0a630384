#include "download/downloadtexts.h"

#include "framework/modulestate.h"
#include "res/ids_download.h"

std::string MethodText(int nNewFolder) { return LoadResString(nNewFolder == 0 ? IDS_METHOD_SAVE : IDS_METHOD_NEWFOLDER); }

std::string DeleteText(int bDelete) { return LoadResString(bDelete != 0 ? IDS_DELETE_YES : IDS_DELETE_NO); }
