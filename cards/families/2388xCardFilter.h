// The CX2388x cards: C2388xCardFilter holds what the five card classes
// share (CardType 3, the access object bound to the driver's separate tuner
// filter, found by its FriendlyName, the audio switch on GPIO bits 12-14);
// C23881CardFilter is the card without an on-card controller, its keys on
// GPIO bits 0-8. The controller cards are in 23881BootCardFilter.h. Each
// card's crossbar is wired video S-Video 0, tuner 1, composite 2, audio
// tuner 4, composite 5, S-Video 6. Owned by the graph's list; UI thread,
// ReadRemoteKey on the remote thread.
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"

class C2388xCardFilter : public CTVCardFilter
{
public:
    static constexpr int kCardType = 3;

    using CTVCardFilter::CTVCardFilter;
    ~C2388xCardFilter() override { Close(); }

    void SetDefaults() override;
    // Mutes (bits 12-13 high) or selects input 0, 1 or 2 on bits 12-13 of
    // the pins as read, and writes them back on bits 12-14; any other input
    // writes the pins back unchanged. A failed read writes nothing.
    HRESULT SelectAudioInput(int input, BOOL on) override;
    HRESULT OpenAccess() override;

protected:
    // FriendlyName of the driver's tuner filter, the one the access binds.
    virtual const char* TunerDevice() const = 0;
    virtual CCustomDataAccess* MakeAccess() const;
};

class C23881CardFilter : public C2388xCardFilter
{
public:
    using C2388xCardFilter::C2388xCardFilter;
    ~C23881CardFilter() override { Close(); }

    BOOL ReadRemoteKey(BYTE* key) override;
    DWORD GetRemoteKeyPause() const override { return 0; }

protected:
    const char* TunerDevice() const override { return "Conexant 2388x Tuner"; }
    CCustomDataAccess* MakeAccess() const override;
};

class C23881CrossBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
    void SetPinMap() override;
};

class C23881BootCrossBarFilter : public C23881CrossBarFilter
{
public:
    using C23881CrossBarFilter::C23881CrossBarFilter;
};

class C23881ImberCrossBarFilter : public C23881CrossBarFilter
{
public:
    using C23881CrossBarFilter::C23881CrossBarFilter;
};

class CArvelCrossBarFilter : public C23881CrossBarFilter
{
public:
    using C23881CrossBarFilter::C23881CrossBarFilter;
};

class CTV2388xCrossBarFilter : public C23881CrossBarFilter
{
public:
    using C23881CrossBarFilter::C23881CrossBarFilter;
};

// The filter-creator records of the five cards and their crossbars, by
// device name. Start-up registers them once; UI thread.
void Register2388xFilters();
// For tests that take the records out again.
void Unregister2388xFilters();
