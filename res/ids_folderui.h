// Resource ids of folderui/.
#pragma once

// The directory chooser.
#define IDD_DIRECTORY 1031
#define IDC_DIR_NETWORK 1032
#define IDC_DIR_PATH 1033
#define IDC_DIR_DRIVES 1034
#define IDC_DIR_FOLDERS 1035

// Folder pictures of the folder list (26 x 26, 16 colours, white background).
#define IDB_FOLDER_OPEN 1036
#define IDB_FOLDER_CLOSED 1037

#define IDS_DIR_CAPTION_SELECT 22000
#define IDS_DIR_CAPTION_CREATE 22001
#define IDS_DIR_DRIVE_NOT_READY 22002
#define IDS_DIR_DRIVE_CAPTION 22003
#define IDS_DIR_ENTER_NEW_NAME 22004
#define IDS_DIR_FOLDER_EXISTS 22005
#define IDS_DIR_CANNOT_ENTER 22006
#define IDS_DIR_NAME_TOO_LONG 22007
#define IDS_DIR_NAME_BAD_CHARACTER 22008
// Caption of the message that asks for a new folder name.
#define IDS_DIR_ENTER_NEW_NAME_CAPTION 22009
