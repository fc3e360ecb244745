// CPhilipsTDA8275A: the tuner of cards with a TDA8275A silicon tuner behind
// a TDA8290 demodulator (tuner type 95). Tuning programs the demodulator
// for the current standard and the tuner in two passes through the
// demodulator's I2C gate. Owned by the card filter; called from the UI and
// search threads (a tuning takes about 0.9 s of waits).
#pragma once
#include "hw/tuners/TDA8275A.h"
#include "hw/tuners/TVTuner.h"

class CPhilipsTDA8275A : public CTVTuner
{
public:
    // Register reads and writes over the card's access object, each tried
    // up to three times.
    class CRegAccess : public CI2CAccess
    {
    public:
        explicit CRegAccess(CCustomDataAccess* access) : m_pAccess(access) {}
        BOOL WriteRegister(BYTE device, BYTE reg, BYTE value) override;
        BOOL ReadRegister(BYTE device, BYTE reg, BYTE* value) override;
        BOOL WriteBlock(BYTE device, const BYTE* data, DWORD length) override;
        static const int kTries = 3;

    private:
        CCustomDataAccess* m_pAccess;  // the card's; not owned
    };

    explicit CPhilipsTDA8275A(CCustomDataAccess* access);
    // A search must be stopped before the register adapter and tuner parts
    // go: they are what its tuning calls run on.
    ~CPhilipsTDA8275A() override { EndSearches(); }

    BOOL SetTVFrequency(float kHz) override;
    BOOL GetTVStatus(DWORD* status) override;
    BOOL SetStandard(DWORD standard) override;

    CTDA8275A& Tuner() { return m_tuner; }

    // Register access through the block transfers: a one-byte read with the
    // buffer {device, register, value}, a three-byte write of the same.
    BOOL ReadRegisterBlock(BYTE device, BYTE reg, BYTE* value);
    BOOL WriteRegisterBlock(BYTE device, BYTE reg, BYTE value);
    BOOL SetRegisterBit(BYTE device, BYTE reg, int bit, BOOL on);
    BOOL TestRegisterBit(BYTE device, BYTE reg, int bit, DWORD* out);
    BOOL ReadDemodulatorRegister1(BYTE* value);
    BOOL ReadTunerStatus(BYTE* value);

private:
    CRegAccess m_regAccess;
    CCustomDataAccess* m_pDataAccess;  // not owned
    CTDA8275A m_tuner;
};
