// CMediaTypePtr: owns one AM_MEDIA_TYPE that a COM call allocated with
// CoTaskMemAlloc (IEnumMediaTypes::Next, IAMStreamConfig::GetFormat and
// GetStreamCaps) and frees it once: its format block, its pUnk reference and
// the structure itself. `&` and Receive() free what was held first, so the
// holder can be refilled through an out-parameter in a loop. A copy is a
// deep copy with a reference of its own on pUnk. Any thread; one owner.
#pragma once
#include "graph/MediaType.h"

class CMediaTypePtr
{
public:
    CMediaTypePtr() : m_p(NULL) {}
    // Takes over `mt`, which must come from CoTaskMemAlloc.
    explicit CMediaTypePtr(AM_MEDIA_TYPE* mt) : m_p(mt) {}
    // A copy of its own; empty when memory ran out.
    CMediaTypePtr(const CMediaTypePtr& other) : m_p(other.m_p ? CreateMediaType(other.m_p) : NULL) {}
    CMediaTypePtr(CMediaTypePtr&& other) : m_p(other.Detach()) {}
    ~CMediaTypePtr() { Reset(); }

    CMediaTypePtr& operator=(const CMediaTypePtr& other)
    {
        CMediaTypePtr(other).Swap(*this);
        return *this;
    }
    CMediaTypePtr& operator=(CMediaTypePtr&& other)
    {
        CMediaTypePtr(static_cast<CMediaTypePtr&&>(other)).Swap(*this);
        return *this;
    }

    AM_MEDIA_TYPE* Get() const { return m_p; }
    AM_MEDIA_TYPE* operator->() const { return m_p; }
    AM_MEDIA_TYPE& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != NULL; }

    // The slot for an out-parameter; whatever was held is freed first.
    AM_MEDIA_TYPE** operator&() { return Receive(); }
    AM_MEDIA_TYPE** Receive()
    {
        Reset();
        return &m_p;
    }

    // Frees what is held and takes over `mt` (NULL: holds nothing).
    void Reset(AM_MEDIA_TYPE* mt = NULL)
    {
        AM_MEDIA_TYPE* old = m_p;
        m_p = mt;
        if (old && old != mt)
            DeleteMediaType(old);
    }
    // Hands the type to the caller, who frees it.
    AM_MEDIA_TYPE* Detach()
    {
        AM_MEDIA_TYPE* p = m_p;
        m_p = NULL;
        return p;
    }
    void Swap(CMediaTypePtr& other)
    {
        AM_MEDIA_TYPE* p = m_p;
        m_p = other.m_p;
        other.m_p = p;
    }

private:
    AM_MEDIA_TYPE* m_p;
};
