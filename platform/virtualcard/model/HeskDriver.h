// HeskDriver: the driver side of the Hesk BDA driver's three property sets
// (I2C transfers, chip registers, the remote-control byte), answered from
// a simulated card. The virtual card's BDA capture filter and the test
// fake both hand their IKsPropertySet calls here. Checks every length and
// pointer the caller sends. No state of its own; the card's lock guards
// each call.
#pragma once
#include "platform/virtualcard/model/CardModel.h"

#include <windows.h>

namespace virtualcard {

class HeskDriver
{
public:
    explicit HeskDriver(CardModel* card) : m_card(card) {}

    HRESULT Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                DWORD dataLength, DWORD* returned);
    HRESULT Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                DWORD dataLength);
    HRESULT QuerySupported(REFGUID set, DWORD id, DWORD* support);

    // Whether `set` is one of the three.
    static bool Carries(REFGUID set);

private:
    HRESULT ReadI2C(const void* instance, DWORD instanceLength, DWORD dataLength);
    HRESULT WriteI2C(const void* instance, DWORD instanceLength, const void* data, DWORD dataLength);

    CardModel* m_card;  // the owner's; outlives us
};

} // namespace virtualcard
