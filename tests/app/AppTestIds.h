// Resource ids of the application tests' own resources.
#pragma once

#define IDS_OSD_TEST_TEXT 4001
