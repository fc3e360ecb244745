// zunk::MEvent: one unnamed Win32 event, closed with the object.
#pragma once
#include <windows.h>

namespace zunk {

class MEvent
{
public:
    explicit MEvent(BOOL manualReset) : m_hEvent(CreateEventA(NULL, manualReset, FALSE, NULL)) {}
    virtual ~MEvent()
    {
        if (m_hEvent)
            CloseHandle(m_hEvent);
    }
    BOOL Wait(DWORD timeoutMs) { return WaitForSingleObject(m_hEvent, timeoutMs) == WAIT_OBJECT_0; }
    HANDLE GetHandle() const { return m_hEvent; }

private:
    HANDLE m_hEvent;
    MEvent(const MEvent&) = delete;
    MEvent& operator=(const MEvent&) = delete;
};

} // namespace zunk
