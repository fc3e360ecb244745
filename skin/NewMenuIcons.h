// CNewMenuIcons: a shared image set for owner-drawn menu items, cut from one
// tool-bar bitmap, with the command of each image. Every source image k
// stands three times in the image list: 3k the image, 3k+1 its darkened
// variant, 3k+2 its disabled variant. Sets live in one program-wide list and
// are shared by reference count between the item records that show them;
// releasing the last reference deletes the set. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

#include <string>
#include <vector>

class CNewMenuIcons : public CObject
{
public:
    // `mask` is the colour that adding a bitmap treats as transparent;
    // CLR_DEFAULT (0xFF000000) takes it from the bitmap's own corner pixel.
    explicit CNewMenuIcons(COLORREF mask = CLR_DEFAULT);
    ~CNewMenuIcons() override;
    CNewMenuIcons(const CNewMenuIcons&) = delete;
    CNewMenuIcons& operator=(const CNewMenuIcons&) = delete;

    // The image index of a command (3 x its place among the commands, the
    // last place when it stands twice), or -1.
    virtual int FindIndex(UINT id) const;
    // Loads the same resource again after the system's colours changed.
    virtual void OnSysColorChange();
    // From tool-bar data in memory: the bitmap of the set's resource cut at
    // width x height, one command per button (0 = separator, no image).
    virtual BOOL LoadToolBarData(int width, int height, int count, const UINT* ids, COLORREF mask);
    // A tool-bar resource (type 241) and its bitmap of the same name; module
    // NULL: the module that holds the resource.
    virtual BOOL LoadToolBar(LPCSTR name, HMODULE module);
    // Holds this set the given tool-bar data (mask, resource, commands)?
    virtual BOOL MatchToolBarData(int count, const UINT* ids, COLORREF mask, LPCSTR name) const;
    // Does this set come from the resource `name` of `module`?
    virtual BOOL MatchResource(LPCSTR name, HMODULE module) const;
    // The bitmap resource into a new image list of width x height images.
    virtual BOOL LoadBitmap(int width, int height, LPCSTR name, HMODULE module);
    // Variants of an icon (new icons the caller destroys; NULL on failure).
    virtual HICON MakeDarkened(HICON icon);
    virtual HICON MakeDisabled(HICON icon);
    // Each source image followed by its two variants.
    virtual BOOL Rebuild();

    // "NewMenuIcons: " and the resource (its number or its name).
    CString Dump() const;

    void AddRef() { ++m_dwRefCount; }
    // Deletes the set (and takes it off the program-wide list) at zero.
    void Release();
    DWORD RefCount() const { return m_dwRefCount; }

    // The program-wide set of tool bar `id` in `module` (NULL: the module
    // that holds it), found again or loaded and listed; NULL when it cannot
    // be loaded.
    static CNewMenuIcons* FindToolBarSet(UINT id, HMODULE module, COLORREF mask);
    // Asks every listed set to reload; at most once per 2000 ms.
    static void SysColorChangeAll();
    // Exit: deletes every listed set that no item shows any more; the others
    // leave the list and go with their last item.
    static void DeleteAll();
    static size_t ListedCount();

    int ImageCount() const { return m_IconsList.GetSafeHandle() ? m_IconsList.GetImageCount() : 0; }
    CSize ImageSize() const;
    UINT ColorCount() const { return m_nColors; }
    const std::vector<UINT>& Commands() const { return m_IDs; }
    HMODULE Module() const { return m_hInst; }

    CImageList m_IconsList;

protected:
    // Appends a listed set; the list keeps it until its last release.
    static void List(CNewMenuIcons* set);
    void SetResource(LPCSTR name, HMODULE module);
    LPCSTR ResourceName() const;
    // An icon's colour pixels rewritten where the mask is opaque.
    HICON Transform(HICON icon, COLORREF (*change)(COLORREF pixel, COLORREF background));

    UINT m_nResourceId;         // a numeric resource, else 0
    std::string m_strResource;  // a named resource
    HMODULE m_hInst;
    UINT m_nColors;
    COLORREF m_crTransparent;
    std::vector<UINT> m_IDs;
    DWORD m_dwRefCount;
};
