#include "skin/EnBitmap.h"

#include "graph/ComPtr.h"

#include <ocidl.h>
#include <olectl.h>

#include <vector>

namespace {

// HIMETRIC (hundredths of a millimetre) to pixels at the screen's density.
int HimetricToPixels(LONG himetric, int pixelsPerInch)
{
    return ::MulDiv(himetric, pixelsPerInch, 2540);
}

bool ReadWholeFile(LPCSTR path, std::vector<BYTE>& bytes)
{
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
              size.QuadPart <= CEnBitmap::kMaxPictureBytes;
    if (ok) {
        bytes.resize((size_t)size.QuadPart);
        DWORD got = 0;
        ok = ::ReadFile(file, bytes.data(), (DWORD)bytes.size(), &got, NULL) && got == bytes.size();
    }
    ::CloseHandle(file);
    return ok;
}

} // namespace

BOOL CEnBitmap::LoadImage(UINT id, LPCSTR type, HMODULE module, COLORREF background)
{
    if (m_hObject != NULL)
        return FALSE;
    if (module == NULL)
        module = AfxGetResourceHandle();
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), type);
    DWORD size = found ? ::SizeofResource(module, found) : 0;
    HGLOBAL loaded = found ? ::LoadResource(module, found) : NULL;
    const void* bytes = loaded ? ::LockResource(loaded) : NULL;
    if (bytes == NULL || size == 0 || size > kMaxPictureBytes)
        return FALSE;
    return LoadFromBytes(bytes, size, background);
}

BOOL CEnBitmap::LoadImage(LPCSTR path, COLORREF background)
{
    std::vector<BYTE> bytes;
    if (m_hObject != NULL || path == NULL || !ReadWholeFile(path, bytes))
        return FALSE;
    return LoadFromBytes(bytes.data(), (DWORD)bytes.size(), background);
}

BOOL CEnBitmap::LoadFromBytes(const void* bytes, DWORD size, COLORREF background)
{
    // The picture loader reads from a stream over a movable memory block.
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == NULL)
        return FALSE;
    void* copy = ::GlobalLock(block);
    memcpy(copy, bytes, size);
    ::GlobalUnlock(block);
    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream))) {
        ::GlobalFree(block);
        return FALSE;
    }
    ComPtr<IPicture> picture;
    if (FAILED(::OleLoadPicture(stream.Get(), (LONG)size, FALSE, IID_IPicture, (void**)&picture)))
        return FALSE;
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    picture->get_Width(&himetricWidth);
    picture->get_Height(&himetricHeight);

    CClientDC screen(NULL);
    int width = HimetricToPixels(himetricWidth, screen.GetDeviceCaps(LOGPIXELSX));
    int height = HimetricToPixels(himetricHeight, screen.GetDeviceCaps(LOGPIXELSY));
    if (width <= 0 || height <= 0)
        return FALSE;
    CBitmap result;
    CDC memory;
    if (!result.CreateCompatibleBitmap(&screen, width, height) || !memory.CreateCompatibleDC(&screen))
        return FALSE;
    HRESULT hr;
    {
        CDCSelect select(memory, result);
        if (background != kNoBackground)
            memory.FillSolidRect(0, 0, width, height, background);
        // The picture's source rectangle runs from its bottom edge upwards.
        hr = picture->Render(memory, 0, 0, width, height, 0, himetricHeight, himetricWidth,
                             -himetricHeight, NULL);
    }
    if (FAILED(hr))
        return FALSE;
    return Attach(result.Detach());
}
