// The maker's older PCI card and four other makers' cards, Bt878 or SAA713x
// designs opened by the base rule (Bt878: CardType 1, else the common
// property set: CardType 2). COldBaseCardFilter adds the family's remote
// receiver on GPIO bits 0-8, a tuner looked for at 0xC0-0xC8 only, and a
// 140 ms poll (not on the Joravan card). The crossbars keep the base pin
// map. Owned by the graph's list; UI thread, ReadRemoteKey on the remote
// thread.
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"

class COldBaseCardFilter : public CTVCardFilter
{
public:
    using CTVCardFilter::CTVCardFilter;
    ~COldBaseCardFilter() override { Close(); }

    void SetDefaults() override;
    // One sample, no hold: bit 8 high is no key, and so is a failed read.
    // On a Bt878 card every read also writes the sample back with bits 0-8
    // set and no pin driven.
    BOOL ReadRemoteKey(BYTE* key) override;
    DWORD GetRemoteKeyPause() const override { return 0; }
    // The first tuner write address of 0xC0, 0xC2 ... 0xC8 that answers;
    // the tuner keeps its own when none does.
    void ScanI2C(CTVTuner* tuner) override;
};

class COldBaseCrossBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
};

class COldCardFilter : public COldBaseCardFilter
{
public:
    using COldBaseCardFilter::COldBaseCardFilter;
    ~COldCardFilter() override { Close(); }
};

class COldCrossBarFilter : public COldBaseCrossBarFilter
{
public:
    using COldBaseCrossBarFilter::COldBaseCrossBarFilter;
};

class CKaitongCardFilter : public COldBaseCardFilter
{
public:
    using COldBaseCardFilter::COldBaseCardFilter;
    ~CKaitongCardFilter() override { Close(); }
};

class CKaitongCrossBarFilter : public COldBaseCrossBarFilter
{
public:
    using COldBaseCrossBarFilter::COldBaseCrossBarFilter;
};

class CBoserCardFilter : public COldBaseCardFilter
{
public:
    using COldBaseCardFilter::COldBaseCardFilter;
    ~CBoserCardFilter() override { Close(); }
};

class CBoserCrossbarFilter : public COldBaseCrossBarFilter
{
public:
    using COldBaseCrossBarFilter::COldBaseCrossBarFilter;
};

class CReWellTVCardFilter : public COldBaseCardFilter
{
public:
    using COldBaseCardFilter::COldBaseCardFilter;
    ~CReWellTVCardFilter() override { Close(); }
};

class CReWellCrossBarFilter : public COldBaseCrossBarFilter
{
public:
    using COldBaseCrossBarFilter::COldBaseCrossBarFilter;
};

class CJoravanCardFilter : public COldBaseCardFilter
{
public:
    using COldBaseCardFilter::COldBaseCardFilter;
    ~CJoravanCardFilter() override { Close(); }
    // Its receiver keeps the card filter's default poll interval.
    void SetDefaults() override {}
};

class CJoravanCrossbarFilter : public COldBaseCrossBarFilter
{
public:
    using COldBaseCrossBarFilter::COldBaseCrossBarFilter;
};

// The filter-creator records of the older family's five cards and of the
// two other makers' cards (TvavCardFilter.h), with their crossbars, by
// device name. Start-up registers them once; UI thread.
void RegisterOldCardFilters();
// For tests that take the records out again.
void UnregisterOldCardFilters();
