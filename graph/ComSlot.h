// ComSlot<Index, Signature>: one method of an outside filter's private COM
// interface, known only by its place in the interface's method table (0 to
// 2 being QueryInterface, AddRef and Release) and by the exact types of its
// arguments. The types matter: on the 32-bit build the callee pops its own
// arguments (stdcall), so a wrong type unbalances the caller's stack.
// A table of slots is a namespace of ComSlot typedefs, one per method the
// program calls; StackWords lets that table state, at compile time and for
// each build, how many stack words each call passes.
// Same threading as the interface called.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <cstddef>

namespace zunk {

// Stack words one argument of type T takes: a word is a pointer wide, and a
// wider argument (a 64-bit integer or a double on the 32-bit build) takes two.
template <class T>
constexpr size_t ArgWords()
{
    return (sizeof(T) + sizeof(void*) - 1) / sizeof(void*);
}

template <int Index, class Signature>
struct ComSlot;

template <int Index, class... Args>
struct ComSlot<Index, HRESULT(Args...)>
{
    static_assert(Index >= 3, "slots 0 to 2 are IUnknown's");
    static constexpr int kIndex = Index;
    typedef HRESULT(STDMETHODCALLTYPE* Method)(IUnknown* self, Args... args);

    // Stack words of one call: the object and every argument.
    static constexpr size_t StackWords() { return 1 + (ArgWords<Args>() + ... + 0); }

    // Calls the method in place Index of the object's table. The caller
    // holds a reference to object.
    static HRESULT Call(IUnknown* object, Args... args)
    {
        Method method = reinterpret_cast<Method>((*reinterpret_cast<void* const* const*>(object))[Index]);
        return method(object, args...);
    }
};

// The stack words a slot table states: n32 on the 32-bit build, n64 on the
// 64-bit build (where every argument of up to 8 bytes takes one word).
constexpr size_t PerBuild(size_t n32, size_t n64)
{
    return sizeof(void*) == 4 ? n32 : n64;
}

} // namespace zunk
