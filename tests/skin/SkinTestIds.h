// Ids of the skin tests' own resources. The message box's template and
// text, and the icon, carry the program's ids (resources/Resource.h).
#pragma once
#include "resources/Resource.h"

#define IDB_BUTTON_HOVER 300
#define IDB_BUTTON_NORMAL 301
#define IDB_BUTTON_PRESSED 302
#define IDB_BUTTON_DISABLED 303
#define IDB_SLIDER_BACKGROUND 310
#define IDB_SLIDER_THUMB 311
#define IDB_SPLASH 320
#define IDP_SPLASH_PICTURE 330
