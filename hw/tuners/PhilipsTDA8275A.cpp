#include "hw/tuners/PhilipsTDA8275A.h"

#include "graph/Clock.h"

#include <vector>

BOOL CPhilipsTDA8275A::CRegAccess::WriteRegister(BYTE device, BYTE reg, BYTE value)
{
    if (!m_pAccess)
        return 0;
    for (int i = 0; i < kTries; ++i) {
        if (m_pAccess->WriteI2CByte(device, reg, value) >= 0)
            return 1;
    }
    return 0;
}

BOOL CPhilipsTDA8275A::CRegAccess::ReadRegister(BYTE device, BYTE reg, BYTE* value)
{
    if (!m_pAccess)
        return 0;
    for (int i = 0; i < kTries; ++i) {
        if (m_pAccess->ReadI2CByte(device, reg, value) >= 0)
            return 1;
    }
    return 0;
}

BOOL CPhilipsTDA8275A::CRegAccess::WriteBlock(BYTE device, const BYTE* data, DWORD length)
{
    if (!m_pAccess || !data || length < 1 || length > 255)
        return 0;
    std::vector<BYTE> buffer(1, device);
    buffer.insert(buffer.end(), data, data + length);
    return m_pAccess->WriteI2CBlock(buffer.data(), static_cast<LONG>(buffer.size())) >= 0;
}

CPhilipsTDA8275A::CPhilipsTDA8275A(CCustomDataAccess* access)
    : CTVTuner(access), m_regAccess(access), m_pDataAccess(access), m_tuner(&m_regAccess)
{
    m_nModelId = m_nModelId2 = 95;
    m_nMaker = 'P';
    m_bHasFM = 0;
    m_byBandLow = 1;
    m_byBandMid = 2;
    m_byBandHigh = 8;
    m_byControl = 0xCE;
    m_byStatusMask = 0x40;
    m_byStatusAddr = 0xC3;
    m_byAddr = 0xC2;
    const int afc[5] = {4, 3, 2, 0, 1};
    for (int i = 0; i < 5; ++i)
        m_afc[i] = afc[i];
    m_fmStatuses.clear();
    m_standards = {STD_NTSC_M,  STD_NTSC_M_J, STD_PAL_B,   STD_PAL_D,   STD_PAL_H,
                   STD_PAL_I,   STD_PAL_M,    STD_PAL_N,   STD_SECAM_B, STD_SECAM_D,
                   STD_SECAM_G, STD_SECAM_H,  STD_SECAM_L, STD_SECAM_L1};
    // The card is open when its tuner is made: bring both chips up now.
    m_tuner.Demodulator().Init();
    m_tuner.InitRegisters();
}

BOOL CPhilipsTDA8275A::SetTVFrequency(float kHz)
{
    // The chip is tuned in Hz on 32 bits; a frequency outside that has no
    // programming and is refused before the bus is touched.
    double exactHz = static_cast<double>(kHz) * 1000.0;
    if (!(exactHz >= 0.0 && exactHz <= 4294967295.0))
        return 0;
    DWORD hz = static_cast<DWORD>(exactHz);
    DWORD standard = m_tuner.Demodulator().GetStandard();
    BOOL result = m_tuner.Setup(hz, standard);
    zunk::Sleep(50);
    m_tuner.Demodulator().ProgramStandard(m_tuner.Demodulator().GetStandard());
    return result;
}

BOOL CPhilipsTDA8275A::SetStandard(DWORD standard)
{
    return m_tuner.Demodulator().SelectStandard(standard);
}

BOOL CPhilipsTDA8275A::GetTVStatus(DWORD* status)
{
    DWORD locked = 0;
    BOOL result = CTVTuner::GetSignalLock(&locked);
    if (status)
        *status = static_cast<DWORD>(locked ? m_afc[2] : m_afc[0]);
    return result;
}

BOOL CPhilipsTDA8275A::ReadRegisterBlock(BYTE device, BYTE reg, BYTE* value)
{
    if (!m_pDataAccess || !value)
        return 0;
    BYTE buffer[3] = {device, reg, *value};
    if (m_pDataAccess->ReadI2CBlock(buffer, 1) != S_OK)
        return 0;
    *value = buffer[0];
    return 1;
}

BOOL CPhilipsTDA8275A::WriteRegisterBlock(BYTE device, BYTE reg, BYTE value)
{
    if (!m_pDataAccess)
        return 0;
    BYTE buffer[3] = {device, reg, value};
    return m_pDataAccess->WriteI2CBlock(buffer, 3) == S_OK;
}

BOOL CPhilipsTDA8275A::SetRegisterBit(BYTE device, BYTE reg, int bit, BOOL on)
{
    BYTE value = 0;
    if (!ReadRegisterBlock(static_cast<BYTE>(device | 1), reg, &value))
        return 0;
    BYTE mask = static_cast<BYTE>(1u << bit);
    return WriteRegisterBlock(device, reg, on ? (value | mask) : (value & ~mask));
}

BOOL CPhilipsTDA8275A::TestRegisterBit(BYTE device, BYTE reg, int bit, DWORD* out)
{
    BYTE value = 0;
    if (!out || !ReadRegisterBlock(static_cast<BYTE>(device | 1), reg, &value))
        return 0;
    *out = value & (1u << bit);
    return 1;
}

BOOL CPhilipsTDA8275A::ReadDemodulatorRegister1(BYTE* value)
{
    return ReadRegisterBlock(0x97, 1, value);
}

BOOL CPhilipsTDA8275A::ReadTunerStatus(BYTE* value)
{
    return ReadRegisterBlock(0xC3, 0, value);
}
