// CCadroxAccess: chip access of the Cadrox cards, whose driver speaks the
// common property set like CTV_IOAccess's but reports neither the decoder
// lock nor the auxiliary output through it. Owned by the card filter and
// shared with its tuner; any of the card's threads may call.
#pragma once
#include "hw/access/TV_IOAccess.h"

class CCadroxAccess : public CTV_IOAccess
{
public:
    // The Cadrox board wires neither function: these keep the answers of a
    // card family without them.
    HRESULT GetSignalPresent(DWORD* present) override;
    HRESULT SetAuxOutput(DWORD on) override;
};
