#include "graph/BitmapFile.h"

#include <string>

namespace zunk {

namespace {

// The largest picture a bitmap of ours holds: far above any capture size,
// far below where the 32-bit file sizes would wrap.
const LONG kMaxSide = 16384;

BOOL WriteAll(HANDLE file, const void* data, size_t size)
{
    const BYTE* p = static_cast<const BYTE*>(data);
    while (size > 0) {
        DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, p, chunk, &written, NULL) || written != chunk)
            return FALSE;
        p += chunk;
        size -= chunk;
    }
    return TRUE;
}

} // namespace

size_t BitmapImageSize(const BITMAPINFOHEADER& header)
{
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biCompression != BI_RGB ||
        (header.biBitCount != 24 && header.biBitCount != 32) || header.biWidth <= 0 ||
        header.biWidth > kMaxSide || header.biHeight == 0 || header.biHeight > kMaxSide ||
        header.biHeight < -kMaxSide)
        return 0;
    size_t stride = (static_cast<size_t>(header.biWidth) * header.biBitCount / 8 + 3) & ~static_cast<size_t>(3);
    size_t rows = static_cast<size_t>(header.biHeight > 0 ? header.biHeight : -header.biHeight);
    return stride * rows;
}

BOOL SaveBitmapFile(const char* path, const BITMAPINFOHEADER& header, const void* bits, size_t size)
{
    const size_t image = BitmapImageSize(header);
    if (!path || !*path || !bits || image == 0 || size < image)
        return FALSE;
    BITMAPINFOHEADER info = header;
    info.biSize = sizeof(BITMAPINFOHEADER);
    info.biSizeImage = static_cast<DWORD>(image);
    info.biClrUsed = 0;
    info.biClrImportant = 0;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + image);

    const std::string temp = std::string(path) + ".tmp";
    HANDLE handle = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (handle == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL written = WriteAll(handle, &file, sizeof(file)) && WriteAll(handle, &info, sizeof(info)) &&
                   WriteAll(handle, bits, image);
    if (!CloseHandle(handle))
        written = FALSE;
    if (!written || !MoveFileExA(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp.c_str());
        return FALSE;
    }
    return TRUE;
}

} // namespace zunk
