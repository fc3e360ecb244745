#include "SettingsFixture.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(CScript, CWnd)
    ON_MESSAGE(kStep, OnStep)
END_MESSAGE_MAP()

void SettingsTest::SetUpTestSuite()
{
    static HMODULE resources = ::LoadLibraryExA("Mavrel.dll", NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, resources) << "Mavrel.dll beside the test";
    AfxSetResourceHandle(resources);
}

void SettingsTest::SetUp()
{
    quiet.reset(new MessageBoxCapture(IDOK));
    manager.reset(new CTVManager(dir.Path().c_str()));
    manager->InitNameTables();
    manager->InitResourceIdMaps();
    quiet.reset();
}

void SettingsTest::TearDown()
{
    manager.reset();
}

void PostKey(HWND target, UINT key)
{
    ::SetFocus(target);
    ::PostMessageA(target, WM_KEYDOWN, key, 1);
    ::PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

void Click(CWnd* dialog, UINT id)
{
    HWND button = ::GetDlgItem(dialog->m_hWnd, (int)id);
    ::SendMessageA(button, BM_CLICK, 0, 0);
}

void MoveSlider(CWnd* dialog, UINT id, int position)
{
    HWND slider = ::GetDlgItem(dialog->m_hWnd, (int)id);
    ::SendMessageA(slider, TBM_SETPOS, TRUE, position);
    const UINT message = (::GetWindowLongA(slider, GWL_STYLE) & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    ::SendMessageA(dialog->m_hWnd, message, MAKEWPARAM(TB_THUMBTRACK, position), (LPARAM)slider);
    ::SendMessageA(dialog->m_hWnd, message, MAKEWPARAM(TB_ENDTRACK, 0), (LPARAM)slider);
}
