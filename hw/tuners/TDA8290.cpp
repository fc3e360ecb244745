#include "hw/tuners/TDA8290.h"

#include "hw/tuners/TVTuner.h"

namespace {

const DWORD kPalNCombo = 0x100000;

struct StandardRow
{
    DWORD standards;
    BYTE standardByte;
    DWORD ifHz;
};

// Register 1 and the IF per standard.
const StandardRow kStandards[] = {
    {STD_NTSC_M | STD_NTSC_M_J | STD_PAL_M | STD_PAL_N | kPalNCombo, 0x01, 5750000},
    {STD_PAL_B | STD_SECAM_B, 0x02, 6750000},
    {STD_PAL_G | STD_PAL_H | STD_SECAM_G | STD_SECAM_H, 0x04, 7750000},
    {STD_PAL_I, 0x08, 7750000},
    {STD_PAL_D | STD_SECAM_D | STD_SECAM_K, 0x10, 7750000},
    {STD_SECAM_L, 0x20, 7750000},
    {STD_SECAM_L1, 0x40, 1750000},
};

// Registers 0x03-0x0C, 0x13, 0x15, 0x16 by standard column.
const BYTE kProgramRegisters[13] = {0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09,
                                    0x0A, 0x0B, 0x0C, 0x13, 0x15, 0x16};
struct ProgramColumn
{
    DWORD standards;  // 0: the default column
    BYTE values[13];
};
const ProgramColumn kProgram[] = {
    {0, {0x24, 0x01, 0x01, 0x04, 0x7B, 0x09, 0x6D, 0x1D, 0xC7, 0x71, 0x22, 0x04, 0x88}},
    {STD_NTSC_M | STD_NTSC_M_J | STD_PAL_M | STD_PAL_N | kPalNCombo,
     {0x11, 0x01, 0x01, 0x01, 0x85, 0xF6, 0x92, 0x55, 0x55, 0x55, 0x21, 0x08, 0x88}},
    {STD_PAL_B | STD_SECAM_B,
     {0x22, 0x02, 0x01, 0x02, 0x00, 0x00, 0x80, 0xDA, 0x4B, 0x68, 0x22, 0x04, 0x88}},
    {STD_PAL_D, {0x24, 0x02, 0x01, 0x04, 0x7B, 0x09, 0x6D, 0x1D, 0xC7, 0x71, 0x22, 0x04, 0x88}},
    {STD_PAL_G | STD_PAL_H,
     {0x24, 0x02, 0x01, 0x02, 0x7B, 0x09, 0x6D, 0x1D, 0xC7, 0x71, 0x22, 0x04, 0x88}},
    {STD_PAL_I, {0x24, 0x02, 0x04, 0x10, 0x7B, 0x09, 0x6D, 0x1D, 0xC7, 0x71, 0x22, 0x04, 0x88}},
    {STD_SECAM_D | STD_SECAM_K,
     {0x24, 0x02, 0x01, 0x04, 0x7B, 0x09, 0x6D, 0x1D, 0xC7, 0x71, 0x22, 0x04, 0x88}},
    {STD_SECAM_G | STD_SECAM_H,
     {0x24, 0x02, 0x01, 0x02, 0x7B, 0x09, 0x6D, 0x1D, 0xC7, 0x71, 0x22, 0x04, 0x88}},
    {STD_SECAM_L | STD_SECAM_L1,
     {0x24, 0x02, 0x01, 0x08, 0x26, 0xB4, 0x17, 0x5F, 0x42, 0x7B, 0x44, 0x04, 0x7F}},
};

} // namespace

CTDA8290::CTDA8290(CI2CAccess* access)
    : m_pAccess(access), m_byDevice(kDevice), m_nIF(6750000), m_byNtsc(0), m_byStandard(0x02),
      m_nConstant(1964019), m_nStandard(STD_PAL_B)
{
}

BOOL CTDA8290::WriteRegister(BYTE reg, BYTE value)
{
    return m_pAccess && m_pAccess->WriteRegister(m_byDevice, reg, value);
}

BOOL CTDA8290::ReadRegister(BYTE reg, BYTE* value)
{
    // The adapter tries three times; a demodulator that never answers
    // reads as 0 rather than holding the tuning sequence.
    *value = 0;
    return m_pAccess && m_pAccess->ReadRegister(static_cast<BYTE>(m_byDevice | 1), reg, value);
}

BOOL CTDA8290::Init()
{
    m_nStandard = STD_PAL_B;
    BOOL ok = WriteRegister(0x00, 0x01);
    ok &= WriteRegister(0x07, 0x00);
    ok &= WriteRegister(0x30, 0x2F);
    ok &= WriteRegister(0x20, 0x0B);
    return ok;
}

BOOL CTDA8290::SelectStandard(DWORD standard)
{
    WriteRegister(0x07, 0);
    m_nStandard = standard;
    m_byNtsc = 0;
    const StandardRow* row = nullptr;
    for (const StandardRow& r : kStandards) {
        if (r.standards & standard) {
            row = &r;
            break;
        }
    }
    if (row) {
        m_byStandard = row->standardByte;
        m_nIF = row->ifHz;
        m_byNtsc = standard == STD_NTSC_M ? 1 : 0;
    } else {
        // NTSC 4.43, PAL 60, SECAM K1 and unknown values run as PAL B.
        m_byStandard = 0x02;
        m_nIF = 6750000;
        m_nStandard = STD_PAL_B;
    }
    return WriteRegister(0x01, m_byStandard);
}

BOOL CTDA8290::SetRegisterBit(BYTE reg, int bit, BOOL on)
{
    BYTE value = 0;
    ReadRegister(reg, &value);
    BYTE mask = static_cast<BYTE>(1 << bit);
    return WriteRegister(reg, on ? (value | mask) : (value & ~mask));
}

BOOL CTDA8290::ProgramStandard(DWORD standard)
{
    SelectStandard(standard);
    WriteRegister(0x01, static_cast<BYTE>(m_byStandard | 0x80));
    BYTE ignored = 0;
    ReadRegister(0x0E, &ignored);
    WriteRegister(0x0E, 0x08);
    SetRegisterBit(0x16, 1, FALSE);
    WriteRegister(0x08, 0x09);
    WriteRegister(0x09, 0x6D);
    WriteRegister(0x04, 0x02);
    const ProgramColumn* column = &kProgram[0];
    for (const ProgramColumn& c : kProgram) {
        if (c.standards & standard) {
            column = &c;
            break;
        }
    }
    for (int i = 0; i < 13; ++i)
        WriteRegister(kProgramRegisters[i], column->values[i]);
    return WriteRegister(0x28, 0x54);
}

BOOL CTDA8290::SetGate(BOOL open)
{
    return WriteRegister(kGateRegister, open ? 0xC0 : 0x80);
}

BOOL CTDA8290::IsGateOpen()
{
    BYTE value = 0;
    ReadRegister(kGateRegister, &value);
    return (value & 0x40) != 0;
}

BOOL CTDA8290::ReadAgc(DWORD* ok)
{
    BYTE value = 0;
    BOOL read = ReadRegister(0x1A, &value);
    *ok = value * 8 >= 160;
    return read;
}

BOOL CTDA8290::ReadAgcLow(DWORD* low)
{
    BYTE value = 0;
    BOOL read = ReadRegister(0x1D, &value);
    *low = value < 116;
    return read;
}

BOOL CTDA8290::ReadLockBit(DWORD* bit)
{
    BYTE value = 0;
    BOOL read = ReadRegister(0x1B, &value);
    *bit = value & 0x80;
    return read;
}

BOOL CTDA8290::ReadAfc(int* afc, BYTE* flag)
{
    BYTE value = 0;
    BOOL read = ReadRegister(0x1B, &value);
    *flag = value >> 7;
    int v = value & 0x7F;
    if (v >= 38 && v <= 63)
        *afc = 2;
    else if (v >= 19 && v <= 37)
        *afc = 1;
    else if (v <= 18)
        *afc = 0;
    else if (v >= 64 && v <= 90)
        *afc = -2;
    else if (v >= 91 && v <= 109)
        *afc = -1;
    else
        *afc = 0;
    return read;
}

BOOL CTDA8290::TestRegisterBit(BYTE reg, int bit, DWORD* out)
{
    BYTE value = 0;
    BOOL read = ReadRegister(reg, &value);
    *out = value & (1u << bit);
    return read;
}

BOOL CTDA8290::SetMode0(BOOL on) { return WriteRegister(0x00, on ? 1 : 3); }
BOOL CTDA8290::SetRegister05(BOOL on) { return WriteRegister(0x05, on ? 0x01 : 0x04); }
BOOL CTDA8290::SetRegister28(BOOL on) { return WriteRegister(0x28, on ? 0x54 : 0x14); }
BOOL CTDA8290::SetRegister0D(BOOL on) { return WriteRegister(0x0D, on ? 0x47 : 0x27); }
BOOL CTDA8290::ReadRegister16Bit2(DWORD* out) { return TestRegisterBit(0x16, 2, out); }
BOOL CTDA8290::ReadRegister16Bit1(DWORD* out) { return TestRegisterBit(0x16, 1, out); }
