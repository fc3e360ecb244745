#include "graph/wrappers/TimeShiftFilter.h"

#include "graph/Guids.h"
#include "graph/wrappers/HelperSlots.h"

#include <string.h>

BOOL CTimeShiftFilter::Init()
{
    m_pTimeShift.Reset();
    if (!CRootFilter::Init())
        return FALSE;
    return SUCCEEDED(m_pTimeShift.QueryFrom(m_pFilter, IID_ITimeShiftControl)) && m_pTimeShift;
}

BOOL CTimeShiftFilter::Seek(LONG position)
{
    return m_pTimeShift && TimeShiftSlots::Seek::Call(m_pTimeShift.Get(), position) == S_OK;
}

BOOL CTimeShiftFilter::GetPosition(LONG* position, LONG* start, LONG* end)
{
    return m_pTimeShift &&
           TimeShiftSlots::GetPosition::Call(m_pTimeShift.Get(), position, start, end) == S_OK;
}

BOOL CTimeShiftFilter::SetParams(const LONGLONG* size, DWORD value)
{
    return m_pTimeShift && TimeShiftSlots::SetParams::Call(m_pTimeShift.Get(), size, value) == S_OK;
}

BOOL CTimeShiftFilter::TogglePause()
{
    return m_pTimeShift && TimeShiftSlots::TogglePause::Call(m_pTimeShift.Get()) == S_OK;
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
    return TimeShiftSlots::SetFile::Call(m_pTimeShift.Get(), path, index) == S_OK;
}
