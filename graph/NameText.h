// Bounded conversions and copies for the fixed name fields of the graph layer
// (filter and device names of 128 bytes, pin names of 256). UTF-16 <-> ANSI
// code page. Any thread; no shared state.
#pragma once
#include <windows.h>

#include <string>

namespace zunk {

// Filter and device names; pin names.
const int kNameSize = 128;
const int kPinNameSize = 256;

// Converts src into dst (dstSize bytes, always terminated). FALSE, with dst
// empty, when src is NULL, the conversion fails or the text does not fit.
BOOL WideToAnsi(const wchar_t* src, char* dst, int dstSize);
// The same in the other direction; dstChars counts wide characters.
BOOL AnsiToWide(const char* src, wchar_t* dst, int dstChars);
// A whole ANSI text (a file path, of any length) in UTF-16; FALSE for NULL
// or text the code page cannot convert.
BOOL AnsiToWideString(const char* src, std::wstring* dst);
// Copies at most dstSize - 1 bytes and terminates; NULL copies as empty.
void CopyName(char* dst, size_t dstSize, const char* src);

} // namespace zunk
