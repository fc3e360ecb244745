#include "hw/tuners/TunerModules.h"

#include "graph/Clock.h"
#include "hw/tuners/PhilipsTDA8275A.h"
#include "hw/tuners/XCeive2028.h"

namespace {

const TunerModuleData& Row(int type)
{
    // The thin classes exist only for rows of the table.
    return *FindTunerModule(type);
}

BOOL SendBlock(CCustomDataAccess* access, BYTE* message, LONG length)
{
    return access && access->WriteI2CBlock(message, length) == S_OK;
}

} // namespace

// --- CPANOSONIC_ENGE4326D ------------------------------------------------------

CPANOSONIC_ENGE4326D::CPANOSONIC_ENGE4326D(CCustomDataAccess* access)
    : CModuleTuner(access, Row(100)), m_nStandardIndex(2)
{
}

BOOL CPANOSONIC_ENGE4326D::SetStandard(DWORD)
{
    WriteDemod(0x86, false, 0, 0xD0);
    WriteDemod(0x86, false, 1, 0x0D);
    WriteDemod(0x86, false, 2, 0x80);
    SelectStandardByte(m_nStandardIndex);
    return 1;
}

BOOL CPANOSONIC_ENGE4326D::SelectStandardByte(int index)
{
    if (!m_pAccess)
        return 0;
    BYTE value = 0x00;
    switch (index) {
    case 2: value = 0x80; break;
    case 4: value = 0x02; break;
    case 5: value = 0x01; break;
    default: value = 0x00; break;  // 1, 3 and anything else
    }
    HRESULT first = m_pAccess->WriteI2CByte(0xB6, 0, value);
    m_pAccess->WriteI2CByte(0xB6, 1, 0x04);
    return first >= 0;
}

BOOL CPANOSONIC_ENGE4326D::SetStandardIndex(int index)
{
    m_nStandardIndex = index;
    return SelectStandardByte(index);
}

// --- CPhilips1216 ------------------------------------------------------------

CPhilips1216::CPhilips1216(CCustomDataAccess* access) : CModuleTuner(access, Row(92)) {}

BOOL CPhilips1216::SetFMFrequency(float kHz)
{
    if (kHz < m_nFMMin)
        kHz = static_cast<float>(m_nFMMin);
    if (kHz > m_nFMMax)
        kHz = static_cast<float>(m_nFMMax);
    return TunePhilipsRadio(m_pAccess, m_byAddr, kHz, m_byFMControl, m_byFMBand);
}

BOOL TunePhilipsRadio(CCustomDataAccess* access, BYTE address, float kHz, BYTE control, BYTE band)
{
    // 50 kHz steps of (station + 10.7 MHz IF); a station whose divider the
    // PLL cannot take is refused before anything is sent.
    if (!(kHz >= 0 && kHz < 1.0e6f))
        return 0;
    int divider = (static_cast<int>(kHz) + 10700) * 20 / 1000;
    if (divider > 0x7FFF)
        return 0;
    BYTE prepare1[5] = {address, 0x08, 0xFF, 0x8E, 0x01};
    BYTE prepare2[5] = {address, 0x08, 0xFF, 0x8E, 0x19};
    if (!SendBlock(access, prepare1, 5) || !SendBlock(access, prepare2, 5))
        return 0;
    zunk::Sleep(10);
    BYTE demod[5] = {0x86, 0x00, 0x5A, 0x90, 0x20};
    if (!SendBlock(access, demod, 5))
        return 0;
    BYTE message[5] = {address, static_cast<BYTE>(divider >> 8), static_cast<BYTE>(divider), control,
                       band};
    return SUCCEEDED(access->WriteI2CBlock(message, 5));
}

// --- CFQ1216ME_5 -------------------------------------------------------------

CFQ1216ME_5::CFQ1216ME_5(CCustomDataAccess* access)
    : CModuleTuner(access, Row(97)), m_byStatusRegAddr(0x42), m_bFlag(1)
{
}

BOOL CFQ1216ME_5::IsTVTuned()
{
    m_bFlag = 0;
    return ReadDecoderTuned(m_pAccess, m_byStatusRegAddr);
}

void CFQ1216ME_5::CopyModuleTable(const CTVTuner& s)
{
    CopyModuleFacts(*this, s);
    m_fmStatuses = s.m_fmStatuses;
    if (s.m_nModelId == 13)
        m_byStatusRegAddr = 0x86;
}

// --- CTNJ8355CF --------------------------------------------------------------

CTNJ8355CF::CTNJ8355CF(CCustomDataAccess* access) : CModuleTuner(access, Row(139)) {}

BOOL CTNJ8355CF::SetStandard(DWORD standard)
{
    struct Column { DWORD standard; BYTE reg[3]; int ifKHz; };
    // A standard outside the module's list gets the PAL B bytes.
    static const Column kColumns[] = {
        {STD_PAL_B, {0x16, 0x70, 0x09}, 38900},  {STD_PAL_G, {0x16, 0x70, 0x09}, 38900},
        {STD_PAL_I, {0x16, 0x70, 0x0A}, 38900},  {STD_PAL_D, {0x16, 0x70, 0x0B}, 38900},
        {STD_SECAM_L, {0x06, 0x50, 0x4B}, 33900}, {STD_SECAM_L1, {0x86, 0x50, 0x53}, 33900},
    };
    const Column* column = &kColumns[0];
    for (const Column& c : kColumns) {
        if (c.standard == standard)
            column = &c;
    }
    m_nIF = column->ifKHz;
    BOOL first = WriteDemod(0x86, true, 0, column->reg[0]);
    WriteDemod(0x86, true, 1, column->reg[1]);
    WriteDemod(0x86, true, 2, column->reg[2]);
    return first;
}

// --- CTNF9835DIFF ------------------------------------------------------------

CTNF9835DIFF::CTNF9835DIFF(CCustomDataAccess* access) : CModuleTuner(access, Row(138)) {}

WORD CTNF9835DIFF::RadioWord(float kHz)
{
    // Both terms in kHz: about 1771 at 100 MHz.
    return static_cast<WORD>((static_cast<double>(kHz) + 10700.0) * 16.0 / 1000.0);
}

BOOL CTNF9835DIFF::SetFMFrequency(float kHz)
{
    BOOL result = CTVTuner::SetFMFrequency(kHz);
    if (!result)
        return 0;
    BYTE mode[8] = {0x40, 0x09, 0xC0, 0x04, 0, 0, 0, 0};
    if (!SendBlock(m_pAccess, mode, 8))
        return 0;
    // The decoder follows the station the PLL was given: the base clamps
    // to the FM band, and so does the word.
    if (kHz >= m_nFMMax)
        kHz = static_cast<float>(m_nFMMax);
    if (kHz < m_nFMMin)
        kHz = static_cast<float>(m_nFMMin);
    WORD n = RadioWord(kHz);
    BYTE word[8] = {0x40, 0x14, static_cast<BYTE>(n), static_cast<BYTE>(n >> 8), 0x8E, 0x11, 0, 0};
    if (!SendBlock(m_pAccess, word, 8))
        return 0;
    return result;
}

// --- CTNF9535BDF -------------------------------------------------------------

CTNF9535BDF::CTNF9535BDF(CCustomDataAccess* access) : CModuleTuner(access, Row(60)) {}

BOOL CTNF9535BDF::SetFMFrequency(float kHz)
{
    if (!m_nFMMode)
        return CModuleTuner::SetFMFrequency(kHz);
    // 32.768 kHz reference; the IF sits 225 kHz above the carrier.
    DWORD n = static_cast<DWORD>((static_cast<double>(kHz) * 1000.0 + 225000.0) * 4.0 / 32768.0);
    BYTE message[6] = {0xC0, static_cast<BYTE>(((n >> 8) & 0x3F) | 0x40), static_cast<BYTE>(n),
                       0xD0, 0x30, 0x00};
    return SendBlock(m_pAccess, message, 6);
}

BOOL CTNF9535BDF::GetFMStatus(DWORD* status)
{
    if (!m_nFMMode)
        return CModuleTuner::GetFMStatus(status);
    if (!m_pAccess)
        return 0;
    BYTE reply[6] = {0xC1};
    if (m_pAccess->ReadI2CBlock(reply, 6) != S_OK)
        return 0;
    return (reply[0] & 0x80) && (reply[3] & 0xE0) == 0xE0;
}

// --- factory -----------------------------------------------------------------

CTVTuner* CreateTunerModule(int type, CCustomDataAccess* access)
{
    switch (type) {
    case 100: return new CPANOSONIC_ENGE4326D(access);
    case 92: return new CPhilips1216(access);
    case 97: return new CFQ1216ME_5(access);
    case 139: return new CTNJ8355CF(access);
    case 138: return new CTNF9835DIFF(access);
    case 60: return new CTNF9535BDF(access);
    case 95: return new CPhilipsTDA8275A(access);
    case 90: return new CXCeive3028(access);
    case 91: return new CXCeive2028(access);
    case 136: return new CXCeive3028_AF(access);
    case 137: return new CXCeive3028_SIF(access);
    default: break;
    }
    const TunerModuleData* row = FindTunerModule(type);
    return row ? new CModuleTuner(access, *row) : NULL;
}
