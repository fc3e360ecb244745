// CActiveDesktop: the shell's Active Desktop object, through which the
// desktop video takes the wallpaper away and puts it back. Made and
// released around each use; UI thread (COM initialised there). Where the
// system lacks the object every operation answers FALSE.
#pragma once
#include "engine/TVHardWare.h"

#include <windows.h>
// The Active Desktop declarations come with the internet header.
#include <wininet.h>
#include <shlobj.h>

class CActiveDesktop
{
public:
    CActiveDesktop();
    virtual ~CActiveDesktop();
    CActiveDesktop(const CActiveDesktop&) = delete;
    CActiveDesktop& operator=(const CActiveDesktop&) = delete;

    BOOL IsValid() const { return m_pDesktop != NULL; }
    // The path in the ANSI code page; with options, also the wallpaper's
    // options.
    BOOL GetWallpaper(CString& path, WALLPAPEROPT* options);
    // Sets the options first when given, then the path, and applies the
    // change (saved, regenerated, refreshed); TRUE when both succeeded.
    BOOL SetWallpaper(LPCSTR path, const WALLPAPEROPT* options);

private:
    IActiveDesktop* m_pDesktop;  // one reference, or NULL
};

// The shell's wallpaper for the hardware object, a CActiveDesktop made for
// each call.
class CShellWallpaper : public IWallpaper
{
public:
    BOOL GetWallpaper(CString& path) override;
    BOOL SetWallpaper(LPCSTR path) override;
};
