// CBrennCardFilter ("713x_3 TV Card Capture") and CCadroCardFilter ("713x_4
// TV Card Capture"): SAA713x cards with an on-card controller on the base
// wiring (power-on timer included) and a separate tuner device
// ("PhTVTune"). They differ only in the CardType they store. Owned by the
// graph's list; UI thread, ReadRemoteKey on the remote thread.
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"

class CBrennCardFilter : public CTVCardFilter
{
public:
    using CTVCardFilter::CTVCardFilter;
    ~CBrennCardFilter() override { Close(); }

    BOOL Init() override;
    int SetTunerMode(int) override { return 0; }
    // The base reader without its pause after a key.
    DWORD GetRemoteKeyPause() const override { return 0; }
    HRESULT OpenAccess() override;

    // The driver's TV tuner interface, found downstream of the tuner
    // device; no caller in this program.
    HRESULT FindTunerInterface();
    // A bounded wait for a GPIO pattern (500 ms); no caller in this program.
    BOOL WaitGpioPattern(DWORD* out, DWORD mask, DWORD value);

protected:
    BOOL HasPowerOnTimer() const override { return TRUE; }
    virtual int CardType() const { return 2; }

    IAMTVTuner* m_pTunerControl = nullptr;  // not counted: m_pTVTuner holds its filter
};

class CBrennCrossBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
};

class CCadroCardFilter : public CBrennCardFilter
{
public:
    using CBrennCardFilter::CBrennCardFilter;
    ~CCadroCardFilter() override { Close(); }

protected:
    int CardType() const override { return 21; }
};

class CCadroCrossBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
};
