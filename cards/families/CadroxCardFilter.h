// CCadroxCardFilter ("713x_D TV Card Capture"): an SAA713x card on its own
// access class (CCadroxAccess) with the IO controller wiring but no power-on
// timer and no remote receiver, and a text the card keeps on its I2C bus
// (ExtQuery). Owned by the graph's list; UI thread.
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"

class CCadroxCardFilter : public CTVCardFilter
{
public:
    using CTVCardFilter::CTVCardFilter;
    ~CCadroxCardFilter() override { Close(); }

    BOOL Init() override;
    BOOL ReadRemoteKey(BYTE*) override { return FALSE; }
    HRESULT OpenAccess() override;
    // text: room for *length bytes; on success the text, terminated, and
    // its length in *length.
    BOOL ExtQuery(char* text, unsigned* length) override;

protected:
    // The IO wiring, without a timer on it.
    const McuWiring& GetMcuWiring() const override { return kMcuIoWiring; }
};

class CCadroxCrossBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
};
