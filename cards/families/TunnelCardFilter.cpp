#include "cards/families/TunnelCardFilter.h"

#include "cards/I2CKey.h"
#include "hw/access/UsbTunnelAccess.h"

#include <uuids.h>

namespace {

const BYTE kReceiverAddress = 0xBB;
const BYTE kKeyRegister = 0x31;
const BYTE kKeyTakenValue = 0xBB;

const BYTE kConfigSubAddress = 3;
const BYTE kStatusRegister3C = 0x3C;
const BYTE kControlRegister = 0x80;

} // namespace

BOOL CTunnelCardFilter::OpenUnderLock()
{
    if (OpenAccess() != S_OK && !OpensWithoutAccess())
        return FALSE;
    FindCapturePins();
    ReadTunerInfo();
    return CreateTunerFromType();
}

HRESULT CTunnelCardFilter::OpenTunnelAccess(CUsbTunnelAccess* access, int cardType)
{
    m_pAccess = access;
    m_nCardType = cardType;
    if (!access)
        return E_OUTOFMEMORY;
    if (!m_pFilter)
        return E_POINTER;
    return access->Attach(m_pFilter, 0);
}

int CTunnelCardFilter::ReadTunerInfo()
{
    m_nTunerBrand = 'N';
    m_nTunerType = 0;
    return ReadTunerInfoFromEeprom(&m_nTunerBrand, &m_nTunerType);
}

signed char CTunnelCardFilter::ReadConfigByte()
{
    BYTE value = 0;
    if (FAILED(ReadEepromByte(kConfigSubAddress, &value)))
        return 0;
    return static_cast<signed char>(value);
}

BOOL CTunnelCardFilter::ReadRemoteKey(BYTE* key)
{
    return ReadI2CKey(m_pAccess, kI2CKeyTunnelWiring, key);
}

BOOL CTunnelCardFilter::ClearRemoteKey()
{
    return m_pAccess &&
           m_pAccess->WriteI2CByte(kReceiverAddress, kKeyRegister, kKeyTakenValue) == S_OK;
}

BOOL CTunnelCardFilter::ReadStatusBit(BYTE reg, BOOL inverted)
{
    BYTE value = 0;
    if (!ReadRegisterByte(reg, &value))
        return TRUE;
    BOOL set = (value & 1) != 0;
    return inverted ? !set : set;
}

BOOL CTunnelCardFilter::ReadStatusBit3C()
{
    return ReadStatusBit(kStatusRegister3C, FALSE);
}

BOOL CTunnelCardFilter::WriteRegisterByte(unsigned reg, BYTE value)
{
    return m_pAccess && SUCCEEDED(m_pAccess->WriteRegisterByte(reg, value));
}

BOOL CTunnelCardFilter::WriteControlRegister(BYTE value)
{
    return WriteRegisterByte(kControlRegister, value);
}

BOOL CTunnelCardFilter::WriteGpioLine(DWORD on, DWORD line)
{
    return m_pAccess && SUCCEEDED(m_pAccess->WriteGPIO(on, line));
}

BOOL CTunnelCardFilter::HasConfigMark()
{
    int mark = GetConfigMark();
    return mark >= 0 && static_cast<BYTE>(ReadConfigByte()) == mark;
}

HRESULT CTunnelCardFilter::SetUyvyFormat(const VIDEOINFOHEADER& fields, int which)
{
    VideoFormat format = {};
    format.rcSource = fields.rcSource;
    format.rcTarget = fields.rcTarget;
    format.dwBitRate = fields.dwBitRate;
    format.dwBitErrorRate = fields.dwBitErrorRate;
    format.AvgTimePerFrame = fields.AvgTimePerFrame;
    format.bmiHeader = fields.bmiHeader;
    return SetVideoFormatAs(format, which, MEDIASUBTYPE_UYVY);
}

BOOL CTunnelCardFilter::GetLargestUyvySize(SIZE* size)
{
    return GetLargestCaptureSize(MEDIASUBTYPE_UYVY, size);
}

void CTunnelCrossbarFilter::SetPinMap()
{
    static const int kMap[kInputCount] = {0, 1, 2, 4, 5, 6};
    for (int i = 0; i < kInputCount; i++)
        m_nPinMap[i] = kMap[i];
}
