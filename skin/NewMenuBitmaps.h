// CNewMenuBitmaps: an image set made from loose bitmaps and icons rather
// than a tool bar (the menus' colour swatches and single images). Added
// images have command 0. UI thread.
#pragma once
#include "skin/NewMenuIcons.h"

class CNewMenuBitmaps : public CNewMenuIcons
{
public:
    explicit CNewMenuBitmaps(COLORREF mask = CLR_DEFAULT) : CNewMenuIcons(mask) {}

    // The image index of the added bitmap (the list is made at its size on
    // first use), or -1 for a bitmap of another size or a failed add.
    int Add(HBITMAP bitmap, COLORREF mask);
    int Add(HICON icon);
    // Only the two variants of each image are made again.
    void OnSysColorChange() override;

    // One word per added image, 0.
    std::vector<WORD> m_TranspColors;

private:
    BOOL EnsureList(int width, int height);
    int AddVariants(HICON source);
};
