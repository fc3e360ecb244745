#include "tests/support/TestClassObject.h"

TestClassObject::TestClassObject(const CLSID& clsid, IBaseFilter* filter) : m_filter(filter), m_cookie(0)
{
    if (FAILED(CoRegisterClassObject(clsid, static_cast<IClassFactory*>(this), CLSCTX_INPROC_SERVER,
                                     REGCLS_MULTIPLEUSE, &m_cookie)))
        m_cookie = 0;
}

TestClassObject::~TestClassObject()
{
    if (m_cookie)
        CoRevokeClassObject(m_cookie);
}

STDMETHODIMP TestClassObject::QueryInterface(REFIID riid, void** ppv)
{
    using Row = ComInterface<TestClassObject>;
    static constexpr Row kRows[] = {
        Row::Via<IClassFactory>(IID_IUnknown),
        Row::Via<IClassFactory>(IID_IClassFactory),
    };
    return QueryInterfaceTable(this, kRows, riid, ppv);
}

STDMETHODIMP TestClassObject::CreateInstance(IUnknown* outer, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = NULL;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return m_filter ? m_filter->QueryInterface(riid, ppv) : E_UNEXPECTED;
}
