#include "engine/ActiveDesktop.h"

#include <vector>

namespace {

// IActiveDesktop::GetWallpaper's buffer, in wide characters.
const UINT kWallpaperChars = MAX_PATH;

} // namespace

CActiveDesktop::CActiveDesktop() : m_pDesktop(NULL)
{
    if (FAILED(::CoCreateInstance(CLSID_ActiveDesktop, NULL, CLSCTX_INPROC_SERVER, IID_IActiveDesktop,
                                  reinterpret_cast<void**>(&m_pDesktop))))
        m_pDesktop = NULL;
}

CActiveDesktop::~CActiveDesktop()
{
    if (m_pDesktop)
        m_pDesktop->Release();
}

BOOL CActiveDesktop::GetWallpaper(CString& path, WALLPAPEROPT* options)
{
    if (!m_pDesktop)
        return FALSE;
    wchar_t wide[kWallpaperChars + 1] = {0};
    if (FAILED(m_pDesktop->GetWallpaper(wide, kWallpaperChars, 0)))
        return FALSE;
    wide[kWallpaperChars] = 0;
    char narrow[kWallpaperChars * 2 + 1] = {0};
    if (wide[0] && !::WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow - 1, NULL, NULL))
        return FALSE;
    path = narrow;
    if (options) {
        options->dwSize = sizeof *options;
        if (FAILED(m_pDesktop->GetWallpaperOptions(options, 0)))
            return FALSE;
    }
    return TRUE;
}

BOOL CActiveDesktop::SetWallpaper(LPCSTR path, const WALLPAPEROPT* options)
{
    if (!m_pDesktop || !path)
        return FALSE;
    if (options && FAILED(m_pDesktop->SetWallpaperOptions(options, 0)))
        return FALSE;
    const int chars = ::MultiByteToWideChar(CP_ACP, 0, path, -1, NULL, 0);
    if (chars <= 0)
        return FALSE;
    std::vector<wchar_t> wide(chars);
    ::MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), chars);
    if (FAILED(m_pDesktop->SetWallpaper(wide.data(), 0)))
        return FALSE;
    return SUCCEEDED(m_pDesktop->ApplyChanges(AD_APPLY_ALL));
}

BOOL CShellWallpaper::GetWallpaper(CString& path)
{
    CActiveDesktop desktop;
    return desktop.GetWallpaper(path, NULL);
}

BOOL CShellWallpaper::SetWallpaper(LPCSTR path)
{
    CActiveDesktop desktop;
    return desktop.SetWallpaper(path, NULL);
}
