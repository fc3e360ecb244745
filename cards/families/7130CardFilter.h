// C7130CardFilter: the SAA713x card under its WDM driver ("713x TV Card
// Capture"), the engine's second choice: the card filter base as it stands
// (access class by the driver's property sets, base remote reader and
// controller wiring). CTVGeniusFilter is the same card with a slower remote
// receiver. Owned by the graph's list; UI thread.
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"

class C7130CardFilter : public CTVCardFilter
{
public:
    using CTVCardFilter::CTVCardFilter;
    ~C7130CardFilter() override { Close(); }
};

class C7130CrossBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
};

class CTVGeniusFilter : public CTVCardFilter
{
public:
    using CTVCardFilter::CTVCardFilter;
    ~CTVGeniusFilter() override { Close(); }
    // Its receiver needs 140 ms between polls.
    void SetDefaults() override { m_nRemoteInterval = 140; }
};

class CTVGeniusCrossBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
};
