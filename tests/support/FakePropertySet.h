// The IUnknown half of the test fakes of a driver's IKsPropertySet: a
// stack object that answers IUnknown and IKsPropertySet and keeps a real
// reference count, which tests watch but which never deletes it.
#pragma once
#include "graph/ComObject.h"

#include <windows.h>
#include <strmif.h>

class FakePropertySet : public ComCounted<IKsPropertySet>
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        using Row = ComInterface<FakePropertySet>;
        static constexpr Row kRows[] = {
            Row::Via<IKsPropertySet>(IID_IUnknown),
            Row::Via<IKsPropertySet>(IID_IKsPropertySet),
        };
        return QueryInterfaceTable(this, kRows, riid, ppv);
    }

    ULONG RefCount() const { return Refs(); }
};
