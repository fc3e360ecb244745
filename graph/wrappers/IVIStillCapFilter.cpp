#include "graph/wrappers/IVIStillCapFilter.h"

#include <string.h>

#include <string>

#include "graph/ComPtr.h"
#include "graph/Guids.h"
#include "graph/wrappers/CodecSlots.h"

using zunk::CallSlot;

namespace {

const LONG kParamStillSize = 1543;
const LONG kParamStillData = 1544;

// A still larger than this is not a picture of a TV frame.
const LONG kMaxStillBytes = 64 * 1024 * 1024;

// A locked, zero-filled global memory block, unlocked and freed on scope exit.
class GlobalBlock
{
public:
    explicit GlobalBlock(SIZE_T size)
        : m_handle(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)),
          m_data(m_handle ? static_cast<BYTE*>(GlobalLock(m_handle)) : NULL) {}
    ~GlobalBlock()
    {
        if (m_data)
            GlobalUnlock(m_handle);
        if (m_handle)
            GlobalFree(m_handle);
    }
    BYTE* Data() const { return m_data; }

private:
    HGLOBAL m_handle;
    BYTE* m_data;

    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
};

// Where the pixels of a packed bitmap (info header, bit fields, colours,
// pixels) of `size` bytes begin, counted from its start; 0 when its header
// or its parts do not fit the size.
ULONGLONG PixelOffset(const BYTE* dib, LONG size)
{
    if (size < static_cast<LONG>(sizeof(BITMAPINFOHEADER)))
        return 0;
    BITMAPINFOHEADER header;
    memcpy(&header, dib, sizeof(header));
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > static_cast<DWORD>(size) ||
        header.biWidth <= 0 || header.biHeight == 0 || header.biPlanes != 1)
        return 0;

    // Colour masks follow a plain info header; larger headers hold them.
    ULONGLONG masks = 0;
    if (header.biSize == sizeof(BITMAPINFOHEADER)) {
        if (header.biCompression == BI_BITFIELDS)
            masks = 3 * sizeof(DWORD);
        else if (header.biCompression == 6 /* BI_ALPHABITFIELDS */)
            masks = 4 * sizeof(DWORD);
    }
    ULONGLONG colours = header.biClrUsed;
    if (header.biBitCount <= 8) {
        ULONGLONG full = 1ull << header.biBitCount;
        if (colours == 0)
            colours = full;
        if (colours > full)
            return 0;
    }
    ULONGLONG offset = header.biSize + masks + colours * sizeof(RGBQUAD);

    ULONGLONG pixels = header.biSizeImage;
    if (header.biCompression == BI_RGB || header.biCompression == BI_BITFIELDS ||
        header.biCompression == 6) {
        ULONGLONG stride = (static_cast<ULONGLONG>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
        ULONGLONG rows = header.biHeight < 0 ? -static_cast<LONGLONG>(header.biHeight)
                                             : header.biHeight;
        pixels = stride * rows;
    }
    if (pixels == 0 || offset + pixels > static_cast<ULONGLONG>(size))
        return 0;
    return offset;
}

BOOL WriteAll(HANDLE file, const void* data, DWORD size)
{
    DWORD written = 0;
    return WriteFile(file, data, size, &written, NULL) && written == size;
}

// Writes the header and the picture to path through a temporary file beside
// it, which then replaces path.
BOOL WriteBitmapFile(const char* path, const BITMAPFILEHEADER& header, const BYTE* dib, LONG size)
{
    const std::string temp = std::string(path) + ".tmp";
    HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL written = WriteAll(file, &header, sizeof(header)) &&
                   WriteAll(file, dib, static_cast<DWORD>(size));
    BOOL closed = CloseHandle(file);
    if (!written || !closed || !MoveFileExA(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temp.c_str());
        return FALSE;
    }
    return TRUE;
}

} // namespace

BOOL CIVIStillCapFilter::GetParam(LONG id, LONG* value)
{
    ComPtr<ICodecParams> params;
    return zunk::QueryCodecInterface(m_pFilter, IID_IIVIStillCapParams, params) &&
           zunk::GetCodecParam(params.Get(), id, value);
}

BOOL CIVIStillCapFilter::SetParam(LONG id, LONG value)
{
    ComPtr<ICodecParams> params;
    return zunk::QueryCodecInterface(m_pFilter, IID_IIVIStillCapParams, params) &&
           zunk::SetCodecParam(params.Get(), id, value);
}

#define STILL_PARAM(id)                                                                     \
    BOOL CIVIStillCapFilter::GetStillParam##id(LONG* value) { return GetParam(id, value); } \
    BOOL CIVIStillCapFilter::SetStillParam##id(LONG value) { return SetParam(id, value); }
STILL_PARAM(1537)
STILL_PARAM(1538)
STILL_PARAM(1539)
STILL_PARAM(1540)
STILL_PARAM(1541)
#undef STILL_PARAM

BOOL CIVIStillCapFilter::GetStillSize(LONG* size)
{
    return GetParam(kParamStillSize, size);
}

BOOL CIVIStillCapFilter::QueryStill(ComPtr<ICodecParams>& params, LONG* size)
{
    *size = 0;
    return zunk::QueryCodecInterface(m_pFilter, IID_IIVIStillCapParams, params) &&
           zunk::GetCodecParam(params.Get(), kParamStillSize, size) && *size > 0;
}

BOOL CIVIStillCapFilter::GetStillData(void* buffer, LONG bufferSize)
{
    ComPtr<ICodecParams> params;
    LONG size = 0;
    if (!buffer || !QueryStill(params, &size) || size > bufferSize)
        return FALSE;
    return CallSlot(params.Get(), &ICodecParams::GetParam, kParamStillData, buffer);
}

BOOL CIVIStillCapFilter::SaveStill(const char* path)
{
    ComPtr<ICodecParams> params;
    LONG size = 0;
    if (!path || !QueryStill(params, &size) || size > kMaxStillBytes)
        return FALSE;

    GlobalBlock dib(static_cast<SIZE_T>(size));
    if (!dib.Data() ||
        !CallSlot(params.Get(), &ICodecParams::GetParam, kParamStillData,
                  static_cast<void*>(dib.Data())))
        return FALSE;
    ULONGLONG pixelOffset = PixelOffset(dib.Data(), size);
    if (pixelOffset == 0)
        return FALSE;

    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;  // "BM"
    header.bfSize = sizeof(BITMAPFILEHEADER) + static_cast<DWORD>(size);
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + static_cast<DWORD>(pixelOffset);
    return WriteBitmapFile(path, header, dib.Data(), size);
}
