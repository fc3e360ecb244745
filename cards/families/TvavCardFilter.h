// CTvavCardFilter ("TV AV Capture") and CTFCardFilter ("TFTV Capture"):
// other makers' cards whose drivers the card filter base serves as it
// stands (access class by the driver's property sets, base remote reader
// and controller wiring), with base crossbars. Owned by the graph's list;
// UI thread.
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"

class CTvavCardFilter : public CTVCardFilter
{
public:
    using CTVCardFilter::CTVCardFilter;
    ~CTvavCardFilter() override { Close(); }
};

class CTvavCrossBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
};

class CTFCardFilter : public CTVCardFilter
{
public:
    using CTVCardFilter::CTVCardFilter;
    ~CTFCardFilter() override { Close(); }
};

class CTFCrossBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
};
