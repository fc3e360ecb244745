// Ids of the skin tests' own resources (the message box comes from the
// program's main resource library, with the ids of resources/Resource.h).
#pragma once

#define IDB_BUTTON_HOVER 300
#define IDB_BUTTON_NORMAL 301
#define IDB_BUTTON_PRESSED 302
#define IDB_BUTTON_DISABLED 303
#define IDB_SLIDER_BACKGROUND 310
#define IDB_SLIDER_THUMB 311
#define IDB_SPLASH 320
#define IDP_SPLASH_PICTURE 330
