// CEnBitmap: a bitmap that can also be made from any picture the system's
// picture loader reads (bitmap, JPEG, GIF, icon, metafile), from a resource
// or a file. Base of the skin's bitmaps. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

class CEnBitmap : public CBitmap
{
public:
    // No background fill: the picture is drawn over an uninitialised bitmap.
    static const COLORREF kNoBackground = 0xFFFFFFFF;
    // The largest picture file or resource read (a skin picture is far smaller).
    static const DWORD kMaxPictureBytes = 32 * 1024 * 1024;

    ~CEnBitmap() override {}

    // The resource `id` of type `type` in `module` (NULL: the current
    // resource handle). FALSE, with nothing changed, when a bitmap is already
    // held or the picture cannot be read, made or drawn.
    BOOL LoadImage(UINT id, LPCSTR type, HMODULE module = NULL, COLORREF background = kNoBackground);
    BOOL LoadImage(LPCSTR path, COLORREF background = kNoBackground);

private:
    BOOL LoadFromBytes(const void* bytes, DWORD size, COLORREF background);
};
