#include "skin/NewMenuBitmaps.h"

BOOL CNewMenuBitmaps::EnsureList(int width, int height)
{
    if (m_IconsList.GetSafeHandle() == NULL)
        return m_IconsList.Create(width, height, ILC_MASK | ILC_COLORDDB, 0, 10);
    CSize size = ImageSize();
    return size.cx == width && size.cy == height;
}

int CNewMenuBitmaps::AddVariants(HICON source)
{
    HICON darkened = MakeDarkened(source);
    HICON disabled = MakeDisabled(source);
    int index = -1;
    if (darkened && disabled) {
        int count = ImageCount();
        if (m_IconsList.Add(source) >= 0 && m_IconsList.Add(darkened) >= 0 && m_IconsList.Add(disabled) >= 0) {
            index = count;
        } else {
            while (ImageCount() > count)
                m_IconsList.Remove(ImageCount() - 1);
        }
    }
    for (HICON icon : {darkened, disabled})
        if (icon)
            ::DestroyIcon(icon);
    if (index >= 0) {
        m_IDs.push_back(0);
        m_TranspColors.push_back(0);
    }
    return index;
}

int CNewMenuBitmaps::Add(HBITMAP bitmap, COLORREF mask)
{
    BITMAP info = {};
    if (bitmap == NULL || !::GetObjectA(bitmap, sizeof(info), &info) || !EnsureList(info.bmWidth, info.bmHeight))
        return -1;
    // Through a one-image list, so the bitmap's own mask colour applies.
    CImageList single;
    if (!single.Create(info.bmWidth, info.bmHeight, ILC_MASK | ILC_COLORDDB, 1, 1) ||
        ImageList_AddMasked(single, bitmap, mask) < 0)
        return -1;
    HICON source = single.ExtractIcon(0);
    int index = source ? AddVariants(source) : -1;
    if (source)
        ::DestroyIcon(source);
    return index;
}

int CNewMenuBitmaps::Add(HICON icon)
{
    ICONINFO info = {};
    if (icon == NULL || !::GetIconInfo(icon, &info))
        return -1;
    BITMAP size = {};
    ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(size), &size);
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    int height = info.hbmColor ? size.bmHeight : size.bmHeight / 2;
    if (!EnsureList(size.bmWidth, height))
        return -1;
    return AddVariants(icon);
}

void CNewMenuBitmaps::OnSysColorChange()
{
    for (int k = 0; 3 * k + 2 < ImageCount(); ++k) {
        HICON source = m_IconsList.ExtractIcon(3 * k);
        HICON darkened = MakeDarkened(source);
        HICON disabled = MakeDisabled(source);
        if (darkened && disabled) {
            ImageList_ReplaceIcon(m_IconsList, 3 * k + 1, darkened);
            ImageList_ReplaceIcon(m_IconsList, 3 * k + 2, disabled);
        }
        for (HICON icon : {source, darkened, disabled})
            if (icon)
                ::DestroyIcon(icon);
    }
}
