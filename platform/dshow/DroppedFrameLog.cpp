#include "platform/dshow/DroppedFrameLog.h"

#include "graph/AutoMutex.h"

namespace dshow {

CDroppedFrameLog::CDroppedFrameLog() : m_count(0)
{
    InitializeCriticalSection(&m_lock);
}

CDroppedFrameLog::~CDroppedFrameLog()
{
    DeleteCriticalSection(&m_lock);
}

void CDroppedFrameLog::Clear()
{
    CAutoMutex lock(&m_lock);
    m_count = 0;
}

void CDroppedFrameLog::Add(long first, long count)
{
    CAutoMutex lock(&m_lock);
    for (long i = 0; i < count && m_count < kCapacity; ++i)
        m_frames[m_count++] = first + i;
}

HRESULT CDroppedFrameLog::Copy(long size, long* frames, long* copied)
{
    if (!frames || !copied)
        return E_POINTER;
    if (size <= 0)
        return E_INVALIDARG;
    CAutoMutex lock(&m_lock);
    long n = size < m_count ? size : m_count;
    for (long i = 0; i < n; ++i)
        frames[i] = m_frames[i];
    *copied = n;
    return S_OK;
}

} // namespace dshow
