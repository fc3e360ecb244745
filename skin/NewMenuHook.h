// CNewMenuHook: one object made at the program's start (not by a static
// initialiser), unmade at exit. It builds the menu themes, makes theme 2 the
// global theme and installs a call-window hook on the UI thread that takes
// over every popup menu window ("#32768") as it is created or sized, so the
// theme strips its border and paints its background, frame and shadow.
// Failures are traced: menus then stay owner-drawn without the frame;
// nothing is shown and nothing is thrown inside the hook. UI thread.
#pragma once
#include "skin/MenuHookData.h"

#include <map>
#include <memory>
#include <vector>

class CMenuTheme;

class CNewMenuHook
{
public:
    CNewMenuHook();
    ~CNewMenuHook();
    CNewMenuHook(const CNewMenuHook&) = delete;
    CNewMenuHook& operator=(const CNewMenuHook&) = delete;

    BOOL IsInstalled() const { return m_hHook != NULL; }

    // The hook's record of a taken-over window, else NULL.
    static CMenuHookData* FindHookData(HWND hWnd);
    static size_t HookDataCount();
    // Where the last key went down in a menu (item drawing compares it
    // with the mouse to tell keyboard from mouse navigation).
    static CPoint LastMenuKeyPosition();

    // Themes: FALSE for one already listed.
    static BOOL AddTheme(CMenuTheme* theme);
    static CMenuTheme* FindTheme(UINT id);
    // Makes the listed theme `id` the global one; FALSE when none has it.
    static BOOL SetActiveTheme(UINT id);

    // A timer on `hWnd` with the first free id from 31 to 99; 0 when the
    // window is invalid or no id was free.
    static UINT_PTR SetMenuBarTimer(HWND hWnd, UINT elapse);
    static void KillMenuBarTimer(HWND hWnd, UINT_PTR id);

    // The theme ids the program builds.
    enum { kProgramTheme = 2 };

private:
    static LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubClassMenu(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void TakeOver(HWND hWnd, BOOL onSize);
    static void Release(HWND hWnd);
    static LRESULT CallOld(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The window released, then the message to its own procedure.
    static LRESULT ReleaseThenCallOld(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void PaintFrame(HWND hWnd, CMenuHookData& data, WPARAM wParam);
    static LRESULT Print(HWND hWnd, HDC target, LPARAM flags);
    static void CaptureScreenUnder(HWND hWnd, CMenuHookData& data, const WINDOWPOS& pos);

    HHOOK m_hHook;
    BOOL m_bOwnsThemes; // this object built the themes and frees them
};

// "OldMenuProc": the window property holding a taken-over window's procedure.
extern const char kOldMenuProc[];
