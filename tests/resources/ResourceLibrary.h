// One resource library loaded for a test, as the program loads it (by its
// bare name from the executable's folder) or as plain data, with readers for
// its strings, dialog templates, menus and tool bars. Test thread only.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class ResourceLibrary
{
public:
    enum LoadAs { Program, Data };
    ResourceLibrary(const char* name, LoadAs how);
    ~ResourceLibrary();
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;

    HMODULE Module() const { return m_module; }
    bool Has(LPCSTR type, unsigned id) const;
    // The resource's bytes; empty when it is absent.
    std::string Bytes(LPCSTR type, unsigned id) const;
    // The string of the string table; empty when absent.
    std::string String(unsigned id) const;

private:
    HMODULE m_module;
};

// A dialog template read back from its resource (either template form).
struct TemplateControl
{
    unsigned id;
    std::string className;   // the predefined classes as their names ("Button")
    std::string text;        // the title, or "#<ordinal>" for a resource ordinal
    DWORD style;
    DWORD exStyle;
    RECT rect;               // dialog units
};

struct DialogTemplate
{
    bool valid = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string title;
    std::string font;
    unsigned menu = 0;
    RECT rect = {0, 0, 0, 0};
    std::vector<TemplateControl> controls;

    const TemplateControl* Find(unsigned id) const;
};

// Reads the template's bytes; `valid` stays false when they are cut short
// or malformed.
DialogTemplate ParseDialogTemplate(const std::string& bytes);

// A menu read back from its resource: items in order, popups with their
// items below them (depth counts the nesting).
struct MenuEntry
{
    int depth;
    unsigned id;          // 0 for a popup or a separator
    std::string text;
    bool popup;
    bool separator;
};
std::vector<MenuEntry> ParseMenu(const std::string& bytes, bool* valid);

// A tool-bar resource: image size and the command of each button (0 for a
// separator).
struct ToolBarResource
{
    bool valid = false;
    unsigned width = 0;
    unsigned height = 0;
    std::vector<unsigned> commands;
};
ToolBarResource ParseToolBar(const std::string& bytes);

// The resource type of tool bars.
const LPCSTR RT_TOOLBAR_TYPE = MAKEINTRESOURCEA(241);
