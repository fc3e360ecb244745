#include "cards/TVCardFilter.h"

#include <string.h>
#include <uuids.h>

#include <vector>

#include "cards/CaptureControls.h"
#include "cards/GpioKey.h"
#include "cards/McuLink.h"
#include "cards/RemoteThread.h"
#include "cards/StreamCaps.h"
#include "graph/AutoMutex.h"
#include "graph/Clock.h"
#include "graph/ComPtr.h"
#include "graph/MediaType.h"
#include "graph/RootGraph.h"
#include "hw/access/878Access.h"
#include "hw/access/CommonPropertySet.h"
#include "hw/access/NameMutex.h"
#include "hw/access/CommonPropertyClient.h"
#include "hw/access/TV_IOAccess.h"
#include "hw/tuners/TunerModelTable.h"
#include "hw/tuners/TunerModules.h"

namespace {

// Chip-driver tuner id -> TunerType.
const int kTunerIdPairs[][2] = {
    {33, 95}, {35, 5}, {135, 65}, {136, 62}, {4, 111}, {137, 138}, {138, 133}, {139, 60},
    {140, 66}, {147, 142}, {148, 143}, {142, 20}, {143, 21}, {144, 22}, {145, 23}, {146, 24},
};
static_assert(sizeof(kTunerIdPairs) / sizeof(kTunerIdPairs[0]) == 16, "tuner id map");

// TunerType ranges and their maker letters.
struct BrandRange
{
    int first, last;
    char brand;
};
const BrandRange kTunerBrands[] = {
    {0, 0, 'N'}, {1, 5, 'T'}, {7, 11, 'T'}, {14, 15, 'T'}, {17, 17, 'T'}, {20, 24, 'T'},
    {12, 13, 'G'}, {32, 35, 'X'}, {52, 71, 'A'}, {130, 134, 'A'}, {138, 139, 'A'},
    {142, 143, 'A'}, {72, 75, 'L'}, {90, 91, 'E'}, {136, 137, 'E'}, {92, 98, 'P'},
    {111, 111, 'P'}, {100, 100, 'O'}, {110, 110, 'C'}, {135, 135, 'D'},
};

// The tuner type used when the card's own cannot be made.
const int kFallbackTunerType = 4;

// Pairs probed in order when three or more addresses answer.
const BYTE kTunerAddressPairs[][2] = {{0xC1, 0xC0}, {0xC3, 0xC2}, {0xC7, 0xC6}, {0x87, 0xC0}};

const DWORD kAudioSettleMs = 300;  // the multiplexer's lines settle first

const GUID kSubtypeCXF1 = {0x31465843, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
const GUID kSubtypeCXF2 = {0x32465843, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// Tested in this order when reading a format.
const SubtypeCode kSubtypeCodes[] = {
    {&MEDIASUBTYPE_RGB555, 0}, {&MEDIASUBTYPE_RGB24, 1}, {&MEDIASUBTYPE_YV12, 4},
    {&MEDIASUBTYPE_YUY2, 2}, {&MEDIASUBTYPE_YVU9, 3}, {&MEDIASUBTYPE_UYVY, 6},
    {&kSubtypeCXF1, 7}, {&kSubtypeCXF2, 8},
};

} // namespace

CTVCardFilter::CTVCardFilter(CRootGraph* owner, const GUID* category, const char* friendlyName,
                             BOOL firstMatch)
    : CRootFilter(owner, category, friendlyName, firstMatch)
{
    SetFieldDefaults();
}

CTVCardFilter::CTVCardFilter(CRootGraph* owner, const CLSID* clsid) : CRootFilter(owner, clsid)
{
    SetFieldDefaults();
}

void CTVCardFilter::SetFieldDefaults()
{
    InitializeCriticalSection(&m_csRemote);
    m_bRemoteWanted = FALSE;
    m_nRemotePauses = 0;
    m_bClosing = FALSE;
    m_hNotifyWnd = NULL;
    m_pRemoteThread = NULL;
    m_pAccess = NULL;
    m_pTuner = NULL;
    m_nCardType = 0;
    m_nTunerBrand = 'N';
    m_nTunerType = 0;
    m_pCapturePin = NULL;
    m_pPreviewPin = NULL;
    m_pTVTuner = NULL;
    for (const auto& pair : kTunerIdPairs)
        m_TunerIdMap[pair[0]] = pair[1];
    m_nBrandSubAddr = 0x20;
    m_nTypeSubAddr = 0x21;
    m_nEepromAddr = 0xA0;
    m_nRemoteInterval = 100;
    m_pfnIoCallback = NULL;
    m_pIoAlertThread = NULL;
    m_hIoEvent = NULL;
}

CTVCardFilter::~CTVCardFilter()
{
    Close();
    if (m_pTVTuner)
        m_pTVTuner->Release();
    DeleteCriticalSection(&m_csRemote);
}

void CTVCardFilter::ClearOpenState()
{
    m_pAccess = NULL;
    m_pTuner = NULL;
    m_pCapturePin = NULL;
    m_pPreviewPin = NULL;
    m_hNotifyWnd = NULL;
    m_pRemoteThread = NULL;
    m_pfnIoCallback = NULL;
    m_pIoAlertThread = NULL;
    m_hIoEvent = NULL;
    m_nTunerBrand = 'N';
    m_nTunerType = 0;
}

BOOL CTVCardFilter::Init()
{
    ClearOpenState();
    if (!CRootFilter::Init())
        return FALSE;
    // Card set-up and remote-key reads share the GPIO lines: never at once.
    CNameMutex mutex("Mutex_Remote_Control", FALSE);
    if (!mutex.Lock()) {
        OnInitLockFailed();
        return FALSE;
    }
    BOOL ok = OpenUnderLock();
    mutex.Unlock();
    return ok;
}

BOOL CTVCardFilter::OpenUnderLock()
{
    if (OpenAccess() != S_OK || m_nCardType == 0)
        return FALSE;
    FindCapturePins();
    ReadTunerInfo();
    return CreateTunerFromType();
}

HRESULT CTVCardFilter::AttachAccess(CCustomDataAccess* access, int cardType)
{
    m_pAccess = NULL;
    m_nCardType = 0;
    if (!m_pFilter) {
        delete access;
        return E_POINTER;
    }
    if (!access)
        return E_OUTOFMEMORY;
    HRESULT hr = access->Attach(m_pFilter, AccessOwnerWord());
    if (FAILED(hr)) {
        delete access;
        return hr;
    }
    m_pAccess = access;
    m_nCardType = cardType;
    return access->SetProperty1(1) == S_OK ? S_OK : E_FAIL;
}

DWORD CTVCardFilter::AccessOwnerWord() const
{
    DWORD word = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(this));
    return word ? word : 1;
}

HRESULT CTVCardFilter::OpenAccess()
{
    m_pAccess = NULL;
    m_nCardType = 0;
    if (!m_pFilter)
        return E_POINTER;
    ComPtr<IKsPropertySet> ks;
    if (FAILED(m_pFilter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&ks))) || !ks)
        return E_FAIL;
    DWORD support = 0;
    if (SUCCEEDED(ks->QuerySupported(KSPROPSETID_Bt878, 4, &support)))
        return AttachAccess(new (std::nothrow) C878Access(), 1);
    if (SUCCEEDED(ks->QuerySupported(KSPROPSETID_CommonCard, COMMONCARD_BOARD_ID, &support)))
        return AttachAccess(new (std::nothrow) CTV_IOAccess(), 2);
    return E_FAIL;
}

int CTVCardFilter::Close()
{
    // The event outlives the thread that waits on it, never the reverse.
    DeleteIoAlertThread();
    if (m_hIoEvent) {
        CloseHandle(m_hIoEvent);
        m_hIoEvent = NULL;
    }
    {
        CAutoMutex lock(&m_csRemote);
        m_bClosing = TRUE;
        m_bRemoteWanted = FALSE;
        DeleteRemoteThread();
    }
    // A search ending now gives its pause back and finds the card closing.
    delete m_pTuner;
    m_pTuner = NULL;
    delete m_pAccess;
    m_pAccess = NULL;
    m_nCardType = 0;
    CAutoMutex lock(&m_csRemote);
    m_bClosing = FALSE;
    return 0;
}

void CTVCardFilter::DeleteIoAlertThread()
{
    delete m_pIoAlertThread;  // stops it
    m_pIoAlertThread = NULL;
}

BOOL CTVCardFilter::StopIoAlert()
{
    DeleteIoAlertThread();
    return TRUE;
}

const McuWiring& CTVCardFilter::GetMcuWiring() const
{
    return kMcuBaseWiring;
}

BOOL CTVCardFilter::McuWrite(DWORD value, DWORD mask, DWORD delayMs)
{
    return CMcuLink(m_pAccess, GetMcuWiring()).Write(value, mask, delayMs);
}

BOOL CTVCardFilter::McuRead(DWORD* reply)
{
    return CMcuLink(m_pAccess, GetMcuWiring()).Read(reply);
}

BOOL CTVCardFilter::SetOpenComputerTime(WORD minutes)
{
    return HasPowerOnTimer() && CMcuLink(m_pAccess, GetMcuWiring()).SetTime(minutes);
}

BOOL CTVCardFilter::GetOpenComputerTime(WORD* minutes)
{
    return HasPowerOnTimer() && CMcuLink(m_pAccess, GetMcuWiring()).GetTime(minutes);
}

BOOL CTVCardFilter::EnableOpenComputer(BOOL on)
{
    return HasPowerOnTimer() && CMcuLink(m_pAccess, GetMcuWiring()).Enable(on);
}

// --- remote control -------------------------------------------------------

BOOL CTVCardFilter::StartRemote()
{
    CAutoMutex lock(&m_csRemote);
    if (m_bClosing)
        return FALSE;
    m_bRemoteWanted = TRUE;
    // A restart, as before: a running thread gives way to a new one that
    // takes the current window and interval.
    DeleteRemoteThread();
    return ApplyRemoteState();
}

void CTVCardFilter::StopRemote()
{
    CAutoMutex lock(&m_csRemote);
    m_bRemoteWanted = FALSE;
    DeleteRemoteThread();
}

void CTVCardFilter::PauseRemote()
{
    CAutoMutex lock(&m_csRemote);
    m_nRemotePauses++;
    DeleteRemoteThread();
}

void CTVCardFilter::ResumeRemote()
{
    CAutoMutex lock(&m_csRemote);
    if (m_nRemotePauses > 0)
        m_nRemotePauses--;
    ApplyRemoteState();
}

BOOL CTVCardFilter::ApplyRemoteState()
{
    if (!m_bRemoteWanted || m_nRemotePauses > 0 || m_bClosing || m_pRemoteThread)
        return TRUE;
    m_pRemoteThread = new (std::nothrow) CRemoteThread(this);
    if (!m_pRemoteThread)
        return FALSE;
    m_pRemoteThread->SetInterval(m_nRemoteInterval);
    m_pRemoteThread->Resume();
    return TRUE;
}

void CTVCardFilter::DeleteRemoteThread()
{
    // The thread never takes m_csRemote, so waiting for it here is safe.
    delete m_pRemoteThread;  // stops it
    m_pRemoteThread = NULL;
}

BOOL CTVCardFilter::IsRemoteRunning()
{
    CAutoMutex lock(&m_csRemote);
    return m_pRemoteThread != NULL;
}

BOOL CTVCardFilter::SetRemoteInterval(int ms)
{
    if (ms < 1)
        return FALSE;
    CAutoMutex lock(&m_csRemote);
    m_nRemoteInterval = ms;
    if (m_pRemoteThread)
        m_pRemoteThread->SetInterval(ms);
    return TRUE;
}

BOOL CTVCardFilter::ReadRemoteKey(BYTE* key)
{
    // The pause after a key is the thread's (GetRemoteKeyPause), outside
    // the mutex.
    return m_pAccess && key && ReadGpioKey(m_pAccess, kGpioKeyBaseWiring, key);
}

// --- tuner factory and EEPROM -------------------------------------------------

HRESULT CTVCardFilter::ReadEepromByte(BYTE sub, BYTE* value)
{
    if (!m_pAccess)
        return E_POINTER;
    return m_pAccess->ReadI2CByte(m_nEepromAddr, sub, value);
}

HRESULT CTVCardFilter::WriteEepromByte(BYTE sub, BYTE value)
{
    if (!m_pAccess)
        return E_POINTER;
    return m_pAccess->WriteI2CByte(m_nEepromAddr, sub, value);
}

void CTVCardFilter::ReadBrandByte(int* brand)
{
    BYTE value = 0;
    if (SUCCEEDED(ReadEepromByte(m_nBrandSubAddr, &value)))
        *brand = strchr("AEGLPTX", value) && value ? value : 'N';
}

HRESULT CTVCardFilter::ReadTunerInfoFromEeprom(int* brand, int* type)
{
    if (!m_pAccess || !brand || !type)
        return E_POINTER;
    ReadBrandByte(brand);
    BYTE value = 0;
    HRESULT hr = ReadEepromByte(m_nTypeSubAddr, &value);
    if (FAILED(hr))
        return hr;
    *type = value;
    return S_OK;
}

int CTVCardFilter::ReadTunerInfo()
{
    ReadTunerInfoFromEeprom(&m_nTunerBrand, &m_nTunerType);
    int read = m_nTunerType;
    if (m_nTunerBrand == 'N')
        m_nTunerBrand = 'T';
    if (m_nTunerType == 0 || m_nTunerType == 255)
        m_nTunerType = kFallbackTunerType;
    return read;
}

BOOL CTVCardFilter::CreateTunerFromType()
{
    CTVTuner* tuner = CreateTuner(m_nTunerType);
    if (!tuner) {
        tuner = CreateTuner(kFallbackTunerType);
        m_nTunerBrand = 'T';
    }
    if (!tuner)
        return FALSE;
    // Called again on an open card (a family reopening it), the tuner in
    // place hands over its window and goes, rather than leaking.
    if (m_pTuner && m_pTuner != tuner)
        tuner->SetNotifyWindow(m_pTuner->GetNotifyWindow());
    return ReplaceTuner(tuner);
}

CTVTuner* CTVCardFilter::CreateTuner(int type)
{
    if (type == 0 || !m_pAccess)
        return NULL;
    CTVTuner* tuner = CreateTunerModule(type, m_pAccess);
    if (!tuner)
        return NULL;
    tuner->SetOwner(this);
    if (!ProbeTunerAddress(tuner))
        ScanI2C(tuner);
    return tuner;
}

BOOL CTVCardFilter::LookUpTunerBrand(int type, int* brand)
{
    for (const BrandRange& row : kTunerBrands) {
        if (type >= row.first && type <= row.last) {
            if (brand)
                *brand = row.brand;
            return TRUE;
        }
    }
    if (brand)
        *brand = 'N';
    return FALSE;
}

BOOL CTVCardFilter::SetTunerType(int type)
{
    CTVTuner* tuner = CreateTuner(type);
    if (!tuner)
        return FALSE;
    LookUpTunerBrand(type, &m_nTunerBrand);
    if (m_pTuner) {
        tuner->SetNotifyWindow(m_pTuner->GetNotifyWindow());
        delete m_pTuner;
    }
    m_pTuner = tuner;
    m_nTunerType = type;
    return TRUE;
}

BOOL CTVCardFilter::ProbeI2C(int addr)
{
    if (!m_pAccess || addr < 0 || addr > 255)
        return FALSE;
    BYTE buf[1] = {(BYTE)addr};
    return SUCCEEDED(m_pAccess->ReadI2CBlock(buf, 1));
}

BOOL CTVCardFilter::ProbeTunerAddress(CTVTuner* tuner)
{
    return tuner && ProbeI2C(tuner->m_byStatusAddr);
}

void CTVCardFilter::ScanI2C(CTVTuner* tuner)
{
    if (!tuner)
        return;
    std::vector<BYTE> found;
    for (int a = 0; a < 256; a++) {
        if (a != m_nEepromAddr && a != (m_nEepromAddr | 1) && ProbeI2C(a))
            found.push_back((BYTE)a);
    }
    BYTE read = 0xC1, write = 0xC0;
    auto single = [&](BYTE a) {
        // The read address carries bit 0; the write address is it cleared.
        read = a | 1;
        write = a & 0xFE;
    };
    if (found.size() == 1) {
        single(found[0]);
    } else if (found.size() == 2) {
        read = found[1];
        write = found[0];
    } else if (found.size() >= 3) {
        bool chosen = false;
        for (const auto& pair : kTunerAddressPairs) {
            for (BYTE a : found) {
                if (a == pair[0]) {
                    read = pair[0];
                    write = pair[1];
                    chosen = true;
                    break;
                }
            }
            if (chosen)
                break;
        }
        if (!chosen)
            single(found[0] > found[1] ? found[0] : found[1]);
    }
    tuner->m_byStatusAddr = read;
    tuner->m_byAddr = write;
}

BOOL CTVCardFilter::ProbeTunerType(int type, float kHz)
{
    CTVTuner* tuner = CreateTuner(type);
    if (!tuner)
        return FALSE;
    BOOL tuned = FALSE;
    if (tuner->SetTVFrequency(kHz)) {
        zunk::Sleep(150);
        tuned = tuner->IsTVTuned();
    }
    delete tuner;
    return tuned;
}

BOOL CTVCardFilter::ReplaceTuner(CTVTuner* tuner)
{
    if (!tuner)
        return FALSE;
    if (tuner != m_pTuner) {
        delete m_pTuner;
        m_pTuner = tuner;
        tuner->SetOwner(this);
    }
    return TRUE;
}

BOOL CTVCardFilter::GetTunerName(int type, std::string* name)
{
    TunerModelTable& table = TunerModelTable::Instance();
    table.Fill();
    const char* found = table.Find(type);
    if (!found || !name)
        return FALSE;
    *name = found;
    return TRUE;
}

signed char CTVCardFilter::ReadConfigByte()
{
    BYTE value = 0;
    if (FAILED(ReadEepromByte(7, &value)))
        return 0;
    return (signed char)value;
}

int CTVCardFilter::GetBoardVariant()
{
    BYTE value = 0;
    if (FAILED(ReadEepromByte(160, &value)))
        return 0;
    return value == 1 ? 1 : (value == 2 || value == 255) ? 2 : 0;
}

DWORD CTVCardFilter::GetChipType()
{
    // The chip comes with the board's identity in the maker's common set,
    // which the SAA713x drivers answer beside their own sets; a driver
    // that does not, does not tell.
    if (!m_pFilter)
        return 0;
    ComPtr<IKsPropertySet> ks;
    DWORD support = 0;
    if (FAILED(m_pFilter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&ks))) || !ks ||
        FAILED(ks->QuerySupported(KSPROPSETID_CommonCard, COMMONCARD_BOARD_ID, &support)))
        return 0;
    CCommonPropertyClient client;
    client.Bind(ks.Get());
    WORD chip = 0, other = 0;
    return client.GetBoardId(&chip, &other) == S_OK ? chip : 0;
}

// --- tuner pass-through ---------------------------------------------------------

BOOL CTVCardFilter::SetSweepSteps(int jump, int halfWindow)
{
    return m_pTuner && m_pTuner->SetSweepSteps(jump, halfWindow);
}

BOOL CTVCardFilter::SetSweepRange(int start, int end)
{
    return m_pTuner && m_pTuner->SetSweepRange(start, end);
}

BOOL CTVCardFilter::SetFMSkip(int kHz)
{
    return m_pTuner && m_pTuner->SetFMSkip(kHz);
}

BOOL CTVCardFilter::SetSettleTime(int ms)
{
    if (!m_pTuner)
        return FALSE;
    m_pTuner->SetSettleTime(ms);
    return TRUE;
}

BOOL CTVCardFilter::SetFMStep(int kHz)
{
    return m_pTuner && m_pTuner->SetFMStep(kHz);
}

BOOL CTVCardFilter::SetFMRange(int lo, int hi)
{
    return m_pTuner && m_pTuner->SetFMRange(lo, hi);
}

BOOL CTVCardFilter::IsSearching()
{
    return m_pTuner && m_pTuner->IsSearching();
}

BOOL CTVCardFilter::IsTVTuned()
{
    return m_pTuner && m_pTuner->IsTVTuned();
}

BOOL CTVCardFilter::IsFMSignal()
{
    return m_pTuner && m_pTuner->IsFMSignal();
}

BOOL CTVCardFilter::GetTVStatus(DWORD* status)
{
    return m_pTuner && m_pTuner->GetTVStatus(status);
}

BOOL CTVCardFilter::GetFMStatus(DWORD* status)
{
    return m_pTuner && m_pTuner->GetFMStatus(status);
}

const std::vector<DWORD>* CTVCardFilter::GetTunerStandards()
{
    return m_pTuner ? &m_pTuner->m_standards : NULL;
}

BOOL CTVCardFilter::SetTunerStandard(long standard)
{
    if (!m_pTuner)
        return FALSE;
    m_pTuner->m_nStandard = standard;
    return m_pTuner->SetStandard(standard);
}

BOOL CTVCardFilter::SetTVFrequency(float kHz)
{
    if (!m_pTuner)
        return FALSE;
    // A refused tuning stays a failure; a tuner that needs its standard
    // again after every tune succeeds only when both steps do.
    if (!m_pTuner->SetTVFrequency(kHz))
        return FALSE;
    if (m_pTuner->m_bReapplyStandard)
        return m_pTuner->SetStandard(m_pTuner->m_nStandard);
    return TRUE;
}

BOOL CTVCardFilter::SetFMFrequency(float kHz)
{
    return m_pTuner && m_pTuner->SetFMFrequency(kHz);
}

int CTVCardFilter::GetTunerModelId()
{
    return m_pTuner ? m_pTuner->m_nModelId2 : 0;
}

// --- video controls ---------------------------------------------------------------

HRESULT CTVCardFilter::GetTVFormats(long* current, long* available)
{
    return CCaptureControls(*this).GetTVFormats(current, available);
}

HRESULT CTVCardFilter::PutTVFormat(long standard)
{
    return CCaptureControls(*this).PutTVFormat(standard);
}

HRESULT CTVCardFilter::IsSignalLocked(long* locked)
{
    if (!m_pFilter)
        return E_FAIL;
    if (!locked)
        return E_POINTER;
    ComPtr<IAMAnalogVideoDecoder> decoder;
    HRESULT hr = m_pFilter->QueryInterface(IID_IAMAnalogVideoDecoder,
                                           reinterpret_cast<void**>(&decoder));
    return FAILED(hr) ? hr : decoder->get_HorizontalLocked(locked);
}

HRESULT CTVCardFilter::SetProcAmp(long property, long value)
{
    return CCaptureControls(*this).SetProcAmp(property, value);
}

HRESULT CTVCardFilter::GetProcAmpRange(long property, ProcAmpRange* range)
{
    return CCaptureControls(*this).GetProcAmpRange(property, range);
}

HRESULT CTVCardFilter::FindStreamConfig(int which, IAMStreamConfig** config)
{
    return CCaptureControls(*this).FindStreamConfig(which, config);
}

HRESULT CTVCardFilter::GetStreamFormat(AM_MEDIA_TYPE** mt, int which)
{
    return CCaptureControls(*this).GetStreamFormat(mt, which);
}

HRESULT CTVCardFilter::GetVideoFormat(VideoFormat* rec, int which)
{
    return CCaptureControls(*this).GetVideoFormat(rec, which, kSubtypeCodes,
                                                  sizeof(kSubtypeCodes) / sizeof(kSubtypeCodes[0]));
}

HRESULT CTVCardFilter::SetVideoFormat(VideoFormat rec, int which)
{
    return SetVideoFormatAs(rec, which,
                            CCaptureControls::SubtypeOf(rec.format, kSubtypeCodes,
                                                        sizeof(kSubtypeCodes) / sizeof(kSubtypeCodes[0]),
                                                        MEDIASUBTYPE_YUY2));
}

HRESULT CTVCardFilter::SetVideoFormatAs(const VideoFormat& rec, int which, const GUID& subtype)
{
    return CCaptureControls(*this).SetVideoFormat(rec, which, subtype);
}

BOOL CTVCardFilter::GetLargestCaptureSize(const GUID& subtype, SIZE* size)
{
    ComPtr<IAMStreamConfig> config;
    if (!size || FAILED(FindStreamConfig(1, &config)))
        return FALSE;
    return FindLargestVideoCaps(config.Get(), subtype, size);
}

CRootPin* CTVCardFilter::FindPinByName(const char* name)
{
    if (name && strcmp(name, "Capture") == 0 && m_pCapturePin)
        return m_pCapturePin;
    if (name && strcmp(name, "Preview") == 0 && m_pPreviewPin)
        return m_pPreviewPin;
    return CRootFilter::FindPinByName(name);
}

void CTVCardFilter::FindCapturePins()
{
    m_pCapturePin = NULL;
    m_pPreviewPin = NULL;
    CRootGraph* graph = GetOwnerGraph();
    if (!m_pFilter || !graph || !graph->GetBuilder())
        return;
    const GUID* categories[] = {&PIN_CATEGORY_CAPTURE, &PIN_CATEGORY_PREVIEW};
    CRootPin** slots[] = {&m_pCapturePin, &m_pPreviewPin};
    for (int i = 0; i < 2; i++) {
        ComPtr<IPin> pin;
        if (graph->GetBuilder()->FindInterface(categories[i], &MEDIATYPE_Video, m_pFilter, IID_IPin,
                                               reinterpret_cast<void**>(&pin)) == S_OK)
            *slots[i] = FindPinByIPin(pin.Get());
    }
}

BOOL CTVCardFilter::GetDriverVersion(unsigned* version)
{
    if (!version || !m_pFilter)
        return FALSE;
    ComPtr<IKsPropertySet> ks;
    if (FAILED(m_pFilter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&ks))))
        return FALSE;
    DWORD support = 0;
    if (FAILED(ks->QuerySupported(KSPROPSETID_CommonCard, COMMONCARD_BOARD_ID, &support)))
        return FALSE;
    BYTE data[48] = {};
    DWORD returned = 0;
    if (FAILED(ks->Get(KSPROPSETID_CommonCard, COMMONCARD_BOARD_ID, data, 24, data, sizeof(data),
                       &returned)))
        return FALSE;
    *version = ((unsigned)(data[26] | (data[27] << 8)) << 16) | (unsigned)(data[24] | (data[25] << 8));
    return TRUE;
}

HRESULT CTVCardFilter::QueryTVTuner(void** out)
{
    if (!m_pTVTuner || !out)
        return E_POINTER;
    return m_pTVTuner->QueryInterface(IID_IAMTVTuner, out);
}

// --- audio multiplexer and GPIO ---------------------------------------------------

HRESULT CTVCardFilter::SettleAndReadGpio(DWORD* pins)
{
    if (!m_pAccess)
        return E_POINTER;
    zunk::Sleep(kAudioSettleMs);
    return m_pAccess->ReadGPIO(pins);
}

HRESULT CTVCardFilter::SelectAudioInput(int input, BOOL on)
{
    DWORD word = 0;
    HRESULT hr = SettleAndReadGpio(&word);
    if (FAILED(hr))
        return hr;
    DWORD bits = word & 0x3000;
    if (!on)
        bits = 0x3000;
    else if (input == 0)
        bits = 0;
    else if (input == 1)
        bits = 0x1000;
    else if (input == 2)
        bits = 0x2000;
    return m_pAccess->WriteGPIO(bits, 0x3000);
}

HRESULT CTVCardFilter::SelectAudioLine(int line, BOOL on)
{
    DWORD word = 0;
    HRESULT hr = SettleAndReadGpio(&word);
    if (FAILED(hr))
        return hr;
    DWORD bits;
    if (on)
        bits = line == 1 ? 0x1000 : line == 2 ? 0x2000 : line == 3 ? 0x3000 : 0;
    else
        bits = 0x4000 | (word & 0x3000);
    return m_pAccess->WriteGPIO(bits, 0x7000);
}

int CTVCardFilter::WaitGpioLevel(BOOL level, BOOL settle)
{
    if (!m_pAccess)
        return 0;
    int polls = 0;
    int seen = 0;
    for (; polls < 100; polls++) {
        DWORD word = 0;
        if (FAILED(m_pAccess->ReadGPIO(&word)))
            return 0;
        if (((word & 0x100) != 0) == (level != FALSE)) {
            seen = 1;
            break;
        }
        zunk::Sleep(1);
    }
    if (settle)
        zunk::Sleep(100 - polls);
    return seen;
}

HRESULT CTVCardFilter::I2CRead(BYTE* buf, BYTE sub, int* count)
{
    // count is checked against the room left, never added to sub: a huge
    // count would wrap the sum and pass.
    if (!buf || !count || *count < 1 || *count > 256 - sub)
        return E_INVALIDARG;
    if (!m_pAccess)
        return E_POINTER;
    int asked = *count, good = 0;
    HRESULT last = S_OK;
    for (int i = 0; i < asked; i++) {
        BYTE value = 0;
        last = ReadEepromByte((sub + i) & 0xFF, &value);
        if (SUCCEEDED(last)) {
            buf[i] = value;
            good++;
        }
    }
    *count = good;
    return good ? S_OK : last;
}

HRESULT CTVCardFilter::I2CWrite(const BYTE* buf, BYTE sub, int* count, unsigned delayMs)
{
    if (!buf || !count || *count < 1 || *count > 256 - sub)
        return E_INVALIDARG;
    if (!m_pAccess)
        return E_POINTER;
    int asked = *count;
    for (int i = 0; i < asked; i++) {
        HRESULT hr = WriteEepromByte(static_cast<BYTE>(sub + i), buf[i]);
        if (delayMs)
            zunk::Sleep(delayMs);
        if (FAILED(hr)) {
            // The bytes written before the failure are reported.
            *count = i;
            return hr;
        }
    }
    return S_OK;
}

HRESULT CTVCardFilter::I2CWriteBlock(BYTE* buf, int len)
{
    if (!buf)
        return E_INVALIDARG;
    if (len < 2 || len > 256)
        return E_FAIL;
    if (!m_pAccess)
        return E_POINTER;
    return m_pAccess->WriteI2CBlock(buf, len);
}

BOOL CTVCardFilter::ReadRegisterByte(unsigned address, BYTE* value)
{
    return m_pAccess && value && SUCCEEDED(m_pAccess->ReadRegisterByte(address, value));
}
