// The ids of the resource header as text read back: each #define with its
// number and the kind of resource its prefix names (Resource.h explains the
// prefixes). Lets the tests go over every id without a second list of them.
#pragma once
#include <string>
#include <vector>

enum class ResourceKind
{
    String,     // IDS_
    Dialog,     // IDD_
    Control,    // IDC_<DIALOG>_
    Command,    // ID_
    Menu,       // IDR_MENU_
    ToolBar,    // IDR_TOOLBAR_
    Bitmap,     // IDB_
    Icon,       // IDI_
    Cursor,     // IDCUR_
    Window,     // IDW_
    Unknown
};

struct ResourceId
{
    std::string name;
    unsigned value;
    ResourceKind kind;
    // For a control: the name of its dialog template (IDD_...); else empty.
    std::string dialog;
};

// Reads "#define NAME value" lines, where value is a number or an earlier
// name. A line that cannot be read is reported in `errors`.
std::vector<ResourceId> ParseResourceHeader(const std::string& text, std::vector<std::string>* errors);

// The ids of the resource header compiled into the tests.
const std::vector<ResourceId>& ResourceHeaderIds();

// The value of a name of the resource header; fails the test when absent.
unsigned ResourceValue(const std::string& name);
