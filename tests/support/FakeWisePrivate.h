// The WIS box driver's private interface over the simulated card: register
// reads and writes (8- or 16-bit sub-addresses), block writes and the
// request method, each recorded with its arguments and carried to the
// card's I2C bus. A read at sub-address 0 of an odd (read) address is a
// plain byte read, as a tuner's status is read. Counted, never deleted:
// a stack object of the test. Test thread.
#pragma once
#include "graph/ComObject.h"
#include "hw/access/WiseAccess.h"
#include "platform/virtualcard/model/CardModel.h"

#include <vector>

class FakeWisePrivate : public ComCounted<IWisePrivate>
{
public:
    struct Call
    {
        int slot;
        std::vector<DWORD> args;   // as passed; pointers left out
        std::vector<BYTE> bytes;   // a block write's data, a request's record
    };

    explicit FakeWisePrivate(virtualcard::CardModel* card) : m_card(card) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP Reserved3() override { return E_NOTIMPL; }
    STDMETHODIMP Reserved4() override { return E_NOTIMPL; }
    STDMETHODIMP Reserved5() override { return E_NOTIMPL; }
    STDMETHODIMP Reserved6() override { return E_NOTIMPL; }
    STDMETHODIMP WriteRegister(DWORD device, DWORD width, DWORD sub, DWORD value, DWORD flags) override;
    STDMETHODIMP ReadRegister(DWORD device, DWORD width, DWORD sub, BYTE* value, DWORD flags) override;
    STDMETHODIMP WriteBlock(DWORD device, DWORD width, DWORD sub, DWORD count, const BYTE* bytes,
                            DWORD flags) override;
    STDMETHODIMP Reserved10() override { return E_NOTIMPL; }
    STDMETHODIMP Reserved11() override { return E_NOTIMPL; }
    STDMETHODIMP Reserved12() override { return E_NOTIMPL; }
    STDMETHODIMP Reserved13() override { return E_NOTIMPL; }
    STDMETHODIMP Reserved14() override { return E_NOTIMPL; }
    STDMETHODIMP Request(DWORD kind, WisePrivateRecord* record, DWORD count, WiseValuePair* pair,
                         DWORD size) override;

    const std::vector<Call>& Calls() const { return m_calls; }
    void ClearCalls() { m_calls.clear(); }

private:
    virtualcard::CardModel* m_card;
    std::vector<Call> m_calls;
};
