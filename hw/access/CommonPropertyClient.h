// CCommonPropertyClient: builds the common property set's buffers and sends
// them through one IKsPropertySet; the access classes of every family that
// speaks the set use it, and so do those of drivers whose own set has the
// same layout (the CX23882 cards'). It does not own the interface and takes no lock:
// the access object around it does both. Any thread.
#pragma once
#include "hw/access/CommonPropertySet.h"

#include <strmif.h>

class CCommonPropertyClient
{
public:
    CCommonPropertyClient() : m_pSet(NULL), m_pSetId(&KSPROPSETID_CommonCard) {}
    // setId: the driver's property set carrying these requests.
    void Bind(IKsPropertySet* set, const GUID& setId = KSPROPSETID_CommonCard)
    {
        m_pSet = set;
        m_pSetId = &setId;
    }
    bool IsBound() const { return m_pSet != NULL; }

    HRESULT GetBoardId(WORD* first, WORD* second);
    HRESULT SetControlByte(ULONG id, BYTE value);    // ids 1, 3
    HRESULT SetControlWord(ULONG id, DWORD value);   // ids 7, 8, 10
    HRESULT SetNoPayload(ULONG id);                  // id 9
    HRESULT GetI2CByte(BYTE address, LONG sub, BYTE* value);
    HRESULT SetI2CByte(BYTE address, LONG sub, BYTE value);
    HRESULT GetGpio(DWORD mask, DWORD* value);
    HRESULT SetGpio(DWORD mask, DWORD value);
    HRESULT GetRegister(DWORD address, DWORD* value);
    HRESULT SetRegister(DWORD address, DWORD value);
    // The message travels in place: buffer[0] is the address byte; a read
    // copies `length` reply bytes back over it. Lengths outside 1..256 are
    // refused with E_INVALIDARG before anything is sent.
    HRESULT GetI2CBlock(BYTE* buffer, LONG length);
    HRESULT SetI2CBlock(const BYTE* buffer, LONG length);

    // One call of the set with a record built by the caller.
    HRESULT Set(ULONG id, void* record, ULONG length);
    HRESULT Get(ULONG id, void* record, ULONG length);

private:
    // GPIO and register requests share one record: {mask or address, value}.
    HRESULT GetWords(ULONG id, DWORD first, DWORD* value);
    HRESULT SetWords(ULONG id, DWORD first, DWORD second);
    IKsPropertySet* m_pSet;  // owned by the access object
    const GUID* m_pSetId;    // a constant of the program
};
