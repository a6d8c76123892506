#pragma once
// Resource IDs of the saver program (range 100-199; 1 is the display name and the icon).
#define IDS_QV_DISPLAY_NAME 1
#define IDI_QV_PROGRAM 1
#define IDB_QV_GLOW 101
#define IDB_QV_PREVIEW 102
