#include "skin/ToolBarResource.h"

namespace {

WORD WordAt(const BYTE* bytes, size_t index)
{
    return (WORD)(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

} // namespace

BOOL ReadToolBarResource(const void* data, DWORD size, ToolBarData& out)
{
    out = ToolBarData();
    const BYTE* bytes = (const BYTE*)data;
    const size_t header = 4; // words
    if (bytes == NULL || size < header * 2)
        return FALSE;
    WORD version = WordAt(bytes, 0);
    int width = WordAt(bytes, 1);
    int height = WordAt(bytes, 2);
    int count = WordAt(bytes, 3);
    if (version != 1 || width < 1 || width > kToolBarImageMax || height < 1 || height > kToolBarImageMax ||
        count > kToolBarButtonMax || (size_t)size / 2 < header + (size_t)count)
        return FALSE;
    out.width = width;
    out.height = height;
    out.commands.reserve(count);
    for (int i = 0; i < count; ++i)
        out.commands.push_back(WordAt(bytes, header + i));
    return TRUE;
}

BOOL LoadToolBarResource(HMODULE module, LPCSTR name, ToolBarData& out)
{
    out = ToolBarData();
    HRSRC found = ::FindResourceA(module, name, RT_TOOLBAR_RESOURCE);
    if (found == NULL)
        return FALSE;
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* bytes = loaded ? ::LockResource(loaded) : NULL;
    return bytes != NULL && ReadToolBarResource(bytes, ::SizeofResource(module, found), out);
}
