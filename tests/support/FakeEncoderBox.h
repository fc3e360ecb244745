// A fake of the USB encoder boxes' driver: the IKsPropertySet of the box's
// capture filter over the simulated card. Property 20 of the encoder set
// is decoded onto the card's I2C bus by a table of transfer modes (how
// many sub-address and value bytes each sends, high byte first, or reads);
// every other property of the encoder set keeps the bytes last written
// and answers them (zeros before), with the version text and any value a
// test puts in; the upload set keeps the image record. QuerySupported
// says Get and Set for every property unless a test withdraws one.
// Records every call; failures per property can be arranged. Tests own it
// on the stack; any thread.
#pragma once
#include "platform/virtualcard/model/CardModel.h"
#include "tests/support/FailureSchedule.h"
#include "tests/support/FakePropertySet.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

class FakeEncoderBox : public FakePropertySet
{
public:
    explicit FakeEncoderBox(virtualcard::CardModel* card);

    STDMETHODIMP Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                     DWORD dataLength) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                     DWORD dataLength, DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

    struct Call
    {
        bool upload;  // the upload set, else the encoder set
        DWORD id;
        bool get;
        std::vector<BYTE> instance;
        std::vector<BYTE> data;  // as sent (a Set) or as answered (a Get)
    };
    std::vector<Call> Calls() const;
    // The ids of the encoder-set calls, Gets or Sets, in order.
    std::vector<DWORD> Ids(bool get) const;
    // The I2C transfers as "G|S device mode sub value", in hex.
    std::vector<std::string> I2CTransfers() const;
    void ClearCalls();

    // The bytes a property answers (and keeps) from now on.
    void SetValue(DWORD id, const std::vector<BYTE>& bytes);
    void SetWord(DWORD id, DWORD value);
    std::vector<BYTE> Value(DWORD id) const;
    // The version text, `bytes` of it at most 20 (not ended when 20).
    void SetVersion(const std::string& text);
    // Every later version read answers these texts, one per read, the
    // last one for good.
    void SetVersions(const std::vector<std::string>& texts);
    std::vector<BYTE> UploadedImage() const;
    int Uploads() const;

    // What QuerySupported says of an encoder-set property from now on.
    void SetSupport(DWORD id, DWORD support);
    void SetUploadSupport(DWORD support);
    void FailProperty(DWORD id, HRESULT hr, int after = 0, int times = -1);

private:
    HRESULT PerformI2C(bool get, const BYTE* instance, DWORD* value);
    std::vector<BYTE> NextVersion();

    virtualcard::CardModel* m_card;  // the test's; outlives us
    mutable std::mutex m_lock;
    std::vector<Call> m_calls;
    FailureSchedule m_failures;
    std::map<DWORD, DWORD> m_support;  // ids not listed: Get and Set
    DWORD m_uploadSupport;
    std::map<DWORD, std::vector<BYTE>> m_values;
    std::vector<std::string> m_versions;
    std::vector<BYTE> m_image;
    int m_uploads = 0;
};
