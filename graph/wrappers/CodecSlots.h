// The private interfaces of the outside codec filters are known only by the
// place of each method in their method tables. Each one is written here as a
// table of slots, one row per method:
//     SLOT(number, name, (parameters), (arguments))
// counted from 0 with QueryInterface, AddRef and Release as 0 to 2.
// CODEC_INTERFACE makes the C++ interface from the rows: stdcall methods in
// table order, so in the 32-bit build each callee pops exactly the arguments
// its row lists. A slot whose arguments nobody knows keeps its place as
// Reserved<n> and is never called. Tests build their fakes from the same rows.
// Header only; no state.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <stddef.h>

#include "graph/ComPtr.h"

#define CODEC_SLOT_DECLARE(number, name, params, args) \
    virtual HRESULT STDMETHODCALLTYPE name params = 0;
#define CODEC_SLOT_NUMBER(number, name, params, args) number,

namespace zunk {

// TRUE when the rows are numbered 3, 4, 5 ... without a gap: each row's
// number is then its place in the method table.
template <size_t N>
constexpr bool SlotsInTableOrder(const int (&numbers)[N])
{
    for (size_t i = 0; i < N; i++) {
        if (numbers[i] != static_cast<int>(i) + 3)
            return false;
    }
    return true;
}

} // namespace zunk

#define CODEC_INTERFACE(Name, SLOTS)                                                      \
    struct Name : public IUnknown                                                         \
    {                                                                                     \
        SLOTS(CODEC_SLOT_DECLARE)                                                         \
    };                                                                                    \
    namespace codec_slots_##Name {                                                        \
    constexpr int kNumbers[] = {SLOTS(CODEC_SLOT_NUMBER)};                                \
    static_assert(zunk::SlotsInTableOrder(kNumbers), #Name ": rows out of table order");  \
    }

// The parameter interface that many of these filters share in shape, each
// under its own interface id: read a numbered parameter into the caller's
// memory, write one by value. Some parameters carry an address as their value.
#define CODEC_PARAMS_SLOTS(SLOT)                                    \
    SLOT(3, GetParam, (LONG id, void* value), (id, value))          \
    SLOT(4, SetParam, (LONG id, LONG_PTR value), (id, value))
CODEC_INTERFACE(ICodecParams, CODEC_PARAMS_SLOTS)

// The definition of a wrapper operation that hands its one value to one
// slot of an interface held in `holder` (a ComPtr that may be empty).
#define CODEC_FORWARD_VALUE(Class, Operation, holder, slot)                 \
    BOOL Class::Operation(LONG value)                                       \
    {                                                                       \
        return zunk::CallSlot(holder.Get(), &slot, value);                  \
    }

namespace zunk {

// Calls one slot of an interface that may be missing: FALSE without the
// interface, else TRUE when the result is not negative.
template <class I, class Method, class... Args>
BOOL CallSlot(I* itf, Method slot, Args... args)
{
    return itf && SUCCEEDED((itf->*slot)(args...));
}

// The same where only S_OK counts as success.
template <class I, class Method, class... Args>
BOOL CallSlotOk(I* itf, Method slot, Args... args)
{
    return itf && (itf->*slot)(args...) == S_OK;
}

// The same, handing back the outside method's HRESULT: E_POINTER without
// the interface.
template <class I, class Method, class... Args>
HRESULT ForwardSlot(I* itf, Method slot, Args... args)
{
    return itf ? (itf->*slot)(args...) : E_POINTER;
}

// Asks the filter for one interface into a holder; only S_OK with a pointer
// fills it.
template <class I>
BOOL QueryCodecInterface(IUnknown* filter, REFIID iid, ComPtr<I>& out)
{
    if (out.QueryFrom(filter, iid) == S_OK && out.Get())
        return TRUE;
    out.Reset();
    return FALSE;
}

// One parameter read into *value (FALSE for a NULL value, without a call)
// and one parameter write, through a parameter interface that may be missing.
inline BOOL GetCodecParam(ICodecParams* params, LONG id, LONG* value)
{
    return value && CallSlot(params, &ICodecParams::GetParam, id, static_cast<void*>(value));
}

inline BOOL SetCodecParam(ICodecParams* params, LONG id, LONG value)
{
    return CallSlot(params, &ICodecParams::SetParam, id, static_cast<LONG_PTR>(value));
}

} // namespace zunk
