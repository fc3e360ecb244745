// Resource ids of the user interface: strings, dialog templates and their
// controls, menus and commands, bitmaps, icons and cursors. The resources
// themselves live in the main resource library (Mavrel.dll, resources/mavrel);
// the program loads them by these numbers. Read by the C++ sources and by
// windres, so only plain #defines belong here.
//
// Prefixes: IDS_ string, IDD_ dialog template, IDC_<DIALOG>_ control of the
// template IDD_<DIALOG>, ID_ command (menu item, hot key or panel button),
// IDR_MENU_ menu, IDR_TOOLBAR_ tool bar (its bitmap has the same id),
// IDB_ bitmap, IDI_ icon, IDCUR_ cursor, IDW_ child window made in code.
#pragma once

// ---------------------------------------------------------------------------
// Application: start-up, exit and the message routine
// ---------------------------------------------------------------------------
#define IDI_APP                             128

#define IDS_APP_TITLE                       57344
#define IDS_LIBRARY_MISSING                 61474
#define IDS_SKIN_FILES_MISSING              34045
#define IDS_STARTUP_ERROR                   34046
#define IDS_STARTUP_NO_AUDIO_QUESTION       57350
#define IDS_TRAY_START_FAILED               34043

// ---------------------------------------------------------------------------
// Engine: names and messages the TV manager shows or keeps
// ---------------------------------------------------------------------------
#define IDS_QUALITY_HIGH                    33846
#define IDS_QUALITY_NORMAL                  33847
#define IDS_PROPERTY_BRIGHTNESS             33783
#define IDS_PROPERTY_CONTRAST               33784
#define IDS_PROPERTY_HUE                    33785
#define IDS_PROPERTY_SATURATION             33786
#define IDS_PROPERTY_GAMMA                  33787
#define IDS_PROPERTY_COLOR_ENABLE           33788
#define IDS_PROPERTY_WHITE_BALANCE          33789
#define IDS_PROPERTY_BACKLIGHT              33790
#define IDS_PROPERTY_SHARPNESS              33791
#define IDS_PROPERTY_GAIN                   33792
// Weekday names, Sunday first (also the schedule dialog's weekday list).
#define IDS_DAY_SUNDAY                      33848
#define IDS_DAY_MONDAY                      33849
#define IDS_DAY_TUESDAY                     33850
#define IDS_DAY_WEDNESDAY                   33851
#define IDS_DAY_THURSDAY                    33852
#define IDS_DAY_FRIDAY                      33853
#define IDS_DAY_SATURDAY                    33854
#define IDS_DAY_EVERY_DAY                   33856
#define IDS_DEFAULT_SKIN                    33857
#define IDS_NO_RECORD_DISK                  34047
#define IDS_STOP_RECORD_FAILED              34058
// Start-up: settings or channel files that could not be read whole.
#define IDS_UNREAD_FILES                    34090
#define IDS_UNREAD_FILE_COPIED              34091
#define IDS_UNREAD_FILE_KEPT                34092
#define IDS_COUNTRY_HONG_KONG               45276

// ---------------------------------------------------------------------------
// Video window (caption-and-border dialog)
// ---------------------------------------------------------------------------
#define IDD_VIDEOWND                        101

#define IDB_CAPTION_MIDDLE                  201
#define IDB_CAPTION_RIGHT                   202
#define IDB_CAPTION_LEFT                    203
#define IDB_CLOSE_PRESSED                   204
#define IDB_CLOSE_HOVER                     205
#define IDB_CLOSE_NORMAL                    206
#define IDB_MAXIMIZE_PRESSED                208
#define IDB_MAXIMIZE_HOVER                  209
#define IDB_MAXIMIZE_NORMAL                 210
#define IDB_MINIMIZE_PRESSED                212
#define IDB_MINIMIZE_HOVER                  213
#define IDB_MINIMIZE_NORMAL                 214
#define IDB_BORDER_RIGHT                    217
#define IDB_BORDER_LEFT                     218
#define IDB_BORDER_BOTTOM                   219

#define IDS_VIDEOWND_TITLE                  57001
#define IDS_SCAN_PROGRESS                   33879
#define IDS_SCAN_FINISHED                   33880
#define IDS_UPDATER_START_FAILED            34052
#define IDS_UPDATER_MISSING                 34053
#define IDS_BROWSER_MISSING                 34054
#define IDS_PLAYER_MISSING                  34055
#define IDS_PLAYER_START_FAILED             34056
#define IDS_BROWSER_START_FAILED            34057
// Arguments handed to the updater.
#define IDS_UPDATER_VERSION                 45300
#define IDS_UPDATER_LIST                    45301
#define IDS_UPDATER_TITLE                   45302

// ---------------------------------------------------------------------------
// Commands: panel buttons, menu items and hot keys share these numbers
// ---------------------------------------------------------------------------
#define ID_CHANNEL_NEXT                     1000
#define ID_CHANNEL_PREV                     1001
#define ID_SNAPSHOT                         1002
#define ID_RECORD                           1003
#define ID_CHANNEL_WALL                     1004
#define ID_CHANNEL_SCAN                     1005
#define ID_SETTINGS                         1006
#define ID_INPUT_SOURCE                     1007
#define ID_CHANNEL_LAST                     1008
#define ID_FAVOURITES                       1016
#define ID_MUTE                             1084
#define ID_MOVIE_PLAYER                     1099
#define ID_IMAGE_BROWSER                    1100
#define ID_SHOW_PANEL                       1101
#define ID_PANEL_HELP                       1102
#define ID_ABOUT                            1103
#define ID_CONTEXT_MENU                     1104
#define ID_EXIT                             1105
#define ID_PICTURE_DIALOG                   1117
#define ID_PAUSE                            1163
#define ID_CHANNEL_SETTINGS                 1164
#define ID_OSD_MENU                         1166
#define ID_NEXT_SKIN                        1202
#define ID_PROPERTY_SELECT                  1227
#define ID_PROPERTY_DOWN                    1228
#define ID_PROPERTY_UP                      1229
#define ID_PROPERTY_RESET                   1230
// Record formats: id - ID_FORMAT_AVI is the record format id.
#define ID_FORMAT_AVI                       32784
#define ID_FORMAT_MPEG1                     32785
#define ID_FORMAT_MPEG2                     32786
#define ID_FORMAT_MPEG4                     32787
#define ID_FORMAT_VCD                       32788
#define ID_FORMAT_SVCD                      32789
#define ID_FORMAT_DVD                       32790
#define ID_FORMAT_HIDVD                     32791
// Tune-channel items, made when the context menu opens.
#define ID_TUNE_CHANNEL_FIRST               32816
#define ID_TUNE_CHANNEL_LAST                33316
#define ID_TOPMOST                          32894
#define ID_FULL_SCREEN                      32895
#define ID_SIZE_320X240                     32896
#define ID_SIZE_640X480                     32897
#define ID_ASPECT_1_1                       32898
#define ID_ASPECT_4_3                       32899
#define ID_ASPECT_16_9                      32900
#define ID_MUTE_TOGGLE                      32902
#define ID_VOLUME_UP                        32903
#define ID_VOLUME_DOWN                      32904
// FM record formats: id - ID_FM_FORMAT_PCM is the FM record format id.
#define ID_FM_FORMAT_PCM                    34146
#define ID_FM_FORMAT_ADPCM                  34147
#define ID_FM_FORMAT_MP2                    34148
#define ID_FM_FORMAT_CUSTOM                 34149
#define ID_TELETEXT                         34157
#define ID_TIMESHIFT_START                  44150
#define ID_TIMESHIFT_PAUSE                  44151
#define ID_TIMESHIFT_STOP                   44152

// ---------------------------------------------------------------------------
// Control panel (skinned; the skin dresses these controls by id)
// ---------------------------------------------------------------------------
#define IDD_PANEL                           102

#define IDC_PANEL_NEXT                      ID_CHANNEL_NEXT
#define IDC_PANEL_PREV                      ID_CHANNEL_PREV
#define IDC_PANEL_SNAPSHOT                  ID_SNAPSHOT
#define IDC_PANEL_RECORD                    ID_RECORD
#define IDC_PANEL_WALL                      ID_CHANNEL_WALL
#define IDC_PANEL_SCAN                      ID_CHANNEL_SCAN
#define IDC_PANEL_SETTINGS                  ID_SETTINGS
#define IDC_PANEL_SOURCE                    ID_INPUT_SOURCE
#define IDC_PANEL_LAST                      ID_CHANNEL_LAST
#define IDC_PANEL_FAVOURITES                ID_FAVOURITES
#define IDC_PANEL_MUTE                      ID_MUTE
#define IDC_PANEL_PLAYER                    ID_MOVIE_PLAYER
#define IDC_PANEL_BROWSER                   ID_IMAGE_BROWSER
#define IDC_PANEL_HIDE                      ID_SHOW_PANEL
#define IDC_PANEL_HELP                      ID_PANEL_HELP
#define IDC_PANEL_ABOUT                     ID_ABOUT
#define IDC_PANEL_MENU                      ID_CONTEXT_MENU
#define IDC_PANEL_EXIT                      ID_EXIT
#define IDC_PANEL_PICTURE                   ID_PICTURE_DIALOG
#define IDC_PANEL_PAUSE                     ID_PAUSE
#define IDC_PANEL_CHANNELS                  ID_CHANNEL_SETTINGS
#define IDC_PANEL_OSD                       ID_OSD_MENU
#define IDC_PANEL_SKIN                      ID_NEXT_SKIN
#define IDC_PANEL_TIMESHIFT                 ID_TIMESHIFT_START
#define IDC_PANEL_TIMESHIFT_PAUSE           ID_TIMESHIFT_PAUSE
#define IDC_PANEL_TIMESHIFT_STOP            ID_TIMESHIFT_STOP
#define IDC_PANEL_VOLUME                    1081
#define IDC_PANEL_CHANNEL_TEXT              1082
#define IDC_PANEL_FORMAT_TEXT               1083
// Enabled with the other controls; no command of its own, never shown.
#define IDC_PANEL_SPARE                     1116
#define IDC_PANEL_CLOCK                     1119
#define IDC_PANEL_TIMESHIFT_BAR             1205

// Context menu (the first submenu is the popup), the record-format and FM
// record-format menus, and the tool bar whose images the context menu shows.
#define IDR_MENU_PANEL                      131
#define IDR_MENU_RECORD_FORMAT              144
#define IDR_MENU_FM_FORMAT                  280
#define IDR_TOOLBAR_MENU                    239

#define IDS_SNAPSHOT_TAKEN                  33968
#define IDS_SNAPSHOT_FAILED                 33969
#define IDS_SCAN_QUESTION                   34024
#define IDS_RECORD_START_FAILED             34022
#define IDS_RECORD_NO_DISK                  34050
#define IDS_OSD_MUTE                        33816
#define IDS_OSD_VOLUME                      33882
#define IDS_OSD_RECORDING                   33884
#define IDS_OSD_RECORDING_SEPARATOR         33886
#define IDS_OSD_PAUSED                      33970
#define IDS_MENU_CHANNELS                   45303
#define IDS_MENU_NO_CHANNELS                45304
#define IDS_MENU_MORE_CHANNELS              45305

// Hot-key table: groups, then each bindable command's name and description.
#define IDS_GROUP_MAIN                      33900
#define IDS_GROUP_OTHER                     33901
#define IDS_CMD_NEXT_CHANNEL                33902
#define IDS_CMD_PREV_CHANNEL                33903
#define IDS_CMD_LAST_CHANNEL                33904
#define IDS_CMD_SNAPSHOT                    33905
#define IDS_CMD_RECORD                      33906
#define IDS_CMD_CHANNEL_WALL                33907
#define IDS_CMD_FAVOURITES                  33909
#define IDS_CMD_INPUT_SOURCE                33910
#define IDS_CMD_EXIT                        33911
#define IDS_CMD_MUTE                        33912
#define IDS_CMD_SHOW_PANEL                  33913
#define IDS_CMD_ABOUT                       33914
#define IDS_CMD_MOVIE_PLAYER                33916
#define IDS_CMD_IMAGE_BROWSER               33917
#define IDS_CMD_PAUSE                       33918
#define IDS_CMD_TOPMOST                     33919
#define IDS_CMD_FULL_SCREEN                 33920
#define IDS_CMD_SIZE_320X240                33921
#define IDS_CMD_SIZE_640X480                33922
#define IDS_CMD_VOLUME_UP                   33923
#define IDS_CMD_VOLUME_DOWN                 33924
#define IDS_CMD_CHANNEL_SETTINGS            33925
#define IDS_CMD_NEXT_CHANNEL_DESC           33935
#define IDS_CMD_PREV_CHANNEL_DESC           33936
#define IDS_CMD_LAST_CHANNEL_DESC           33937
#define IDS_CMD_SNAPSHOT_DESC               33938
#define IDS_CMD_RECORD_DESC                 33939
#define IDS_CMD_CHANNEL_WALL_DESC           33940
#define IDS_CMD_FAVOURITES_DESC             33942
#define IDS_CMD_INPUT_SOURCE_DESC           33943
#define IDS_CMD_EXIT_DESC                   33944
#define IDS_CMD_MUTE_DESC                   33945
#define IDS_CMD_SHOW_PANEL_DESC             33946
#define IDS_CMD_ABOUT_DESC                  33947
#define IDS_CMD_MOVIE_PLAYER_DESC           33949
#define IDS_CMD_IMAGE_BROWSER_DESC          33950
#define IDS_CMD_PAUSE_DESC                  33951
#define IDS_CMD_TOPMOST_DESC                33952
#define IDS_CMD_FULL_SCREEN_DESC            33953
#define IDS_CMD_SIZE_320X240_DESC           33954
#define IDS_CMD_SIZE_640X480_DESC           33955
#define IDS_CMD_VOLUME_UP_DESC              33956
#define IDS_CMD_VOLUME_DOWN_DESC            33957
#define IDS_CMD_CHANNEL_SETTINGS_DESC       33958
#define IDS_CMD_SCAN                        35250
#define IDS_CMD_SCAN_DESC                   35251
#define IDS_CMD_OSD_MENU                    35252
#define IDS_CMD_OSD_MENU_DESC               35253
#define IDS_CMD_NEXT_SKIN                   35254
#define IDS_CMD_NEXT_SKIN_DESC              35255
#define IDS_CMD_HELP                        35256
#define IDS_CMD_HELP_DESC                   35257
#define IDS_CMD_PROPERTY_RESET              35258
#define IDS_CMD_PROPERTY_SELECT             35259
#define IDS_CMD_PROPERTY_DOWN               35260
#define IDS_CMD_PROPERTY_UP                 35261
// Also the time-shift command's name and description, and an on-screen text.
#define IDS_TIMESHIFT                       45264

// Tool tips of the panel's controls (several shared with the tool bar).
#define IDS_TIP_EXIT                        33800
#define IDS_TIP_SETTINGS                    33801
#define IDS_TIP_ABOUT                       33802
#define IDS_TIP_CHANNEL_TEXT                33803
#define IDS_TIP_INPUT_SOURCE                33804
#define IDS_TIP_SCAN                        33805
#define IDS_TIP_FAVOURITES                  33806
#define IDS_TIP_LAST_CHANNEL                33807
#define IDS_TIP_CHANNEL_WALL                33808
#define IDS_TIP_PICTURE                     33809
#define IDS_TIP_SNAPSHOT                    33810
#define IDS_TIP_NEXT_CHANNEL                33811
#define IDS_TIP_PREV_CHANNEL                33812
#define IDS_TIP_SHOW_PANEL                  33813
#define IDS_TIP_MENU                        33814
#define IDS_TIP_RECORD                      33815
#define IDS_TIP_MUTE                        IDS_OSD_MUTE
#define IDS_TIP_VOLUME                      33817
#define IDS_TIP_MOVIE_PLAYER                33818
#define IDS_TIP_IMAGE_BROWSER               33819
#define IDS_TIP_PAUSE                       33820
#define IDS_TIP_PIN                         33821
#define IDS_TIP_CLOSE_TOOLBAR               33822
#define IDS_TIP_CHANNEL_SETTINGS            33823
#define IDS_TIP_OSD_MENU                    33824
#define IDS_TIP_NEXT_SKIN                   33825
#define IDS_TIP_HELP                        33826
#define IDS_TIP_TIMESHIFT                   33827
#define IDS_TIP_TIMESHIFT_PAUSE             33828
#define IDS_TIP_TIMESHIFT_STOP              33829
#define IDS_TIP_TIMESHIFT_BAR               33830
#define IDS_TIP_RECORD_CLOCK                33831
#define IDS_TIP_RECORD_FORMAT               33832
// While time shift runs, the record and pause buttons stop and pause it.
#define IDS_TIP_STOP_TIMESHIFT              45266
#define IDS_TIP_PAUSE_TIMESHIFT             45267

#define IDS_TIMESHIFT_START_FAILED          45258
#define IDS_TIMESHIFT_PAUSE_FAILED          45259
#define IDS_TIMESHIFT_STOP_FAILED           45260
#define IDS_TIMESHIFT_ERROR_CAPTION         45261
#define IDS_TIMESHIFT_NO_DISK               45262
#define IDS_TIMESHIFT_LIMIT_REACHED         45265
#define IDS_TIMESHIFT_UNAVAILABLE           45268

// ---------------------------------------------------------------------------
// About box
// ---------------------------------------------------------------------------
#define IDD_ABOUT                           100

#define IDC_ABOUT_WEBSITE                   1123
#define IDC_ABOUT_EMAIL                     1124
#define IDC_ABOUT_UPDATE                    1126
#define IDC_ABOUT_VERSION                   1127

// ---------------------------------------------------------------------------
// Channel wall
// ---------------------------------------------------------------------------
#define IDB_WALL_DEFAULT                    142

#define IDS_WALL_NO_CHANNEL                 34023

// ---------------------------------------------------------------------------
// Floating tool bar (bitmap ids: hover, normal, pressed, disabled)
// ---------------------------------------------------------------------------
#define IDD_SCREENTOOL                      191

#define IDC_SCREENTOOL_PIN                  1131
#define IDC_SCREENTOOL_CLOSE                1132
#define IDC_SCREENTOOL_SNAPSHOT             1133
#define IDC_SCREENTOOL_WALL                 1134
#define IDC_SCREENTOOL_RECORD               1135
#define IDC_SCREENTOOL_PREV                 1136
#define IDC_SCREENTOOL_NEXT                 1137
#define IDC_SCREENTOOL_MUTE                 1138
#define IDC_SCREENTOOL_VOLUME               1139
#define IDC_SCREENTOOL_TEXT                 1140

// The bar's left background (also the volume slider's channel) and filler.
#define IDB_TOOL_BACKGROUND                 152
#define IDB_TOOL_FILLER                     190
#define IDB_TOOL_MUTE_PRESSED               153
#define IDB_TOOL_MUTE_HOVER                 154
#define IDB_TOOL_MUTE_NORMAL                155
#define IDB_TOOL_MUTE_DISABLED              156
#define IDB_TOOL_PIN_PRESSED                157
#define IDB_TOOL_PIN_HOVER                  158
#define IDB_TOOL_PIN_NORMAL                 159
#define IDB_TOOL_PIN_DISABLED               160
#define IDB_TOOL_SNAPSHOT_PRESSED           165
#define IDB_TOOL_SNAPSHOT_HOVER             166
#define IDB_TOOL_SNAPSHOT_NORMAL            167
#define IDB_TOOL_SNAPSHOT_DISABLED          168
#define IDB_TOOL_RECORD_PRESSED             169
#define IDB_TOOL_RECORD_HOVER               170
#define IDB_TOOL_RECORD_NORMAL              171
#define IDB_TOOL_RECORD_DISABLED            172
#define IDB_TOOL_CLOSE_PRESSED              173
#define IDB_TOOL_CLOSE_HOVER                174
#define IDB_TOOL_CLOSE_NORMAL               175
#define IDB_TOOL_CLOSE_DISABLED             176
#define IDB_TOOL_WALL_PRESSED               177
#define IDB_TOOL_WALL_HOVER                 178
#define IDB_TOOL_WALL_NORMAL                179
#define IDB_TOOL_WALL_DISABLED              180
#define IDB_TOOL_NEXT_PRESSED               181
#define IDB_TOOL_NEXT_HOVER                 182
#define IDB_TOOL_NEXT_NORMAL                183
#define IDB_TOOL_NEXT_DISABLED              184
#define IDB_TOOL_PREV_PRESSED               185
#define IDB_TOOL_PREV_HOVER                 186
#define IDB_TOOL_PREV_NORMAL                187
#define IDB_TOOL_PREV_DISABLED              188
// Thumb: image in the left half, mask (white = background) in the right half.
#define IDB_TOOL_VOLUME_THUMB               189

// ---------------------------------------------------------------------------
// Power-off countdown
// ---------------------------------------------------------------------------
#define IDD_SHUTDOWN                        305

#define IDC_SHUTDOWN_NOW                    1112
#define IDC_SHUTDOWN_CANCEL                 1113
#define IDC_SHUTDOWN_SECONDS                14010
#define IDC_SHUTDOWN_DOTS                   14011

// ---------------------------------------------------------------------------
// Self-closing message box (OK is IDOK, Cancel IDCANCEL)
// ---------------------------------------------------------------------------
#define IDD_MSGBOX                          232

#define IDC_MSGBOX_ICON                     1181
#define IDC_MSGBOX_TEXT                     1182

// ---------------------------------------------------------------------------
// Folder dialog (%1 is the folder's path)
// ---------------------------------------------------------------------------
#define IDS_FOLDER_NOT_FOUND                61858
#define IDS_FOLDER_CREATE_FAILED            61859

// ---------------------------------------------------------------------------
// On-screen menu: host dialog, panel and row pictures, panels, texts
// ---------------------------------------------------------------------------
#define IDD_OSDMENU                         257

#define IDB_OSD_PANEL_BOTTOM                245
#define IDB_OSD_ROW_FOCUSED                 246
#define IDB_OSD_SELECT_LEFT_HIGHLIGHT       247
#define IDB_OSD_SELECT_LEFT                 248
#define IDB_OSD_ROW_NORMAL                  249
#define IDB_OSD_SELECT_RIGHT_HIGHLIGHT      250
#define IDB_OSD_SELECT_RIGHT                251
#define IDB_OSD_SLIDER_TRACK                252
#define IDB_OSD_PROGRESS_BACK               253
#define IDB_OSD_PROGRESS_FILL               254
#define IDB_OSD_SLIDER_THUMB                255
#define IDB_OSD_PANEL_TOP                   256

// The panels' own window ids (two pairs of panels share an id).
#define IDW_OSD_OFF                         45000
#define IDW_OSD_LIST                        45000
#define IDW_OSD_RECORD_TIME                 45100
#define IDW_OSD_COLOR                       45200
#define IDW_OSD_VIDEO                       45200
#define IDW_OSD_RECORD_PROPERTY             45300
#define IDW_OSD_SEARCH                      45400
#define IDW_OSD_CHANNEL                     45500
#define IDW_OSD_ROOT                        45600

// Channel panel
#define IDS_OSD_CHANNEL_SCAN                35107
#define IDS_OSD_CHANNEL_FINE_TUNE           35108
#define IDS_OSD_CHANNEL_DELETE              35109
#define IDS_OSD_CHANNEL_FAVOURITE           35110
#define IDS_OSD_CHANNEL_FAVOURITES_ONLY     35111
#define IDS_OSD_CHANNEL_SCAN_HINT           35115
// Two-option selectors: option 0 is the yes or on side.
#define IDS_OSD_YES                         35116
#define IDS_OSD_NO                          35117
#define IDS_OSD_ON                          35118
#define IDS_OSD_OFF                         35119
#define IDS_OSD_FAVOURITES                  35120
#define IDS_OSD_ALL_CHANNELS                35121
// Root panel: labels, then descriptions.
#define IDS_OSD_ROOT_CHANNELS               35130
#define IDS_OSD_ROOT_PICTURE                35131
#define IDS_OSD_ROOT_SCHEDULE               35132
#define IDS_OSD_ROOT_RECORDING              35133
#define IDS_OSD_ROOT_VIDEO                  35134
#define IDS_OSD_ROOT_CHANNELS_DESC          35140
#define IDS_OSD_ROOT_PICTURE_DESC           35141
#define IDS_OSD_ROOT_SCHEDULE_DESC          35142
#define IDS_OSD_ROOT_RECORDING_DESC         35143
#define IDS_OSD_ROOT_VIDEO_DESC             35144
// Picture panel
#define IDS_OSD_PICTURE_BRIGHTNESS          35149
#define IDS_OSD_PICTURE_CONTRAST            35150
#define IDS_OSD_PICTURE_HUE                 35151
#define IDS_OSD_PICTURE_SATURATION          35152
#define IDS_OSD_PICTURE_SHARPNESS           35153
#define IDS_OSD_PICTURE_RESET               35154
// Video panel (the high-quality label is also a motion-search option)
#define IDS_OSD_VIDEO_CAPTURE_SIZE          35155
#define IDS_OSD_VIDEO_HIGH_QUALITY          35156
#define IDS_OSD_VIDEO_NOISE_REDUCTION       35157
#define IDS_OSD_VIDEO_HALF_RATE             35158
#define IDS_OSD_VIDEO_REDUCTION_STRENGTH    35159
#define IDS_OSD_VIDEO_POWER_OFF             35160
// Recording panel
#define IDS_OSD_RECORD_SNAPSHOT_FORMAT      35175
#define IDS_OSD_RECORD_FORMAT               35176
#define IDS_OSD_RECORD_MOTION_SEARCH        35177
#define IDS_OSD_RECORD_DISPLAY_QUALITY      35178
#define IDS_OSD_RECORD_JPEG_QUALITY         35179
#define IDS_OSD_SNAPSHOT_BMP                35185
#define IDS_OSD_SNAPSHOT_JPEG               35186
// One per record format id 0 to 7.
#define IDS_FORMAT_AVI                      35187
#define IDS_FORMAT_MPEG1                    35188
#define IDS_FORMAT_MPEG2                    35189
#define IDS_FORMAT_MPEG4                    35190
#define IDS_FORMAT_VCD                      35191
#define IDS_FORMAT_SVCD                     35192
#define IDS_FORMAT_DVD                      35193
#define IDS_FORMAT_HIDVD                    35194
#define IDS_MOTION_SEARCH_FAST              35198
#define IDS_MOTION_SEARCH_HIGH_QUALITY      IDS_OSD_VIDEO_HIGH_QUALITY
#define IDS_MOTION_SEARCH_BEST              35199
// Display quality 0 to 2 (also the record page's list).
#define IDS_DISPLAY_QUALITY_VERY_HIGH       35200
#define IDS_DISPLAY_QUALITY_HIGH            35201
#define IDS_DISPLAY_QUALITY_NORMAL          35202
// Schedule editor
#define IDS_OSD_EDIT_DATE                   35210
#define IDS_OSD_EDIT_START                  35211
#define IDS_OSD_EDIT_DURATION               35212
#define IDS_OSD_EDIT_CHANNEL                35213
#define IDS_OSD_EDIT_POWER_OFF              35214
#define IDS_OSD_EDIT_STORE                  35215
#define IDS_OSD_DATE_SEPARATOR              35220
#define IDS_OSD_TIME_SEPARATOR              35221
// Power-off panel
#define IDS_OSD_OFF_DATE                    35225
#define IDS_OSD_OFF_TIME                    35226
#define IDS_OSD_OFF_ENABLE                  35227
// Scan panel label; also the channel page's scan button while a scan runs.
#define IDS_STOP_SCAN                       35228
// Scan panel help line; also the channel page's scan button.
#define IDS_SCAN_CHANNELS                   35229
// Schedule list
#define IDS_OSD_LIST_EMPTY                  35231
#define IDS_OSD_LIST_ACTION                 35232
#define IDS_OSD_LIST_NEW                    35233
#define IDS_OSD_LIST_EDIT                   35234
#define IDS_OSD_LIST_DELETE                 35235
#define IDS_OSD_LIST_ITEM                   35236
// A date that does not exist (31 February) or a recording of no length.
#define IDS_OSD_TIME_INVALID                35237
#define IDS_OSD_DURATION_EMPTY              35238
// The schedule editor left with the menu key after a change.
#define IDS_OSD_EDIT_KEEP                   35239

// ---------------------------------------------------------------------------
// Settings sheet (also the on-screen panels' help line)
// ---------------------------------------------------------------------------
#define IDS_SETTINGS                        35230
#define IDS_SETUP_WIZARD                    45271

// ---------------------------------------------------------------------------
// Channel page (TV and FM)
// ---------------------------------------------------------------------------
#define IDD_CHANNELPAGE                     136

#define IDC_CHANNELPAGE_SCAN                1005
#define IDC_CHANNELPAGE_LIST                1013
#define IDC_CHANNELPAGE_RENAME              1014
#define IDC_CHANNELPAGE_NAME                1015
#define IDC_CHANNELPAGE_FAVOURITE           1016
#define IDC_CHANNELPAGE_DELETE              1017
#define IDC_CHANNELPAGE_FINE_TUNE           1018
#define IDC_CHANNELPAGE_SET_FREQUENCY       1019
#define IDC_CHANNELPAGE_FREQUENCY           1020
#define IDC_CHANNELPAGE_COUNTRY             1024
#define IDC_CHANNELPAGE_TABLE               1025
#define IDC_CHANNELPAGE_KEEP_PREVIOUS       1032
#define IDC_CHANNELPAGE_FAVOURITES_MODE     1060
#define IDC_CHANNELPAGE_PLUS_TOLERANCE      1206
#define IDC_CHANNELPAGE_MINUS_TOLERANCE     1207
#define IDC_CHANNELPAGE_COUNTRY_LABEL       1208
#define IDC_CHANNELPAGE_TABLE_LABEL         1209
#define IDC_CHANNELPAGE_SCAN_MODE_GROUP     1210
#define IDC_CHANNELPAGE_FINE_TUNE_LABEL     1211
#define IDC_CHANNELPAGE_REGION_GROUP        1212
#define IDC_CHANNELPAGE_MODE_CABLE          5208
#define IDC_CHANNELPAGE_MODE_ANTENNA        5209
#define IDC_CHANNELPAGE_MODE_SWEEP          5210

#define IDR_MENU_CHANNELPAGE                133
#define ID_CHANNEL_EXPORT                   34153
#define ID_CHANNEL_IMPORT                   34154
#define ID_CHANNEL_NEW                      34155

// Images 36 pixels wide, white transparent: 0 a channel, 1 a favourite.
#define IDB_CHANNEL_IMAGES                  141
#define IDCUR_DRAG                          282

#define IDS_COLUMN_POSITION                 34034
#define IDS_COLUMN_NAME                     34036
#define IDS_COLUMN_FREQUENCY                34037
#define IDS_COLUMN_CHANNEL                  34038
#define IDS_IMPORT_FAILED                   45272
#define IDS_FREQUENCY_REFUSED               57362
// File dialog filters, "|" separated.
#define IDS_FILTER_TV_CHANNELS              45273
#define IDS_FILTER_FM_CHANNELS              45274

// ---------------------------------------------------------------------------
// Device page
// ---------------------------------------------------------------------------
#define IDD_DEVICEPAGE                      134

#define IDC_DEVICEPAGE_VIDEO_INPUT          1030
#define IDC_DEVICEPAGE_STANDARD             1061
#define IDC_DEVICEPAGE_AUDIO_DEVICE         1150
#define IDC_DEVICEPAGE_AUDIO_INPUT          1151
#define IDC_DEVICEPAGE_PLAY_DEVICE          1154
#define IDC_DEVICEPAGE_PLAY_LINE            1155
#define IDC_DEVICEPAGE_MONO                 1217
#define IDC_DEVICEPAGE_STEREO               1218
#define IDC_DEVICEPAGE_LANGUAGE_A           1219
#define IDC_DEVICEPAGE_LANGUAGE_B           1220
#define IDC_DEVICEPAGE_LANGUAGE_C           1221
#define IDC_DEVICEPAGE_TELETEXT             1222
#define IDC_DEVICEPAGE_SOUND_GROUP          1226
#define IDC_DEVICEPAGE_RECORD_LEVEL         1227
#define IDC_DEVICEPAGE_RECORD_LEVEL_TEXT    1228

// ---------------------------------------------------------------------------
// Record page
// ---------------------------------------------------------------------------
#define IDD_RECORDPAGE                      135

#define IDC_RECORDPAGE_SNAP_BROWSE          1048
#define IDC_RECORDPAGE_RECORD_BROWSE        1049
#define IDC_RECORDPAGE_SNAP_FOLDER          1063
#define IDC_RECORDPAGE_RECORD_FOLDER        1064
#define IDC_RECORDPAGE_JPEG_QUALITY_TEXT    1065
#define IDC_RECORDPAGE_JPEG_QUALITY         1066
#define IDC_RECORDPAGE_QUALITY              1091
#define IDC_RECORDPAGE_FORMAT               1092
#define IDC_RECORDPAGE_MPEG4_SIZE           1093
#define IDC_RECORDPAGE_MPEG4_AUDIO          1094
#define IDC_RECORDPAGE_BMP                  1095
#define IDC_RECORDPAGE_JPEG                 1096
#define IDC_RECORDPAGE_CODEC_SETUP          1179
#define IDC_RECORDPAGE_MPEG4_AUDIO_LABEL    1181
#define IDC_RECORDPAGE_MPEG4_SIZE_LABEL     1182
#define IDC_RECORDPAGE_MOTION_FAST          1231
#define IDC_RECORDPAGE_MOTION_HIGH_QUALITY  1232
#define IDC_RECORDPAGE_MOTION_BEST          1233
#define IDC_RECORDPAGE_TIMESHIFT_LENGTH     5206
#define IDC_RECORDPAGE_TIMESHIFT_RESERVE    5207

#define IDS_SNAP_FOLDER_PROMPT              45269
#define IDS_RECORD_FOLDER_PROMPT            45270

// ---------------------------------------------------------------------------
// Storage page
// ---------------------------------------------------------------------------
#define IDD_STORAGEPAGE                     140

#define IDC_STORAGEPAGE_RESERVE             1046
#define IDC_STORAGEPAGE_FOLDER              1047
// Two radio groups: when no disk has room, and when a file reaches its length.
#define IDC_STORAGEPAGE_FULL_STOP           1054
#define IDC_STORAGEPAGE_FULL_NEXT_DISK      1057
#define IDC_STORAGEPAGE_LENGTH_STOP         1056
#define IDC_STORAGEPAGE_LENGTH_NEW_FILE     1058
#define IDC_STORAGEPAGE_MINUTES             1055
#define IDC_STORAGEPAGE_DISKS               1086
#define IDC_STORAGEPAGE_DISK_LIST           1151

#define IDS_COLUMN_DISK                     34039
#define IDS_COLUMN_FREE                     34040
#define IDS_COLUMN_TOTAL                    34041
#define IDS_NO_DISK_CHOSEN                  34048
#define IDS_RESERVE_REFUSED                 57363
#define IDS_FOLDER_NAME_REFUSED             57364

// ---------------------------------------------------------------------------
// Schedule page and schedule dialog
// ---------------------------------------------------------------------------
#define IDD_SCHEDULEPAGE                    132

#define IDC_SCHEDULEPAGE_DELETE             1017
#define IDC_SCHEDULEPAGE_LIST               1050
#define IDC_SCHEDULEPAGE_ADD                1051
#define IDC_SCHEDULEPAGE_EDIT               1052
#define IDC_SCHEDULEPAGE_SHUT_DOWN          1075
#define IDC_SCHEDULEPAGE_SHUT_DOWN_TIME     1176
#define IDC_SCHEDULEPAGE_POWER_ON_TIME      1177
#define IDC_SCHEDULEPAGE_LEAD_TIME          1224
#define IDC_SCHEDULEPAGE_SUSPEND            1234
#define IDC_SCHEDULEPAGE_POWER_ON           1237
#define IDC_SCHEDULEPAGE_AUTO_LOGON         1238
#define IDC_SCHEDULEPAGE_USER               1239
#define IDC_SCHEDULEPAGE_PASSWORD           1240

#define IDD_SCHEDULEDLG                     138

#define IDC_SCHEDULEDLG_REFRESH             1060
#define IDC_SCHEDULEDLG_SOURCE              1069
#define IDC_SCHEDULEDLG_CHANNEL             1070
// Set for a new item, never read; kept hidden.
#define IDC_SCHEDULEDLG_DATE2               1071
#define IDC_SCHEDULEDLG_START               1073
#define IDC_SCHEDULEDLG_WEEKDAYS            1074
#define IDC_SCHEDULEDLG_POWER_OFF           1075
#define IDC_SCHEDULEDLG_DATE                1160
#define IDC_SCHEDULEDLG_ONCE                1161
#define IDC_SCHEDULEDLG_HOURS               1185
#define IDC_SCHEDULEDLG_MINUTES             1186
#define IDC_SCHEDULEDLG_SECONDS             1187
#define IDC_SCHEDULEDLG_HOURS_SPIN          1188
#define IDC_SCHEDULEDLG_MINUTES_SPIN        1189
#define IDC_SCHEDULEDLG_SECONDS_SPIN        1190
#define IDC_SCHEDULEDLG_HIBERNATE           1234

#define IDS_COLUMN_DATE                     34029
#define IDS_COLUMN_START                    34030
#define IDS_COLUMN_DURATION                 34031
#define IDS_COLUMN_SCHEDULE_CHANNEL         34032
#define IDS_COLUMN_SOURCE                   34033
#define IDS_SCHEDULE_CONFLICT               57345
#define IDS_SCHEDULE_START_PASSED           57349
#define IDS_SCHEDULE_NO_WEEKDAY             57360
#define IDS_SCHEDULE_NO_DURATION            57361

// ---------------------------------------------------------------------------
// Interface page
// ---------------------------------------------------------------------------
#define IDD_INTERFACEPAGE                   137

#define IDC_INTERFACEPAGE_COMMANDS          1153
#define IDC_INTERFACEPAGE_KEYS              1154
#define IDC_INTERFACEPAGE_HOTKEY            1155
#define IDC_INTERFACEPAGE_ASSIGN            1156
#define IDC_INTERFACEPAGE_REMOVE            1157
#define IDC_INTERFACEPAGE_DESCRIPTION       1158
#define IDC_INTERFACEPAGE_SKIN_LIST         1159
#define IDC_INTERFACEPAGE_SKIN              1162
#define IDC_INTERFACEPAGE_DEFAULTS          1166
#define IDC_INTERFACEPAGE_START_WITH_WINDOWS 1184
#define IDC_INTERFACEPAGE_TRAY_ON_EXIT      4208

#define IDS_NO_KEY_SELECTED                 34025
#define IDS_KEY_ALREADY_BOUND               34026
#define IDS_KEY_NOT_VALID                   34027
#define IDS_QUESTION_NO_START_WITH_WINDOWS  57351
#define IDS_QUESTION_NO_TRAY_ON_EXIT        57352

// ---------------------------------------------------------------------------
// Video page and its advanced dialog
// ---------------------------------------------------------------------------
#define IDD_VIDEOPAGE                       133

#define IDC_VIDEOPAGE_SIZE                  1021
#define IDC_VIDEOPAGE_OVERLAY               1033
#define IDC_VIDEOPAGE_BRIGHTNESS            1034
#define IDC_VIDEOPAGE_CONTRAST              1035
#define IDC_VIDEOPAGE_HUE                   1036
#define IDC_VIDEOPAGE_SATURATION            1037
#define IDC_VIDEOPAGE_SHARPNESS             1038
#define IDC_VIDEOPAGE_HALF_RATE_OFF         1039
#define IDC_VIDEOPAGE_NOISE_REDUCTION       1040
#define IDC_VIDEOPAGE_STRENGTH              1042
#define IDC_VIDEOPAGE_BRIGHTNESS_TEXT       1076
#define IDC_VIDEOPAGE_CONTRAST_TEXT         1077
#define IDC_VIDEOPAGE_HUE_TEXT              1078
#define IDC_VIDEOPAGE_SATURATION_TEXT       1079
#define IDC_VIDEOPAGE_STRENGTH_TEXT         1080
#define IDC_VIDEOPAGE_SHARPNESS_TEXT        1081
#define IDC_VIDEOPAGE_CARD                  1106
#define IDC_VIDEOPAGE_OVERLAY_SET           1107
#define IDC_VIDEOPAGE_BRIGHTNESS_MIN        1108
#define IDC_VIDEOPAGE_BRIGHTNESS_MAX        1109
#define IDC_VIDEOPAGE_CONTRAST_MIN          1110
#define IDC_VIDEOPAGE_CONTRAST_MAX          1111
#define IDC_VIDEOPAGE_HUE_MIN               1112
#define IDC_VIDEOPAGE_HUE_MAX               1113
#define IDC_VIDEOPAGE_SATURATION_MIN        1114
#define IDC_VIDEOPAGE_SATURATION_MAX        1115
#define IDC_VIDEOPAGE_SHARPNESS_MIN         1120
#define IDC_VIDEOPAGE_SHARPNESS_MAX         1121
#define IDC_VIDEOPAGE_OVERLAY_GROUP         1122
#define IDC_VIDEOPAGE_HIGH_QUALITY          1152
#define IDC_VIDEOPAGE_DEFAULTS              1166
#define IDC_VIDEOPAGE_ADVANCED              1225
#define IDC_VIDEOPAGE_DESKTOP               4204

#define IDS_OVERLAY_REFUSED                 34020
#define IDS_OVERLAY_NOT_IN_USE              34021

#define IDD_VIDEOADVANCE                    281

#define IDC_VIDEOADVANCE_HALF_RATE_OFF      1203

// ---------------------------------------------------------------------------
// Picture dialog (skinned)
// ---------------------------------------------------------------------------
#define IDD_COLOR                           230

#define IDC_COLOR_DEFAULTS                  1166
#define IDC_COLOR_CLOSE                     1167
#define IDC_COLOR_BRIGHTNESS                1168
#define IDC_COLOR_CONTRAST                  1169
#define IDC_COLOR_HUE                       1170
#define IDC_COLOR_SATURATION                1171
#define IDC_COLOR_SHARPNESS                 1172

#define IDS_TIP_COLOR_BRIGHTNESS            33972
#define IDS_TIP_COLOR_CONTRAST              33973
#define IDS_TIP_COLOR_HUE                   33974
#define IDS_TIP_COLOR_SATURATION            33975
#define IDS_TIP_COLOR_SHARPNESS             33976
#define IDS_TIP_COLOR_DEFAULTS              33977
#define IDS_TIP_COLOR_CLOSE                 33978

// ---------------------------------------------------------------------------
// FM custom record formats
// ---------------------------------------------------------------------------
#define IDD_FMCUSTOM                        506

#define IDC_FMCUSTOM_NAME                   1015
#define IDC_FMCUSTOM_DELETE                 1017
#define IDC_FMCUSTOM_ADD                    1051
#define IDC_FMCUSTOM_MODIFY                 1052
#define IDC_FMCUSTOM_FORMATS                1213
#define IDC_FMCUSTOM_COMPRESSOR             5189

// %s is the format's name.
#define IDS_FM_DELETE_QUESTION              45275

// Recording from the control panel: a recording that ended on its own or a
// scheduled recording that could not start.
#define IDS_RECORD_DISK_FULL                34060
#define IDS_SCHEDULE_RECORD_FAILED          34061
#define IDS_SCHEDULE_TIMESHIFT              34062

// The record page's MPEG-4 codec settings button, when nothing can show.
#define IDS_MPEG4_CODEC_MISSING             34070
#define IDS_MPEG4_CODEC_DIALOG_MISSING      34071
