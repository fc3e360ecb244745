// The tuner modules whose behaviour goes beyond their row of the module
// table (each a thin CModuleTuner), and the factory that makes the tuner
// object of a tuner type code. Created by the card filter on the UI thread.
#pragma once
#include "hw/tuners/ModuleTuner.h"

// The tuner object for a card's tuner type code, or NULL when no module
// carries that code. The caller owns it and sets its owner.
CTVTuner* CreateTunerModule(int type, CCustomDataAccess* access);

// A demodulator set-up with a standard byte of its own at 0xB6; an encoder
// card family selects the standard by index.
class CPANOSONIC_ENGE4326D : public CModuleTuner
{
public:
    explicit CPANOSONIC_ENGE4326D(CCustomDataAccess* access);
    BOOL SetStandard(DWORD standard) override;
    BOOL SelectStandardByte(int index);
    BOOL SetStandardIndex(int index);
    int m_nStandardIndex;
};

// The Philips 1216's radio: the tuner and its IF demodulator at 0x86 set up
// for FM, then the station on a 50 kHz divider with `control` and `band`.
// 1 when every message was taken.
BOOL TunePhilipsRadio(CCustomDataAccess* access, BYTE address, float kHz, BYTE control, BYTE band);

// FM through the demodulator, on a 50 kHz divider.
class CPhilips1216 : public CModuleTuner
{
public:
    explicit CPhilips1216(CCustomDataAccess* access);
    BOOL SetFMFrequency(float kHz) override;
};

// Tuned test on a register of its own; can take another module's
// description (the USB bridge cards fit several modules behind it).
class CFQ1216ME_5 : public CModuleTuner
{
public:
    explicit CFQ1216ME_5(CCustomDataAccess* access);
    BOOL IsTVTuned() override;
    void CopyModuleTable(const CTVTuner& source);
    BYTE m_byStatusRegAddr;  // I2C address of the register read by IsTVTuned
    int m_bFlag;
};

// Demodulator bytes and IF by standard.
class CTNJ8355CF : public CModuleTuner
{
public:
    explicit CTNJ8355CF(CCustomDataAccess* access);
    BOOL SetStandard(DWORD standard) override;
};

// FM followed by two messages to the radio decoder at 0x40.
class CTNF9835DIFF : public CModuleTuner
{
public:
    explicit CTNF9835DIFF(CCustomDataAccess* access);
    BOOL SetFMFrequency(float kHz) override;
    // The decoder's 16-bit word: (station + FM IF) in 62.5 kHz steps.
    static WORD RadioWord(float kHz);
};

// A second FM section on a 32.768 kHz reference, used when m_nFMMode is set.
class CTNF9535BDF : public CModuleTuner
{
public:
    explicit CTNF9535BDF(CCustomDataAccess* access);
    BOOL SetFMFrequency(float kHz) override;
    BOOL GetFMStatus(DWORD* status) override;
};
