#include "graph/wrappers/TimeShiftFilter.h"

#include "graph/Guids.h"

#include <string.h>

BOOL CTimeShiftFilter::Init()
{
    m_pTimeShift.Reset();
    return CRootFilter::Init() && zunk::QueryCodecInterface(m_pFilter, IID_ITimeShiftControl, m_pTimeShift);
}

BOOL CTimeShiftFilter::Seek(LONG position)
{
    return zunk::CallSlotOk(m_pTimeShift.Get(), &ITimeShiftControl::Seek, position);
}

BOOL CTimeShiftFilter::GetPosition(LONG* position, LONG* start, LONG* end)
{
    return zunk::CallSlotOk(m_pTimeShift.Get(), &ITimeShiftControl::GetPosition, position, start, end);
}

BOOL CTimeShiftFilter::SetParams(const LONGLONG* size, DWORD value)
{
    return zunk::CallSlotOk(m_pTimeShift.Get(), &ITimeShiftControl::SetParams, size, value);
}

BOOL CTimeShiftFilter::TogglePause()
{
    return zunk::CallSlotOk(m_pTimeShift.Get(), &ITimeShiftControl::TogglePause);
}

BOOL CTimeShiftFilter::MakeIndexFileName(const char* path, char* out, size_t size)
{
    if (!path || !out || size == 0)
        return FALSE;
    out[0] = 0;
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    }
    const char* dot = strrchr(name, '.');
    size_t keep = dot ? static_cast<size_t>(dot - path) : strlen(path);
    static const char kExtension[] = ".idx";
    if (keep + sizeof(kExtension) > size)
        return FALSE;
    memcpy(out, path, keep);
    memcpy(out + keep, kExtension, sizeof(kExtension));
    return TRUE;
}

BOOL CTimeShiftFilter::SetFile(const char* path)
{
    char index[MAX_PATH] = {};
    if (!m_pTimeShift || !MakeIndexFileName(path, index, sizeof(index)))
        return FALSE;
    return zunk::CallSlotOk(m_pTimeShift.Get(), &ITimeShiftControl::SetFile, path,
                            static_cast<const char*>(index));
}
