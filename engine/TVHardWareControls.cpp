// The hardware object's single controls: TV sound mode, picture and overlay
// values, deinterlacing and snapshots, video on the desktop and the
// wallpaper, the power-on timer, the channel-search set-up, remote polling,
// volume and mute, the record level and the outside teletext program.
#include "engine/TVHardWare.h"

#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"
#include "engine/AudioCapture.h"
#include "engine/AudioControl.h"
#include "engine/RegisterKey.h"
#include "graph/ComPtr.h"
#include "graph/DebugHelper.h"
#include "graph/DeviceEnum.h"
#include "graph/wrappers/AudioDeviceFilter.h"
#include "graph/wrappers/DeinterlaceFilter.h"
#include "graph/wrappers/OverlayFilter.h"
#include "graph/wrappers/TVAudioFilter.h"

#include <ks.h>
#include <ksmedia.h>

#include <cstring>

namespace {

// TV sound modes by index: mono, stereo, languages A, B and C.
const long kTVAudioModes[] = {AMTVAUDIO_MODE_MONO, AMTVAUDIO_MODE_STEREO, AMTVAUDIO_MODE_LANG_A,
                              AMTVAUDIO_MODE_LANG_B, AMTVAUDIO_MODE_LANG_C};
static_assert(sizeof(kTVAudioModes) / sizeof(kTVAudioModes[0]) == 5, "five sound modes");

// Channel-search set-up for every scan.
const int kScanSettleMs = 100;
const int kScanWindowKHz = 251;
const int kScanFMSkipKHz = 100;
const int kSweepJumpKHz = 4000;
const int kSweepHalfWindowKHz = 250;
const int kRemoteIntervalMs = 50;

// The colour key while the video is not on the desktop.
const COLORREF kPlainColorKey = RGB(16, 0, 16);
const char kSavedWallpaperValue[] = "SavedWallpaper";

// The teletext program is found by its main window.
const char kTeletextWindow[] = "PC Text Pro Light Version";
// Where its window takes the click that brings it to life.
const int kTeletextClickX = 270;
const int kTeletextClickY = 55;
const UINT kTeletextCloseTimeoutMs = 2000;

int ClampPercent(int value)
{
    return value < 0 ? 0 : value > 100 ? 100 : value;
}

bool IsPropertyIndex(int index)
{
    return index >= 0 && index < CTVHardWare::kVideoPropertyCount;
}

} // namespace

// --- sound mode and picture -------------------------------------------------------

BOOL CTVHardWare::SetTVAudioMode(int index)
{
    m_settings.TVAudio = index;
    if (index < 0 || index >= (int)(sizeof(kTVAudioModes) / sizeof(kTVAudioModes[0])))
        return FALSE;
    return PutTVAudioMode(kTVAudioModes[index]);
}

BOOL CTVHardWare::PutTVAudioMode(long value)
{
    CRootFilter* made = AddByName(&AM_KSCATEGORY_TVAUDIO, m_devices.tvAudio, "TV Audio");
    CTVAudioFilter* audio = dynamic_cast<CTVAudioFilter*>(made);
    const BOOL result = audio && audio->SetTVAudioMode(value);
    m_saRootGraph.DeleteFilter(made);
    return result;
}

BOOL CTVHardWare::SetVideoProperty(int index, long value)
{
    const HRESULT hr = m_pCardFilter ? m_pCardFilter->SetProcAmp(index, value) : E_POINTER;
    if (IsPropertyIndex(index))
        m_nVideoProperty[index] = (int)value;
    return hr == S_OK;
}

BOOL CTVHardWare::GetVideoProperty(int index, long* value)
{
    ProcAmpRange range;
    if (!value || !m_pCardFilter || m_pCardFilter->GetProcAmpRange(index, &range) != S_OK)
        return FALSE;
    *value = range.value;
    return TRUE;
}

BOOL CTVHardWare::GetVideoPropertyRange(int index, long* minimum, long* maximum, long* defaultValue)
{
    ProcAmpRange range;
    if (!m_pCardFilter || m_pCardFilter->GetProcAmpRange(index, &range) != S_OK)
        return FALSE;
    if (minimum)
        *minimum = range.min;
    if (maximum)
        *maximum = range.max;
    if (defaultValue)
        *defaultValue = range.def;
    return TRUE;
}

int CTVHardWare::GetCachedVideoProperty(int index) const
{
    return IsPropertyIndex(index) ? m_nVideoProperty[index] : 0;
}

BOOL CTVHardWare::SetOverlayProperty(int index, long value)
{
    if (IsPropertyIndex(index))
        m_nOverlayProperty[index] = (int)value;
    return m_pOverlay && m_pOverlay->SetColorControl(index, value);
}

BOOL CTVHardWare::GetOverlayProperty(int index, long* value)
{
    LONG read = 0;
    if (!value || !m_bUseOverlay || !m_pOverlay || !m_pOverlay->GetColorControl(index, &read))
        return FALSE;
    *value = read;
    return TRUE;
}

BOOL CTVHardWare::GetOverlayPropertyRange(int index, long* minimum, long* maximum, long* defaultValue)
{
    if (!m_bUseOverlay || !m_pOverlay)
        return FALSE;
    LONG low = 0, high = 100, standard = 0;
    if (!m_pOverlay->GetColorControlRange(index, &low, &high, &standard))
        return FALSE;
    if (minimum)
        *minimum = low;
    if (maximum)
        *maximum = high;
    if (defaultValue)
        *defaultValue = standard;
    return TRUE;
}

int CTVHardWare::GetCachedOverlayProperty(int index) const
{
    return IsPropertyIndex(index) ? m_nOverlayProperty[index] : 0;
}

BOOL CTVHardWare::SetAspectRatioMode(int mode)
{
    return m_pOverlay && m_pOverlay->SetAspectRatioMode(mode == 1);
}

BOOL CTVHardWare::IsOverlayConnected()
{
    return m_pOverlay && m_pOverlay->FindPin(PINDIR_INPUT, FALSE) && m_pOverlay->FindPin(PINDIR_OUTPUT, FALSE);
}

BOOL CTVHardWare::SetDeinterlace(BOOL on)
{
    m_bDeinterlace = on;
    return m_pDeinterlace && m_pDeinterlace->SetDeinterlace(on);
}

BOOL CTVHardWare::SetHalfRate(BOOL on)
{
    m_bHalfRate = on;
    return m_pDeinterlace && m_pDeinterlace->SetHalfRate(on);
}

BOOL CTVHardWare::SetNoiseReduce(BOOL on)
{
    m_bNoiseReduce = on;
    return m_pDeinterlace && m_pDeinterlace->SetNoiseReduce(on);
}

BOOL CTVHardWare::SetReduceValue(int value)
{
    m_nReduceValue = value;
    return m_pDeinterlace && m_pDeinterlace->SetReduceValue(value);
}

BOOL CTVHardWare::TakeSnapshot(LPCSTR path, int format, int quality)
{
    return m_pDeinterlace && path && m_pDeinterlace->TakeSnapshot(path, format, quality);
}

BOOL CTVHardWare::EnableAudioInputPin(LPCSTR pin, BOOL enable)
{
    CAudioDeviceFilter* device = dynamic_cast<CAudioDeviceFilter*>(m_pAudioFilter);
    return device && pin && device->EnableInputPin(pin, enable);
}

// --- video on the desktop ---------------------------------------------------------

BOOL CTVHardWare::SwitchDesktopVideo(BOOL on)
{
    // The overlay takes a new colour key only while it is reconnected.
    const BOOL wasRunning = m_saRootGraph.GetState() == 1;
    if (wasRunning) {
        RunPreview();
        m_saRootGraph.Stop();
    }
    const COLORREF key = on ? ::GetSysColor(COLOR_BACKGROUND) : kPlainColorKey;
    if (on)
        m_crDesktop = key;
    m_crColorKey = key;
    const BOOL result = m_pOverlay && m_pOverlay->SetColorKey(key);
    if (wasRunning)
        m_saRootGraph.Run();
    m_bDesktopVideo = on && result;
    return result;
}

BOOL CTVHardWare::EnableDesktopVideo()
{
    if (!m_bUseOverlay) {
        m_bDesktopVideo = FALSE;
        return FALSE;
    }
    // Switching a running graph rebuilds the preview.
    if (m_saRootGraph.GetState() == 1 && RefusedWhileBusy("EnableDesktopVideo"))
        return FALSE;
    return SwitchDesktopVideo(TRUE);
}

BOOL CTVHardWare::DisableDesktopVideo()
{
    if (!m_bDesktopVideo)
        return FALSE;
    if (m_saRootGraph.GetState() == 1 && RefusedWhileBusy("DisableDesktopVideo"))
        return FALSE;
    return SwitchDesktopVideo(FALSE);
}

void CTVHardWare::RememberWallpaper(const CString& path)
{
    // Kept in the registry as well, so a run that ends without putting the
    // wallpaper back leaves it to the next start.
    m_strSavedWallpaper = path;
    CRegisterKey key;
    if (key.Create(m_hUserRoot, CommonKeyPath(), FALSE) != ERROR_SUCCESS)
        return;
    if (path.IsEmpty())
        key.DeleteValue(kSavedWallpaperValue);
    else
        key.SetValue(kSavedWallpaperValue, path);
}

BOOL CTVHardWare::ApplyDesktopWallpaper()
{
    // A wallpaper already taken away stays remembered: reading the desktop
    // now would give the empty one we put there and lose the user's.
    if (!m_strSavedWallpaper.IsEmpty())
        return FALSE;
    CString current;
    if (!m_pWallpaper->GetWallpaper(current) || current.IsEmpty())
        return FALSE;
    RememberWallpaper(current);
    if (m_pWallpaper->SetWallpaper(""))
        return TRUE;
    RememberWallpaper(CString());
    return FALSE;
}

BOOL CTVHardWare::RestoreWallpaper()
{
    if (m_strSavedWallpaper.IsEmpty() || !m_pWallpaper->SetWallpaper(m_strSavedWallpaper))
        return FALSE;
    RememberWallpaper(CString());
    return TRUE;
}

BOOL CTVHardWare::RestoreSavedWallpaper()
{
    if (m_strSavedWallpaper.IsEmpty()) {
        CRegisterKey key;
        if (key.OpenForRead(m_hUserRoot, CommonKeyPath(), FALSE) != ERROR_SUCCESS ||
            key.QueryValue(kSavedWallpaperValue, m_strSavedWallpaper) != ERROR_SUCCESS)
            return FALSE;
    }
    return RestoreWallpaper();
}

// --- power-on timer ------------------------------------------------------------------

BOOL CTVHardWare::EnableOpenComputer(int minutes, BOOL enable)
{
    const WORD time = (WORD)minutes;
    DebugHelper("Enter CTVHardWare::EnableOpenComputer %d %d", time, enable);
    if (!m_pCardFilter)
        return FALSE;
    if (enable && time) {
        const BOOL set = m_pCardFilter->SetOpenComputerTime(time);
        DebugHelper("CTVHardWare SetOpenComputerTime %d %d \n", time, set);
        if (!set)
            return FALSE;
    }
    const BOOL armed = m_pCardFilter->EnableOpenComputer(enable);
    DebugHelper("CTVHardWare SetOpenComputerTime Enable %d \n", armed);
    return armed;
}

// --- channel search set-up -------------------------------------------------------

BOOL CTVHardWare::StartScan(BOOL tv, BOOL sweep)
{
    CTVTuner* tuner = GetTuner();
    if (!tuner || IsScanning())
        return FALSE;
    m_pCardFilter->SetSettleTime(kScanSettleMs);
    tuner->SetSearchWindow(kScanWindowKHz);
    m_pCardFilter->SetFMSkip(kScanFMSkipKHz);
    m_pCardFilter->SetSweepSteps(kSweepJumpKHz, kSweepHalfWindowKHz);
    m_bScanning = tuner->StartSearch(tv, sweep);
    return m_bScanning;
}

void CTVHardWare::StopScan()
{
    if (CTVTuner* tuner = GetTuner())
        tuner->StopSearch();
    m_bScanning = FALSE;
}

BOOL CTVHardWare::IsScanning() const
{
    CTVTuner* tuner = GetTuner();
    return m_bScanning && tuner && tuner->IsSearching();
}

BOOL CTVHardWare::SetFrequencyPoints(const float* mhz, int count)
{
    CTVTuner* tuner = GetTuner();
    return tuner && tuner->SetChannelTable(mhz, count);
}

BOOL CTVHardWare::GetTVFrequencyRange(long* minKHz, long* maxKHz)
{
    CTVTuner* tuner = GetTuner();
    if (!tuner || !minKHz || !maxKHz)
        return FALSE;
    *minKHz = tuner->m_nMinFreq;
    *maxKHz = tuner->m_nMaxFreq;
    return TRUE;
}

BOOL CTVHardWare::GetFMFrequencyRange(long* minKHz, long* maxKHz)
{
    CTVTuner* tuner = GetTuner();
    if (!tuner || !tuner->m_bHasFM || !minKHz || !maxKHz)
        return FALSE;
    *minKHz = tuner->m_nFMMin;
    *maxKHz = tuner->m_nFMMax;
    return TRUE;
}

BOOL CTVHardWare::HasFMTuner()
{
    CTVTuner* tuner = GetTuner();
    return tuner && tuner->m_bHasFM;
}

DWORD CTVHardWare::GetChipType()
{
    return m_pCardFilter ? m_pCardFilter->GetChipType() : 0;
}

BOOL CTVHardWare::HasFMModule()
{
    // The tuner's second FM section: its sound comes in on the crossbar's
    // fifth input.
    CTVTuner* tuner = GetTuner();
    return tuner && tuner->m_nFMMode;
}

BOOL CTVHardWare::SetTVFrequency(float kHz)
{
    return m_pCardFilter && m_pCardFilter->SetTVFrequency(kHz);
}

BOOL CTVHardWare::SetFMFrequency(float kHz)
{
    return m_pCardFilter && m_pCardFilter->SetFMFrequency(kHz);
}

BOOL CTVHardWare::CreateTunerFilter(long countryCode)
{
    const char* asked = m_devices.tvTuner;
    if (!asked || !*asked || !m_devices.tunerCategory)
        return FALSE;
    // The first device whose name begins with the whole asked name.
    const size_t length = strlen(asked);
    ComPtr<IBaseFilter> bound;
    zunk::ForEachDevice(*m_devices.tunerCategory, [&](IMoniker* moniker) {
        char name[zunk::kNameSize];
        if (!zunk::ReadFriendlyName(moniker, name, sizeof name) || strncmp(name, asked, length) != 0)
            return TRUE;
        moniker->BindToObject(NULL, NULL, IID_IBaseFilter, bound.ReceiveVoid());
        return FALSE;
    });
    if (!bound)
        return FALSE;
    CTVTunerFilter tuner(&m_saRootGraph, static_cast<const CLSID*>(NULL));
    return tuner.AttachFilter(bound.Get()) && tuner.PutCountryCode(countryCode);
}

// --- remote control --------------------------------------------------------------

BOOL CTVHardWare::StartRemote()
{
    if (!m_pCardFilter || !m_pCardFilter->SetRemoteInterval(kRemoteIntervalMs))
        return FALSE;
    const BOOL started = m_pCardFilter->StartRemote();
    DebugHelper("CTVHardWare::StartRemote(...) %d\n", started);
    return started;
}

void CTVHardWare::StopRemote()
{
    if (m_pCardFilter)
        m_pCardFilter->StopRemote();
    DebugHelper("stopRemote is execute\n");
}

// --- volume, mute, record level ---------------------------------------------------

BOOL CTVHardWare::GetMute(BOOL* mute)
{
    if (!mute)
        return FALSE;
    if (m_bTFRunning) {
        // Time shift plays through the graph's own sound, never muted here.
        *mute = FALSE;
        return TRUE;
    }
    return m_pAudioControl &&
           m_pAudioControl->GetMute(m_settings.AudioPlayInput, m_settings.AudioPlayInputDev, mute);
}

BOOL CTVHardWare::SetMute(BOOL mute)
{
    if (m_bTFRunning)
        return FALSE;
    return m_pAudioControl &&
           m_pAudioControl->SetMute(m_settings.AudioPlayInput, m_settings.AudioPlayInputDev, mute);
}

BOOL CTVHardWare::SetVolume(int value)
{
    value = ClampPercent(value);
    if (!m_bTFRunning)
        return m_pAudioControl &&
               m_pAudioControl->SetVolume(m_settings.AudioPlayInput, m_settings.AudioPlayInputDev, value);
    IBasicAudio* audio = m_saRootGraph.GetBasicAudio();
    // Hundredths of a decibel: 100 % is 0, 0 % is -10000 (silence).
    return m_pAudioRender && audio && SUCCEEDED(audio->put_Volume((value - 100) * 100));
}

BOOL CTVHardWare::GetVolume(int* value)
{
    if (!value)
        return FALSE;
    if (!m_bTFRunning)
        return m_pAudioControl &&
               m_pAudioControl->GetVolume(m_settings.AudioPlayInput, m_settings.AudioPlayInputDev, value);
    IBasicAudio* audio = m_saRootGraph.GetBasicAudio();
    long volume = 0;
    if (!m_pAudioRender || !audio || FAILED(audio->get_Volume(&volume)))
        return FALSE;
    *value = ClampPercent(volume / 100 + 100);
    return TRUE;
}

BOOL CTVHardWare::GetAudioMixLevel(int* value)
{
    return value && AudioCapture_GetMixLevel(m_settings.AudioDevice, m_settings.AudioInput, value);
}

BOOL CTVHardWare::SetAudioMixLevel(int value)
{
    return AudioCapture_SetMixLevel(m_settings.AudioDevice, m_settings.AudioInput, ClampPercent(value));
}

BOOL CTVHardWare::MuteRecSrcPalyBack(BOOL mute)
{
    DebugHelper("CTVHardWare::MuteRecSrcPalyBack() %s %d\n", (LPCSTR)m_settings.AudioPlayInput, mute);
    return m_pAudioControl &&
           m_pAudioControl->SetMute(m_settings.AudioPlayInput, m_settings.AudioPlayInputDev, mute);
}

// --- teletext ----------------------------------------------------------------------

BOOL CTVHardWare::StartTeletext()
{
    if (::FindWindowA(NULL, kTeletextWindow))
        return FALSE;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // Our handles (the card's device, files being recorded) stay ours.
    if (!::CreateProcessA(m_strTeletextPath, NULL, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return FALSE;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return TRUE;
}

BOOL CTVHardWare::IsTeletextRunning()
{
    return ::FindWindowA(NULL, kTeletextWindow) != NULL;
}

BOOL CTVHardWare::CloseTeletext()
{
    HWND window = ::FindWindowA(NULL, kTeletextWindow);
    if (!window)
        return FALSE;
    // A hung program must not hold the caller up.
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kTeletextCloseTimeoutMs, &answer);
    return TRUE;
}

BOOL CTVHardWare::ActivateTeletext()
{
    HWND window = ::FindWindowA(NULL, kTeletextWindow);
    if (!window)
        return FALSE;
    POINT saved;
    ::GetCursorPos(&saved);
    ::SetForegroundWindow(window);
    RECT rect;
    ::GetWindowRect(window, &rect);
    ::SetCursorPos(rect.left + kTeletextClickX, rect.top + kTeletextClickY);
    ::mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ::SetCursorPos(saved.x, saved.y);
    return TRUE;
}
