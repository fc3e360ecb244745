// A class object registered in this process for a test class id: every
// object creation of that id in this apartment, a device moniker's binding
// included, hands out the one filter given. Together with a TestDevice of
// the same id it puts a fake driver filter behind a device name. Revoked
// when it goes. Test thread only.
#pragma once
#include "graph/ComObject.h"

#include <windows.h>
#include <objbase.h>
#include <strmif.h>

class TestClassObject : public ComCounted<IClassFactory>
{
public:
    TestClassObject(const CLSID& clsid, IBaseFilter* filter);
    ~TestClassObject() override;

    bool Ok() const { return m_cookie != 0; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    IBaseFilter* m_filter;  // the test's; outlives us
    DWORD m_cookie;
};
