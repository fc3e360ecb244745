// Ids of the window tests' own templates and controls.
#pragma once

#define IDD_EXCHANGE 100
#define IDD_PLAIN 101
#define IDD_HIDDEN 102
#define IDD_PAGE_FIRST 103
#define IDD_PAGE_SECOND 104
#define IDD_PAGE_THIRD 105

#define IDC_NUMBER 1001
#define IDC_NAME 1002
#define IDC_CHECK 1003
#define IDC_RADIO_FIRST 1004
#define IDC_RADIO_SECOND 1005
#define IDC_RADIO_THIRD 1006
#define IDC_CHOICE 1007
#define IDC_LEVEL 1008
#define IDC_REAL 1009
#define IDC_AFTER_RADIOS 1010
#define IDC_WHEN 1011
#define IDC_OWNERDRAWN 1012
