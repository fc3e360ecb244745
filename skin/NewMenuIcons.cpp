#include "skin/NewMenuIcons.h"

#include "graph/DebugHelper.h"
#include "skin/MenuColors.h"
#include "skin/MenuSystem.h"
#include "skin/ToolBarResource.h"

#include <algorithm>

namespace {

// Never destroyed before exit: the menu hook deletes the sets it holds.
std::vector<CNewMenuIcons*>& Sets()
{
    static std::vector<CNewMenuIcons*>* sets = new std::vector<CNewMenuIcons*>;
    return *sets;
}

const DWORD kColorRefreshMs = 2000;
DWORD g_lastColorRefresh = 0;
bool g_colorRefreshed = false;

bool IsNumeric(LPCSTR name)
{
    return IS_INTRESOURCE(name);
}

// The colour count of a bitmap resource, from its header.
UINT BitmapColorCount(HMODULE module, LPCSTR name)
{
    HRSRC found = ::FindResourceA(module, name, RT_BITMAP);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : NULL;
    const BITMAPINFOHEADER* header = loaded ? (const BITMAPINFOHEADER*)::LockResource(loaded) : NULL;
    if (header == NULL || ::SizeofResource(module, found) < sizeof(BITMAPINFOHEADER))
        return 0;
    if (header->biClrUsed != 0)
        return header->biClrUsed;
    switch (header->biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

// 32-bit top-down pixels of a bitmap.
bool ReadPixels(HDC dc, HBITMAP bitmap, int width, int height, std::vector<DWORD>& pixels)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    pixels.assign((size_t)width * height, 0);
    return ::GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) == height;
}

COLORREF FromPixel(DWORD p)
{
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

DWORD ToPixel(COLORREF c)
{
    return ((DWORD)GetRValue(c) << 16) | ((DWORD)GetGValue(c) << 8) | GetBValue(c);
}

COLORREF Darkened(COLORREF pixel, COLORREF)
{
    return MenuDarken(50, pixel);
}

COLORREF Disabled(COLORREF pixel, COLORREF background)
{
    return MenuMix86(MenuLighten(100, MenuGrey(pixel)), background);
}

} // namespace

CNewMenuIcons::CNewMenuIcons(COLORREF mask)
    : m_nResourceId(0), m_hInst(NULL), m_nColors(0), m_crTransparent(mask), m_dwRefCount(0)
{
}

CNewMenuIcons::~CNewMenuIcons()
{
    std::vector<CNewMenuIcons*>& sets = Sets();
    sets.erase(std::remove(sets.begin(), sets.end(), this), sets.end());
}

void CNewMenuIcons::Release()
{
    if (m_dwRefCount > 0 && --m_dwRefCount == 0)
        delete this;
}

CSize CNewMenuIcons::ImageSize() const
{
    int cx = 0, cy = 0;
    if (m_IconsList.GetSafeHandle())
        m_IconsList.GetIconSize(cx, cy);
    return CSize(cx, cy);
}

int CNewMenuIcons::FindIndex(UINT id) const
{
    for (size_t i = m_IDs.size(); i-- > 0;) {
        if (m_IDs[i] == id) {
            int index = 3 * (int)i;
            // A tool bar with more commands than its bitmap has images.
            return index + 2 < ImageCount() ? index : -1;
        }
    }
    return -1;
}

void CNewMenuIcons::SetResource(LPCSTR name, HMODULE module)
{
    m_hInst = module;
    if (IsNumeric(name)) {
        m_nResourceId = (UINT)(UINT_PTR)name;
        m_strResource.clear();
    } else {
        m_nResourceId = 0;
        m_strResource = name ? name : "";
    }
}

LPCSTR CNewMenuIcons::ResourceName() const
{
    return m_nResourceId != 0 ? MAKEINTRESOURCEA(m_nResourceId) : m_strResource.c_str();
}

CString CNewMenuIcons::Dump() const
{
    CString text("NewMenuIcons: ");
    if (m_nResourceId != 0) {
        CString number;
        number.Format("%u", m_nResourceId);
        text += number;
    } else {
        text += m_strResource.c_str();
    }
    return text;
}

BOOL CNewMenuIcons::MatchResource(LPCSTR name, HMODULE module) const
{
    if (module != m_hInst)
        return FALSE;
    if (IsNumeric(name))
        return m_nResourceId != 0 && m_nResourceId == (UINT)(UINT_PTR)name;
    return m_nResourceId == 0 && name != NULL && m_strResource == name;
}

BOOL CNewMenuIcons::MatchToolBarData(int count, const UINT* ids, COLORREF mask, LPCSTR name) const
{
    if (mask != m_crTransparent || !MatchResource(name, m_hInst))
        return FALSE;
    std::vector<UINT> wanted;
    for (int i = 0; i < count; ++i)
        if (ids[i] != 0)
            wanted.push_back(ids[i]);
    return wanted == m_IDs;
}

BOOL CNewMenuIcons::LoadBitmap(int width, int height, LPCSTR name, HMODULE module)
{
    if (width < 1 || height < 1 || module == NULL)
        return FALSE;
    m_nColors = BitmapColorCount(module, name);
    // A 16-colour strip's greys and black follow the system's 3-D colours.
    HBITMAP bitmap = m_nColors == 16
        ? (HBITMAP)::LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS)
        : ::LoadBitmapA(module, name);
    if (bitmap == NULL)
        return FALSE;
    CImageList list;
    BOOL ok = list.Create(width, height, ILC_MASK | ILC_COLORDDB, 0, 10) &&
              ImageList_AddMasked(list, bitmap, m_crTransparent) >= 0;
    ::DeleteObject(bitmap);
    if (!ok)
        return FALSE;
    m_IconsList.DeleteImageList();
    m_IconsList.Attach(list.Detach());
    return TRUE;
}

BOOL CNewMenuIcons::LoadToolBarData(int width, int height, int count, const UINT* ids, COLORREF mask)
{
    m_crTransparent = mask;
    if (!LoadBitmap(width, height, ResourceName(), m_hInst))
        return FALSE;
    m_IDs.clear();
    for (int i = 0; i < count; ++i)
        if (ids[i] != 0)
            m_IDs.push_back(ids[i]);
    return Rebuild();
}

BOOL CNewMenuIcons::LoadToolBar(LPCSTR name, HMODULE module)
{
    SetResource(name, module);
    if (module == NULL)
        module = AfxFindResourceHandle(name, RT_TOOLBAR_RESOURCE);
    ToolBarData data;
    if (!LoadToolBarResource(module, name, data)) {
        HMODULE current = AfxGetResourceHandle();
        if (module == current || !LoadToolBarResource(current, name, data))
            return FALSE;
        module = current;
    }
    SetResource(name, module);
    return LoadToolBarData(data.width, data.height, (int)data.commands.size(), data.commands.data(),
                           m_crTransparent);
}

HICON CNewMenuIcons::Transform(HICON icon, COLORREF (*change)(COLORREF, COLORREF))
{
    ICONINFO info = {};
    if (icon == NULL || !::GetIconInfo(icon, &info))
        return NULL;
    HICON result = NULL;
    BITMAP size = {};
    HDC screen = ::GetDC(NULL);
    std::vector<DWORD> color, mask;
    if (info.hbmColor != NULL && ::GetObjectA(info.hbmColor, sizeof(size), &size) &&
        ReadPixels(screen, info.hbmColor, size.bmWidth, size.bmHeight, color) &&
        ReadPixels(screen, info.hbmMask, size.bmWidth, size.bmHeight, mask)) {
        COLORREF background = MenuBackgroundColor();
        for (size_t i = 0; i < color.size(); ++i) {
            if ((mask[i] & 0xFFFFFF) == 0) // opaque
                color[i] = ToPixel(change(FromPixel(color[i]), background));
        }
        HBITMAP changed = ::CreateCompatibleBitmap(screen, size.bmWidth, size.bmHeight);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = size.bmWidth;
        bi.bmiHeader.biHeight = -size.bmHeight;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        if (changed != NULL &&
            ::SetDIBits(screen, changed, 0, size.bmHeight, color.data(), &bi, DIB_RGB_COLORS) == size.bmHeight) {
            ICONINFO made = info;
            made.hbmColor = changed;
            result = ::CreateIconIndirect(&made);
        }
        if (changed != NULL)
            ::DeleteObject(changed);
    }
    ::ReleaseDC(NULL, screen);
    if (info.hbmColor != NULL)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != NULL)
        ::DeleteObject(info.hbmMask);
    return result;
}

HICON CNewMenuIcons::MakeDarkened(HICON icon)
{
    return Transform(icon, &Darkened);
}

HICON CNewMenuIcons::MakeDisabled(HICON icon)
{
    return Transform(icon, &Disabled);
}

BOOL CNewMenuIcons::Rebuild()
{
    CSize size = ImageSize();
    int count = ImageCount();
    if (count == 0)
        return size.cx > 0;
    CImageList rebuilt;
    if (!rebuilt.Create(size.cx, size.cy, ILC_MASK | ILC_COLORDDB, 3 * count, 10))
        return FALSE;
    BOOL ok = TRUE;
    for (int k = 0; k < count && ok; ++k) {
        HICON source = m_IconsList.ExtractIcon(k);
        HICON darkened = MakeDarkened(source);
        HICON disabled = MakeDisabled(source);
        ok = source && darkened && disabled && rebuilt.Add(source) >= 0 && rebuilt.Add(darkened) >= 0 &&
             rebuilt.Add(disabled) >= 0;
        for (HICON icon : {source, darkened, disabled})
            if (icon)
                ::DestroyIcon(icon);
    }
    if (!ok) {
        DebugHelper("Menu images: the variants of an image could not be made\n");
        return FALSE;
    }
    m_IconsList.DeleteImageList();
    m_IconsList.Attach(rebuilt.Detach());
    return TRUE;
}

void CNewMenuIcons::OnSysColorChange()
{
    CSize size = ImageSize();
    if (size.cx == 0)
        size = CSize(16, 16);
    std::vector<UINT> ids = m_IDs;
    ToolBarData data;
    if (LoadToolBarResource(m_hInst, ResourceName(), data))
        LoadToolBarData(data.width, data.height, (int)data.commands.size(), data.commands.data(), m_crTransparent);
    else if (LoadBitmap(size.cx, size.cy, ResourceName(), m_hInst))
        Rebuild();
}

void CNewMenuIcons::List(CNewMenuIcons* set)
{
    Sets().push_back(set);
}

CNewMenuIcons* CNewMenuIcons::FindToolBarSet(UINT id, HMODULE module, COLORREF mask)
{
    LPCSTR name = MAKEINTRESOURCEA(LOWORD(id));
    HMODULE holder = module != NULL ? module : AfxFindResourceHandle(name, RT_TOOLBAR_RESOURCE);
    for (CNewMenuIcons* set : Sets())
        if (set->MatchResource(name, holder))
            return set;
    CNewMenuIcons* set = new CNewMenuIcons(mask);
    if (!set->LoadToolBar(name, module)) {
        delete set;
        return NULL;
    }
    List(set);
    return set;
}

void CNewMenuIcons::SysColorChangeAll()
{
    DWORD now = ::GetTickCount();
    if (g_colorRefreshed && now - g_lastColorRefresh < kColorRefreshMs)
        return;
    g_colorRefreshed = true;
    g_lastColorRefresh = now;
    std::vector<CNewMenuIcons*> sets = Sets();
    for (CNewMenuIcons* set : sets)
        set->OnSysColorChange();
}

void CNewMenuIcons::DeleteAll()
{
    // A set some menu item still shows stays until that item lets it go.
    std::vector<CNewMenuIcons*> sets;
    sets.swap(Sets());
    for (CNewMenuIcons* set : sets)
        if (set->m_dwRefCount == 0)
            delete set;
}

size_t CNewMenuIcons::ListedCount()
{
    return Sets().size();
}
