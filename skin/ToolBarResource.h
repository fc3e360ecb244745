// The tool-bar resource (type 241) read straight from its bytes: version 1,
// image width, image height, button count, then one 16-bit command per
// button, 0 for a separator. No tool-bar window is made to read it.
#pragma once
#include <windows.h>

#include <vector>

#define RT_TOOLBAR_RESOURCE MAKEINTRESOURCEA(241)

struct ToolBarData
{
    int width = 0;
    int height = 0;
    std::vector<UINT> commands; // in button order, separators included
};

// FALSE, leaving `out` empty, for another version, image sizes outside
// 1..kToolBarImageMax, or fewer bytes than the count promises; bytes after
// the last command are ignored.
BOOL ReadToolBarResource(const void* bytes, DWORD size, ToolBarData& out);
// The resource `name` of `module`; FALSE when it is absent or unreadable.
BOOL LoadToolBarResource(HMODULE module, LPCSTR name, ToolBarData& out);

const int kToolBarImageMax = 256;
// More buttons than any tool bar has: a count above it is damage.
const int kToolBarButtonMax = 4096;
