// Shows each dialog template of the main resource library on the screen and
// saves what the screen shows, one picture per template, so a person can look
// at them. The pages are shown together in a settings sheet, one picture per
// tab. Run by hand under Xvfb (not a test):
//
//   wine-exec show_templates.exe <output folder>
//
// It writes <output folder>\<template id>.bmp and sheet_<tab>.bmp.
#include "DialogHost.h"
#include "ResourceHeader.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool SaveBitmap(HBITMAP bitmap, int width, int height, const std::string& path)
{
    BITMAPINFOHEADER info = {sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels((size_t)stride * height);
    HDC dc = ::GetDC(NULL);
    ::GetDIBits(dc, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ::ReleaseDC(NULL, dc);
    BITMAPFILEHEADER file = {0x4D42, (DWORD)(sizeof file + sizeof info + pixels.size()), 0, 0,
                             (DWORD)(sizeof file + sizeof info)};
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    fwrite(&file, sizeof file, 1, f);
    fwrite(&info, sizeof info, 1, f);
    fwrite(pixels.data(), 1, pixels.size(), f);
    fclose(f);
    return true;
}

// What the screen shows under the window.
bool Capture(HWND window, const std::string& path)
{
    RECT r;
    ::GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = ::GetDC(NULL);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ::SelectObject(memory, old);
    bool saved = SaveBitmap(bitmap, width, height, path);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(NULL, screen);
    printf("%s %s\n", saved ? "wrote" : "could not write", path.c_str());
    return saved;
}

void ShowAndCapture(HWND window, const std::string& path)
{
    ::SetWindowPos(window, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::UpdateWindow(window);
    PumpMessages(400);
    Capture(window, path);
}

// The pages in a property sheet, as the settings sheet shows them.
void CaptureSheet(const ResourceLibrary& mavrel, const std::vector<const ResourceId*>& pages,
                  const std::string& folder)
{
    std::vector<std::string> templates;
    for (const ResourceId* page : pages)
        templates.push_back(mavrel.Bytes(RT_DIALOG, page->value));
    std::vector<HPROPSHEETPAGE> handles;
    for (const std::string& t : templates) {
        PROPSHEETPAGEA p = {};
        p.dwSize = sizeof p;
        p.dwFlags = PSP_DLGINDIRECT;
        p.hInstance = mavrel.Module();
        p.pResource = reinterpret_cast<LPCDLGTEMPLATEA>(t.data());
        p.pfnDlgProc = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
        handles.push_back(::CreatePropertySheetPageA(&p));
    }
    PROPSHEETHEADERA h = {};
    h.dwSize = sizeof h;
    h.dwFlags = PSH_MODELESS | PSH_PROPTITLE;
    h.pszCaption = "Settings";
    h.nPages = (UINT)handles.size();
    h.phpage = handles.data();
    HWND sheet = (HWND)::PropertySheetA(&h);
    if (!sheet) {
        printf("could not make the settings sheet\n");
        return;
    }
    for (size_t i = 0; i < handles.size(); ++i) {
        ::SendMessageA(sheet, PSM_SETCURSEL, (WPARAM)i, 0);
        char name[64];
        snprintf(name, sizeof name, "\\sheet_%u.bmp", pages[i]->value);
        ShowAndCapture(sheet, folder + name);
    }
    ::DestroyWindow(sheet);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printf("usage: show_templates <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    ::CreateDirectoryA(folder.c_str(), NULL);
    InitTemplateControls();
    ResourceLibrary mavrel("Mavrel.dll", ResourceLibrary::Program);
    if (!mavrel.Module()) {
        printf("Mavrel.dll does not load\n");
        return 1;
    }
    std::vector<const ResourceId*> pages;
    for (const ResourceId& id : ResourceHeaderIds()) {
        if (id.kind != ResourceKind::Dialog)
            continue;
        if (IsPageTemplate(ParseDialogTemplate(mavrel.Bytes(RT_DIALOG, id.value)))) {
            pages.push_back(&id);
            continue;
        }
        TemplateWindow window(mavrel, id.value);
        if (!window.Dialog()) {
            printf("%s makes no window\n", id.name.c_str());
            continue;
        }
        ShowAndCapture(window.TopLevel(), folder + "\\" + std::to_string(id.value) + ".bmp");
    }
    CaptureSheet(mavrel, pages, folder);
    return 0;
}
