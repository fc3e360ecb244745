// A chip wired to the simulated card's GPIO lines (an on-card controller):
// it sees every pin word the card writes and drives the lines the card
// leaves as inputs. Owned by CardModel once attached; every call arrives
// under the model's lock.
#pragma once
#include <cstdint>

namespace virtualcard {

class GpioDevice
{
public:
    virtual ~GpioDevice() {}
    // The card wrote its pin word: `levels` on the pins of `driven`.
    virtual void OnPinsWritten(uint32_t levels, uint32_t driven, uint32_t now) = 0;
    // The lines this device drives at `now` (return) and their levels.
    virtual uint32_t DrivenPins(uint32_t now, uint32_t* levels) const = 0;
};

} // namespace virtualcard
