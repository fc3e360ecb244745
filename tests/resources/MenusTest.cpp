// The menus, the menu images' tool bar and the names of the bindable
// commands: texts that show, ids the program handles, no clashing
// mnemonics, and names the hot-key table can tell apart.
#include "ResourceHeader.h"
#include "ResourceLibrary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace {

std::vector<MenuEntry> LoadMenu(const ResourceLibrary& mavrel, const char* name)
{
    bool valid = false;
    std::vector<MenuEntry> entries = ParseMenu(mavrel.Bytes(RT_MENU, ResourceValue(name)), &valid);
    EXPECT_TRUE(valid) << name;
    return entries;
}

std::set<unsigned> CommandIds()
{
    std::set<unsigned> ids;
    for (const ResourceId& id : ResourceHeaderIds())
        if (id.kind == ResourceKind::Command)
            ids.insert(id.value);
    return ids;
}

// The letter after a single '&', lower case; 0 when none.
char Mnemonic(const std::string& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '&') {
            if (text[i + 1] != '&')
                return (char)tolower((unsigned char)text[i + 1]);
            ++i;
        }
    }
    return 0;
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return (char)tolower(c); });
    return s;
}

const char* const kMenus[] = {"IDR_MENU_PANEL", "IDR_MENU_RECORD_FORMAT", "IDR_MENU_FM_FORMAT",
                              "IDR_MENU_CHANNELPAGE"};

TEST(Menus, ItemsShowATextAndSendACommandOfTheHeader)
{
    ResourceLibrary mavrel("Mavrel.dll", ResourceLibrary::Data);
    const std::set<unsigned> commands = CommandIds();
    for (const char* name : kMenus) {
        for (const MenuEntry& e : LoadMenu(mavrel, name)) {
            if (e.separator)
                continue;
            EXPECT_FALSE(e.text.empty()) << name << " item " << e.id;
            if (!e.popup) {
                EXPECT_TRUE(commands.count(e.id)) << name << " \"" << e.text << "\" sends " << e.id;
            }
        }
    }
}

// Within one popup no two items answer the same letter, and no two items
// read alike.
TEST(Menus, MnemonicsAndTextsDifferWithinEachPopup)
{
    ResourceLibrary mavrel("Mavrel.dll", ResourceLibrary::Data);
    for (const char* name : kMenus) {
        std::vector<MenuEntry> entries = LoadMenu(mavrel, name);
        // A popup's items are the entries one level below it, up to the next
        // entry at its own level or above.
        for (size_t p = 0; p < entries.size(); ++p) {
            if (!entries[p].popup)
                continue;
            std::map<char, std::string> letters;
            std::set<std::string> texts;
            for (size_t i = p + 1; i < entries.size() && entries[i].depth > entries[p].depth; ++i) {
                const MenuEntry& e = entries[i];
                if (e.depth != entries[p].depth + 1 || e.separator)
                    continue;
                char m = Mnemonic(e.text);
                if (m && letters.count(m))
                    ADD_FAILURE() << name << ": \"" << e.text << "\" and \"" << letters[m] << "\" share '&" << m << "'";
                letters[m] = e.text;
                EXPECT_TRUE(texts.insert(Lower(e.text)).second) << name << ": \"" << e.text << "\" twice";
            }
        }
    }
}

TEST(Menus, FormatMenusHoldEveryFormatInIdOrder)
{
    ResourceLibrary mavrel("Mavrel.dll", ResourceLibrary::Data);
    struct Range { const char* menu; const char* first; const char* last; };
    for (const Range& r : {Range{"IDR_MENU_RECORD_FORMAT", "ID_FORMAT_AVI", "ID_FORMAT_HIDVD"},
                           Range{"IDR_MENU_FM_FORMAT", "ID_FM_FORMAT_PCM", "ID_FM_FORMAT_CUSTOM"}}) {
        std::vector<unsigned> ids;
        for (const MenuEntry& e : LoadMenu(mavrel, r.menu))
            if (!e.popup && !e.separator)
                ids.push_back(e.id);
        std::vector<unsigned> expected;
        for (unsigned id = ResourceValue(r.first); id <= ResourceValue(r.last); ++id)
            expected.push_back(id);
        EXPECT_EQ(ids, expected) << r.menu;
    }
}

TEST(Menus, TheContextMenuIsTheFirstSubmenuOfItsResource)
{
    ResourceLibrary mavrel("Mavrel.dll", ResourceLibrary::Data);
    std::vector<MenuEntry> entries = LoadMenu(mavrel, "IDR_MENU_PANEL");
    ASSERT_FALSE(entries.empty());
    EXPECT_TRUE(entries[0].popup);
    for (size_t i = 1; i < entries.size(); ++i)
        EXPECT_GT(entries[i].depth, 0) << "a second top-level item: " << entries[i].text;
}

TEST(MenuToolBar, HasOneImagePerButtonAndItsCommandsAreInTheContextMenu)
{
    ResourceLibrary mavrel("Mavrel.dll", ResourceLibrary::Program);
    const unsigned id = ResourceValue("IDR_TOOLBAR_MENU");
    ToolBarResource bar = ParseToolBar(mavrel.Bytes(RT_TOOLBAR_TYPE, id));
    ASSERT_TRUE(bar.valid);
    EXPECT_EQ(bar.width, 16u);
    EXPECT_EQ(bar.height, 15u);

    std::set<unsigned> inMenu;
    for (const MenuEntry& e : LoadMenu(mavrel, "IDR_MENU_PANEL"))
        inMenu.insert(e.id);
    size_t images = 0;
    for (unsigned command : bar.commands) {
        if (command == 0)
            continue;
        ++images;
        EXPECT_TRUE(inMenu.count(command)) << "command " << command << " has an image but no menu item";
    }

    HBITMAP strip = (HBITMAP)::LoadImageA(mavrel.Module(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0);
    ASSERT_TRUE(strip != NULL);
    BITMAP info = {};
    ::GetObjectA(strip, sizeof info, &info);
    ::DeleteObject(strip);
    EXPECT_EQ((size_t)info.bmWidth, images * bar.width);
    EXPECT_EQ((unsigned)info.bmHeight, bar.height);
}

// The control panel registers these commands in its hot-key table, which
// refuses a second command of the same name (case-insensitive); the
// interface page lists the names and shows the descriptions.
struct Bindable
{
    const char* command;
    const char* name;
    const char* description;
};

const Bindable kBindable[] = {
    {"ID_CHANNEL_NEXT", "IDS_CMD_NEXT_CHANNEL", "IDS_CMD_NEXT_CHANNEL_DESC"},
    {"ID_CHANNEL_PREV", "IDS_CMD_PREV_CHANNEL", "IDS_CMD_PREV_CHANNEL_DESC"},
    {"ID_CHANNEL_LAST", "IDS_CMD_LAST_CHANNEL", "IDS_CMD_LAST_CHANNEL_DESC"},
    {"ID_SNAPSHOT", "IDS_CMD_SNAPSHOT", "IDS_CMD_SNAPSHOT_DESC"},
    {"ID_RECORD", "IDS_CMD_RECORD", "IDS_CMD_RECORD_DESC"},
    {"ID_PAUSE", "IDS_CMD_PAUSE", "IDS_CMD_PAUSE_DESC"},
    {"ID_INPUT_SOURCE", "IDS_CMD_INPUT_SOURCE", "IDS_CMD_INPUT_SOURCE_DESC"},
    {"ID_CHANNEL_WALL", "IDS_CMD_CHANNEL_WALL", "IDS_CMD_CHANNEL_WALL_DESC"},
    {"ID_MOVIE_PLAYER", "IDS_CMD_MOVIE_PLAYER", "IDS_CMD_MOVIE_PLAYER_DESC"},
    {"ID_IMAGE_BROWSER", "IDS_CMD_IMAGE_BROWSER", "IDS_CMD_IMAGE_BROWSER_DESC"},
    {"ID_TOPMOST", "IDS_CMD_TOPMOST", "IDS_CMD_TOPMOST_DESC"},
    {"ID_FULL_SCREEN", "IDS_CMD_FULL_SCREEN", "IDS_CMD_FULL_SCREEN_DESC"},
    {"ID_SIZE_320X240", "IDS_CMD_SIZE_320X240", "IDS_CMD_SIZE_320X240_DESC"},
    {"ID_SIZE_640X480", "IDS_CMD_SIZE_640X480", "IDS_CMD_SIZE_640X480_DESC"},
    {"ID_SHOW_PANEL", "IDS_CMD_SHOW_PANEL", "IDS_CMD_SHOW_PANEL_DESC"},
    {"ID_MUTE", "IDS_CMD_MUTE", "IDS_CMD_MUTE_DESC"},
    {"ID_VOLUME_UP", "IDS_CMD_VOLUME_UP", "IDS_CMD_VOLUME_UP_DESC"},
    {"ID_VOLUME_DOWN", "IDS_CMD_VOLUME_DOWN", "IDS_CMD_VOLUME_DOWN_DESC"},
    {"ID_CHANNEL_SETTINGS", "IDS_CMD_CHANNEL_SETTINGS", "IDS_CMD_CHANNEL_SETTINGS_DESC"},
    {"ID_ABOUT", "IDS_CMD_ABOUT", "IDS_CMD_ABOUT_DESC"},
    {"ID_EXIT", "IDS_CMD_EXIT", "IDS_CMD_EXIT_DESC"},
    {"ID_CHANNEL_SCAN", "IDS_CMD_SCAN", "IDS_CMD_SCAN_DESC"},
    {"ID_FAVOURITES", "IDS_CMD_FAVOURITES", "IDS_CMD_FAVOURITES_DESC"},
    {"ID_OSD_MENU", "IDS_CMD_OSD_MENU", "IDS_CMD_OSD_MENU_DESC"},
    {"ID_NEXT_SKIN", "IDS_CMD_NEXT_SKIN", "IDS_CMD_NEXT_SKIN_DESC"},
    {"ID_PANEL_HELP", "IDS_CMD_HELP", "IDS_CMD_HELP_DESC"},
    {"ID_TIMESHIFT_START", "IDS_TIMESHIFT", "IDS_TIMESHIFT"},
    {"ID_PROPERTY_SELECT", "IDS_CMD_PROPERTY_SELECT", "IDS_CMD_PROPERTY_SELECT"},
    {"ID_PROPERTY_RESET", "IDS_CMD_PROPERTY_RESET", "IDS_CMD_PROPERTY_RESET"},
    {"ID_PROPERTY_DOWN", "IDS_CMD_PROPERTY_DOWN", "IDS_CMD_PROPERTY_DOWN"},
    {"ID_PROPERTY_UP", "IDS_CMD_PROPERTY_UP", "IDS_CMD_PROPERTY_UP"},
};

TEST(CommandNames, AreNonEmptyAndUniqueAsTheHotKeyTableComparesThem)
{
    ResourceLibrary mavrel("Mavrel.dll", ResourceLibrary::Data);
    std::map<std::string, std::string> seen;
    for (const Bindable& b : kBindable) {
        ResourceValue(b.command);
        std::string name = mavrel.String(ResourceValue(b.name));
        EXPECT_FALSE(name.empty()) << b.name;
        EXPECT_FALSE(mavrel.String(ResourceValue(b.description)).empty()) << b.description;
        auto found = seen.find(Lower(name));
        if (found != seen.end())
            ADD_FAILURE() << b.name << " reads \"" << name << "\" as " << found->second << " does";
        seen[Lower(name)] = b.name;
    }
    std::string main = mavrel.String(ResourceValue("IDS_GROUP_MAIN"));
    std::string other = mavrel.String(ResourceValue("IDS_GROUP_OTHER"));
    EXPECT_FALSE(main.empty());
    EXPECT_FALSE(other.empty());
    EXPECT_NE(Lower(main), Lower(other));
}

} // namespace
