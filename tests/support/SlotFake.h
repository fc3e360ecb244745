// SlotFake: a stand-in for an outside filter's private interface known
// only by slot tables (graph/ComSlot.h). Its method table is built from the
// slot types a test lists; each listed method records its call - the slot
// and the arguments as 64-bit values, texts copied - and answers S_OK, the
// result set for the slot, or what the slot's handler returns. The other
// slots are left empty: a call there would be a fault the test must see.
// QueryInterface answers IUnknown and the ids given. Test thread, or the
// thread the wrapper calls from.
#pragma once
#include "graph/ComSlot.h"

#include <windows.h>
#include <unknwn.h>

#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

class SlotFake
{
public:
    static constexpr int kMaxSlots = 32;

    struct Call
    {
        int slot;
        std::vector<LONGLONG> args;
        std::vector<std::string> texts;  // each text argument, in order
    };
    typedef std::function<HRESULT(const Call&)> Handler;

    // Made with one reference; Release frees it.
    static SlotFake* Create(const std::vector<IID>& iids);

    // Fills the method table for each slot type given.
    template <class... Slots>
    void Implement()
    {
        (Install<Slots>(), ...);
    }

    IUnknown* Unknown() { return reinterpret_cast<IUnknown*>(this); }
    ULONG AddRef() { return InterlockedIncrement(&m_cRef); }
    ULONG Release();
    LONG RefCount() const { return m_cRef; }

    void SetResult(int slot, HRESULT hr) { m_results[slot] = hr; }
    void OnCall(int slot, Handler handler) { m_handlers[slot] = handler; }
    const std::vector<Call>& Calls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); }

private:
    template <class Slot>
    struct Thunk;
    template <int Index, class... Args>
    struct Thunk<zunk::ComSlot<Index, HRESULT(Args...)>>
    {
        static HRESULT STDMETHODCALLTYPE Method(IUnknown* self, Args... args)
        {
            Call call;
            call.slot = Index;
            (Capture(&call, args), ...);
            return reinterpret_cast<SlotFake*>(self)->Answer(call);
        }
    };

    template <class T>
    static void Capture(Call* call, T value)
    {
        if constexpr (std::is_pointer<T>::value)
            call->args.push_back(static_cast<LONGLONG>(reinterpret_cast<INT_PTR>(value)));
        else
            call->args.push_back(static_cast<LONGLONG>(value));
    }
    static void Capture(Call* call, const char* text);
    static void Capture(Call* call, const wchar_t* text);

    template <class Slot>
    void Install()
    {
        static_assert(Slot::kIndex < kMaxSlots, "slot table too short");
        m_table[Slot::kIndex] = reinterpret_cast<void*>(&Thunk<Slot>::Method);
    }

    explicit SlotFake(const std::vector<IID>& iids);
    HRESULT Answer(const Call& call);

    static HRESULT STDMETHODCALLTYPE QueryInterfaceThunk(IUnknown* self, REFIID iid, void** out);
    static ULONG STDMETHODCALLTYPE AddRefThunk(IUnknown* self);
    static ULONG STDMETHODCALLTYPE ReleaseThunk(IUnknown* self);

    // The object as COM sees it: its first member points to its table.
    void* const* m_vtbl;
    void* m_table[kMaxSlots];
    volatile LONG m_cRef;
    std::vector<IID> m_iids;
    std::vector<Call> m_calls;
    std::map<int, HRESULT> m_results;
    std::map<int, Handler> m_handlers;
};
