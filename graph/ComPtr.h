// ComPtr<T>: holds one COM reference and releases it when it goes out of
// scope. Used for every interface pointer that a function or object owns.
// `&` releases what the holder held first, so a holder can be refilled by an
// out-parameter call without leaking. Same threading as the interface.
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
    ~ComPtr() { Release(); }

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

    // For out-parameters: drops the current reference first.
    T** operator&()
    {
        Release();
        return &m_p;
    }
    // Takes over a reference the caller already owns.
    void Attach(T* p)
    {
        Release();
        m_p = p;
    }
    // Hands the reference to the caller.
    T* Detach()
    {
        T* p = m_p;
        m_p = NULL;
        return p;
    }
    void Release()
    {
        if (m_p) {
            T* p = m_p;
            m_p = NULL;
            p->Release();
        }
    }
    template <class Q>
    HRESULT QueryInterface(REFIID iid, Q** out) const
    {
        if (!out)
            return E_POINTER;
        *out = NULL;
        if (!m_p)
            return E_POINTER;
        return m_p->QueryInterface(iid, reinterpret_cast<void**>(out));
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
