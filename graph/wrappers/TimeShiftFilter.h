// CTimeShiftFilter: the time-shift filter, which buffers the live MPEG
// stream in a file with an index file beside it and plays it back with
// pause and seek. Each operation is one call of its private interface
// (HelperInterfaces.h); TRUE exactly when the call returns S_OK. Owned by the
// graph's list; UI thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"
#include "graph/wrappers/HelperInterfaces.h"

class CTimeShiftFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    BOOL Init() override;

    BOOL Seek(LONG position);
    BOOL GetPosition(LONG* position, LONG* start, LONG* end);
    BOOL SetParams(const LONGLONG* size, DWORD value);
    // Each successful call switches between paused and playing.
    BOOL TogglePause();
    // The buffer file and its index beside it: the same folder and base
    // name with ".idx" for the extension.
    BOOL SetFile(const char* path);

    // The index file of path within size bytes: path without the extension
    // of its file-name part (a dot in a folder name is no extension), plus
    // ".idx". FALSE when it does not fit.
    static BOOL MakeIndexFileName(const char* path, char* out, size_t size);

private:
    ComPtr<ITimeShiftControl> m_pTimeShift;
};
