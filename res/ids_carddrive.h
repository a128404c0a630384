// Resource ids of carddrive/.
#pragma once

// Selection among several card drives.
#define IDD_CARDDRIVE_SELECT 135
#define IDC_CARD_DRIVE 1024
