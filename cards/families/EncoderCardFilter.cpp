#include "cards/families/EncoderCardFilter.h"

#include "cards/I2CKey.h"
#include "cards/UpstreamSearch.h"
#include "cards/families/CardRecords.h"
#include "cards/families/EncoderFilter.h"
#include "hw/access/23882Access.h"
#include "hw/access/RaptorAccess.h"
#include "hw/tuners/TunerModules.h"

#include <new>

namespace {

FilterCreatorRecord g_records[] = {
    CAPTURE_RECORD("BlackBird Video Capture", CBlackBirdCardFilter),
    CROSSBAR_RECORD("BlackBird Crossbar", CBlackBirdCrossBarFilter),
    ENCODER_RECORD("BlackBird MPEG Encoder", CEncoderFilter),
    CAPTURE_RECORD("Conexant Raptor Video Capture", CRaptorCardFilter),
    CROSSBAR_RECORD("Conexant Raptor Crossbar", CRaptorCrossBarFilter),
    ENCODER_RECORD("Conexant Raptor Encoder", CRaptorEncoderFilter),
};
static_assert(sizeof(g_records) / sizeof(g_records[0]) == 6, "two cards, crossbars and encoders");

const BYTE kEepromAddress = 0xA0;
const int kRemoteIntervalMs = 100;
const BYTE kConfigByte = 7;

// The tuner module with a standard index of its own.
const int kIndexedTunerType = 100;

} // namespace

void RegisterEncoderCardFilters() { RegisterRecords(g_records); }
void UnregisterEncoderCardFilters() { UnregisterRecords(g_records); }

// --- what both cards share ---------------------------------------------------------

CEncoderCardFilter::~CEncoderCardFilter()
{
    Close();
    m_pTunerControl.Reset();
    RemoveUpstreamFilters();
    m_pCrossbar.Reset();
}

void CEncoderCardFilter::RemoveUpstreamFilters()
{
    CRootGraph* graph = GetOwnerGraph();
    CUpstreamSearch::RemoveFilter(graph, &m_pTVTuner);
    IBaseFilter* filter = m_pTVAudioFilter.Detach();
    CUpstreamSearch::RemoveFilter(graph, &filter);
    filter = m_pCrossbarFilter.Detach();
    CUpstreamSearch::RemoveFilter(graph, &filter);
}

void CEncoderCardFilter::SetDefaults()
{
    m_nEepromAddr = kEepromAddress;
    m_nRemoteInterval = kRemoteIntervalMs;
    m_strTunerDevice = TunerDevice();
    m_pCrossbar.Reset();
    m_pTunerControl.Reset();
    m_pCrossbarFilter.Reset();
    m_pTVAudioFilter.Reset();
}

HRESULT CEncoderCardFilter::FindTunerInterface()
{
    return CUpstreamSearch::FindTuner(this, m_pTunerControl, &m_pTVTuner);
}

HRESULT CEncoderCardFilter::FindCrossbarInterface()
{
    if (m_pCrossbar)
        return S_OK;
    CUpstreamSearch search(this);
    return search.Find(IID_IAMCrossbar, m_pCrossbar.ReceiveVoid(), m_pCrossbarFilter.Receive());
}

HRESULT CEncoderCardFilter::FindTVAudioInterface()
{
    if (m_pTVAudioFilter)
        return S_OK;
    CUpstreamSearch search(this);
    ComPtr<IAMTVAudio> audio;
    return search.Find(IID_IAMTVAudio, audio.ReceiveVoid(), m_pTVAudioFilter.Receive());
}

HRESULT CEncoderCardFilter::OpenAccess()
{
    m_nCardType = CardType();
    m_pAccess = MakeAccess();
    if (!m_pAccess)
        return E_OUTOFMEMORY;
    {
        // One visit to the graph for the three searches; what they do not
        // find stays empty.
        CUpstreamSearch search(this);
        FindTunerInterface();
        FindCrossbarInterface();
        FindTVAudioInterface();
    }
    // The driver answers on its tuner filter; a card without one, on the
    // capture filter.
    HRESULT hr = m_pTVTuner ? m_pAccess->Attach(m_pTVTuner, AccessOwnerWord())
                            : m_pAccess->Attach(m_pFilter, 0);
    if (FAILED(hr)) {
        delete m_pAccess;
        m_pAccess = NULL;
    }
    ComPtr<IAMTVTuner> tuner;
    if (m_pTVTuner && SUCCEEDED(tuner.QueryFrom(m_pTVTuner, IID_IAMTVTuner)) && tuner)
        SetUpTuner(tuner.Get());
    return hr;
}

void CEncoderCardFilter::SetUpTuner(IAMTVTuner* tuner)
{
    tuner->put_Mode(AMTUNER_MODE_TV);
}

HRESULT CEncoderCardFilter::GetCrossbar(IAMCrossbar** out)
{
    if (!out || !m_pCrossbar)
        return E_POINTER;
    return m_pCrossbar.CopyTo(out);
}

BOOL CEncoderCardFilter::RouteCrossbar(long input, long output)
{
    if (FAILED(FindCrossbarInterface()) || !m_pCrossbar)
        return FALSE;
    return SUCCEEDED(m_pCrossbar->Route(output, input));
}

HRESULT CEncoderCardFilter::GetTVAudio(IAMTVAudio** out)
{
    if (!out || !m_pTVAudioFilter)
        return E_POINTER;
    return QueryTVAudio(m_pTVAudioFilter.Get(), out);
}

HRESULT CEncoderCardFilter::QueryTVAudio(IUnknown* object, IAMTVAudio** out)
{
    if (!object || !out)
        return E_POINTER;
    return object->QueryInterface(IID_IAMTVAudio, reinterpret_cast<void**>(out));
}

// --- BlackBird ---------------------------------------------------------------------------

CCustomDataAccess* CBlackBirdCardFilter::MakeAccess() const
{
    return new (std::nothrow) C23882Access();
}

void CBlackBirdCardFilter::SetUpTuner(IAMTVTuner* tuner)
{
    CEncoderCardFilter::SetUpTuner(tuner);
    tuner->put_Channel(1, AMTUNER_SUBCHAN_DEFAULT, AMTUNER_SUBCHAN_DEFAULT);
}

signed char CBlackBirdCardFilter::ReadConfigByte()
{
    BYTE value = 0;
    if (FAILED(ReadEepromByte(kConfigByte, &value)))
        return 0;
    return static_cast<signed char>(value);
}

int CBlackBirdCardFilter::SetTunerStandardIndex(int index)
{
    auto* tuner = dynamic_cast<CPANOSONIC_ENGE4326D*>(m_pTuner);
    if (m_nTunerType != kIndexedTunerType || !tuner)
        return 0;
    return tuner->SetStandardIndex(index);
}

// --- Raptor ------------------------------------------------------------------------------

CCustomDataAccess* CRaptorCardFilter::MakeAccess() const
{
    return new (std::nothrow) CRaptorAccess();
}

void CRaptorCardFilter::SetDefaults()
{
    CEncoderCardFilter::SetDefaults();
    m_nBrandSubAddr = 0xA0;
    m_nTypeSubAddr = 0xA1;
}

BOOL CRaptorCardFilter::ReadRemoteKey(BYTE* key)
{
    return ReadI2CKey(m_pAccess, kI2CKeyRaptorWiring, key);
}

// --- crossbars ------------------------------------------------------------------------------

void CBlackBirdCrossBarFilter::SetPinMap()
{
    static const int kSevenPins[kInputCount] = {0, 2, 1, 3, 4, -1};
    static const int kOtherPins[kInputCount] = {1, 2, 0, 4, 5, 6};
    if (GetPinCount() == 7)
        SetPinMapFrom(kSevenPins);
    else
        SetPinMapFrom(kOtherPins);
}

void CRaptorCrossBarFilter::SetPinMap()
{
    static const int kPins[kInputCount] = {0, 1, 2, 5, 6, 7};
    SetPinMapFrom(kPins);
}
