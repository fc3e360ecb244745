// Test rig for the tuner layer: a simulated card behind the common property
// set, its access object, and a card-filter stand-in that answers the
// tuner's upward calls from the card. Build on the test's thread.
#pragma once
#include "hw/access/TV_IOAccess.h"
#include "hw/tuners/TVTuner.h"
#include "tests/support/FakeKsPropertySet.h"

#include <gtest/gtest.h>

class FakeTunerOwner : public ITunerOwner
{
public:
    explicit FakeTunerOwner(virtualcard::CardModel* card) : m_card(card) {}

    HRESULT IsSignalLocked(long* locked) override
    {
        InterlockedIncrement(&lockQueries);
        if (lockResult != S_OK)
            return lockResult;
        *locked = m_card->SignalLocked() ? 1 : 0;
        return S_OK;
    }
    int GetCardType() override { return cardType; }
    void PauseRemote() override { InterlockedIncrement(&pauseCalls); }
    void ResumeRemote() override { InterlockedIncrement(&resumeCalls); }

    volatile LONG lockQueries = 0;
    volatile LONG pauseCalls = 0;
    volatile LONG resumeCalls = 0;
    HRESULT lockResult = S_OK;
    int cardType = 2;

private:
    virtualcard::CardModel* m_card;
};

struct SimulatedCard
{
    explicit SimulatedCard(const virtualcard::PllConfig& pll = virtualcard::PllConfig())
        : card(pll), set(&card), owner(&card)
    {
        EXPECT_EQ(S_OK, access.Attach(&set, 0));
    }

    // The PLL messages the tuner address received, bytes after the address.
    std::vector<std::vector<uint8_t>> TunerWrites() const
    {
        std::vector<std::vector<uint8_t>> out;
        for (const auto& t : card.I2CRecord(0xC0)) {
            if (t.kind == virtualcard::Transaction::I2CWrite)
                out.push_back(t.bytes);
        }
        return out;
    }

    virtualcard::CardModel card;
    FakeKsPropertySet set;
    CTV_IOAccess access;
    FakeTunerOwner owner;
};
