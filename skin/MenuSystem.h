// What the owner-drawn menus ask of the system, read once: the Windows
// version class, the system's menu drop shadow and flat-menu settings, a
// remote-desktop session, and GradientFill from "Msimg32.dll" (loaded by the
// menu hook at start-up, freed at exit). Tests force the values Wine never
// reports through State(). Also the two program-wide drawing options.
// UI thread.
#pragma once
#include <windows.h>

typedef BOOL(WINAPI* GradientFillFn)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

class CMenuSystem
{
public:
    // Version classes: which Windows the program runs on.
    enum
    {
        kWin32s = 0,
        kOtherNT = 1, // NT 5.2, Vista and later
        kWin95 = 2,   // and any other 9x
        kWin98 = 3,
        kWinMe = 4,
        kNT4 = 5,
        kWin2000 = 6,
        kWinXP = 7,
    };
    static int VersionClassOf(const OSVERSIONINFOA& version);

    struct Values
    {
        int versionClass;
        BOOL dropShadow;    // the system draws menu drop shadows
        BOOL flatMenu;      // the system's flat-menu setting
        BOOL remoteDesktop; // set only on 2000 and XP, as those alone need it
    };
    // Read from the system on first use; a test may change the fields and
    // put them back with Refresh().
    static Values& State();
    static void Refresh();

    static BOOL LoadGradientFill();
    static void FreeGradientFill();
    // NULL when "Msimg32.dll" is not loaded or lacks it.
    static GradientFillFn GradientFill();

    // Both on from the start; each setter returns the old value.
    static BOOL SelectDisabled() { return s_selectDisabled; }
    static BOOL SetSelectDisabled(BOOL on);
    static BOOL DrawVariants() { return s_drawVariants; }
    static BOOL SetDrawVariants(BOOL on);

    // The system colour `index`, or the one a test put in its place (the
    // window tests cannot change the system's colours under a shared server).
    static COLORREF Color(int index);
    static void OverrideColor(int index, COLORREF color);
    static void ClearColorOverrides();

private:
    static BOOL s_selectDisabled;
    static BOOL s_drawVariants;
};

// The colour behind menu items: COLOR_MENUBAR on XP with flat menus on,
// else COLOR_MENU.
COLORREF MenuBackgroundColor();
