#include "cards/families/FenmoCardFilter.h"

#include "hw/access/FenmoAccess.h"
#include "hw/tuners/XCeive2028.h"

#include <string.h>
#include <uuids.h>

#include <new>

namespace {

const FenmoBoxModel kFenmoModel = {12, "FIC"};
const FenmoBoxModel kFenmorModel = {14, "FI"};

const char kTunerInEepromLetters[] = "FIC";
const char kReceiverLetters[] = "FI";

// The tuner of a box whose EEPROM does not name one.
const int kXceiveBrand = 'E';
const int kXceiveTunerType = 91;

struct SubtypeOfCode
{
    LONG code;
    const GUID* subtype;
};
const SubtypeOfCode kCaptureSubtypes[] = {
    {0, &MEDIASUBTYPE_RGB555}, {1, &MEDIASUBTYPE_RGB24}, {2, &MEDIASUBTYPE_YUY2},
    {3, &MEDIASUBTYPE_YVU9},   {4, &MEDIASUBTYPE_YV12},
};

bool IsOneOf(char letter, const char* letters)
{
    return letter != 0 && strchr(letters, letter) != NULL;
}

} // namespace

CFenmoCardFilter::CFenmoCardFilter(CRootGraph* owner, const GUID* category,
                                   const char* friendlyName, BOOL firstMatch)
    : CTunnelCardFilter(owner, category, friendlyName, firstMatch), m_pModel(&kFenmoModel)
{
}

CFenmoCardFilter::CFenmoCardFilter(CRootGraph* owner, const CLSID* clsid)
    : CTunnelCardFilter(owner, clsid), m_pModel(&kFenmoModel)
{
}

CFenmorCardFilter::CFenmorCardFilter(CRootGraph* owner, const GUID* category,
                                     const char* friendlyName, BOOL firstMatch)
    : CFenmoCardFilter(owner, category, friendlyName, firstMatch)
{
    m_pModel = &kFenmorModel;
}

CFenmorCardFilter::CFenmorCardFilter(CRootGraph* owner, const CLSID* clsid)
    : CFenmoCardFilter(owner, clsid)
{
    m_pModel = &kFenmorModel;
}

BOOL CFenmoCardFilter::TunerInEeprom(char letter)
{
    return IsOneOf(letter, kTunerInEepromLetters);
}

BOOL CFenmoCardFilter::RemoteEnabled(char letter) const
{
    return IsOneOf(letter, m_pModel->remoteLetters);
}

BOOL CFenmoCardFilter::HasRemote()
{
    return IsOneOf(ReadConfigByte(), kReceiverLetters);
}

HRESULT CFenmoCardFilter::OpenAccess()
{
    return OpenTunnelAccess(new (std::nothrow) CFenmoAccess(), m_pModel->cardType);
}

BOOL CFenmoCardFilter::OpenUnderLock()
{
    // A box whose driver does not answer still opens: it gives video, and
    // its tuner and remote fail request by request.
    OpenAccess();
    char letter = ReadConfigByte();
    FindCapturePins();
    if (TunerInEeprom(letter)) {
        ReadTunerInfo();
    } else {
        m_nTunerBrand = kXceiveBrand;
        m_nTunerType = kXceiveTunerType;
    }
    return CreateTunerFromType();
}

BOOL CFenmoCardFilter::ReadRemoteKey(BYTE* key)
{
    return RemoteEnabled(ReadConfigByte()) && CTunnelCardFilter::ReadRemoteKey(key);
}

BOOL CFenmoCardFilter::ReinitXceiveTuner()
{
    CXCeive2028* xceive = m_nTunerType == kXceiveTunerType ? dynamic_cast<CXCeive2028*>(m_pTuner) : NULL;
    return xceive && xceive->Init();
}

HRESULT CFenmoCardFilter::SetCaptureFormat(VideoFormat record, BOOL capturePin)
{
    const GUID* subtype = &MEDIASUBTYPE_UYVY;
    for (const SubtypeOfCode& row : kCaptureSubtypes) {
        if (row.code == record.format)
            subtype = row.subtype;
    }
    return SetVideoFormatAs(record, capturePin ? 1 : 0, *subtype);
}
