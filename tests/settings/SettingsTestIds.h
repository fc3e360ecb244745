// Ids of the settings tests' own page template (outside the program's range).
#pragma once

#define IDD_TEST_SETTINGS_PAGE 9100
#define IDC_TEST_SETTINGS_EDIT 9101
