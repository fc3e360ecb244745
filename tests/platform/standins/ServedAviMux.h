// While it lives, this process's AVI Mux is the stand-ins' multiplexer, as
// the run command's prefix has it for every process (Wine's takes no sound):
// a test that records the program's AVI graph with the card's sound holds
// one. Header only; made and destroyed on the thread that creates the
// filters (COM initialised; the class is served to that apartment).
#pragma once
#include "graph/ComPtr.h"
#include "platform/standins/AviMuxStandin.h"

#include <objbase.h>
#include <uuids.h>

class ServedAviMux
{
public:
    ServedAviMux()
    {
        ComPtr<IClassFactory> factory;
        if (SUCCEEDED(CoGetClassObject(standins::CLSID_AviMuxStandin, CLSCTX_INPROC_SERVER, NULL,
                                       IID_IClassFactory, factory.ReceiveVoid())) &&
            FAILED(CoRegisterClassObject(CLSID_AviDest, factory.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                         &m_cookie)))
            m_cookie = 0;
    }
    ~ServedAviMux()
    {
        if (m_cookie)
            CoRevokeClassObject(m_cookie);
    }
    // False when the stand-ins are not registered in this prefix.
    bool Served() const { return m_cookie != 0; }

private:
    DWORD m_cookie = 0;
    ServedAviMux(const ServedAviMux&) = delete;
    ServedAviMux& operator=(const ServedAviMux&) = delete;
};
