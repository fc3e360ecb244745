// A fake IKsPropertySet of the Trident and Fenmo drivers' USB request
// tunnel over the simulated card: each Set's setup packet is decoded into
// the card's I2C, register and GPIO operations, and the Get after it hands
// back the reply. Bridge GPIO ports 1 and 3 are the card's GPIO bits 0-7
// and 8-15. Records every request; failures, short or overlong replies, a
// box whose short I2C request misses its sub-address and a request held in
// flight can be arranged. Tests own it on the stack; any thread.
#pragma once
#include "hw/access/UsbTunnelWire.h"
#include "platform/virtualcard/model/CardModel.h"
#include "tests/support/FailureSchedule.h"
#include "tests/support/FakePropertySet.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <vector>

class FakeUsbTunnel : public FakePropertySet
{
public:
    explicit FakeUsbTunnel(virtualcard::CardModel* card);

    // IKsPropertySet
    STDMETHODIMP Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                     DWORD dataLength) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                     DWORD dataLength, DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

    // The card's GPIO bit behind a bridge line (0-7).
    static uint32_t LinePin(DWORD line);

    struct Request
    {
        UsbSetupPacket setup;
        std::vector<BYTE> data;  // the bytes after the setup packet
    };
    std::vector<Request> Requests() const;
    void ClearRequests();

    // Later Sets (or Gets) answer `hr` after `after` good ones, `times`
    // times (-1: for good); S_OK clears.
    void FailSet(HRESULT hr, int after = 0, int times = -1);
    void FailGet(HRESULT hr, int after = 0, int times = -1);
    // The same for the Sets of request `code` only.
    void FailRequest(BYTE code, HRESULT hr, int after = 0, int times = -1);
    // The reply length the driver reports, whatever it read; -1: the truth.
    void ReportReplyLength(long length);
    // Short I2C requests (14) reach this sub-address whatever they ask for;
    // -1: the one asked for.
    void ShortRequestsReach(int sub);
    // Replies of the requests the card has no part for (5, 12, 17).
    void SetCannedReply(BYTE code, const std::vector<BYTE>& reply);

    // Holds the next request inside its Set until ReleaseHeld; WaitHeld
    // returns once a request is held (false after `ms`).
    void HoldNextRequest();
    bool WaitHeld(DWORD ms);
    void ReleaseHeld();
    // The reference count seen while the held request was in flight.
    ULONG RefsWhileHeld() const { return static_cast<ULONG>(m_refsWhileHeld); }

private:
    HRESULT Check(REFGUID set, DWORD id, const void* instance, DWORD instanceLength,
                  const void* data, DWORD dataLength) const;
    void Arrange(int key, HRESULT hr, int after, int times);
    HRESULT Perform(const Request& request, std::vector<BYTE>* reply);
    HRESULT PerformIn(const UsbSetupPacket& setup, std::vector<BYTE>* reply);
    HRESULT PerformOut(const UsbSetupPacket& setup, const std::vector<BYTE>& data);
    void HoldIfAsked();

    virtualcard::CardModel* m_card;  // the test's; outlives us
    mutable std::mutex m_lock;
    std::vector<Request> m_requests;
    std::vector<BYTE> m_reply;       // of the last Set, for the next Get
    FailureSchedule m_failures;  // key: -1 any Set, -2 any Get, else a request code
    long m_reportedLength = -1;
    int m_shortSub = -1;
    std::map<BYTE, std::vector<BYTE>> m_canned;

    std::condition_variable m_heldChanged;
    bool m_holdNext = false;
    bool m_holding = false;
    volatile LONG m_refsWhileHeld = 0;
};
