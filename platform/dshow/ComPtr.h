// dshow::ComPtr: owns one COM reference. Receive() releases what it held
// before handing out its slot, so `&`-style out-parameters never leak (the
// habit mingw's own holder lacks). Not thread-safe; one owner at a time.
#pragma once
#include <objbase.h>

namespace dshow {

template <class T>
class ComPtr
{
public:
    ComPtr() : m_p(NULL) {}
    // Takes a new reference on `p`.
    explicit ComPtr(T* p) : m_p(p) { if (m_p) m_p->AddRef(); }
    ComPtr(const ComPtr& other) : m_p(other.m_p) { if (m_p) m_p->AddRef(); }
    ComPtr(ComPtr&& other) : m_p(other.m_p) { other.m_p = NULL; }
    ~ComPtr() { Reset(); }

    ComPtr& operator=(const ComPtr& other)
    {
        if (this != &other) {
            T* old = m_p;
            m_p = other.m_p;
            if (m_p)
                m_p->AddRef();
            if (old)
                old->Release();
        }
        return *this;
    }
    ComPtr& operator=(ComPtr&& other)
    {
        if (this != &other) {
            Reset();
            m_p = other.m_p;
            other.m_p = NULL;
        }
        return *this;
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != NULL; }

    void Reset()
    {
        T* old = m_p;
        m_p = NULL;
        if (old)
            old->Release();
    }
    // Takes a new reference on `p` and drops the old one.
    void Set(T* p)
    {
        if (p)
            p->AddRef();
        Reset();
        m_p = p;
    }
    // Adopts a reference the caller already owns.
    void Attach(T* p)
    {
        Reset();
        m_p = p;
    }
    T* Detach()
    {
        T* p = m_p;
        m_p = NULL;
        return p;
    }
    // The slot for an out-parameter; whatever was held is released first.
    T** Receive()
    {
        Reset();
        return &m_p;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
    // Hands out a new reference through an out-parameter.
    HRESULT CopyTo(T** out) const
    {
        if (!out)
            return E_POINTER;
        *out = m_p;
        if (m_p)
            m_p->AddRef();
        return S_OK;
    }

    HRESULT QueryFrom(IUnknown* source, REFIID iid)
    {
        Reset();
        if (!source)
            return E_POINTER;
        return source->QueryInterface(iid, reinterpret_cast<void**>(&m_p));
    }

private:
    T* m_p;
};

} // namespace dshow
