#pragma once
// Resource IDs of the settings dialog's pictures (the dialog's range is 200-399).
#define IDC_QV_HAND 201
#define IDB_QV_RADIO_OFF 210
#define IDB_QV_RADIO_ON 211
// Banner frame n (1..24) is IDB_QV_BANNER_BASE + n.
#define IDB_QV_BANNER_BASE 220
