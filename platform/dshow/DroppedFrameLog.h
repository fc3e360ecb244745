// CDroppedFrameLog: the frame numbers a push source skipped, the first
// kCapacity of them (what IAMDroppedFrames::GetDroppedInfo hands out).
// Owned by the source pin; written by its streaming thread, read by any
// thread, so every call takes the log's own lock.
#pragma once
#include <windows.h>

namespace dshow {

class CDroppedFrameLog
{
public:
    // A capture application asks for a handful; a stream that stalls for
    // minutes must not make the log grow.
    static constexpr long kCapacity = 64;

    CDroppedFrameLog();
    ~CDroppedFrameLog();

    void Clear();
    // Frames first .. first + count - 1 were skipped.
    void Add(long first, long count);
    // The first `size` recorded frame numbers, oldest first. E_INVALIDARG
    // when size is not positive, E_POINTER for a missing array or count.
    HRESULT Copy(long size, long* frames, long* copied);

private:
    CRITICAL_SECTION m_lock;
    long m_frames[kCapacity];
    long m_count;

    CDroppedFrameLog(const CDroppedFrameLog&) = delete;
    CDroppedFrameLog& operator=(const CDroppedFrameLog&) = delete;
};

} // namespace dshow
