// Resource identifiers of the Aurivel module: shared by the resource script
// and the code that looks the resources up.
#pragma once

// String table
#define IDS_LIB_DESCRIPTION 1
#define IDS_CATEGORY 2
#define IDS_CLASS_NAME 3
#define IDS_PARAMS 4
#define IDS_NR 5
#define IDS_NG 6
#define IDS_NB 7
#define IDS_KR 8
#define IDS_KG 9
#define IDS_KB 10
#define IDS_PRESETS 11
#define IDS_CUSTOM 12
#define IDS_SILVER 13
#define IDS_ALUMINIUM 14
#define IDS_GOLD 15
#define IDS_COBALT 16
#define IDS_CHROMIUM 17
#define IDS_COPPER 18
#define IDS_IRON 19
#define IDS_NICKEL 20
#define IDS_PLATINUM 21
#define IDS_TITANIUM 22
#define IDS_GAMMA 23
#define IDS_HUE 24
#define IDS_SATURATION 25
#define IDS_HOMEPAGE 26
#define IDS_OUTPUT 27

// The rollout page
#define IDD_PANEL 101

// Colour bars above the R, G and B columns
#define IDB_RED_BAR 103
#define IDB_GREEN_BAR 104
#define IDB_BLUE_BAR 105

// Controls of the rollout page
#define IDC_PRESET 1001
#define IDC_HOMEPAGE 1004
#define IDC_DATA_SITE 1006
#define IDC_BAR_R 1009
#define IDC_BAR_G 1010
#define IDC_BAR_B 1011
#define IDC_NR_EDIT 1490
#define IDC_NG_EDIT 1491
#define IDC_NB_EDIT 1492
#define IDC_KR_EDIT 1493
#define IDC_KG_EDIT 1494
#define IDC_KB_EDIT 1495
#define IDC_NR_SPIN 1496
#define IDC_NG_SPIN 1497
#define IDC_NB_SPIN 1498
#define IDC_KR_SPIN 1499
#define IDC_KG_SPIN 1500
#define IDC_KB_SPIN 1501
#define IDC_GAMMA_EDIT 1502
#define IDC_GAMMA_SPIN 1503
#define IDC_HUE_EDIT 1504
#define IDC_HUE_SPIN 1505
#define IDC_SAT_EDIT 1506
#define IDC_SAT_SPIN 1507
