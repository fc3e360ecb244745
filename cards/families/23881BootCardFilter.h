// The CX2388x cards with an on-card controller on the GPIO lines: the boot
// card ("Conexant 2388x_1") and three cards with one behaviour under three
// names (C23881ImberCardFilter, CArvelCardFilter, CTV2388xCardFilter). The
// controller decodes the remote (a key stands on bits 16-23, tagged 0x600
// on bits 9-11, while held) and keeps the power-on timer, reached through
// the controller link on the CX2388x wiring. The audio switch and the
// timer writes hold "Mutex_Remote_Control", so no key read falls between
// their GPIO words. Owned by the graph's list; UI thread, ReadRemoteKey on
// the remote thread.
#pragma once
#include "cards/families/2388xCardFilter.h"

class C23881BootCardFilter : public C2388xCardFilter
{
public:
    using C2388xCardFilter::C2388xCardFilter;
    ~C23881BootCardFilter() override { Close(); }

    // A held key is sampled up to the hold limit and reported once.
    BOOL ReadRemoteKey(BYTE* key) override;
    DWORD GetRemoteKeyPause() const override { return 0; }
    // E_FAIL, with the pins untouched, when the mutex is not obtained.
    HRESULT SelectAudioInput(int input, BOOL on) override;
    // Go on without the mutex when another holder keeps it.
    BOOL SetOpenComputerTime(WORD minutes) override;
    BOOL EnableOpenComputer(BOOL on) override;

    // A controller byte to its GPIO lines (toGpio TRUE) or back.
    static DWORD MapDataByte(DWORD value, BOOL toGpio);
    // A bounded wait (500 ms) for a GPIO pattern; no caller in this program.
    BOOL WaitGpioPattern(DWORD* value, DWORD mask, DWORD pattern);

protected:
    const char* TunerDevice() const override { return "Conexant 2388x_1 Tuner"; }
    const McuWiring& GetMcuWiring() const override { return kMcuCx2388xWiring; }
    BOOL HasPowerOnTimer() const override { return TRUE; }
    virtual DWORD KeyHoldLimit() const { return 1000; }
};

class C23881ImberCardFilter : public C23881BootCardFilter
{
public:
    static constexpr LONG kDefaultKeyHoldLimit = 500;

    using C23881BootCardFilter::C23881BootCardFilter;
    ~C23881ImberCardFilter() override { Close(); }

    void SetDefaults() override;
    // ms below 1 changes nothing and is returned; otherwise the previous
    // limit. No caller in this program; any thread.
    LONG SetKeyHoldLimit(LONG ms);

protected:
    const char* TunerDevice() const override { return "Conexant 2388x_3 Tuner"; }
    DWORD KeyHoldLimit() const override { return static_cast<DWORD>(m_nKeyHoldLimit); }

    volatile LONG m_nKeyHoldLimit = kDefaultKeyHoldLimit;  // ms
};

class CArvelCardFilter : public C23881ImberCardFilter
{
public:
    using C23881ImberCardFilter::C23881ImberCardFilter;
    ~CArvelCardFilter() override { Close(); }

protected:
    const char* TunerDevice() const override { return "Arvel Tuner"; }
};

class CTV2388xCardFilter : public C23881ImberCardFilter
{
public:
    using C23881ImberCardFilter::C23881ImberCardFilter;
    ~CTV2388xCardFilter() override { Close(); }

protected:
    const char* TunerDevice() const override { return "2388x Tuner"; }
};
