// CRootPin: one pin of a wrapped filter, with the peer it was connected to
// through CRootGraph::ConnectPins. Owned by its CRootFilter's pin list; holds
// one reference to its IPin. UI thread (the graph's apartment) only.
#pragma once
#include <windows.h>
#include <strmif.h>

#include "graph/NameText.h"

class CRootFilter;

class CRootPin
{
public:
    CRootPin(IPin* pin, CRootFilter* owner);
    virtual ~CRootPin();

    // Drops owner, peer and link and releases the pin.
    void Clear();
    // Gives up our own reference: from now on the owner filter's reference
    // keeps the pin, and a pin the filter dropped is never touched again.
    void Borrow();

    IPin* GetIPin() const { return m_pPin; }
    CRootFilter* GetOwner() const { return m_pOwner; }
    CRootPin* GetPeer() const { return m_pPeer; }
    void SetPeer(CRootPin* peer) { m_pPeer = peer; }
    CRootPin* GetNext() const { return m_pNext; }
    void SetNext(CRootPin* next) { m_pNext = next; }
    const char* GetName() const { return m_szName; }

    HRESULT ShowPropertyPages(HWND parent, const char* caption);

    // TRUE exactly when the IPin call returns S_OK. QueryPinInfo hands the
    // filter reference in *info to the caller; QueryId the CoTaskMem text.
    BOOL QueryDirection(PIN_DIRECTION* dir) const;
    BOOL QueryPinInfo(PIN_INFO* info) const;
    BOOL QueryId(LPWSTR* id) const;
    BOOL QueryAccept(const AM_MEDIA_TYPE* mt) const;
    HRESULT EnumMediaTypes(IEnumMediaTypes** out) const;
    HRESULT ConnectionMediaType(AM_MEDIA_TYPE* mt) const;
    // Major type and subtype of the first enumerated media type.
    BOOL GetFirstMediaType(GUID* major, GUID* sub) const;

    // Tracing aids: "MainType:<major>,SubType:<sub>" of the connection type,
    // and "MainType:<major>" of the first enumerated type. FALSE for a NULL
    // buffer, a size below 2 or an unreadable media type.
    BOOL DescribeMediaType(char* buf, int size) const;
    BOOL DescribeMajorType(char* buf, int size) const;

private:
    friend class CRootFilter;  // relinks its own pin list in place

    IPin* m_pPin;           // one reference unless borrowed
    bool m_bBorrowed;
    CRootFilter* m_pOwner;  // the wrapper that owns this pin; not counted
    CRootPin* m_pPeer;      // the pin we were connected to; never owned
    CRootPin* m_pNext;      // next pin of the same filter
    char m_szName[zunk::kPinNameSize];

    CRootPin(const CRootPin&) = delete;
    CRootPin& operator=(const CRootPin&) = delete;
};
