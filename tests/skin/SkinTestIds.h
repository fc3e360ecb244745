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

// The skin tests' own skin: pictures named by id in its ini fixtures.
#define IDB_SKIN_BACK 400
#define IDB_SKIN_CHANNEL 401
#define IDB_SKIN_THUMB 402
#define IDB_RANGE_CHANNEL 403
#define IDB_RANGE_THUMB 404
#define IDB_TEXT_BACK 405
#define IDCUR_RANGE 410

// A dialog template with one control of each kind the skin dresses.
#define IDD_SKIN_TEST 420
#define IDC_SKIN_PLAY 421
#define IDC_SKIN_MUTE 422
#define IDC_SKIN_VOLUME 423
#define IDC_SKIN_RANGE 424
#define IDC_SKIN_TEXT 425

// A menu bar with mnemonics and a dialog that carries it.
#define IDR_TEST_MENUBAR 430
#define IDD_TEST_MENU_DIALOG 431
#define ID_TEST_OPEN 40001
#define ID_TEST_EXIT 40002
#define ID_TEST_COPY 40003
#define ID_TEST_PASTE 40004
#define ID_TEST_ZOOM 40005
