// A fake IKsPropertySet that answers the maker's common property set (or
// another set with its layout) from a simulated card
// (virtualcard::CardModel), byte for byte in the driver's wire format.
// Tests hand it to an access object's Attach as the capture filter.
// Failures can be injected per property id. Any thread.
#pragma once
#include "platform/virtualcard/model/CardModel.h"
#include "tests/support/FakePropertySet.h"

#include <map>
#include <mutex>
#include <vector>

class FakeKsPropertySet : public FakePropertySet
{
public:
    // setId: the property set answered; every other set is unsupported.
    explicit FakeKsPropertySet(virtualcard::CardModel* card, const GUID* setId = NULL);

    // IKsPropertySet
    STDMETHODIMP Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                     void* data, DWORD dataLength) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                     void* data, DWORD dataLength, DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

    // Every later call of property `id` returns `hr` (S_OK clears); `after`
    // calls of it succeed first.
    void FailProperty(DWORD id, HRESULT hr, int after = 0);

    struct Call
    {
        DWORD id;
        bool get;
        DWORD instanceLength;
        DWORD dataLength;
        std::vector<BYTE> request;  // the payload as sent (bytes from 24)
    };
    std::vector<Call> Calls() const;
    void ClearCalls();

private:
    HRESULT Injected(DWORD id);
    HRESULT Check(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                  DWORD dataLength, bool get);

    virtualcard::CardModel* m_card;  // the test's; outlives us
    GUID m_setId;
    mutable std::mutex m_lock;
    std::vector<Call> m_calls;
    struct Failure
    {
        HRESULT hr;
        int after;
    };
    std::map<DWORD, Failure> m_failures;
};
