// CIVIStillCapFilter: the maker's still-capture filter, which keeps the last
// picture taken as a device-independent bitmap; its numbered settings and
// SaveStill, which writes that picture to a bitmap file. The parameter
// interface is asked for on each operation. Registered for completeness: the
// engine's graphs do not ask for it. Owned by the graph's list; the graph's
// thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"
#include "graph/wrappers/CodecSlots.h"

class CIVIStillCapFilter : public CRootFilter
{
public:
    using CRootFilter::CRootFilter;

    // Settings 1537 to 1541, one value each.
    BOOL GetStillParam1537(LONG* value);
    BOOL GetStillParam1538(LONG* value);
    BOOL GetStillParam1539(LONG* value);
    BOOL GetStillParam1540(LONG* value);
    BOOL GetStillParam1541(LONG* value);
    BOOL SetStillParam1537(LONG value);
    BOOL SetStillParam1538(LONG value);
    BOOL SetStillParam1539(LONG value);
    BOOL SetStillParam1540(LONG value);
    BOOL SetStillParam1541(LONG value);

    // The size in bytes of the picture held (info header, colours, pixels).
    BOOL GetStillSize(LONG* size);
    // The picture into buffer, which holds bufferSize bytes: FALSE, with
    // nothing read, when the picture does not fit.
    BOOL GetStillData(void* buffer, LONG bufferSize);

    // Writes the picture held to a bitmap file at path (through a temporary
    // file beside it, so a failed write leaves no file and an old one as it
    // was). FALSE when there is no picture, the picture is not a bitmap
    // whose parts fit its size, or the file cannot be written whole.
    BOOL SaveStill(const char* path);

private:
    // The parameter interface, and the size of the picture held (positive).
    BOOL QueryStill(ComPtr<ICodecParams>& params, LONG* size);
    BOOL GetParam(LONG id, LONG* value);
    BOOL SetParam(LONG id, LONG value);
};
