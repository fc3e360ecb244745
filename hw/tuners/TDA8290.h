// CTDA8290: the analogue IF demodulator in front of the TDA8275A tuner -
// its per-standard set-up, its lock and AGC registers, and the I2C gate
// through which the tuner is reached. Part of CTDA8275A, which is part of
// CPhilipsTDA8275A; called on the tuner's threads.
#pragma once
#include "hw/tuners/I2CAccess.h"

class CTDA8290
{
public:
    static const BYTE kDevice = 0x96;  // reads at 0x97
    static const BYTE kGateRegister = 0x21;

    explicit CTDA8290(CI2CAccess* access);

    BOOL Init();
    BOOL SelectStandard(DWORD standard);
    BOOL ProgramStandard(DWORD standard);
    BOOL SetGate(BOOL open);
    BOOL IsGateOpen();
    BOOL ReadRegister(BYTE reg, BYTE* value);
    BOOL WriteRegister(BYTE reg, BYTE value);
    BOOL SetRegisterBit(BYTE reg, int bit, BOOL on);
    BOOL ReadAgc(DWORD* ok);       // register 0x1A x 8 >= 160
    BOOL ReadAgcLow(DWORD* low);   // register 0x1D < 116
    BOOL ReadLockBit(DWORD* bit);  // register 0x1B bit 7
    BOOL ReadAfc(int* afc, BYTE* flag);
    BOOL TestRegisterBit(BYTE reg, int bit, DWORD* out);
    BOOL SetMode0(BOOL on);          // register 0x00: 1 on, 3 off
    BOOL SetRegister05(BOOL on);     // 0x01 / 0x04
    BOOL SetRegister28(BOOL on);     // 0x54 / 0x14
    BOOL SetRegister0D(BOOL on);     // 0x47 / 0x27
    BOOL ReadRegister16Bit2(DWORD* out);
    BOOL ReadRegister16Bit1(DWORD* out);

    DWORD GetIF() const { return m_nIF; }
    BYTE GetStandardByte() const { return m_byStandard; }
    DWORD GetStandard() const { return m_nStandard; }
    BOOL IsNtsc() const { return m_byNtsc != 0; }

private:
    CI2CAccess* m_pAccess;  // not owned
    BYTE m_byDevice;
    DWORD m_nIF;            // Hz
    BYTE m_byNtsc;
    BYTE m_byStandard;      // register 1
    DWORD m_nConstant;
    DWORD m_nStandard;      // AnalogVideoStandard
};
