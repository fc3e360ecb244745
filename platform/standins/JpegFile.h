// Saves a 24-bit picture as a JPEG file through the system's imaging
// component, through a temporary sibling that replaces the target only when
// the whole file was written. Any thread; initialises COM for the call when
// the thread has not.
#pragma once
#include <windows.h>

#include <cstddef>

namespace standins {

// `header` describes a 24-bit BI_RGB picture, bottom-up for a positive
// height, rows padded to 4 bytes; quality 0-100. FALSE, with the target
// untouched, for another picture, too few bytes, a quality outside 0-100
// or a failed encode or write.
BOOL SaveJpegFile(const char* path, const BITMAPINFOHEADER& header, const void* bits, size_t size,
                  int quality);

} // namespace standins
