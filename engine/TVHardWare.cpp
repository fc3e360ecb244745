// The hardware object's preview graph: creating the card, crossbar, audio
// capture device and renderers, building and running the preview in the
// video window, rebuilding it, and the audio lists.
#include "engine/TVHardWare.h"

#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"
#include "engine/ActiveDesktop.h"
#include "engine/AudioCapture.h"
#include "engine/AudioControl.h"
#include "engine/FilterRegistration.h"
#include "engine/RegisterKey.h"
#include "engine/PathHelpers.h"
#include "graph/Clock.h"
#include "graph/ComPtr.h"
#include "graph/DebugHelper.h"
#include "graph/Guids.h"
#include "graph/wrappers/AudioDeviceFilter.h"
#include "graph/wrappers/DeinterlaceFilter.h"
#include "graph/wrappers/OverlayFilter.h"

#include <evr.h>
#include <ks.h>
#include <ksmedia.h>
#include <uuids.h>

#include <algorithm>

namespace {

DWORD g_dwStartupError = 0;

// The card driver's settle pause around the capture filter's creation.
const DWORD kCardSettleMs = 100;
// The EVR's destination reaches past the window's left and right edges.
const LONG kEvrWidenLeft = 5;
const LONG kEvrWidenRight = 15;
const long kVideoWindowStyle = WS_CHILD | WS_CLIPSIBLINGS;

const char kCaptureWrapperName[] = "TVCardFilter";
const char kCrossbarWrapperName[] = "CrossBarFilter";
const char kAudioWrapperName[] = "AudioDevice";
const char kDeinterlaceName[] = "Corvane Deinterlace";
const char kEvrName[] = "EVR Render";
const char kVmrName[] = "VMR Render";
const char kWaveOutName[] = "Default WaveOut Device";
const char kAudioRendererPin[] = "Audio Input pin (rendered)";

} // namespace

const PreviewDevices kPreviewDevices = {
    "713x BDA Analog Capture",
    "713x TV Card Capture",
    "713x BDA Analog Xbar",
    "713x TV Card Crossbar",
    &AM_KSCATEGORY_TVTUNER,
    "713x BDA Analog TV Tuner",
    "713x BDA Analog TV Audio",
    &CLSID_DeinterlaceFilter,
    &CLSID_EnhancedVideoRenderer,
    &CLSID_VideoMixingRenderer,
    &CLSID_AudioRender,
    &CLSID_DSoundRender,
    &CLSID_NullRenderer,
    &AudioCapture_GetDeviceNames,
};

DWORD GetStartupErrorCode()
{
    return g_dwStartupError;
}

void SetStartupErrorCode(DWORD code)
{
    g_dwStartupError = code;
}

CTVHardWare::CTVHardWare()
    : m_devices(kPreviewDevices), m_recordDevices(kRecordDevices), m_pCardFilter(NULL), m_pCrossBar(NULL), m_pDeinterlace(NULL),
      m_pOverlay(NULL), m_pVideoRender(NULL), m_pAudioRender(NULL), m_pDSoundRender(NULL),
      m_pNullRender(NULL), m_pAudioFilter(NULL), m_pAviMux(NULL), m_pAviWriter(NULL), m_pInfTee(NULL),
      m_pAudioTee(NULL), m_pDump(NULL), m_pMCEncoder(NULL), m_pACMWrapper(NULL), m_pAVSwitchFilter(NULL),
      m_pXvidCodec(NULL), m_pMpeg4AudioCodec(NULL), m_pFMPcm(NULL), m_pFMAdpcm(NULL), m_pFMCustom(NULL),
      m_pTimeShift(NULL), m_pDemux(NULL), m_pVideoDecoder(NULL), m_pAudioDecoder(NULL), m_bBdaCard(FALSE), m_bUseOverlay(TRUE),
      m_bOverlayDesktop(FALSE), m_hVideoWnd(NULL), m_hNotifyWnd(NULL), m_nVideoProperty{128, 68, 0, 64, 0},
      m_nOverlayProperty{750, 10000, 0, 10000, 5}, m_bDeinterlace(FALSE), m_bCaptureOption(TRUE),
      m_bHalfRate(TRUE), m_bNoiseReduce(TRUE), m_nReduceValue(6), m_nDeinterlaceMode(1),
      m_bRecording(FALSE), m_bRecordPaused(FALSE), m_bScanning(FALSE), m_bTFRunning(FALSE),
      m_bTFPaused(FALSE), m_dwAppliedStandard(0), m_bEvrInUse(FALSE), m_bRendererUsed(FALSE), m_dwForcedMajor(0),
      m_bDesktopVideo(FALSE), m_crColorKey(::GetSysColor(COLOR_BACKGROUND)),
      m_crDesktop(::GetSysColor(COLOR_BACKGROUND)), m_bDigitalAudio(TRUE),
      m_hMachineRoot(HKEY_LOCAL_MACHINE), m_hUserRoot(HKEY_CURRENT_USER), m_pAudioControl(CreateAudioControl()),
      m_pWallpaper(NULL), m_pOwnWallpaper(new CShellWallpaper),
      m_strTeletextPath("C:\\Program Files\\Philips Semiconductors\\TeleText\\TELETEXT.EXe"),
      m_bTFBufferInUse(FALSE), m_llTFBufferSize(0), m_bMpeg4Audio(TRUE)
{
    m_pWallpaper = m_pOwnWallpaper;
    m_dwAppliedStandard = m_settings.TunerStandard;
    char temp[MAX_PATH] = {};
    const DWORD length = ::GetTempPathA(MAX_PATH, temp);
    m_strTFFile = CString(length && length < MAX_PATH ? temp : "") + "~TF.mpg";
    BuildRecordTables();
}

CTVHardWare::~CTVHardWare()
{
    CloseTeletext();
    StopRemote();
    DestroyGraph();
    DeleteTFBuffer();
    m_evr.Detach();
    delete m_pAudioControl;
    delete m_pOwnWallpaper;
}

// --- creation -------------------------------------------------------------------

CRootFilter* CTVHardWare::AddByName(const GUID* category, const char* device, const char* name)
{
    if (!device || !*device)
        return NULL;
    return m_saRootGraph.AddFilterByName(category, device, name, FALSE, 0);
}

CRootFilter* CTVHardWare::AddByClassId(const CLSID* clsid, const char* name)
{
    return clsid ? m_saRootGraph.AddFilterByCLSID(clsid, name) : NULL;
}

// A wrapper of the class a slot needs, or nothing: one of another class (no
// creator record for the device) is taken out of the graph again.
template <class T>
static T* Take(CRootGraph& graph, CRootFilter* made)
{
    T* typed = dynamic_cast<T*>(made);
    if (made && !typed)
        graph.DeleteFilter(made);
    return typed;
}

BOOL CTVHardWare::ReadWindowsVersion()
{
    DWORD major = m_dwForcedMajor;
    if (!major) {
        OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof version;
        if (::GetVersionExA(&version))
            major = version.dwMajorVersion;
    }
    return major >= 6;
}

CString CTVHardWare::CommonKeyPath() const
{
    CString path;
    path.Format("SOFTWARE\\%s\\Common", (LPCSTR)(m_strAppTitle.IsEmpty() ? GetApplicationTitle() : m_strAppTitle));
    return path;
}

void CTVHardWare::ReadRegistryOptions()
{
    CRegisterKey key;
    DWORD digitalAudio = 1;
    if (key.OpenForRead(m_hMachineRoot, CommonKeyPath(), FALSE) == ERROR_SUCCESS)
        key.QueryDword("DigitalAudio", digitalAudio);
    m_bDigitalAudio = digitalAudio != 0;
}

BOOL CTVHardWare::CreatePreviewFilter()
{
    RegisterProgramFilters();
    SetStartupErrorCode(0);
    ReadRegistryOptions();
    RestoreSavedWallpaper();
    m_bEvrInUse = ReadWindowsVersion();
    if (!m_saRootGraph.IsMade() && !m_saRootGraph.MakeGraph()) {
        DebugHelper("tvHardware::CreatePreviewFilter: no filter graph\n");
        SetStartupErrorCode(kErrorNoCaptureFilter);
        return FALSE;
    }
    if (!CreateCardFilter())
        return FALSE;

    const std::vector<DWORD>* standards = m_pCardFilter->GetTunerStandards();
    if (standards && !standards->empty() &&
        std::find(standards->begin(), standards->end(), m_settings.TunerStandard) == standards->end())
        m_settings.TunerStandard = standards->front();
    m_dwAppliedStandard = m_settings.TunerStandard;

    if (GetAudioInputDevices())
        CreateAudioCaptureFilter();
    GetAudioPlayDeviceArray();
    GetAudioInputSrc();
    GetAudioPlaySrc();

    if (!CreateRenderFilter(TRUE)) {
        DebugHelper("tvHardware::CreatePreviewFilter failed!\n");
        return FALSE;
    }
    if (!ProbeCapture())
        return FALSE;
    if (m_settings.Mpeg4RecordSize.cx == 0 && m_settings.Mpeg4RecordSize.cy == 0)
        m_settings.Mpeg4RecordSize = Is525Line() ? CSize(352, 240) : CSize(352, 288);
    return TRUE;
}

// The card must deliver YUY2 on its capture pin and connect to the
// deinterlace filter; the pins are free again afterwards.
BOOL CTVHardWare::ProbeCapture()
{
    VideoFormat format;
    if (m_pCardFilter->GetVideoFormat(&format, 1) != S_OK) {
        DebugHelper("tvHardware: GetVideoFormat failed\n");
        return FALSE;
    }
    format.format = 2;
    if (m_pCardFilter->SetVideoFormat(format, 1) != S_OK) {
        DebugHelper("tvHardware: SetVideoFormat YUY2 failed\n");
        return FALSE;
    }
    if (!ConnectCardToDeinterlace())
        return FALSE;
    m_saRootGraph.DisconnectFilter(m_pCardFilter);
    return TRUE;
}

BOOL CTVHardWare::CreateCardFilter()
{
    if (!m_pCardFilter) {
        zunk::Sleep(kCardSettleMs);
        m_pCardFilter = Take<CTVCardFilter>(
            m_saRootGraph, AddByName(&CLSID_VideoInputDeviceCategory, m_devices.bdaCapture, kCaptureWrapperName));
        zunk::Sleep(kCardSettleMs);
        m_bBdaCard = m_pCardFilter != NULL;
        if (!m_pCardFilter)
            m_pCardFilter = Take<CTVCardFilter>(
                m_saRootGraph,
                AddByName(&CLSID_VideoInputDeviceCategory, m_devices.wdmCapture, kCaptureWrapperName));
        if (!m_pCardFilter) {
            DebugHelper("Create TVCardFilter failed!\n");
            SetStartupErrorCode(kErrorNoCaptureFilter);
            return FALSE;
        }
    }
    if (!m_pCrossBar) {
        // The crossbar comes from the same driver as the capture filter.
        const char* name = m_bBdaCard ? m_devices.bdaCrossbar : m_devices.wdmCrossbar;
        m_pCrossBar = Take<CCrossBarFilter>(m_saRootGraph,
                                            AddByName(&AM_KSCATEGORY_CROSSBAR, name, kCrossbarWrapperName));
        if (!m_pCrossBar) {
            DebugHelper("Create CrossBarFilter failed!\n");
            SetStartupErrorCode(kErrorNoCrossbar);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CTVHardWare::CreateAudioCaptureFilter()
{
    if (m_pAudioFilter)
        return TRUE;
    const int count = (int)m_saAudioDevices.GetSize();
    if (count > 0) {
        if (m_settings.AudioDevice.IsEmpty())
            m_settings.AudioDevice = m_saAudioDevices[0];
        DebugHelper("Current AudioDevice: %s\n", (LPCSTR)m_settings.AudioDevice);
        m_pAudioFilter = AddByName(&CLSID_AudioInputDeviceCategory, m_settings.AudioDevice, kAudioWrapperName);
        if (m_pAudioFilter)
            return TRUE;
        // The saved device is gone: the first other one whose volume can be
        // read takes its place. When none works the user's choice is kept.
        const CString saved = m_settings.AudioDevice;
        for (int i = 0; i < count && !m_pAudioFilter; ++i) {
            CRootFilter* made = AddByName(&CLSID_AudioInputDeviceCategory, m_saAudioDevices[i], kAudioWrapperName);
            CAudioDeviceFilter* device = dynamic_cast<CAudioDeviceFilter*>(made);
            DWORD volume = 0;
            if (device && device->GetVolume(&volume)) {
                m_pAudioFilter = made;
                m_settings.AudioDevice = m_saAudioDevices[i];
            } else {
                m_saRootGraph.DeleteFilter(made);
                DebugHelper("m_pAudiofilter is NULL!\n");
            }
        }
        if (!m_pAudioFilter)
            m_settings.AudioDevice = saved;
    }
    if (!m_pAudioFilter) {
        SetStartupErrorCode(kErrorNoAudioDevice);
        return FALSE;
    }
    return TRUE;
}

BOOL CTVHardWare::CreateVideoRenderer()
{
    if (m_pVideoRender)
        return TRUE;
    m_pVideoRender = m_bEvrInUse ? AddByClassId(m_devices.evr, kEvrName) : AddByClassId(m_devices.vmr, kVmrName);
    if (!m_pVideoRender) {
        DebugHelper(m_bEvrInUse ? "Create EVR Filter Failed!\n" : "Create VideoRender failed!\n");
        SetStartupErrorCode(kErrorNoVideoRenderer);
        return FALSE;
    }
    if (m_bEvrInUse)
        m_evr.Attach(m_pVideoRender);
    return TRUE;
}

BOOL CTVHardWare::RenewVideoRenderer()
{
    if (m_pVideoRender && m_bRendererUsed && m_bEvrInUse && CEvrControl::IsWine()) {
        m_evr.EndStreaming();
        m_evr.Detach();
        m_saRootGraph.DeleteFilter(m_pVideoRender);
        m_pVideoRender = NULL;
    }
    if (!CreateVideoRenderer())
        return FALSE;
    m_bRendererUsed = TRUE;
    return TRUE;
}

BOOL CTVHardWare::CreateRenderFilter(BOOL withDeinterlace)
{
    if (!CreateCardFilter()) {
        DebugHelper("InitDevice failed!\n");
        return FALSE;
    }
    if (!CreateAudioCaptureFilter())
        DebugHelper("Create PreviewFilter:: InitAudioDevice Failed!\n");
    if (withDeinterlace && !m_pDeinterlace) {
        m_pDeinterlace = Take<CDeinterlaceFilter>(m_saRootGraph, AddByClassId(m_devices.deinterlace, kDeinterlaceName));
        if (!m_pDeinterlace) {
            SetStartupErrorCode(kErrorNoDeinterlace);
            DebugHelper("CreateFilter Corvane Deinterlace failed\n");
            return FALSE;
        }
    }
    if (!CreateVideoRenderer())
        return FALSE;
    if (HasAudioPin() && !m_pAudioRender) {
        m_pAudioRender = AddByClassId(m_devices.waveOut, kWaveOutName);
        if (!m_pAudioRender) {
            DebugHelper("Create Default WaveOut Device failed!\n");
            SetStartupErrorCode(kErrorNoWaveOutRenderer);
            return FALSE;
        }
    }
    return TRUE;
}

// --- the preview graph ---------------------------------------------------------

BOOL CTVHardWare::ConnectCrossbarToCard()
{
    CRootPin* out = m_pCrossBar->FindPin(PINDIR_OUTPUT, TRUE);
    if (!out)
        return FALSE;
    // The card's pins in list order: the first that takes the crossbar's
    // output is its analog input.
    for (CRootPin* pin = m_pCardFilter->GetFirstPin(); pin; pin = pin->GetNext()) {
        if (m_saRootGraph.ConnectPins(out, pin))
            return TRUE;
    }
    DebugHelper("Connect crossbar with tvCardfilter failed\n");
    return FALSE;
}

BOOL CTVHardWare::ConnectCardToDeinterlace()
{
    if (!m_pCardFilter || !m_pDeinterlace)
        return FALSE;
    return m_saRootGraph.ConnectPins(m_pCardFilter->FindPinByName("Capture"),
                                     m_pDeinterlace->FindPin(PINDIR_INPUT, TRUE));
}

BOOL CTVHardWare::ConnectAudioPath()
{
    CRootPin* audio = m_pCardFilter->FindPinByName("Audio");
    if (!audio)
        return TRUE;  // the sound reaches the sound card by cable
    if (!m_pAudioRender ||
        !m_saRootGraph.ConnectPins(audio, m_pAudioRender->FindPinByName(kAudioRendererPin))) {
        DebugHelper("Connect TV Card Filter to Default AudioRender Error!\n");
        return FALSE;
    }
    return TRUE;
}

BOOL CTVHardWare::InitEvrWindow()
{
    // The enhanced renderer draws into the video window only; without one
    // (Wine's, at least) it never stops again.
    ComPtr<IMFVideoDisplayControl> display;
    if (!m_hVideoWnd || !m_evr.GetDisplayControl(display))
        return FALSE;
    if (FAILED(display->SetVideoWindow(m_hVideoWnd)))
        return FALSE;
    RECT client;
    ::GetClientRect(m_hVideoWnd, &client);
    const RECT destination = {client.left - kEvrWidenLeft, client.top, client.right + kEvrWidenRight,
                              client.bottom};
    m_evr.SetVideoPosition(destination, m_settings.VideoSize);
    display->SetAspectRatioMode(MFVideoARMode_None);
    return TRUE;
}

void CTVHardWare::PlaceVideoWindow()
{
    if (!m_hVideoWnd)
        return;
    m_saRootGraph.SetVideoOwner(m_hVideoWnd);
    m_saRootGraph.SetMessageDrain(m_hVideoWnd);
    m_saRootGraph.SetVideoWindowStyle(kVideoWindowStyle);
    RECT client;
    ::GetClientRect(m_hVideoWnd, &client);
    m_saRootGraph.SetVideoWindowPosition(client.left, client.top, client.right, client.bottom);
}

BOOL CTVHardWare::BuildPreviewGraph()
{
    StopRemote();
    m_saRootGraph.DisconnectAll();
    if (!m_pCardFilter || !m_pCrossBar || !m_pDeinterlace || !RenewVideoRenderer()) {
        DebugHelper("BuildPreviewGraph: a preview filter is missing\n");
        return FALSE;
    }
    if (!ConnectCrossbarToCard())
        return FALSE;
    if (!ConnectCardToDeinterlace()) {
        DebugHelper("Connect Card to Deinterlace error!\n");
        return FALSE;
    }
    // A deinterlace filter with a second input takes the preview pin too.
    m_saRootGraph.ConnectFilters(m_pCardFilter, m_pDeinterlace, NULL, NULL);
    if (m_bEvrInUse && !InitEvrWindow()) {
        DebugHelper("InitEvrFilter failed!\n");
        return FALSE;
    }
    if (!m_saRootGraph.ConnectPins(m_pDeinterlace->FindPinByName("Preview"),
                                   m_pVideoRender->FindPin(PINDIR_INPUT, TRUE))) {
        DebugHelper("Connect Deinterlace to VideoRender error!\n");
        return FALSE;
    }
    if (!ConnectAudioPath())
        return FALSE;
    PlaceVideoWindow();
    return TRUE;
}

void CTVHardWare::ApplyCaptureSettings()
{
    SetCaptureFormat(m_settings.VideoSize.cx, m_settings.VideoSize.cy);
    if (m_pCardFilter) {
        for (int i = 0; i < kVideoPropertyCount; ++i)
            m_pCardFilter->SetProcAmp(i, m_nVideoProperty[i]);
    }
    if (m_pDeinterlace) {
        m_pDeinterlace->SetDeinterlace(m_bDeinterlace);
        m_pDeinterlace->SetCaptureOption(m_bCaptureOption);
        m_pDeinterlace->SetHalfRate(m_bHalfRate);
        m_pDeinterlace->SetNoiseReduce(m_bNoiseReduce);
        if (m_bNoiseReduce)
            m_pDeinterlace->SetReduceValue(m_nReduceValue);
    }
}

void CTVHardWare::ApplyVideoProperties()
{
    for (int i = 0; i < kVideoPropertyCount; ++i)
        SetVideoProperty(i, m_nVideoProperty[i]);
    for (int i = 0; i < kVideoPropertyCount; ++i)
        SetOverlayProperty(i, m_nOverlayProperty[i]);
}

void CTVHardWare::ApplyDesktopMode()
{
    if (m_bUseOverlay && m_bOverlayDesktop)
        EnableDesktopVideo();
}

BOOL CTVHardWare::RunPreview()
{
    StopRemote();
    m_saRootGraph.DisconnectAll();
    CreateRenderFilter(TRUE);
    ApplyCaptureSettings();
    if (!BuildPreviewGraph())
        return FALSE;
    ApplyDesktopMode();
    SetNotifyWindow(m_hNotifyWnd);
    ApplyVideoProperties();
    const BOOL ran = m_saRootGraph.Run();
    SelectInput(m_settings.VideoSource, TRUE);
    StartRemote();
    return ran;
}

BOOL CTVHardWare::RebuildPreview()
{
    if (m_saRootGraph.GetState() != 0) {
        StopRemote();
        m_saRootGraph.DisconnectAll();
    }
    DestroyGraph();
    m_bRecording = FALSE;
    ResetFilters();
    if (!m_saRootGraph.MakeGraph())
        return FALSE;
    const BOOL ran = RunPreview();
    if (m_settings.VideoSource == kInputFM) {
        // FM listens through the graph the record code builds when it stops.
        StopRemote();
        m_saRootGraph.DisconnectAll();
    }
    if (ran)
        SetNotifyWindow(m_hNotifyWnd);
    return ran;
}

BOOL CTVHardWare::StopGraph(BOOL toRadio)
{
    const BOOL stopped = m_saRootGraph.Stop();
    m_bRecording = FALSE;
    if (toRadio && m_saRootGraph.GetState() == 0) {
        StopRemote();
        m_saRootGraph.DisconnectAll();
        SelectInput(kInputFM, TRUE);
    }
    return stopped;
}

void CTVHardWare::DestroyGraph()
{
    m_saRootGraph.Stop();
    m_evr.EndStreaming();
    m_saRootGraph.DestroyGraph();
}

void CTVHardWare::CloseDevice()
{
    StopRemote();
    DestroyGraph();
    DeleteTFBuffer();
    ResetFilters();
}

void CTVHardWare::ResetFilters()
{
    m_pCardFilter = NULL;
    m_pCrossBar = NULL;
    m_pDeinterlace = NULL;
    m_pOverlay = NULL;
    m_pVideoRender = NULL;
    m_pAudioRender = NULL;
    m_pDSoundRender = NULL;
    m_pNullRender = NULL;
    m_pAudioFilter = NULL;
    m_pAviMux = NULL;
    m_pAviWriter = NULL;
    m_pInfTee = NULL;
    m_pAudioTee = NULL;
    m_pDump = NULL;
    m_pMCEncoder = NULL;
    m_pACMWrapper = NULL;
    m_pAVSwitchFilter = NULL;
    m_pXvidCodec = NULL;
    m_pMpeg4AudioCodec = NULL;
    m_pFMPcm = NULL;
    m_pFMAdpcm = NULL;
    m_pFMCustom = NULL;
    m_pTimeShift = NULL;
    m_pDemux = NULL;
    m_pVideoDecoder = NULL;
    m_pAudioDecoder = NULL;
    m_evr.Detach();
    m_bRendererUsed = FALSE;
    m_strFMCustomCompressor.Empty();
    m_bTFRunning = FALSE;
    m_bTFPaused = FALSE;
}

BOOL CTVHardWare::HasAudioPin()
{
    if (m_bDigitalAudio)
        m_saRootGraph.SyncUsingStreamOffset(TRUE);
    return m_pCardFilter && m_pCardFilter->FindPinByName("Audio");
}

BOOL CTVHardWare::IsCaptureConnected()
{
    CRootPin* capture = m_pCardFilter ? m_pCardFilter->FindPinByName("Capture") : NULL;
    return capture && capture->GetPeer();
}

BOOL CTVHardWare::SetAudioDevice(LPCSTR name)
{
    if (!name || !*name || RefusedWhileBusy("SetAudioDevice"))
        return FALSE;
    m_saRootGraph.Stop();
    StopRemote();
    m_saRootGraph.DisconnectAll();
    BOOL result = FALSE;
    if (CRootFilter* made = AddByName(&CLSID_AudioInputDeviceCategory, name, kAudioWrapperName)) {
        m_saRootGraph.DeleteFilter(m_pAudioFilter);
        m_pAudioFilter = made;
        m_settings.AudioDevice = name;
        result = GetAudioInputSrc();
    }
    RunPreview();
    return result;
}

// --- windows ---------------------------------------------------------------------

BOOL CTVHardWare::SetNotifyWindow(HWND window)
{
    m_hNotifyWnd = window;
    if (!m_pCardFilter)
        return FALSE;
    m_pCardFilter->m_hNotifyWnd = window;
    if (CTVTuner* tuner = m_pCardFilter->GetTuner())
        tuner->SetNotifyWindow(window);
    return TRUE;
}

BOOL CTVHardWare::SetVideoRect(int left, int top, int right, int bottom)
{
    if (!m_bEvrInUse)
        return SUCCEEDED(m_saRootGraph.SetVideoWindowPosition(left, top, right, bottom));
    const RECT destination = {left - kEvrWidenLeft, top, right + kEvrWidenRight, bottom};
    return m_evr.SetVideoPosition(destination, m_settings.VideoSize);
}

BOOL CTVHardWare::SetVideoOwner(HWND window)
{
    if (!window || !::IsWindow(window))
        return FALSE;
    m_hVideoWnd = window;
    if (!m_bEvrInUse) {
        PlaceVideoWindow();
        return TRUE;
    }
    // On a stopped graph there is nothing more: the next preview gives the
    // renderer this window once the window has its size (the renderer
    // sizes its drawing surface to the window it is given).
    ComPtr<IMFVideoDisplayControl> display;
    if (m_saRootGraph.GetState() == 0 || !m_evr.GetDisplayControl(display))
        return TRUE;
    return InitEvrWindow();
}

BOOL CTVHardWare::RepaintVideo()
{
    ComPtr<IMFVideoDisplayControl> display;
    if (!m_bEvrInUse || !m_evr.GetDisplayControl(display))
        return FALSE;
    return SUCCEEDED(display->RepaintVideo());
}

CTVTuner* CTVHardWare::GetTuner() const
{
    return m_pCardFilter ? m_pCardFilter->GetTuner() : NULL;
}

// --- audio lists -------------------------------------------------------------------

BOOL CTVHardWare::GetAudioInputDevices()
{
    m_saAudioDevices.RemoveAll();
    return m_devices.listAudioDevices && m_devices.listAudioDevices(m_saAudioDevices, m_settings.AudioDevice);
}

BOOL CTVHardWare::GetAudioInputSrc()
{
    DebugHelper("Enter GetAudioInputSrc()\n");
    m_saAudioInputs.RemoveAll();
    const BOOL result = AudioCapture_GetInputNames(m_saAudioInputs, m_settings.AudioInput, m_settings.AudioDevice);
    DebugHelper("Leave GetAudioInputSrc()\n");
    return result;
}

BOOL CTVHardWare::GetAudioPlayDeviceArray()
{
    DebugHelper("Enter GetAudioPlayDeviceArray()\n");
    return m_pAudioControl && m_pAudioControl->GetDevices(m_saPlayDevices, m_settings.AudioPlayInputDev);
}

BOOL CTVHardWare::GetAudioPlaySrc()
{
    DebugHelper("Enter GetAudioPlaySrc()\n");
    const BOOL result = m_pAudioControl && m_pAudioControl->GetLines(m_saPlayLines, m_settings.AudioPlayInput,
                                                                     m_settings.AudioPlayInputDev);
    DebugHelper("Leave GetAudioPlaySrc()\n");
    return result;
}

BOOL CTVHardWare::EnumFilterNames(int kind, CStringArray& names)
{
    int count = 0;
    char (*table)[zunk::kNameSize] = m_saRootGraph.EnumDeviceNames(kind, &count);
    if (!table)
        return FALSE;
    for (int i = 0; i < count; ++i)
        names.Add(CString(table[i]));
    return TRUE;
}
