#include "hw/tuners/TDA8275A.h"

#include "graph/Clock.h"
#include "hw/tuners/TVTuner.h"

#include <cstring>

namespace {

const BYTE kInitialImage[14] = {0x00, 0x00, 0x00, 0x1C, 0x04, 0xAB, 0x38,
                                0x0A, 0x28, 0x00, 0xFF, 0x40, 0x00, 0x39};
// Image register to sub-address; R9 is skipped.
const struct { int index; BYTE sub; } kImageOrder[13] = {
    {0, 0x00}, {1, 0x10}, {2, 0x20}, {3, 0x30}, {4, 0x40}, {5, 0x50}, {6, 0x60},
    {7, 0x70}, {8, 0x80}, {10, 0x90}, {11, 0xA0}, {12, 0xB0}, {13, 0xC0}};

// The standards whose register 5 takes 2 during tuning (values as the
// tuning sequence compares them).
bool TakesTwo(DWORD standard)
{
    return standard == 32 || standard == 40;
}

} // namespace

// Band table of the tuner's data sheet: limit (Hz), then bytes B4-B8.
const CTDA8275A::BandRow CTDA8275A::kBands[26] = {
    {48750000, 2, 4, 0, 0, 3},  {56875000, 3, 4, 0, 0, 3},  {67250000, 0, 3, 0, 0, 3},
    {81250000, 1, 3, 0, 0, 3},  {97500000, 2, 3, 0, 0, 3},  {113750000, 3, 3, 0, 1, 1},
    {134500000, 0, 2, 0, 1, 1}, {154000000, 1, 2, 0, 1, 1}, {162500000, 1, 2, 0, 1, 1},
    {181000000, 2, 2, 0, 1, 1}, {195000000, 2, 2, 0, 2, 1}, {227500000, 3, 2, 0, 2, 3},
    {269000000, 0, 1, 0, 2, 3}, {325000000, 1, 1, 0, 2, 1}, {390000000, 2, 1, 0, 3, 3},
    {455000000, 3, 1, 0, 3, 3}, {520000000, 0, 0, 0, 3, 1}, {538000000, 0, 0, 1, 3, 1},
    {554000000, 1, 0, 0, 3, 1}, {620000000, 1, 0, 0, 4, 0}, {650000000, 1, 0, 1, 4, 0},
    {700000000, 2, 0, 0, 4, 0}, {780000000, 2, 0, 1, 4, 0}, {820000000, 3, 0, 0, 4, 0},
    {870000000, 3, 0, 1, 4, 0}, {911000000, 3, 0, 2, 4, 0},
};

CTDA8275A::CTDA8275A(CI2CAccess* access)
    : m_pAccess(access), m_byDevice(kDevice), m_demod(access), m_nMinHz(40000000),
      m_nMaxHz(865000000), m_bIncomplete(0)
{
    memcpy(m_image, kInitialImage, sizeof(m_image));
}

const CTDA8275A::BandRow& CTDA8275A::BandFor(DWORD hz)
{
    for (const BandRow& row : kBands) {
        if (hz <= row.limitHz)
            return row;
    }
    return kBands[25];
}

BOOL CTDA8275A::WriteTunerRegister(BYTE reg, BYTE value)
{
    return m_pAccess && m_pAccess->WriteRegister(m_byDevice, reg, value);
}

BOOL CTDA8275A::ReadTunerRegister(BYTE reg, BYTE* value)
{
    return m_pAccess && m_pAccess->ReadRegister(static_cast<BYTE>(m_byDevice | 1), reg, value);
}

BOOL CTDA8275A::WriteBlock(BYTE device, const BYTE* data, DWORD length)
{
    if (!m_pAccess || !data || length < 1)
        return 0;
    return m_pAccess->WriteBlock(device, data, length);
}

BOOL CTDA8275A::ReadAfc(int* afc)
{
    BYTE flag = 0;
    return m_demod.ReadAfc(afc, &flag);
}

BOOL CTDA8275A::ReadRegisterImage(BYTE* image14)
{
    BOOL ok = 1;
    for (const auto& r : kImageOrder)
        ok &= ReadTunerRegister(r.sub, &image14[r.index]);
    return ok;
}

BOOL CTDA8275A::WriteRegisterImage()
{
    BOOL ok = 1;
    for (const auto& r : kImageOrder)
        ok &= WriteTunerRegister(r.sub, m_image[r.index]);
    return ok;
}

BOOL CTDA8275A::InitRegisters()
{
    memcpy(m_image, kInitialImage, sizeof(m_image));
    m_demod.SetGate(TRUE);
    BOOL ok = WriteRegisterImage();
    m_demod.SetGate(FALSE);
    return ok;
}

BOOL CTDA8275A::SetFrequency(DWORD hz, DWORD ifHz, DWORD standard, BOOL firstPass)
{
    BYTE* R = m_image;
    m_demod.SetGate(TRUE);
    // Charge-pump setting below 471.25 MHz, compared in Hz.
    R[7] = hz <= 471250000u ? 0x22 : 0x26;
    WriteTunerRegister(0x70, R[7]);

    ULONGLONG t = static_cast<ULONGLONG>(hz) + ifHz;
    const BandRow& band = BandFor(t > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<DWORD>(t));
    static const int kPostDivider[4] = {1, 2, 4, 8};
    ULONGLONG m = band.b5 < 4 ? kPostDivider[band.b5] : 16;
    ULONGLONG n = t * m * 64 / 16000000;
    R[0] = static_cast<BYTE>((n >> 6) & 0xFF);
    R[1] = static_cast<BYTE>((n << 2) & 0xFF);
    R[2] = 0;
    R[3] = static_cast<BYTE>((band.b6 & 3) | 0x10);
    R[4] = static_cast<BYTE>((band.b7 & 7) | ((band.b4 << 3) & 0x18) | ((band.b5 & 7) << 5));
    R[13] = static_cast<BYTE>((R[13] & ~6) | ((standard << 1) & 6));
    R[5] = static_cast<BYTE>((R[5] & ~0x30) | ((band.b8 << 4) & 0x30));
    if (firstPass)
        R[6] = static_cast<BYTE>((R[6] & 0xEF) | 0x20);
    else
        R[6] = static_cast<BYTE>(R[6] & 0xCF);
    WriteRegisterImage();

    R[8] = static_cast<BYTE>((R[8] & ~0x0C) | (firstPass ? 0x04 : 0));
    WriteTunerRegister(0x80, R[8]);
    if (!firstPass) {
        R[6] |= 0x30;
        WriteTunerRegister(0x60, R[6]);
    }
    R[3] = static_cast<BYTE>((R[3] & 0x1F) | 0x80);
    WriteTunerRegister(0x30, R[3]);
    zunk::Sleep(1);
    R[3] = static_cast<BYTE>((R[3] & 0x13) | 0x04);
    WriteTunerRegister(0x30, R[3]);
    zunk::Sleep(1);
    R[3] &= 0xF3;
    WriteTunerRegister(0x30, R[3]);
    if (!firstPass) {
        zunk::Sleep(550);
        R[3] = static_cast<BYTE>((R[3] & 0xF0) | (band.b6 & 3));
        WriteTunerRegister(0x30, R[3]);
    } else {
        zunk::Sleep(100);
    }
    R[8] |= 0x08;
    BOOL result = WriteTunerRegister(0x80, R[8]);
    m_demod.SetGate(FALSE);
    return result;
}

BOOL CTDA8275A::Setup(DWORD hz, DWORD standard)
{
    m_demod.SelectStandard(standard);
    DWORD ifHz = m_demod.GetIF();
    DWORD current = m_demod.GetStandard();
    m_demod.WriteRegister(0x16, 0x07);
    m_demod.WriteRegister(0x01, static_cast<BYTE>(m_demod.GetStandardByte() | 0x80));
    m_demod.WriteRegister(0x0F, 0x88);
    m_demod.WriteRegister(0x28, 0x14);
    m_demod.WriteRegister(0x05, TakesTwo(current) ? 2 : 4);
    m_demod.WriteRegister(0x0D, 0x47);
    m_demod.WriteRegister(0x0E, 0x11);
    m_demod.WriteRegister(0x28, 0x54);
    m_demod.WriteRegister(0x05, 0x01);

    SetFrequency(hz, ifHz, current, TRUE);

    m_bIncomplete = 1;
    for (int i = 0; i < 10; ++i) {
        DWORD bit = 0;
        m_demod.ReadLockBit(&bit);
        if (!bit) {
            m_bIncomplete = 0;
            break;
        }
        zunk::Sleep(5);
    }

    m_demod.WriteRegister(0x0E, 0x09);
    m_demod.WriteRegister(0x05, TakesTwo(current) ? 2 : 4);
    m_demod.WriteRegister(0x0F, 0x88);
    m_demod.WriteRegister(0x28, 0x14);
    m_demod.WriteRegister(0x0D, 0x47);
    BOOL result = SetFrequency(hz, ifHz, current, FALSE);
    m_demod.WriteRegister(0x16, 0x03);

    DWORD agcOk = 0;
    m_demod.ReadAgc(&agcOk);
    for (int attempt = 1; attempt <= 3; ++attempt) {
        DWORD low = 0, lock = 0;
        m_demod.ReadAgcLow(&low);
        m_demod.ReadLockBit(&lock);
        if (agcOk || (lock && low))
            break;
        if (attempt == 1) {
            m_demod.WriteRegister(0x28, 0x54);
        } else if (attempt == 2) {
            m_demod.SetGate(TRUE);
            m_image[8] |= 0x04;
            WriteTunerRegister(0x80, m_image[8]);
            m_demod.SetGate(FALSE);
        } else {
            m_demod.WriteRegister(0x05, 0x01);
            m_demod.WriteRegister(0x0D, 0x27);
        }
        zunk::Sleep(100);
    }

    if (current == STD_PAL_D || current == STD_PAL_G) {
        BYTE agc = 0, lock = 0;
        m_demod.ReadRegister(0x1A, &agc);
        m_demod.ReadRegister(0x1B, &lock);
        if (agc > 20 || !(lock & 0x80)) {
            BYTE v = 0;
            m_demod.ReadRegister(0x0E, &v);
            m_demod.WriteRegister(0x0E, static_cast<BYTE>(v | 0x02));
            m_demod.WriteRegister(0x0E, static_cast<BYTE>(v & 0xFD));
        }
    }
    m_demod.WriteRegister(0x0F, 0x82);
    return result;
}
