#include "skin/BitmapFileReader.h"

#include "skin/BitmapPixels.h"

#include <cstring>
#include <vector>

namespace BitmapFileReader {

namespace {

// The info-header sizes the format has known (plain, with masks, V4, V5).
bool KnownHeaderSize(DWORD size)
{
    return size == sizeof(BITMAPINFOHEADER) || size == 52 || size == 56 || size == sizeof(BITMAPV4HEADER) ||
           size == sizeof(BITMAPV5HEADER);
}

bool KnownDepth(WORD bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

template <class T> bool ReadAt(const std::string& bytes, size_t offset, T& value)
{
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T))
        return false;
    memcpy(&value, bytes.data() + offset, sizeof(T));
    return true;
}

// The info block the system is given: a plain header, the three masks of a
// bit-field picture, then the palette.
struct Layout
{
    BITMAPINFOHEADER header;
    DWORD masks[3];
    bool hasMasks;
    DWORD colours;      // palette entries in the file
    size_t paletteAt;   // offset of the palette in the file
    size_t pixelsAt;    // offset of the pixels in the file
    size_t pixelBytes;  // bytes of the pixels
};

bool ParseLayout(const std::string& bytes, Layout& layout)
{
    BITMAPFILEHEADER file;
    DWORD headerSize = 0;
    if (!ReadAt(bytes, 0, file) || file.bfType != 0x4D42 ||
        !ReadAt(bytes, sizeof(file), headerSize) || !KnownHeaderSize(headerSize) ||
        !ReadAt(bytes, sizeof(file), layout.header))
        return false;
    BITMAPINFOHEADER& h = layout.header;
    const long long width = h.biWidth;
    const long long height = h.biHeight < 0 ? -(long long)h.biHeight : h.biHeight;
    if (width <= 0 || height <= 0 || width * height > BitmapPixels::kMaxPixels || h.biPlanes != 1 ||
        !KnownDepth(h.biBitCount))
        return false;
    const size_t afterHeader = sizeof(file) + headerSize;
    layout.hasMasks = h.biCompression == BI_BITFIELDS;
    if (layout.hasMasks) {
        if (h.biBitCount != 16 && h.biBitCount != 32)
            return false;
        // A plain header is followed by the masks; the larger ones hold them.
        const size_t masksAt = headerSize == sizeof(BITMAPINFOHEADER) ? afterHeader : sizeof(file) + 40;
        if (!ReadAt(bytes, masksAt, layout.masks))
            return false;
    } else if (h.biCompression != BI_RGB) {
        return false;
    }
    const size_t paletteAt =
        afterHeader + (layout.hasMasks && headerSize == sizeof(BITMAPINFOHEADER) ? sizeof(layout.masks) : 0);
    const DWORD most = h.biBitCount <= 8 ? (1u << h.biBitCount) : 256;
    layout.colours = h.biClrUsed != 0 ? h.biClrUsed : (h.biBitCount <= 8 ? most : 0);
    if (layout.colours > most || paletteAt + (size_t)layout.colours * sizeof(RGBQUAD) > bytes.size())
        return false;
    layout.paletteAt = paletteAt;

    const size_t stride = (size_t)((width * h.biBitCount + 31) / 32) * 4;
    layout.pixelBytes = stride * (size_t)height;
    layout.pixelsAt = file.bfOffBits;
    if (layout.pixelsAt < paletteAt || layout.pixelsAt > bytes.size() ||
        bytes.size() - layout.pixelsAt < layout.pixelBytes)
        return false;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biSizeImage = 0;
    h.biClrUsed = layout.colours;
    h.biClrImportant = 0;
    return true;
}

} // namespace

HBITMAP FromBytes(const std::string& bytes)
{
    Layout layout;
    if (!ParseLayout(bytes, layout))
        return NULL;
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + sizeof(layout.masks) + 256 * sizeof(RGBQUAD), 0);
    size_t at = 0;
    memcpy(info.data(), &layout.header, sizeof(layout.header));
    at += sizeof(layout.header);
    if (layout.hasMasks) {
        memcpy(info.data() + at, layout.masks, sizeof(layout.masks));
        at += sizeof(layout.masks);
    }
    memcpy(info.data() + at, bytes.data() + layout.paletteAt, (size_t)layout.colours * sizeof(RGBQUAD));

    void* bits = NULL;
    HBITMAP bitmap = ::CreateDIBSection(NULL, (const BITMAPINFO*)info.data(), DIB_RGB_COLORS, &bits, NULL, 0);
    if (bitmap == NULL || bits == NULL) {
        if (bitmap != NULL)
            ::DeleteObject(bitmap);
        return NULL;
    }
    memcpy(bits, bytes.data() + layout.pixelsAt, layout.pixelBytes);
    ::GdiFlush();
    return bitmap;
}

HBITMAP FromFile(LPCSTR path)
{
    if (path == NULL || *path == '\0')
        return NULL;
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return NULL;
    LARGE_INTEGER size = {};
    std::string bytes;
    bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= kMaxFileBytes;
    if (ok) {
        bytes.resize((size_t)size.QuadPart);
        DWORD got = 0;
        ok = ::ReadFile(file, &bytes[0], (DWORD)bytes.size(), &got, NULL) && got == bytes.size();
    }
    ::CloseHandle(file);
    return ok ? FromBytes(bytes) : NULL;
}

} // namespace BitmapFileReader
