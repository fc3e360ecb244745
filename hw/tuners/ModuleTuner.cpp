#include "hw/tuners/ModuleTuner.h"

#include "graph/Clock.h"

namespace {

// The demodulator's status byte, read without a sub-address.
const BYTE kDemodRead = 0x87;

} // namespace

CModuleTuner::CModuleTuner(CCustomDataAccess* access, const TunerModuleData& m)
    : CTVTuner(access), m_pModule(&m)
{
    m_nModelId = m.type;
    m_nModelId2 = m.modelId2;
    m_nMaker = m.maker;
    m_nMinFreq = m.minFreq;
    m_nMaxFreq = m.maxFreq;
    m_nBand1Top = m.band1Top;
    m_nBand2Top = m.band2Top;
    m_nBand2Start = m.band2Start;
    m_nBand3Start = m.band3Start;
    m_byBandLow = m.bandLow;
    m_byBandMid = m.bandMid;
    m_byBandHigh = m.bandHigh;
    m_byControl = m.control;
    m_nIF = m.ifKHz;
    m_byAddr = m.addr;
    m_byStatusAddr = m.statusAddr;
    m_nFMMin = m.fm.minKHz;
    m_nFMMax = m.fm.maxKHz;
    m_nFMIF = m.fm.ifKHz;
    m_byFMControl = m.fm.control;
    m_byFMBand = m.fm.band;
    m_bHasFM = m.hasFM ? 1 : 0;
    m_afc[2] = m.tunedAfc;
    m_bReapplyStandard = m.reapply ? 1 : 0;
    m_standards.assign(m.standards, m.standards + m.standardCount);
    if (m.initialStandard)
        m_nStandard = static_cast<int>(m.initialStandard);
    // What counts as a station: a demodulator reports 4; a plain PLL its
    // tuned AFC code, as for a TV carrier.
    m_fmStatuses.clear();
    bool demodFM = m.behaviour && m.behaviour->fmStatus != FMSTATUS_PLL;
    m_fmStatuses.push_back(demodFM ? 4u : static_cast<DWORD>(m.tunedAfc));
}

BOOL CModuleTuner::SetTVFrequency(float kHz)
{
    const ModuleBehaviour* b = m_pModule->behaviour;
    if (!b || b->tune == TUNE_BASE)
        return CTVTuner::SetTVFrequency(kHz);
    if (b->tune == TUNE_OFFSET_250)
        return CTVTuner::SetTVFrequency(kHz + 250.0f);
    if (kHz < m_nMinFreq)
        kHz = static_cast<float>(m_nMinFreq);
    if (kHz > m_nMaxFreq)
        kHz = static_cast<float>(m_nMaxFreq);
    int ifKHz = m_nIF;
    if (b->secondIF && m_nStandard == STD_SECAM_L1)
        ifKHz = b->secondIF;
    BYTE aux = 0;
    if (b->aux == AUX_SECAM_L)
        aux = (m_nStandard == STD_SECAM_L || m_nStandard == STD_SECAM_L1) ? 0x20 : 0xA0;
    else if (b->aux == AUX_FIXED_50)
        aux = 0x50;
    return WriteTVMessage(kHz, ifKHz, &aux, b->messageLength > 5 ? 1 : 0);
}

BOOL WriteDemodRegister(CCustomDataAccess* access, BYTE address, bool block, BYTE reg, BYTE value)
{
    if (!access)
        return 0;
    if (!block)
        return access->WriteI2CByte(address, reg, value) == S_OK;
    BYTE message[3] = {address, reg, value};
    return access->WriteI2CBlock(message, 3) == S_OK;
}

BOOL RunDemodSetup(CCustomDataAccess* access, const DemodSetup& s, DWORD standard)
{
    BYTE column = s.defaultIndex;
    for (const StdIndex& entry : s.map) {
        if (entry.standards & standard) {
            column = entry.index;
            break;
        }
    }
    BOOL results[3] = {0, 0, 0};
    for (int r = 0; r < 3; ++r) {
        results[r] = WriteDemodRegister(access, s.address, s.block, static_cast<BYTE>(r),
                                        s.reg[r][column]);
        if (!results[r] && s.result == SETUP_STOP_ON_FAILURE)
            return 0;
    }
    if (s.sleepMs)
        zunk::Sleep(s.sleepMs);
    return s.result == SETUP_RESULT_FIRST ? results[0] : results[2];
}

void CopyModuleFacts(CTVTuner& to, const CTVTuner& s)
{
    to.m_nMaker = s.m_nMaker;
    to.m_nModelId = s.m_nModelId;
    to.m_byStatusMask = s.m_byStatusMask;
    to.m_byControl = s.m_byControl;
    to.m_byBandLow = s.m_byBandLow;
    to.m_byBandMid = s.m_byBandMid;
    to.m_byBandHigh = s.m_byBandHigh;
    to.m_nMinFreq = s.m_nMinFreq;
    to.m_nMaxFreq = s.m_nMaxFreq;
    to.m_nBand1Top = s.m_nBand1Top;
    to.m_nBand2Start = s.m_nBand2Start;
    to.m_nBand2Top = s.m_nBand2Top;
    to.m_nBand3Start = s.m_nBand3Start;
    to.m_nFMMin = s.m_nFMMin;
    to.m_nFMMax = s.m_nFMMax;
    to.m_bHasFM = s.m_bHasFM;
    to.m_nIF = s.m_nIF;
    to.m_nFMIF = s.m_nFMIF;
    to.m_nFMStep = s.m_nFMStep;
    to.m_byFMControl = s.m_byFMControl;
    to.m_byFMBand = s.m_byFMBand;
    // Only the LG modules' AFC codes differ from the base's.
    if (s.m_nModelId == 72 || s.m_nModelId == 73) {
        for (int i = 0; i < 5; ++i)
            to.m_afc[i] = s.m_afc[i];
    }
    to.m_standards.insert(to.m_standards.end(), s.m_standards.begin(), s.m_standards.end());
}

BOOL ReadDecoderTuned(CCustomDataAccess* access, BYTE decoder)
{
    if (!access)
        return 0;
    BYTE value = 0;
    return access->ReadI2CByte(decoder, kDecoderStatusRegister, &value) == S_OK && !(value & 0x40);
}

BOOL CModuleTuner::WriteDemod(BYTE address, bool block, BYTE reg, BYTE value)
{
    return WriteDemodRegister(m_pAccess, address, block, reg, value);
}

BOOL CModuleTuner::RunDemodSetup(const DemodSetup& s, DWORD standard)
{
    return ::RunDemodSetup(m_pAccess, s, standard);
}

BOOL CModuleTuner::SetStandard(DWORD standard)
{
    const ModuleBehaviour* b = m_pModule->behaviour;
    if (!b || !b->setup)
        return CTVTuner::SetStandard(standard);
    return RunDemodSetup(*b->setup, standard);
}

BOOL CModuleTuner::ReadDemodStatus(BYTE* value)
{
    if (!m_pAccess)
        return 0;
    BYTE buffer[1] = {kDemodRead};
    if (m_pAccess->ReadI2CBlock(buffer, 1) != S_OK)
        return 0;
    *value = buffer[0];
    return 1;
}

BOOL CModuleTuner::GetTVStatus(DWORD* status)
{
    const ModuleBehaviour* b = m_pModule->behaviour;
    if (!b || b->status == STATUS_PLL)
        return CTVTuner::GetTVStatus(status);
    if (!status)
        return 0;
    BYTE value = 0;
    if (b->status == STATUS_BIT6) {
        if (!ReadStatusByte(m_byStatusAddr, &value))
            return 0;
        *status = (value & 0x40) ? 1 : 0;
        return 1;
    }
    if (!ReadDemodStatus(&value))
        return 0;
    *status = b->statusCodes[(value >> 1) & 15];
    return 1;
}

BOOL CModuleTuner::SetFMFrequency(float kHz)
{
    const ModuleBehaviour* b = m_pModule->behaviour;
    BOOL result = CTVTuner::SetFMFrequency(kHz);
    if (!result || !b || !b->fmSetup)
        return result;
    const FmDemodSetup& s = *b->fmSetup;
    for (int r = 0; r < 3; ++r) {
        if (!WriteDemod(0x86, s.block, static_cast<BYTE>(r), s.bytes[r]) && s.block)
            break;
    }
    return result;
}

BOOL CModuleTuner::GetFMStatus(DWORD* status)
{
    const ModuleBehaviour* b = m_pModule->behaviour;
    if (!b || b->fmStatus == FMSTATUS_PLL)
        return CTVTuner::GetFMStatus(status);
    if (!status)
        return 0;
    // The modules that also read the PLL do so first; its answer is not used.
    if (b->fmStatus == FMSTATUS_DEMOD_ANY_FLAG) {
        DWORD ignored = 0;
        CTVTuner::GetFMStatus(&ignored);
    }
    BYTE value = 0;
    if (!ReadDemodStatus(&value))
        return 0;
    // Without the station indicator bits there is no station to report: a
    // stale status must not pass for one.
    bool bit5 = (value & 0x20) != 0, bit7 = (value & 0x80) != 0;
    bool indicated = b->fmStatus == FMSTATUS_DEMOD_ALL_FLAGS ? (bit5 && bit7) : (bit5 || bit7);
    if (!indicated)
        return 0;
    int a = (value >> 1) & 15;
    bool station = a <= 2 || a >= 14 || (a == 13 && b->fmStatus == FMSTATUS_DEMOD_ALL_FLAGS);
    *status = station ? 4 : 0;
    return 1;
}
