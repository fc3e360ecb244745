// The dialog templates hold each control the windows work with, under its
// id, with the class and the styles the window needs from it (an owner-drawn
// combo box cannot be made owner-drawn once created, a range bar that takes
// clicks needs a notifying static, and so on).
#include "ResourceHeader.h"
#include "ResourceLibrary.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

enum class Kind
{
    PushButton,      // a plain button (the skin or the window may owner-draw it)
    OwnerDrawButton, // a bitmap button
    CheckBox,
    RadioButton,     // within a group
    FirstRadio,      // starts its group
    GroupBox,
    Text,
    NotifyText,      // a static that takes mouse clicks
    Icon,
    Edit,
    NumberEdit,
    PasswordEdit,
    DropList,
    CheckDropList,   // drop-down list whose items carry check boxes
    ListBox,
    ListView,
    Trackbar,
    DatePicker,
    TimePicker,
    SpinButton,
    HotKey,
};

struct Expected
{
    const char* dialog;
    const char* control;   // a name of the header, or IDOK / IDCANCEL
    Kind kind;
};

const Expected kControls[] = {
    // Control panel: every command button, the volume slider, three texts
    // and the time-shift range bar.
    {"IDD_PANEL", "IDC_PANEL_NEXT", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_PREV", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_SNAPSHOT", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_RECORD", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_WALL", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_SCAN", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_SETTINGS", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_SOURCE", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_LAST", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_FAVOURITES", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_MUTE", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_PLAYER", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_BROWSER", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_HIDE", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_HELP", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_ABOUT", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_MENU", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_EXIT", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_SPARE", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_PICTURE", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_PAUSE", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_CHANNELS", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_OSD", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_SKIN", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_TIMESHIFT", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_TIMESHIFT_PAUSE", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_TIMESHIFT_STOP", Kind::PushButton},
    {"IDD_PANEL", "IDC_PANEL_VOLUME", Kind::Trackbar},
    {"IDD_PANEL", "IDC_PANEL_CHANNEL_TEXT", Kind::Text},
    {"IDD_PANEL", "IDC_PANEL_FORMAT_TEXT", Kind::Text},
    {"IDD_PANEL", "IDC_PANEL_CLOCK", Kind::Text},
    {"IDD_PANEL", "IDC_PANEL_TIMESHIFT_BAR", Kind::NotifyText},

    {"IDD_ABOUT", "IDC_ABOUT_WEBSITE", Kind::NotifyText},
    {"IDD_ABOUT", "IDC_ABOUT_EMAIL", Kind::NotifyText},
    {"IDD_ABOUT", "IDC_ABOUT_UPDATE", Kind::PushButton},
    {"IDD_ABOUT", "IDOK", Kind::PushButton},

    {"IDD_COLOR", "IDC_COLOR_BRIGHTNESS", Kind::Trackbar},
    {"IDD_COLOR", "IDC_COLOR_CONTRAST", Kind::Trackbar},
    {"IDD_COLOR", "IDC_COLOR_HUE", Kind::Trackbar},
    {"IDD_COLOR", "IDC_COLOR_SATURATION", Kind::Trackbar},
    {"IDD_COLOR", "IDC_COLOR_SHARPNESS", Kind::Trackbar},
    {"IDD_COLOR", "IDC_COLOR_DEFAULTS", Kind::PushButton},
    {"IDD_COLOR", "IDC_COLOR_CLOSE", Kind::PushButton},

    {"IDD_SCREENTOOL", "IDC_SCREENTOOL_PIN", Kind::OwnerDrawButton},
    {"IDD_SCREENTOOL", "IDC_SCREENTOOL_CLOSE", Kind::OwnerDrawButton},
    {"IDD_SCREENTOOL", "IDC_SCREENTOOL_SNAPSHOT", Kind::OwnerDrawButton},
    {"IDD_SCREENTOOL", "IDC_SCREENTOOL_WALL", Kind::OwnerDrawButton},
    {"IDD_SCREENTOOL", "IDC_SCREENTOOL_RECORD", Kind::OwnerDrawButton},
    {"IDD_SCREENTOOL", "IDC_SCREENTOOL_PREV", Kind::OwnerDrawButton},
    {"IDD_SCREENTOOL", "IDC_SCREENTOOL_NEXT", Kind::OwnerDrawButton},
    {"IDD_SCREENTOOL", "IDC_SCREENTOOL_MUTE", Kind::OwnerDrawButton},
    {"IDD_SCREENTOOL", "IDC_SCREENTOOL_VOLUME", Kind::Trackbar},
    {"IDD_SCREENTOOL", "IDC_SCREENTOOL_TEXT", Kind::Text},

    {"IDD_SHUTDOWN", "IDC_SHUTDOWN_SECONDS", Kind::Text},
    {"IDD_SHUTDOWN", "IDC_SHUTDOWN_DOTS", Kind::Text},
    {"IDD_SHUTDOWN", "IDC_SHUTDOWN_NOW", Kind::PushButton},
    {"IDD_SHUTDOWN", "IDC_SHUTDOWN_CANCEL", Kind::PushButton},

    {"IDD_MSGBOX", "IDC_MSGBOX_ICON", Kind::Icon},
    {"IDD_MSGBOX", "IDC_MSGBOX_TEXT", Kind::Text},
    {"IDD_MSGBOX", "IDOK", Kind::PushButton},
    {"IDD_MSGBOX", "IDCANCEL", Kind::PushButton},

    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_FINE_TUNE", Kind::Trackbar},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_LIST", Kind::ListView},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_FREQUENCY", Kind::Edit},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_NAME", Kind::Edit},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_FAVOURITES_MODE", Kind::CheckBox},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_KEEP_PREVIOUS", Kind::CheckBox},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_MODE_CABLE", Kind::FirstRadio},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_MODE_ANTENNA", Kind::RadioButton},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_MODE_SWEEP", Kind::RadioButton},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_COUNTRY", Kind::DropList},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_TABLE", Kind::DropList},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_RENAME", Kind::PushButton},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_FAVOURITE", Kind::PushButton},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_DELETE", Kind::PushButton},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_SET_FREQUENCY", Kind::PushButton},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_SCAN", Kind::PushButton},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_PLUS_TOLERANCE", Kind::Text},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_MINUS_TOLERANCE", Kind::Text},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_COUNTRY_LABEL", Kind::Text},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_TABLE_LABEL", Kind::Text},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_FINE_TUNE_LABEL", Kind::Text},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_SCAN_MODE_GROUP", Kind::GroupBox},
    {"IDD_CHANNELPAGE", "IDC_CHANNELPAGE_REGION_GROUP", Kind::GroupBox},

    {"IDD_DEVICEPAGE", "IDC_DEVICEPAGE_AUDIO_INPUT", Kind::DropList},
    {"IDD_DEVICEPAGE", "IDC_DEVICEPAGE_AUDIO_DEVICE", Kind::DropList},
    {"IDD_DEVICEPAGE", "IDC_DEVICEPAGE_VIDEO_INPUT", Kind::DropList},
    {"IDD_DEVICEPAGE", "IDC_DEVICEPAGE_STANDARD", Kind::DropList},
    {"IDD_DEVICEPAGE", "IDC_DEVICEPAGE_RECORD_LEVEL", Kind::Trackbar},
    {"IDD_DEVICEPAGE", "IDC_DEVICEPAGE_RECORD_LEVEL_TEXT", Kind::Text},
    {"IDD_DEVICEPAGE", "IDC_DEVICEPAGE_PLAY_DEVICE", Kind::DropList},
    {"IDD_DEVICEPAGE", "IDC_DEVICEPAGE_PLAY_LINE", Kind::DropList},
    {"IDD_DEVICEPAGE", "IDC_DEVICEPAGE_MONO", Kind::FirstRadio},
    {"IDD_DEVICEPAGE", "IDC_DEVICEPAGE_STEREO", Kind::RadioButton},
    {"IDD_DEVICEPAGE", "IDC_DEVICEPAGE_LANGUAGE_A", Kind::RadioButton},
    {"IDD_DEVICEPAGE", "IDC_DEVICEPAGE_LANGUAGE_B", Kind::RadioButton},
    {"IDD_DEVICEPAGE", "IDC_DEVICEPAGE_LANGUAGE_C", Kind::RadioButton},
    {"IDD_DEVICEPAGE", "IDC_DEVICEPAGE_TELETEXT", Kind::CheckBox},
    {"IDD_DEVICEPAGE", "IDC_DEVICEPAGE_SOUND_GROUP", Kind::GroupBox},

    {"IDD_INTERFACEPAGE", "IDC_INTERFACEPAGE_SKIN", Kind::DropList},
    {"IDD_INTERFACEPAGE", "IDC_INTERFACEPAGE_SKIN_LIST", Kind::ListBox},
    {"IDD_INTERFACEPAGE", "IDC_INTERFACEPAGE_COMMANDS", Kind::ListBox},
    {"IDD_INTERFACEPAGE", "IDC_INTERFACEPAGE_KEYS", Kind::ListBox},
    {"IDD_INTERFACEPAGE", "IDC_INTERFACEPAGE_HOTKEY", Kind::HotKey},
    {"IDD_INTERFACEPAGE", "IDC_INTERFACEPAGE_DESCRIPTION", Kind::Text},
    {"IDD_INTERFACEPAGE", "IDC_INTERFACEPAGE_ASSIGN", Kind::PushButton},
    {"IDD_INTERFACEPAGE", "IDC_INTERFACEPAGE_REMOVE", Kind::PushButton},
    {"IDD_INTERFACEPAGE", "IDC_INTERFACEPAGE_DEFAULTS", Kind::PushButton},
    {"IDD_INTERFACEPAGE", "IDC_INTERFACEPAGE_START_WITH_WINDOWS", Kind::CheckBox},
    {"IDD_INTERFACEPAGE", "IDC_INTERFACEPAGE_TRAY_ON_EXIT", Kind::CheckBox},

    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_MPEG4_SIZE", Kind::DropList},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_MPEG4_AUDIO", Kind::DropList},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_FORMAT", Kind::DropList},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_QUALITY", Kind::DropList},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_JPEG_QUALITY", Kind::Trackbar},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_JPEG_QUALITY_TEXT", Kind::Text},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_SNAP_FOLDER", Kind::Edit},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_RECORD_FOLDER", Kind::Edit},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_BMP", Kind::FirstRadio},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_JPEG", Kind::RadioButton},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_MOTION_FAST", Kind::FirstRadio},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_MOTION_HIGH_QUALITY", Kind::RadioButton},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_MOTION_BEST", Kind::RadioButton},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_SNAP_BROWSE", Kind::PushButton},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_RECORD_BROWSE", Kind::PushButton},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_CODEC_SETUP", Kind::PushButton},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_MPEG4_AUDIO_LABEL", Kind::Text},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_MPEG4_SIZE_LABEL", Kind::Text},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_TIMESHIFT_LENGTH", Kind::DropList},
    {"IDD_RECORDPAGE", "IDC_RECORDPAGE_TIMESHIFT_RESERVE", Kind::CheckBox},

    {"IDD_STORAGEPAGE", "IDC_STORAGEPAGE_DISKS", Kind::CheckDropList},
    {"IDD_STORAGEPAGE", "IDC_STORAGEPAGE_DISK_LIST", Kind::ListView},
    {"IDD_STORAGEPAGE", "IDC_STORAGEPAGE_FULL_STOP", Kind::FirstRadio},
    {"IDD_STORAGEPAGE", "IDC_STORAGEPAGE_FULL_NEXT_DISK", Kind::RadioButton},
    {"IDD_STORAGEPAGE", "IDC_STORAGEPAGE_LENGTH_STOP", Kind::FirstRadio},
    {"IDD_STORAGEPAGE", "IDC_STORAGEPAGE_LENGTH_NEW_FILE", Kind::RadioButton},
    {"IDD_STORAGEPAGE", "IDC_STORAGEPAGE_RESERVE", Kind::NumberEdit},
    {"IDD_STORAGEPAGE", "IDC_STORAGEPAGE_MINUTES", Kind::NumberEdit},
    {"IDD_STORAGEPAGE", "IDC_STORAGEPAGE_FOLDER", Kind::Edit},

    {"IDD_SCHEDULEPAGE", "IDC_SCHEDULEPAGE_LIST", Kind::ListView},
    {"IDD_SCHEDULEPAGE", "IDC_SCHEDULEPAGE_ADD", Kind::PushButton},
    {"IDD_SCHEDULEPAGE", "IDC_SCHEDULEPAGE_EDIT", Kind::PushButton},
    {"IDD_SCHEDULEPAGE", "IDC_SCHEDULEPAGE_DELETE", Kind::PushButton},
    {"IDD_SCHEDULEPAGE", "IDC_SCHEDULEPAGE_SHUT_DOWN", Kind::CheckBox},
    {"IDD_SCHEDULEPAGE", "IDC_SCHEDULEPAGE_SHUT_DOWN_TIME", Kind::TimePicker},
    {"IDD_SCHEDULEPAGE", "IDC_SCHEDULEPAGE_LEAD_TIME", Kind::NumberEdit},
    {"IDD_SCHEDULEPAGE", "IDC_SCHEDULEPAGE_USER", Kind::Edit},
    {"IDD_SCHEDULEPAGE", "IDC_SCHEDULEPAGE_PASSWORD", Kind::PasswordEdit},
    {"IDD_SCHEDULEPAGE", "IDC_SCHEDULEPAGE_POWER_ON", Kind::CheckBox},
    {"IDD_SCHEDULEPAGE", "IDC_SCHEDULEPAGE_POWER_ON_TIME", Kind::TimePicker},
    {"IDD_SCHEDULEPAGE", "IDC_SCHEDULEPAGE_SUSPEND", Kind::CheckBox},
    {"IDD_SCHEDULEPAGE", "IDC_SCHEDULEPAGE_AUTO_LOGON", Kind::CheckBox},

    {"IDD_SCHEDULEDLG", "IDC_SCHEDULEDLG_SECONDS_SPIN", Kind::SpinButton},
    {"IDD_SCHEDULEDLG", "IDC_SCHEDULEDLG_MINUTES_SPIN", Kind::SpinButton},
    {"IDD_SCHEDULEDLG", "IDC_SCHEDULEDLG_HOURS_SPIN", Kind::SpinButton},
    {"IDD_SCHEDULEDLG", "IDC_SCHEDULEDLG_SOURCE", Kind::DropList},
    {"IDD_SCHEDULEDLG", "IDC_SCHEDULEDLG_WEEKDAYS", Kind::CheckDropList},
    {"IDD_SCHEDULEDLG", "IDC_SCHEDULEDLG_CHANNEL", Kind::DropList},
    {"IDD_SCHEDULEDLG", "IDC_SCHEDULEDLG_REFRESH", Kind::CheckBox},
    {"IDD_SCHEDULEDLG", "IDC_SCHEDULEDLG_POWER_OFF", Kind::CheckBox},
    {"IDD_SCHEDULEDLG", "IDC_SCHEDULEDLG_HIBERNATE", Kind::CheckBox},
    {"IDD_SCHEDULEDLG", "IDC_SCHEDULEDLG_DATE", Kind::DatePicker},
    {"IDD_SCHEDULEDLG", "IDC_SCHEDULEDLG_DATE2", Kind::TimePicker},
    {"IDD_SCHEDULEDLG", "IDC_SCHEDULEDLG_START", Kind::TimePicker},
    {"IDD_SCHEDULEDLG", "IDC_SCHEDULEDLG_ONCE", Kind::CheckBox},
    {"IDD_SCHEDULEDLG", "IDC_SCHEDULEDLG_HOURS", Kind::NumberEdit},
    {"IDD_SCHEDULEDLG", "IDC_SCHEDULEDLG_MINUTES", Kind::NumberEdit},
    {"IDD_SCHEDULEDLG", "IDC_SCHEDULEDLG_SECONDS", Kind::NumberEdit},
    {"IDD_SCHEDULEDLG", "IDOK", Kind::PushButton},

    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_SHARPNESS", Kind::Trackbar},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_SIZE", Kind::DropList},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_SATURATION", Kind::Trackbar},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_STRENGTH", Kind::Trackbar},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_HUE", Kind::Trackbar},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_CONTRAST", Kind::Trackbar},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_BRIGHTNESS", Kind::Trackbar},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_HALF_RATE_OFF", Kind::CheckBox},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_OVERLAY", Kind::CheckBox},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_NOISE_REDUCTION", Kind::CheckBox},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_HIGH_QUALITY", Kind::CheckBox},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_DESKTOP", Kind::CheckBox},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_CARD", Kind::FirstRadio},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_OVERLAY_SET", Kind::RadioButton},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_BRIGHTNESS_TEXT", Kind::Text},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_CONTRAST_TEXT", Kind::Text},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_HUE_TEXT", Kind::Text},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_SATURATION_TEXT", Kind::Text},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_STRENGTH_TEXT", Kind::Text},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_SHARPNESS_TEXT", Kind::Text},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_BRIGHTNESS_MIN", Kind::Text},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_BRIGHTNESS_MAX", Kind::Text},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_CONTRAST_MIN", Kind::Text},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_CONTRAST_MAX", Kind::Text},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_HUE_MIN", Kind::Text},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_HUE_MAX", Kind::Text},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_SATURATION_MIN", Kind::Text},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_SATURATION_MAX", Kind::Text},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_SHARPNESS_MIN", Kind::Text},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_SHARPNESS_MAX", Kind::Text},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_DEFAULTS", Kind::PushButton},
    {"IDD_VIDEOPAGE", "IDC_VIDEOPAGE_ADVANCED", Kind::PushButton},

    {"IDD_VIDEOADVANCE", "IDC_VIDEOADVANCE_HALF_RATE_OFF", Kind::CheckBox},
    {"IDD_VIDEOADVANCE", "IDOK", Kind::PushButton},
    {"IDD_VIDEOADVANCE", "IDCANCEL", Kind::PushButton},

    {"IDD_FMCUSTOM", "IDC_FMCUSTOM_FORMATS", Kind::DropList},
    {"IDD_FMCUSTOM", "IDC_FMCUSTOM_COMPRESSOR", Kind::DropList},
    {"IDD_FMCUSTOM", "IDC_FMCUSTOM_NAME", Kind::Edit},
    {"IDD_FMCUSTOM", "IDC_FMCUSTOM_ADD", Kind::PushButton},
    {"IDD_FMCUSTOM", "IDC_FMCUSTOM_MODIFY", Kind::PushButton},
    {"IDD_FMCUSTOM", "IDC_FMCUSTOM_DELETE", Kind::PushButton},
    {"IDD_FMCUSTOM", "IDOK", Kind::PushButton},
    {"IDD_FMCUSTOM", "IDCANCEL", Kind::PushButton},
};

// Class names are matched as the system matches them, without regard to case
// (the resource compiler writes some in capitals).
bool Is(const TemplateControl& c, const char* className)
{
    return _stricmp(c.className.c_str(), className) == 0;
}

bool ButtonType(const TemplateControl& c, DWORD type)
{
    return Is(c, "Button") && (c.style & BS_TYPEMASK) == type;
}

bool IsText(const TemplateControl& c)
{
    DWORD type = c.style & SS_TYPEMASK;
    return Is(c, "Static") && (type <= SS_RIGHT || type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE);
}

bool Has(DWORD style, DWORD bits)
{
    return (style & bits) == bits;
}

// Empty when the control is what the window needs, else what is wrong.
std::string Mismatch(const TemplateControl& c, Kind kind)
{
    switch (kind) {
    case Kind::PushButton:
        return ButtonType(c, BS_PUSHBUTTON) || ButtonType(c, BS_DEFPUSHBUTTON) ? "" : "not a push button";
    case Kind::OwnerDrawButton:
        return ButtonType(c, BS_OWNERDRAW) ? "" : "not an owner-drawn button";
    case Kind::CheckBox:
        return ButtonType(c, BS_AUTOCHECKBOX) ? "" : "not an automatic check box";
    case Kind::RadioButton:
        return ButtonType(c, BS_AUTORADIOBUTTON) && !(c.style & WS_GROUP) ? "" : "not a radio button within a group";
    case Kind::FirstRadio:
        return ButtonType(c, BS_AUTORADIOBUTTON) && Has(c.style, WS_GROUP | WS_TABSTOP) ? ""
                                                                                       : "not the first radio button of a group";
    case Kind::GroupBox:
        return ButtonType(c, BS_GROUPBOX) ? "" : "not a group box";
    case Kind::Text:
        return IsText(c) ? "" : "not a text";
    case Kind::NotifyText:
        return IsText(c) && (c.style & SS_NOTIFY) ? "" : "not a static that takes clicks";
    case Kind::Icon:
        return Is(c, "Static") && (c.style & SS_TYPEMASK) == SS_ICON ? "" : "not an icon static";
    case Kind::Edit:
        return Is(c, "Edit") && !(c.style & ES_MULTILINE) ? "" : "not a one-line edit box";
    case Kind::NumberEdit:
        return Is(c, "Edit") && (c.style & ES_NUMBER) ? "" : "not a number edit box";
    case Kind::PasswordEdit:
        return Is(c, "Edit") && (c.style & ES_PASSWORD) ? "" : "not a password edit box";
    case Kind::DropList:
        return Is(c, "ComboBox") && (c.style & 3) == CBS_DROPDOWNLIST ? "" : "not a drop-down list";
    case Kind::CheckDropList:
        return Is(c, "ComboBox") && (c.style & 3) == CBS_DROPDOWNLIST &&
                       Has(c.style, CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS)
                   ? ""
                   : "not an owner-drawn drop-down list with strings";
    case Kind::ListBox:
        return Is(c, "ListBox") && (c.style & LBS_NOTIFY) ? "" : "not a notifying list box";
    case Kind::ListView:
        return Is(c, WC_LISTVIEWA) && (c.style & LVS_TYPEMASK) == LVS_REPORT ? "" : "not a report list view";
    case Kind::Trackbar:
        return Is(c, TRACKBAR_CLASSA) ? "" : "not a trackbar";
    case Kind::DatePicker:
        return Is(c, DATETIMEPICK_CLASSA) && !(c.style & DTS_TIMEFORMAT) ? "" : "not a date picker";
    case Kind::TimePicker:
        return Is(c, DATETIMEPICK_CLASSA) && (c.style & DTS_TIMEFORMAT) ? "" : "not a time picker";
    case Kind::SpinButton:
        return Is(c, UPDOWN_CLASSA) && Has(c.style, UDS_AUTOBUDDY | UDS_SETBUDDYINT) ? ""
                                                                                           : "not a spin button with a buddy";
    case Kind::HotKey:
        return Is(c, HOTKEY_CLASSA) ? "" : "not a hot-key control";
    }
    return "unknown kind";
}

unsigned ControlId(const char* name)
{
    if (strcmp(name, "IDOK") == 0)
        return IDOK;
    if (strcmp(name, "IDCANCEL") == 0)
        return IDCANCEL;
    return ResourceValue(name);
}

TEST(DialogTemplates, HoldEachControlWithTheClassAndStyleTheWindowNeeds)
{
    ResourceLibrary mavrel("Mavrel.dll", ResourceLibrary::Data);
    ASSERT_TRUE(mavrel.Module() != NULL);
    for (const Expected& e : kControls) {
        DialogTemplate t = ParseDialogTemplate(mavrel.Bytes(RT_DIALOG, ResourceValue(e.dialog)));
        ASSERT_TRUE(t.valid) << e.dialog;
        const TemplateControl* c = t.Find(ControlId(e.control));
        if (!c) {
            ADD_FAILURE() << e.dialog << ": no " << e.control;
            continue;
        }
        EXPECT_EQ(Mismatch(*c, e.kind), "") << e.dialog << " " << e.control << " (" << c->className << ")";
    }
}

TEST(DialogTemplates, ControlIdsAreUniqueWithinATemplate)
{
    ResourceLibrary mavrel("Mavrel.dll", ResourceLibrary::Data);
    for (const ResourceId& d : ResourceHeaderIds()) {
        if (d.kind != ResourceKind::Dialog)
            continue;
        DialogTemplate t = ParseDialogTemplate(mavrel.Bytes(RT_DIALOG, d.value));
        for (size_t i = 0; i < t.controls.size(); ++i)
            for (size_t j = i + 1; j < t.controls.size(); ++j)
                if (t.controls[i].id == t.controls[j].id && t.controls[i].id != 0xFFFF && t.controls[i].id != 0xFFFFFFFF)
                    ADD_FAILURE() << d.name << ": id " << t.controls[i].id << " twice";
    }
}

// Pages live in the settings sheet: child windows whose caption is the tab's
// text. Everything else is a pop-up; the skinned ones draw their own frame.
TEST(DialogTemplates, PagesAreChildrenAndTheSkinnedWindowsHaveNoCaption)
{
    struct Frame { const char* dialog; DWORD required; DWORD absent; };
    const DWORD page = WS_CHILD | WS_CAPTION, popup = WS_POPUP | WS_CAPTION, skinned = WS_POPUP;
    const Frame kFrames[] = {
        {"IDD_CHANNELPAGE", page, WS_POPUP},   {"IDD_DEVICEPAGE", page, WS_POPUP},
        {"IDD_RECORDPAGE", page, WS_POPUP},    {"IDD_STORAGEPAGE", page, WS_POPUP},
        {"IDD_SCHEDULEPAGE", page, WS_POPUP},  {"IDD_INTERFACEPAGE", page, WS_POPUP},
        {"IDD_VIDEOPAGE", page, WS_POPUP},     {"IDD_PANEL", skinned, WS_CAPTION | WS_CHILD},
        {"IDD_COLOR", skinned, WS_CAPTION | WS_CHILD},
        {"IDD_SCREENTOOL", skinned, WS_CAPTION | WS_CHILD},
        {"IDD_OSDMENU", skinned, WS_CAPTION | WS_CHILD},
        {"IDD_VIDEOWND", popup, WS_CHILD},     {"IDD_ABOUT", popup, WS_CHILD},
        {"IDD_SHUTDOWN", popup, WS_CHILD},     {"IDD_MSGBOX", popup, WS_CHILD},
        {"IDD_SCHEDULEDLG", popup, WS_CHILD},  {"IDD_VIDEOADVANCE", popup, WS_CHILD},
        {"IDD_FMCUSTOM", popup, WS_CHILD},
    };
    ResourceLibrary mavrel("Mavrel.dll", ResourceLibrary::Data);
    size_t dialogs = 0;
    for (const ResourceId& d : ResourceHeaderIds())
        dialogs += d.kind == ResourceKind::Dialog;
    EXPECT_EQ(dialogs, sizeof kFrames / sizeof kFrames[0]) << "a dialog of the header is missing here";
    for (const Frame& f : kFrames) {
        DialogTemplate t = ParseDialogTemplate(mavrel.Bytes(RT_DIALOG, ResourceValue(f.dialog)));
        ASSERT_TRUE(t.valid) << f.dialog;
        EXPECT_TRUE(Has(t.style, f.required)) << f.dialog;
        EXPECT_EQ(t.style & f.absent, 0u) << f.dialog;
        EXPECT_FALSE(t.title.empty()) << f.dialog;
        EXPECT_EQ(t.font, "MS Shell Dlg") << f.dialog;
    }
}

} // namespace
