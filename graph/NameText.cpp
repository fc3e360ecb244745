#include "graph/NameText.h"

#include <string.h>

namespace zunk {

BOOL WideToAnsi(const wchar_t* src, char* dst, int dstSize)
{
    if (!dst || dstSize <= 0)
        return FALSE;
    dst[0] = 0;
    if (!src)
        return FALSE;
    // WideCharToMultiByte fails with ERROR_INSUFFICIENT_BUFFER rather than
    // truncating, so an over-long name is refused, not cut mid-character.
    if (WideCharToMultiByte(CP_ACP, 0, src, -1, dst, dstSize, NULL, NULL) == 0) {
        dst[0] = 0;
        return FALSE;
    }
    dst[dstSize - 1] = 0;
    return TRUE;
}

BOOL AnsiToWide(const char* src, wchar_t* dst, int dstChars)
{
    if (!dst || dstChars <= 0)
        return FALSE;
    dst[0] = 0;
    if (!src)
        return FALSE;
    if (MultiByteToWideChar(CP_ACP, 0, src, -1, dst, dstChars) == 0) {
        dst[0] = 0;
        return FALSE;
    }
    dst[dstChars - 1] = 0;
    return TRUE;
}

BOOL AnsiToWideString(const char* src, std::wstring* dst)
{
    dst->clear();
    if (!src)
        return FALSE;
    int chars = MultiByteToWideChar(CP_ACP, 0, src, -1, NULL, 0);
    if (chars <= 0)
        return FALSE;
    dst->resize(static_cast<size_t>(chars));
    if (MultiByteToWideChar(CP_ACP, 0, src, -1, &(*dst)[0], chars) != chars) {
        dst->clear();
        return FALSE;
    }
    dst->resize(static_cast<size_t>(chars) - 1);
    return TRUE;
}

void CopyName(char* dst, size_t dstSize, const char* src)
{
    if (!dst || dstSize == 0)
        return;
    size_t n = src ? strnlen(src, dstSize - 1) : 0;
    if (n)
        memcpy(dst, src, n);
    dst[n] = 0;
}

} // namespace zunk
