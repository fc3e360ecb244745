// Saves an uncompressed picture (24 or 32 bits a pixel, BI_RGB) as a bitmap
// file, through a temporary sibling that replaces the target only when every
// byte was written. Any thread; no shared state.
#pragma once
#include <windows.h>

#include <cstddef>

namespace zunk {

// Bytes of one picture of that header: rows padded to 4 bytes.
size_t BitmapImageSize(const BITMAPINFOHEADER& header);

// FALSE, with the target untouched, for a header that is not a plain RGB
// picture, fewer than its image's bytes in size, or a failed write.
BOOL SaveBitmapFile(const char* path, const BITMAPINFOHEADER& header, const void* bits, size_t size);

} // namespace zunk
