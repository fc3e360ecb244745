// A fake of the Raptor encoder card driver's IKsPropertySet over the
// simulated card, decoding the wire records of hw/access/RaptorWire.h:
// an I2C start record writes its data bytes to the device (a device
// address with the read bit starts a read and writes nothing); a fetch
// reads `count` bytes; a combined record does both; the GPIO register
// quartet drives the card's GPIO pins, each register reading its half of
// the pins in its low 16 bits. Other registers, the bulk buffers, the
// status block and the two one-value sets keep what was written. Each
// property answers QuerySupported with the calls the driver offers, which
// a test can withdraw. Records every call; failures per property can be
// arranged. Tests own it on the stack; any thread.
#pragma once
#include "platform/virtualcard/model/CardModel.h"
#include "tests/support/FailureSchedule.h"
#include "tests/support/FakePropertySet.h"

#include <map>
#include <mutex>
#include <vector>

class FakeRaptorDriver : public FakePropertySet
{
public:
    explicit FakeRaptorDriver(virtualcard::CardModel* card);

    STDMETHODIMP Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                     DWORD dataLength) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                     DWORD dataLength, DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

    struct Call
    {
        GUID set;
        DWORD id;
        bool get;
        std::vector<BYTE> record;  // as it arrived
    };
    std::vector<Call> Calls() const;
    // The I2C records of the calls, as they arrived.
    std::vector<std::vector<BYTE>> I2CRecords() const;
    // {address, value} of the register writes, in order.
    std::vector<std::pair<DWORD, DWORD>> RegisterWrites() const;
    void ClearCalls();

    // What QuerySupported says of a property of the I2C set (ids 0-7)
    // from now on; answer: its result (S_OK when it answers).
    void SetSupport(DWORD id, DWORD support, HRESULT answer = S_OK);
    // Later calls of an I2C-set property answer `hr` after `after` good ones.
    void FailProperty(DWORD id, HRESULT hr, int after = 0, int times = -1);
    // Gets answer this many bytes fewer than asked.
    void ShortenReplies(DWORD missing) { m_missing = missing; }

private:
    HRESULT Record(REFGUID set, DWORD id, bool get, const void* data, DWORD length);
    HRESULT PerformI2C(DWORD id, BYTE* record, DWORD length);
    HRESULT PerformRegister(DWORD id, BYTE* record);
    DWORD ReadRegister(DWORD address) const;
    void WriteRegister(DWORD address, DWORD value);

    virtualcard::CardModel* m_card;  // the test's; outlives us
    mutable std::mutex m_lock;
    std::vector<Call> m_calls;
    FailureSchedule m_failures;
    std::map<DWORD, DWORD> m_support;
    std::map<DWORD, HRESULT> m_supportAnswer;
    std::map<DWORD, DWORD> m_registers;
    std::map<std::pair<int, DWORD>, std::vector<BYTE>> m_buffers;  // {set, id} -> last written
    DWORD m_missing = 0;
};
