// CTDA8275A: the TDA8275A silicon tuner behind the TDA8290's I2C gate - its
// register image, band table and the two-pass tuning sequence. Part of
// CPhilipsTDA8275A; called on the tuner's threads.
#pragma once
#include "hw/tuners/TDA8290.h"

class CTDA8275A
{
public:
    static const BYTE kDevice = 0xC2;  // reads at 0xC3

    struct BandRow
    {
        DWORD limitHz;  // the row applies up to and including this
        BYTE b4, b5, b6, b7, b8;
    };
    static const BandRow kBands[26];

    explicit CTDA8275A(CI2CAccess* access);

    BOOL InitRegisters();
    BOOL Setup(DWORD hz, DWORD standard);
    BOOL SetFrequency(DWORD hz, DWORD ifHz, DWORD standard, BOOL firstPass);
    BOOL WriteRegisterImage();
    BOOL ReadTunerRegister(BYTE reg, BYTE* value);
    BOOL WriteTunerRegister(BYTE reg, BYTE value);
    BOOL WriteBlock(BYTE device, const BYTE* data, DWORD length);
    BOOL ReadAfc(int* afc);
    // Reads the 13 tuner registers into the image positions they are written from.
    BOOL ReadRegisterImage(BYTE* image14);

    CTDA8290& Demodulator() { return m_demod; }
    const BYTE* Image() const { return m_image; }
    BOOL TuningIncomplete() const { return m_bIncomplete != 0; }
    static const BandRow& BandFor(DWORD hz);

private:
    CI2CAccess* m_pAccess;  // not owned
    BYTE m_byDevice;
    BYTE m_image[14];       // R0-R13; R9 is not used
    CTDA8290 m_demod;
    DWORD m_nMinHz;
    DWORD m_nMaxHz;
    DWORD m_bIncomplete;
};
