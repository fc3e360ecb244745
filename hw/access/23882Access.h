// C23882Access: chip access of the CX23882 MPEG encoder card, whose driver
// answers its own property set with the CX2388x request layout. No
// system-wide lock: the GPIO requests take the object's critical section,
// the I2C and control requests rely on their caller. Owned by the card
// filter and shared with its tuner; any of the card's threads may call.
#pragma once
#include "hw/access/2388xAccess.h"

class C23882Access : public C2388xRequestAccess
{
public:
    C23882Access();

    // Binds the filter as every CX2388x access does, then asks the driver
    // whether it carries the board id of this set: that answer is the result.
    HRESULT Attach(IUnknown* filter, DWORD reserved) override;

protected:
    BOOL BeginRequest(bool gpio) override;
    void EndRequest(bool gpio) override;
};
