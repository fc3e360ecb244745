// The IUnknown of the COM objects we write. ComObject<Interfaces...> keeps
// the reference count: interlocked, one for the creator, and the object
// deleted through its virtual destructor when the last reference goes.
// ComCounted<Interfaces...> keeps the same count for an object its owner
// holds (a test's fake on the stack), which the last Release leaves alone.
// QueryInterface is read from a table of rows, one per interface id, each
// naming the base the id is reached through; QueryInterfaceTable answers from
// such a table. Any thread.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <cstddef>

// One row of an interface table.
template <class Object>
struct ComInterface
{
    const IID* iid;
    IUnknown* (*reach)(Object* object);

    // The row for `iid`, reached through the object's base `Interface`.
    template <class Interface>
    static constexpr ComInterface Via(const IID& iid)
    {
        return { &iid, [](Object* object) -> IUnknown* { return static_cast<Interface*>(object); } };
    }
};

// `iid` looked up in `rows`: S_OK with a new reference in *out, E_NOINTERFACE
// with *out cleared, E_POINTER for a null `out`.
template <class Object, size_t N>
HRESULT QueryInterfaceTable(Object* object, const ComInterface<Object> (&rows)[N], REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    for (const ComInterface<Object>& row : rows) {
        if (IsEqualIID(iid, *row.iid)) {
            IUnknown* face = row.reach(object);
            face->AddRef();
            *out = face;
            return S_OK;
        }
    }
    *out = NULL;
    return E_NOINTERFACE;
}

// The same, then `next()` for an id the table does not hold: a base class's
// lookup, or the object a wrapper passes calls on to.
template <class Object, size_t N, class Next>
HRESULT QueryInterfaceTable(Object* object, const ComInterface<Object> (&rows)[N], REFIID iid, void** out,
                            Next next)
{
    const HRESULT hr = QueryInterfaceTable(object, rows, iid, out);
    return hr == E_NOINTERFACE ? next() : hr;
}

template <class... Interfaces>
class ComCounted : public Interfaces...
{
public:
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_cRef)); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(InterlockedDecrement(&m_cRef)); }
    // The references held now, for tests that watch them.
    ULONG Refs() const { return static_cast<ULONG>(m_cRef); }

protected:
    ComCounted() : m_cRef(1) {}
    virtual ~ComCounted() = default;

private:
    volatile LONG m_cRef;

    ComCounted(const ComCounted&) = delete;
    ComCounted& operator=(const ComCounted&) = delete;
};

template <class... Interfaces>
class ComObject : public ComCounted<Interfaces...>
{
public:
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG count = ComCounted<Interfaces...>::Release();
        if (count == 0)
            delete this;
        return count;
    }

protected:
    ~ComObject() override = default;
};
