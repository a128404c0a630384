// Resource ids of funckeys/. The template, control and string ids are fixed:
// a host that shows the assignment dialog with its own resources carries the
// same ids. Plain #defines only: read by windres, by core/ and by the host.
#pragma once

#define IDD_FUNCKEY_ASSIGN 130

#define IDC_FK_LIST 1026
#define IDC_FK_CURRENT 1027
#define IDC_FK_CAPTURE 1028
#define IDC_FK_ASSIGN 1029
#define IDC_FK_DELETE 1030
#define IDC_FK_LIST_LABEL 1031
#define IDC_FK_CURRENT_LABEL 1032
#define IDC_FK_CAPTURE_LABEL 1033

// Japanese text set (language 0): the library carries these.
#define IDS_FK_CAPTION 1
#define IDS_FK_LIST_LABEL 2
#define IDS_FK_CURRENT_LABEL 3
#define IDS_FK_CAPTURE_LABEL 4
#define IDS_FK_ASSIGN 6
#define IDS_FK_DELETE 7
// Alternative text set (any other language): only a host carries these.
#define IDS_FK_ALT_CAPTION 1300
#define IDS_FK_ALT_LIST_LABEL 1301
#define IDS_FK_ALT_CURRENT_LABEL 1302
#define IDS_FK_ALT_CAPTURE_LABEL 1303
#define IDS_FK_ALT_ASSIGN 1304
#define IDS_FK_ALT_DELETE 1305

// List texts of the six slots and the OK button, in both text sets.
#define IDS_FK_REW 61446
#define IDS_FK_STOP 61447
#define IDS_FK_PLAY 61448
#define IDS_FK_FF 61449
#define IDS_FK_OK 61559
#define IDS_FK_VOLUME 61771
#define IDS_FK_SPEED 61772
#define IDS_FK_DISABLE 61773
