#pragma once

// Resource identifiers of the program, grouped by dialog. Control identifiers
// belong to their dialog: 1010 is a different control in each.

#define IDD_SETTINGS        102
#define IDD_DISPLAY         103
#define IDI_APP             104

// IDD_SETTINGS
#define IDC_INTERVAL        1008
#define IDC_CSV_PATH        1009
#define IDC_BROWSE          1010
#define IDC_RANDOM          1011
#define IDC_IN_ORDER        1012

// IDD_DISPLAY
#define IDC_PAUSE           1010
#define IDC_CHANGE_SET      1013
#define IDC_QUESTION        1014
#define IDC_ANSWER          1015
