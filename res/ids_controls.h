// Resource ids of controls/.
#pragma once

// Folder pictures of the folder list (26 x 26, 16 colours, white background).
#define IDB_FOLDER_OPEN 1036
#define IDB_FOLDER_CLOSED 1037
