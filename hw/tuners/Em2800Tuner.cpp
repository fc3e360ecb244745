#include "hw/tuners/Em2800Tuner.h"

#include "hw/tuners/DemodTables.h"
#include "hw/tuners/ModuleTuner.h"
#include "hw/tuners/TunerModules.h"

// How one module model behind the bridge tunes, reports and switches
// standards. A zero address, IF, control byte or band limit means the
// object's own (copied from the module's description).
struct Em2800Model
{
    enum Status : BYTE
    {
        STATUS_BASE,   // the base tuner's status read
        STATUS_DEMOD,  // the AFC code from the IF demodulator's status byte
        STATUS_PLL     // the PLL's status byte at statusAddress
    };

    int model;
    bool ownTuning;         // false: the base tuner's message
    BYTE address;
    int ifKHz;
    int secamL1IfKHz;       // the IF while the standard is SECAM L' (0: unchanged)
    int lowTopKHz;          // fixed band switch points (bands 1, 2, 8)
    int midTopKHz;
    BYTE control;
    bool clamp;             // the frequency is first clamped to the module's range
    bool secamByte;         // a sixth byte: 0x20 for SECAM L and L', else 0xA0
    Status status;
    const BYTE* afcCodes;   // STATUS_DEMOD
    BYTE statusAddress;     // STATUS_PLL
    bool unlockedCode9;     // STATUS_PLL: no lock reports AFC code 9
    const DemodSetup* standards;  // NULL: nothing to switch
    bool philipsRadio;      // FM through the demodulator (TunePhilipsRadio)
};

namespace {

const BYTE kDemodStatusRead = 0x87;
const BYTE kFixedBands[3] = {0x01, 0x02, 0x08};
const DWORD kMaxDivider = 0x7FFF;  // the PLL's 15-bit divider

// The 1216 modules behind the bridge: SECAM D and K take the PAL D bytes.
const DemodSetup kEmPhilipsSetup = {0x86, false,
    {{STD_PAL_D | STD_SECAM_D | STD_SECAM_K, 1}, {STD_PAL_I, 2}, {STD_SECAM_L, 3},
     {STD_SECAM_L1, 4}}, 0,
    {{0x16, 0x16, 0x16, 0x06, 0x86}, {0x70, 0x70, 0x70, 0x50, 0x50}, {0x49, 0x4B, 0x4A, 0x4B, 0x53}},
    SETUP_RESULT_LAST, 0};

using M = Em2800Model;
//  model, own, addr, IF kHz, L' IF, band tops kHz,  control, clamp, sixth, status, AFC codes, status addr, code 9, standards, radio
const Em2800Model kModels[] = {
    {13, false, 0,    0,     0,     0,      0,      0,    false, false, M::STATUS_BASE,  nullptr,    0,    false, &kJS6B2Setup,     false},
    {69, true,  0xC6, 38900, 0,     168250, 471250, 0xCE, false, false, M::STATUS_PLL,   nullptr,    0xC6, true,  nullptr,          false},
    {72, true,  0xC0, 38900, 0,     147250, 425250, 0x8E, false, false, M::STATUS_PLL,   nullptr,    0xC0, true,  &kLGM200TSetup,    false},
    {73, true,  0xC0, 0,     0,     0,      0,      0,    false, false, M::STATUS_PLL,   nullptr,    0xC0, false, nullptr,          false},
    {75, true,  0xC0, 38900, 0,     147250, 425250, 0x8E, false, false, M::STATUS_DEMOD, kDemodAfcA, 0,    false, &kLGS200TSetup,    false},
    {92, true,  0,    0,     33900, 0,      0,      0,    false, true,  M::STATUS_DEMOD, kDemodAfcB, 0,    false, &kEmPhilipsSetup,  true},
    {93, true,  0,    0,     0,     0,      0,      0,    false, true,  M::STATUS_DEMOD, kDemodAfcA, 0,    false, &kEmPhilipsSetup,  false},
    {97, true,  0,    0,     0,     0,      0,      0,    true,  false, M::STATUS_DEMOD, kDemodAfcC, 0,    false, &kFQ1216MESetup,   false},
};
static_assert(sizeof(kModels) / sizeof(kModels[0]) == 8, "eight models behind the bridge");

} // namespace

CEm2800Tuner::CEm2800Tuner(CCustomDataAccess* access)
    : CTVTuner(access), m_byDecoderAddr(kDecoderAddress), m_bTuneFlag(1)
{
    m_nBand1Top = m_nBand2Start = 170000;
    m_nBand2Top = m_nBand3Start = 450000;
    m_nFMMin = m_nFMMax = 0;
    m_bHasFM = 0;
    m_nFMIF = 0;
    m_nMaker = 'T';
    m_nModelId = 4;
    m_byStatusMask = 0x40;
    m_byStatusAddr = 0xC7;
    m_byAddr = 0xC6;
    m_byControl = 0xCE;
    m_byBandLow = 0x01;
    m_byBandMid = 0x02;
    m_byBandHigh = 0x08;
    m_nMinFreq = 48250;
    m_nMaxFreq = 863250;
    m_nIF = 38900;
}

const Em2800Model* CEm2800Tuner::Model() const
{
    for (const Em2800Model& row : kModels) {
        if (row.model == m_nModelId)
            return &row;
    }
    return NULL;
}

void CEm2800Tuner::CopyModuleTable(const CTVTuner& module)
{
    CopyModuleFacts(*this, module);
    if (module.m_nModelId == 13)
        m_byStatusAddr = 0x86;
    m_fmStatuses.insert(m_fmStatuses.end(), module.m_fmStatuses.begin(), module.m_fmStatuses.end());
}

BOOL CEm2800Tuner::IsTVTuned()
{
    m_bTuneFlag = 0;
    return ReadDecoderTuned(m_pAccess, m_byDecoderAddr);
}

BOOL CEm2800Tuner::WriteTuningMessage(const Em2800Model& row, float kHz)
{
    if (row.clamp) {
        if (kHz < m_nMinFreq)
            kHz = static_cast<float>(m_nMinFreq);
        if (kHz > m_nMaxFreq)
            kHz = static_cast<float>(m_nMaxFreq);
    }
    int ifKHz = row.ifKHz ? row.ifKHz : m_nIF;
    if (row.secamL1IfKHz && m_nStandard == STD_SECAM_L1)
        ifKHz = row.secamL1IfKHz;
    // Divider in 62.5 kHz steps of (carrier + IF), truncated; a frequency
    // the PLL's divider cannot carry is refused, never wrapped onto another.
    double steps = (static_cast<double>(kHz) + ifKHz) * 16.0 / 1000.0;
    if (!(steps >= 0 && steps <= kMaxDivider))
        return 0;
    DWORD divider = static_cast<DWORD>(steps);
    BYTE band;
    if (row.lowTopKHz)
        band = kFixedBands[kHz < row.lowTopKHz ? 0 : kHz < row.midTopKHz ? 1 : 2];
    else
        band = BandFor(kHz);
    bool secamL = m_nStandard == STD_SECAM_L || m_nStandard == STD_SECAM_L1;
    BYTE message[6] = {row.address ? row.address : m_byAddr,
                       static_cast<BYTE>(divider >> 8),
                       static_cast<BYTE>(divider),
                       row.control ? row.control : m_byControl,
                       band,
                       static_cast<BYTE>(secamL ? 0x20 : 0xA0)};
    return m_pAccess && m_pAccess->WriteI2CBlock(message, row.secamByte ? 6 : 5) == S_OK;
}

BOOL CEm2800Tuner::SetTVFrequency(float kHz)
{
    const Em2800Model* row = Model();
    if (!row || !row->ownTuning)
        return CTVTuner::SetTVFrequency(kHz);
    return WriteTuningMessage(*row, kHz);
}

BOOL CEm2800Tuner::ReadPllStatus(const Em2800Model& row, DWORD* afc)
{
    BYTE value = 0;
    if (!ReadStatusByte(row.statusAddress, &value))
        return 0;
    if (value & m_byStatusMask) {
        *afc = value & 7;
        return 1;
    }
    if (row.unlockedCode9)
        *afc = 9;
    return 0;
}

BOOL CEm2800Tuner::GetTVStatus(DWORD* afc)
{
    const Em2800Model* row = Model();
    if (!row || row->status == Em2800Model::STATUS_BASE)
        return CTVTuner::GetTVStatus(afc);
    if (!afc || !IsTVTuned())
        return 0;
    if (row->status == Em2800Model::STATUS_PLL)
        return ReadPllStatus(*row, afc);
    BYTE value = 0;
    if (!ReadStatusByte(kDemodStatusRead, &value))
        return 0;
    *afc = row->afcCodes[(value >> 1) & 15];
    return 1;
}

BOOL CEm2800Tuner::SetStandard(DWORD standard)
{
    const Em2800Model* row = Model();
    if (!row || !row->standards)
        return CTVTuner::SetStandard(standard);
    return RunDemodSetup(m_pAccess, *row->standards, standard);
}

BOOL CEm2800Tuner::SetFMFrequency(float kHz)
{
    const Em2800Model* row = Model();
    if (!row || !row->philipsRadio)
        return CTVTuner::SetFMFrequency(kHz);
    return TunePhilipsRadio(m_pAccess, m_byAddr, kHz, m_byFMControl, m_byFMBand);
}
