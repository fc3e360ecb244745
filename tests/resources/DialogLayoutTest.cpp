// Every dialog template makes a window under the real window manager, and
// its layout holds: each control lies inside the dialog, no two controls
// cover each other, a control inside a group box stays clear of its frame,
// and every label and button shows its whole text in the dialog's font.
#include "DialogHost.h"
#include "ResourceHeader.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Child
{
    HWND window;
    unsigned id;
    std::string className;
    std::string text;
    DWORD style;
    RECT rect;   // dialog client coordinates
};

std::vector<Child> VisibleChildren(HWND dialog)
{
    std::vector<Child> children;
    for (HWND w = ::GetWindow(dialog, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        Child c;
        c.window = w;
        c.id = (unsigned)::GetDlgCtrlID(w);
        c.style = (DWORD)::GetWindowLongA(w, GWL_STYLE);
        if (!(c.style & WS_VISIBLE))
            continue;
        char buffer[256] = {0};
        ::GetClassNameA(w, buffer, sizeof buffer);
        c.className = buffer;
        ::GetWindowTextA(w, buffer, sizeof buffer);
        c.text = buffer;
        ::GetWindowRect(w, &c.rect);
        ::MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&c.rect), 2);
        children.push_back(c);
    }
    return children;
}

bool IsClass(const Child& c, const char* name)
{
    return _stricmp(c.className.c_str(), name) == 0;
}

bool IsGroupBox(const Child& c)
{
    return IsClass(c, "Button") && (c.style & BS_TYPEMASK) == BS_GROUPBOX;
}

bool Intersect(const RECT& a, const RECT& b)
{
    RECT r;
    return ::IntersectRect(&r, &a, &b) != FALSE;
}

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string Describe(const Child& c)
{
    return "control " + std::to_string((int)c.id) + " \"" + c.text + "\" (" + c.className + ")";
}

// The text as drawn: '&' marks the mnemonic and is not shown.
std::string Shown(const std::string& text)
{
    std::string s;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        s += text[i];
    }
    return s;
}

// Room for text in a control: buttons keep a margin, check boxes and radio
// buttons their box.
int TextRoom(const Child& c)
{
    int width = c.rect.right - c.rect.left;
    if (IsClass(c, "Button")) {
        DWORD type = c.style & BS_TYPEMASK;
        if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX || type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON)
            return width - ::GetSystemMetrics(SM_CXMENUCHECK) - 4;
        return width - 6;
    }
    return width;
}

bool ShowsText(const Child& c)
{
    if (c.text.empty())
        return false;
    if (IsClass(c, "Static")) {
        DWORD type = c.style & SS_TYPEMASK;
        return type <= SS_RIGHT || type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE;
    }
    if (IsClass(c, "Button")) {
        DWORD type = c.style & BS_TYPEMASK;
        return type != BS_OWNERDRAW && type != BS_GROUPBOX;
    }
    return false;
}

// What is wrong with one text; empty when it fits. A static with room for
// more than one line may wrap its text.
std::string TextProblem(HWND dialog, const Child& c)
{
    HDC dc = ::GetDC(dialog);
    HGDIOBJ old = ::SelectObject(dc, (HFONT)::SendMessageA(dialog, WM_GETFONT, 0, 0));
    std::string text = Shown(c.text);
    SIZE line = {};
    ::GetTextExtentPoint32A(dc, text.c_str(), (int)text.size(), &line);
    RECT wrapped = {0, 0, c.rect.right - c.rect.left, 0};
    ::DrawTextA(dc, text.c_str(), (int)text.size(), &wrapped, DT_CALCRECT | DT_WORDBREAK);
    ::SelectObject(dc, old);
    ::ReleaseDC(dialog, dc);

    const int height = c.rect.bottom - c.rect.top;
    const bool mayWrap = IsClass(c, "Static") && height >= 2 * line.cy;
    if (mayWrap)
        return wrapped.bottom <= height ? "" : "wraps to " + std::to_string(wrapped.bottom) + " px in " + std::to_string(height);
    if (line.cx > TextRoom(c))
        return "needs " + std::to_string(line.cx) + " px, has " + std::to_string(TextRoom(c));
    if (line.cy > height)
        return "is " + std::to_string(line.cy) + " px high in " + std::to_string(height);
    return "";
}

// A spin button stands on its buddy's border by design.
bool AreSpinAndBuddy(const Child& a, const Child& b)
{
    auto buddyOf = [](const Child& c) {
        return IsClass(c, UPDOWN_CLASSA) ? (HWND)::SendMessageA(c.window, UDM_GETBUDDY, 0, 0) : HWND(NULL);
    };
    return buddyOf(a) == b.window || buddyOf(b) == a.window;
}

void CheckLayout(const char* name, HWND dialog)
{
    RECT client;
    ::GetClientRect(dialog, &client);
    std::vector<Child> children = VisibleChildren(dialog);
    for (size_t i = 0; i < children.size(); ++i) {
        const Child& a = children[i];
        EXPECT_TRUE(Contains(client, a.rect)) << name << ": " << Describe(a) << " sticks out of the dialog";
        if (ShowsText(a)) {
            std::string problem = TextProblem(dialog, a);
            EXPECT_EQ(problem, "") << name << ": the text of " << Describe(a);
        }
        for (size_t j = i + 1; j < children.size(); ++j) {
            const Child& b = children[j];
            if (!Intersect(a.rect, b.rect) || AreSpinAndBuddy(a, b))
                continue;
            const Child* group = IsGroupBox(a) ? &a : IsGroupBox(b) ? &b : nullptr;
            const Child* inside = group == &a ? &b : &a;
            if (group && !IsGroupBox(*inside)) {
                // Inside the frame, clear of its caption line.
                RECT room = group->rect;
                ::InflateRect(&room, -2, -2);
                room.top += 6;
                EXPECT_TRUE(Contains(room, inside->rect)) << name << ": " << Describe(*inside) << " crosses the frame of "
                                                          << Describe(*group);
            } else {
                ADD_FAILURE() << name << ": " << Describe(a) << " and " << Describe(b) << " overlap";
            }
        }
    }
}

TEST(DialogWindows, EveryTemplateMakesAWindowWithASoundLayout)
{
    InitTemplateControls();
    ResourceLibrary mavrel("Mavrel.dll", ResourceLibrary::Program);
    ASSERT_TRUE(mavrel.Module() != NULL);
    int made = 0;
    for (const ResourceId& id : ResourceHeaderIds()) {
        if (id.kind != ResourceKind::Dialog)
            continue;
        TemplateWindow window(mavrel, id.value);
        if (!window.Dialog()) {
            ADD_FAILURE() << id.name << " makes no window (error " << GetLastError() << ")";
            continue;
        }
        ++made;
        CheckLayout(id.name.c_str(), window.Dialog());
    }
    EXPECT_EQ(made, 18);
}

// The settings sheet sizes itself to its largest page; pages of one size
// keep it from growing empty space on the others.
TEST(DialogWindows, SettingsPagesShareOneSize)
{
    InitTemplateControls();
    ResourceLibrary mavrel("Mavrel.dll", ResourceLibrary::Program);
    SIZE first = {0, 0};
    for (const char* page : {"IDD_CHANNELPAGE", "IDD_DEVICEPAGE", "IDD_RECORDPAGE", "IDD_STORAGEPAGE",
                             "IDD_SCHEDULEPAGE", "IDD_INTERFACEPAGE", "IDD_VIDEOPAGE"}) {
        TemplateWindow window(mavrel, ResourceValue(page));
        ASSERT_TRUE(window.Dialog() != NULL) << page;
        RECT r;
        ::GetWindowRect(window.Dialog(), &r);
        SIZE size = {r.right - r.left, r.bottom - r.top};
        if (first.cx == 0)
            first = size;
        EXPECT_EQ(size.cx, first.cx) << page;
        EXPECT_EQ(size.cy, first.cy) << page;
    }
}

} // namespace
