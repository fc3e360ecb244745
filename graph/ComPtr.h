// ComPtr<T>: holds one COM reference and releases it when it goes out of
// scope; the one holder for every interface pointer a function or object
// owns, in the program and in our platform layers. `&` and Receive() release
// what the holder held first, so refilling it through an out-parameter never
// leaks. Same threading as the interface; one owner at a time.
#pragma once
#include <unknwn.h>

template <class T>
class ComPtr
{
public:
    ComPtr() : m_p(NULL) {}
    // Takes a new reference on p.
    explicit ComPtr(T* p) : m_p(p)
    {
        if (m_p)
            m_p->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.m_p) {}
    ComPtr(ComPtr&& other) : m_p(other.m_p) { other.m_p = NULL; }
    ~ComPtr() { Reset(); }

    ComPtr& operator=(const ComPtr& other)
    {
        ComPtr(other).Swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other)
    {
        ComPtr(static_cast<ComPtr&&>(other)).Swap(*this);
        return *this;
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != NULL; }

    // The slot for an out-parameter; whatever was held is released first.
    T** operator&() { return Receive(); }
    T** Receive()
    {
        Reset();
        return &m_p;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    // Drops the reference held, if any.
    void Reset()
    {
        if (m_p) {
            T* p = m_p;
            m_p = NULL;
            p->Release();
        }
    }
    // Takes a new reference on p and drops the old one.
    void Set(T* p) { ComPtr(p).Swap(*this); }
    // Takes over a reference the caller already owns.
    void Attach(T* p)
    {
        Reset();
        m_p = p;
    }
    // Hands the reference to the caller.
    T* Detach()
    {
        T* p = m_p;
        m_p = NULL;
        return p;
    }
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
    // Fills the holder with `source`'s interface `iid` (empty on failure).
    HRESULT QueryFrom(IUnknown* source, REFIID iid)
    {
        Reset();
        if (!source)
            return E_POINTER;
        return source->QueryInterface(iid, reinterpret_cast<void**>(&m_p));
    }
    void Swap(ComPtr& other)
    {
        T* p = m_p;
        m_p = other.m_p;
        other.m_p = p;
    }

private:
    T* m_p;
};
