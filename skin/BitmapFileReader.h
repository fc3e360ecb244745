// Reads ".bmp" files named by skin files: the file is an outside input, so
// every header field is checked against the file's length and sane limits
// before the system is given the pixels. Uncompressed pictures only (1, 4,
// 8, 16, 24 and 32 bits a pixel, with bit-field masks at 16 and 32 bits),
// which is what paint programs write. Any thread.
#pragma once
#include <windows.h>

#include <string>

namespace BitmapFileReader {

// The largest file read.
const DWORD kMaxFileBytes = 64 * 1024 * 1024;

// A device-independent section holding the picture of the file's bytes;
// NULL for anything that is not a whole, well-formed picture of the kinds
// above. The caller owns the bitmap.
HBITMAP FromBytes(const std::string& bytes);
// The same, read from a file; NULL when it cannot be read.
HBITMAP FromFile(LPCSTR path);

} // namespace BitmapFileReader
