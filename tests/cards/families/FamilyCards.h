// Helpers of the card family tests: a simulated card behind the common
// property set, the checks of an opened card and of a crossbar with the
// base pin map, and the probe of which class closes a card (CloseProbe.h).
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"
#include "graph/Clock.h"
#include "platform/virtualcard/model/McuController.h"
#include "tests/cards/CardByName.h"
#include "tests/cards/CloseProbe.h"
#include "tests/cards/FakeCaptureFilter.h"

#include <gtest/gtest.h>
#include <ks.h>
#include <ksmedia.h>

#include <memory>
#include <typeinfo>
#include <vector>

// An SAA713x-type card whose WDM driver answers the common property set
// from the simulated card, with a controller on the given wiring; time on
// the test's fake clock.
struct SimulatedCommonSetCard
{
    virtualcard::CardModel model;
    FakeKsPropertySet set{&model};
    FakeCaptureFilter capture{&set, &model};
    std::shared_ptr<virtualcard::McuController> mcu;

    explicit SimulatedCommonSetCard(const virtualcard::McuPins& pins = virtualcard::McuPins::kLowByteBoard)
        : mcu(std::make_shared<virtualcard::McuController>(pins))
    {
        model.SetTickSource([] { return static_cast<uint32_t>(zunk::GetTickCount()); });
        model.AttachGpioDevice(mcu);
    }
    // Pin words written through the GPIO status register, in order.
    std::vector<DWORD> PinWords() const
    {
        std::vector<DWORD> out;
        for (const auto& t : model.Record()) {
            if (t.kind == virtualcard::Transaction::RegisterWrite &&
                t.address == virtualcard::CardModel::kGpioStatus)
                out.push_back(t.value);
        }
        return out;
    }
};

// A card made for its name is a `cardClass`, open, with an access object
// of `accessClass`, and the card type and tuner type given.
inline void ExpectOpenedAs(CTVCardFilter* card, const std::type_info& cardClass,
                           const std::type_info& accessClass, int cardType, int tunerType)
{
    ASSERT_NE(nullptr, card);
    EXPECT_EQ(cardClass, typeid(*card));
    EXPECT_TRUE(card->IsValid());
    ASSERT_NE(nullptr, card->GetAccess());
    EXPECT_EQ(accessClass, typeid(*card->GetAccess()));
    EXPECT_EQ(cardType, card->GetCardType());
    EXPECT_EQ(tunerType, card->GetTunerType());
}

// The crossbar made for `name` over a six-input fake is a `crossbarClass`
// with the base pin map (inputs 0-5 in order).
inline void ExpectBaseCrossbar(const char* name, const std::type_info& crossbarClass)
{
    SCOPED_TRACE(name);
    FakeCrossbarFilter fake(2, 6);
    std::unique_ptr<CCrossBarFilter> crossbar = MakeCardByName<CCrossBarFilter>(name, &fake, NULL, AM_KSCATEGORY_CROSSBAR);
    ASSERT_NE(nullptr, crossbar);
    EXPECT_EQ(crossbarClass, typeid(*crossbar));
    for (int input = 0; input < CCrossBarFilter::kInputCount; ++input)
        EXPECT_EQ(input, crossbar->GetPinMapEntry(input));
}
