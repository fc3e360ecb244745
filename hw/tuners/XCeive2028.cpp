#include "hw/tuners/XCeive2028.h"

#include "graph/Clock.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

namespace {

const BYTE kDevice = 0xC2;

const XceiveVariant kXC2028 = {91, XceiveVariant::LOAD_BY_CARD_TYPE,
                               XceiveVariant::TUNE_BY_CARD_TYPE,
                               XceiveVariant::STATUS_BY_CARD_TYPE,
                               XceiveVariant::SIGNAL_BY_CARD_TYPE, 200, 10};
const XceiveVariant kXC3028 = {90, XceiveVariant::LOAD_BY_CARD_TYPE,
                               XceiveVariant::TUNE_BY_CARD_TYPE,
                               XceiveVariant::STATUS_BY_CARD_TYPE,
                               XceiveVariant::SIGNAL_BY_CARD_TYPE, 200, 10};
const XceiveVariant kXC3028AF = {136, XceiveVariant::LOAD_PLAIN,
                                 XceiveVariant::TUNE_ADDRESSED_PULSE,
                                 XceiveVariant::STATUS_REGISTER, XceiveVariant::SIGNAL_REGISTER,
                                 200, 10};
const XceiveVariant kXC3028SIF = {137, XceiveVariant::LOAD_RESET_STYLE, XceiveVariant::TUNE_SIF,
                                  XceiveVariant::STATUS_I2C, XceiveVariant::SIGNAL_CARD, 20, 20};

std::mutex g_scriptLock;
std::map<int, const XceiveScriptSet*>& Installed()
{
    static std::map<int, const XceiveScriptSet*> scripts;
    return scripts;
}

// Standard to script choice: index into the set's P or Q scripts, with the
// base script; -1 for a standard the chip has no script for.
struct ScriptChoice
{
    DWORD standards;
    bool baseA;
    int index;
};

const DWORD kNtscFamily = STD_NTSC_M | STD_NTSC_M_J | STD_NTSC_433 | STD_PAL_M | STD_PAL_N |
                          STD_PAL_60 | STD_PAL_H;

const ScriptChoice kPlainChoice[] = {
    {kNtscFamily, false, 0},
    {STD_PAL_B | STD_PAL_G, true, 1},
    {STD_PAL_D | STD_SECAM_D | STD_SECAM_K | STD_SECAM_K1 | STD_SECAM_H, true, 2},
    {STD_PAL_I, true, 3},
    {STD_SECAM_B | STD_SECAM_G | STD_SECAM_L | STD_SECAM_L1, true, 4},
};
const ScriptChoice kResetChoice[] = {
    {kNtscFamily, false, 0},
    {STD_PAL_B | STD_PAL_D | STD_PAL_G | STD_PAL_I | STD_SECAM_B | STD_SECAM_G, true, 1},
    {STD_SECAM_D | STD_SECAM_K | STD_SECAM_K1 | STD_SECAM_H, true, 2},
    {STD_SECAM_L | STD_SECAM_L1, true, 3},
};

template <size_t N>
const ScriptChoice* Choose(const ScriptChoice (&table)[N], DWORD standard)
{
    for (const ScriptChoice& c : table) {
        if (c.standards & standard)
            return &c;
    }
    return nullptr;
}

} // namespace

void SetXceiveScripts(int modelId, const XceiveScriptSet* scripts)
{
    std::lock_guard<std::mutex> hold(g_scriptLock);
    if (scripts)
        Installed()[modelId] = scripts;
    else
        Installed().erase(modelId);
}

const XceiveScriptSet* GetXceiveScripts(int modelId)
{
    std::lock_guard<std::mutex> hold(g_scriptLock);
    auto it = Installed().find(modelId);
    return it == Installed().end() ? nullptr : it->second;
}

CXCeive2028::CXCeive2028(CCustomDataAccess* access, const XceiveScriptSet* scripts)
    : CXCeive2028(access, kXC2028, scripts)
{
}

CXCeive2028::CXCeive2028(CCustomDataAccess* access, const XceiveVariant& variant,
                         const XceiveScriptSet* scripts)
    : CTVTuner(access), m_pVariant(&variant)
{
    if (!scripts)
        scripts = GetXceiveScripts(variant.modelId);
    if (scripts)
        m_scripts = *scripts;
    else
        memset(&m_scripts, 0, sizeof(m_scripts));
    m_nModelId = m_nModelId2 = variant.modelId;
    m_nMaker = 'E';
    m_nMinFreq = 42750;
    m_nBand1Top = m_nBand2Start = 147250;
    m_nBand2Top = m_nBand3Start = 425250;
    m_nMaxFreq = 863250;
    m_nFMMin = m_nFMMax = m_bHasFM = m_nFMIF = m_nIF = 0;
    m_byBandLow = m_byBandMid = m_byBandHigh = m_byControl = m_byStatusMask = 0;
    m_byStatusAddr = 0xC3;
    m_byAddr = kDevice;
    const int afc[5] = {4, 2, 1, 1, 0};
    memcpy(m_afc, afc, sizeof(m_afc));
    m_fmStatuses.clear();
    m_standards = {STD_PAL_B,   STD_PAL_D,   STD_PAL_H,    STD_PAL_I,   STD_PAL_M,
                   STD_PAL_N,   STD_PAL_60,  STD_SECAM_B,  STD_SECAM_D, STD_SECAM_G,
                   STD_SECAM_H, STD_SECAM_K, STD_SECAM_K1, STD_SECAM_L, STD_SECAM_L1,
                   STD_NTSC_M,  STD_NTSC_M_J, STD_NTSC_433};
}

CXCeive3028::CXCeive3028(CCustomDataAccess* access, const XceiveScriptSet* scripts)
    : CXCeive2028(access, kXC3028, scripts)
{
}

CXCeive3028_AF::CXCeive3028_AF(CCustomDataAccess* access, const XceiveScriptSet* scripts)
    : CXCeive2028(access, kXC3028AF, scripts)
{
}

CXCeive3028_SIF::CXCeive3028_SIF(CCustomDataAccess* access, const XceiveScriptSet* scripts)
    : CXCeive2028(access, kXC3028SIF, scripts)
{
}

int CXCeive2028::GetCardType() const
{
    // -1 without an owner: neither of the card-type tests holds.
    return m_pCard ? m_pCard->GetCardType() : -1;
}

BOOL CXCeive2028::IsCardType0Or13() const
{
    int type = GetCardType();
    return type == 0 || type == 13;
}

BOOL CXCeive2028::IsCardType12Or14() const
{
    int type = GetCardType();
    return type == 12 || type == 14;
}

WORD CXCeive2028::Divider(float kHz)
{
    double steps = static_cast<double>(kHz) / 15.625;
    if (!(steps >= 0.0))
        return 0;
    return steps >= 65535.0 ? 0xFFFF : static_cast<WORD>(steps);
}

BOOL CXCeive2028::DividerFits(float kHz)
{
    double steps = static_cast<double>(kHz) / 15.625;
    return steps >= 0.0 && steps < 65536.0;
}

BOOL CXCeive2028::HoldReset()
{
    return m_pAccess && m_pAccess->SetTunerReset(0) >= 0;
}

BOOL CXCeive2028::ResetTuner()
{
    if (!m_pAccess)
        return 0;
    m_pAccess->SetTunerReset(0);
    zunk::Sleep(m_pVariant->resetLowMs);
    return m_pAccess->SetTunerReset(1) >= 0;
}

BOOL CXCeive2028::RunScript(const FirmwareScript& script, bool addressed)
{
    if (!m_pAccess || !script.data)
        return 0;
    const BYTE* s = script.data;
    size_t p = 0;
    BOOL r = 0;
    // Every read is checked against the script's length: a script that
    // ends before its end word, or a message longer than what is left, is
    // refused rather than read past.
    while (p + 2 <= script.size) {
        unsigned word = (s[p] << 8) | s[p + 1];
        if (word == 0xFFFF)
            return r;
        if (word == 0) {
            r = ResetTuner();
            if (!r)
                return 0;
            p += 2;
            continue;
        }
        if (word >= 0x8000) {
            zunk::Sleep(word & 0x7FFF);
            p += 2;
            continue;
        }
        size_t n = word;
        if (script.size - (p + 2) < n)
            return 0;
        const BYTE* message = s + p + 2;
        BYTE piece[2 + kPieceData];
        for (size_t k = 1; k < n;) {
            size_t m = std::min(n - k, kPieceData);
            size_t length = 0;
            if (addressed)
                piece[length++] = kDevice;
            piece[length++] = message[0];
            memcpy(piece + length, message + k, m);
            length += m;
            r = m_pAccess->WriteI2CBlock(piece, static_cast<LONG>(length)) >= 0;
            if (!r)
                return 0;
            if (addressed)
                zunk::Sleep(m_pVariant->pieceWaitMs);
            k += m;
        }
        p += 2 + n;
    }
    return 0;
}

BOOL CXCeive2028::LoadFirmwareScriptNoAddress(const FirmwareScript& script)
{
    return RunScript(script, false);
}

BOOL CXCeive2028::LoadFirmwareScript(const FirmwareScript& script)
{
    if (GetCardType() == 0)
        return LoadFirmwareScriptNoAddress(script);
    return RunScript(script, true);
}

BOOL CXCeive2028::Init()
{
    if (!ResetTuner())
        return 0;
    zunk::Sleep(100);
    if (!LoadFirmwareScript(m_scripts.baseB))
        return 0;
    zunk::Sleep(100);
    return LoadFirmwareScript(m_scripts.q[1]);
}

BOOL CXCeive2028::LoadStandardFirmware(DWORD standard)
{
    BOOL reset = ResetTuner();
    const ScriptChoice* c = Choose(kPlainChoice, standard);
    if (!c || !reset)
        return 0;
    if (!LoadFirmwareScript(c->baseA ? m_scripts.baseA : m_scripts.baseB))
        return 0;
    zunk::Sleep(100);
    return LoadFirmwareScript(m_scripts.p[c->index]);
}

BOOL CXCeive2028::LoadStandardFirmwareReset(DWORD standard)
{
    if (!m_pAccess)
        return 0;
    const ScriptChoice* c = Choose(kResetChoice, standard);
    if (!c)
        return 1;
    return ResetTuner() && LoadFirmwareScript(c->baseA ? m_scripts.baseA : m_scripts.baseB) &&
           LoadFirmwareScript(m_scripts.q[c->index]);
}

BOOL CXCeive2028::SetStandard(DWORD standard)
{
    switch (m_pVariant->load) {
    case XceiveVariant::LOAD_PLAIN:
        return LoadStandardFirmware(standard);
    case XceiveVariant::LOAD_RESET_STYLE:
        return LoadStandardFirmwareReset(standard);
    default:
        return IsCardType0Or13() ? LoadStandardFirmwareReset(standard)
                                 : LoadStandardFirmware(standard);
    }
}

BOOL CXCeive2028::SendAddressed(const BYTE* body, LONG length)
{
    BYTE message[8] = {kDevice};
    memcpy(message + 1, body, length);
    return m_pAccess->WriteI2CBlock(message, length + 1) >= 0;
}

BOOL CXCeive2028::PulseGPIO()
{
    if (!m_pAccess || IsCardType0Or13())
        return 0;
    zunk::Sleep(10);
    m_pAccess->WriteGPIO(1, 0);
    zunk::Sleep(10);
    return m_pAccess->WriteGPIO(0, 0) >= 0;
}

BOOL CXCeive2028::SetFrequencyNoAddress(float kHz)
{
    if (!m_pAccess)
        return 0;
    BYTE mode[4] = {0x00, 0x02, 0x00, 0x00};
    if (m_pAccess->WriteI2CBlock(mode, 4) < 0)
        return 0;
    zunk::Sleep(20);
    WORD d = Divider(kHz);
    BYTE tune[4] = {0x00, 0x00, static_cast<BYTE>(d >> 8), static_cast<BYTE>(d)};
    HRESULT hr = m_pAccess->WriteI2CBlock(tune, 4);
    zunk::Sleep(10);
    return hr >= 0;
}

BOOL CXCeive2028::TuneAddressed(float kHz)
{
    const BYTE mode[4] = {0x00, 0x02, 0x00, 0x00};
    if (!SendAddressed(mode, 4))
        return 0;
    if (m_pVariant->tune == XceiveVariant::TUNE_ADDRESSED_PULSE) {
        // This member pulses on every card type.
        zunk::Sleep(10);
        m_pAccess->WriteGPIO(1, 0);
        zunk::Sleep(10);
        m_pAccess->WriteGPIO(0, 0);
    } else {
        PulseGPIO();
    }
    zunk::Sleep(20);
    WORD d = Divider(kHz);
    const BYTE tune[4] = {0x00, 0x00, static_cast<BYTE>(d >> 8), static_cast<BYTE>(d)};
    BOOL result = SendAddressed(tune, 4);
    zunk::Sleep(10);
    return result;
}

BOOL CXCeive2028::TuneSif(float kHz)
{
    const BYTE mode[5] = {0x00, 0x02, 0x00, 0x00, 0x00};
    if (!SendAddressed(mode, 5))
        return 0;
    zunk::Sleep(10);
    m_pAccess->SetGPIOLine(1);
    zunk::Sleep(200);
    m_pAccess->SetGPIOLine(0);
    zunk::Sleep(10);
    WORD d = Divider(kHz);
    const BYTE tune[5] = {0x00, 0x00, static_cast<BYTE>(d >> 8), static_cast<BYTE>(d), 0x00};
    BOOL result = SendAddressed(tune, 5);
    zunk::Sleep(10);
    return result;
}

BOOL CXCeive2028::SetTVFrequency(float kHz)
{
    // A frequency the 16-bit divider cannot carry would wrap to another
    // one and be reported as tuned: refuse it before anything is sent.
    if (!m_pAccess || !DividerFits(kHz))
        return 0;
    switch (m_pVariant->tune) {
    case XceiveVariant::TUNE_SIF:
        return TuneSif(kHz);
    case XceiveVariant::TUNE_ADDRESSED_PULSE:
        return TuneAddressed(kHz);
    default:
        return GetCardType() == 0 ? SetFrequencyNoAddress(kHz) : TuneAddressed(kHz);
    }
}

BOOL CXCeive2028::GetRegisterLock(DWORD* locked)
{
    if (!m_pAccess || !locked)
        return 0;
    BYTE value = 0;
    if (m_pAccess->ReadRegisterByte(58, &value) != S_OK)
        return 0;
    *locked = (value & 1) ? 0 : 1;
    return 1;
}

BOOL CXCeive2028::ReadLockRegister(DWORD* locked)
{
    if (!m_pAccess || !locked)
        return 0;
    BYTE request[3] = {kDevice, 0x00, 0x02};
    BOOL ok = m_pAccess->WriteI2CBlock(request, 3) >= 0;
    zunk::Sleep(50);
    BYTE reply[4] = {kDevice, 0x00, 0x00, 0x00};
    HRESULT hr = ok ? m_pAccess->ReadI2CBlock(reply, 4) : E_FAIL;
    BYTE value = (ok && hr >= 0) ? reply[1] : 2;  // 2: no lock
    *locked = value == 1 ? 1 : 0;
    return hr >= 0;
}

BOOL CXCeive2028::GetI2CLock(DWORD* value)
{
    if (!m_pAccess || !value)
        return 0;
    BYTE request[2] = {0x00, 0x02};
    BOOL ok = m_pAccess->WriteI2CBlock(request, 2) >= 0;
    zunk::Sleep(50);
    // The value spans the second and third bytes of the reply, so three
    // bytes are read.
    BYTE reply[3] = {0x00, 0x00, 0x00};
    if (ok)
        ok = m_pAccess->ReadI2CBlock(reply, 3) >= 0;
    *value = ok ? (reply[1] << 8) | reply[2] : 2;
    return *value == 1;
}

BOOL CXCeive2028::GetTVStatus(DWORD* status)
{
    if (!m_pAccess || !status)
        return 0;
    switch (m_pVariant->status) {
    case XceiveVariant::STATUS_REGISTER:
        return GetRegisterLock(status);
    case XceiveVariant::STATUS_I2C:
        return ReadLockRegister(status);
    default:
        break;
    }
    int type = GetCardType();
    if (type == 0) {
        GetI2CLock(status);
        return 1;
    }
    if (type == 12 || type == 14)
        return GetRegisterLock(status);
    return ReadLockRegister(status);
}

BOOL CXCeive2028::GetSignalLock(DWORD* locked)
{
    switch (m_pVariant->signal) {
    case XceiveVariant::SIGNAL_REGISTER:
        return GetRegisterLock(locked);
    case XceiveVariant::SIGNAL_CARD:
        return CTVTuner::GetSignalLock(locked);
    default:
        break;
    }
    if (IsCardType0Or13())
        return CTVTuner::GetSignalLock(locked);
    // The lock register is a register of the USB boxes' bridge; other cards
    // read the chip's own lock over I2C, as the status read does.
    if (IsCardType12Or14())
        return GetRegisterLock(locked);
    return ReadLockRegister(locked);
}

BOOL CXCeive2028::ProbeTuner()
{
    if (!m_pAccess)
        return 0;
    BYTE buffer[3] = {kDevice, 0x00, 0x00};
    return m_pAccess->ReadI2CBlock(buffer, 3) >= 0;
}
