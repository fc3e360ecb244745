// The manager's inputs, tuning, scans, sound and control of the preview
// graph and its video window. UI thread.
#include "engine/TVManager.h"

#include "graph/Clock.h"
#include "graph/DebugHelper.h"
#include "resources/Resource.h"

#include <mmsystem.h>

#include <algorithm>
#include <vector>

namespace {

// The control panel's commands that need the tuner: time shift's start,
// pause and stop.
const UINT kCmdTuner = ID_TIMESHIFT_START;
const UINT kCmdTunerNext = ID_TIMESHIFT_PAUSE;
const UINT kCmdTunerPrev = ID_TIMESHIFT_STOP;
const int kInputCount = 4;
// How long the teletext program takes to open its window.
const DWORD kTeletextStartWaitMs = 500;

} // namespace

void CTVManager::EnableTunerCommands(BOOL tuner)
{
    m_pUi->EnableCommand(kCmdTuner, tuner);
    if (!tuner) {
        m_pUi->EnableCommand(kCmdTunerNext, FALSE);
        m_pUi->EnableCommand(kCmdTunerPrev, FALSE);
    }
}

BOOL CTVManager::SetVideoSource(int input)
{
    // FM only on a card that receives it; anything else unknown is TV.
    const bool other = input == CTVHardWare::kInputAV || input == CTVHardWare::kInputSV ||
                       (input == CTVHardWare::kInputFM && m_bCardHasFM);
    if (!other)
        input = CTVHardWare::kInputTV;
    EnableTunerCommands(input == CTVHardWare::kInputTV);
    return m_hardware.SelectInput(input);
}

BOOL CTVManager::NextVideoSource()
{
    const int count = m_bCardHasFM ? kInputCount : kInputCount - 1;
    const int next = (m_hardware.GetInputMode() + 1) % count;
    EnableTunerCommands(next == CTVHardWare::kInputTV);
    return SetVideoSource(next);
}

CChannel* CTVManager::GetCurrentChannel()
{
    return GetCurrentTable().GetCurrentChannel();
}

CChannelTable& CTVManager::GetCurrentTable()
{
    return m_hardware.GetInputMode() == CTVHardWare::kInputFM ? m_fmTable : m_tvTable;
}

BOOL CTVManager::LoadChannelNames(CFreqNameMap& names)
{
    if (m_hardware.GetInputMode() != CTVHardWare::kInputTV)
        return FALSE;
    return m_freqAndName.LoadTable(m_settings.CountryCode, m_settings.City, names);
}

// --- scans -----------------------------------------------------------------------

BOOL CTVManager::StartScan(BOOL tv)
{
    // The search thread reads the tuner's list: a second scan waits for the
    // end of the first.
    if (m_bScanning && m_hardware.IsScanning())
        return FALSE;
    const BOOL sweep = m_settings.TVInput == 2;
    // A country without a list of its own scans nothing rather than the
    // list of the country before it.
    if (tv && !sweep && !BuildScanFrequencyList()) {
        DebugHelper("StartScan: no scan list for country %d\n", m_settings.CountryCode);
        m_bScanning = FALSE;
        return FALSE;
    }
    m_bScanning = m_hardware.StartScan(tv, sweep);
    if (m_bScanning) {
        // The display opens the table itself when it starts (a display
        // started alone does too); a window that does not, gets it here.
        m_scan.open = FALSE;
        m_pUi->BeginScanDisplay();
        BeginScanTable();
    }
    return m_bScanning;
}

void CTVManager::BeginScanTable()
{
    if (m_scan.open)
        return;
    const BOOL fm = GetVideoSource() == CTVHardWare::kInputFM;
    CChannelTable& table = fm ? m_fmTable : m_tvTable;
    m_scanCopy = table;
    table.RemoveAll();
    m_scan = ScanTable();
    m_scan.open = TRUE;
    GetTunerRange(fm, m_scan.lower, m_scan.upper);
    m_scan.points = !fm && m_settings.TVInput != 2;
    if (m_scan.points) {
        m_scan.lower = 0;
        m_scan.upper = std::max<long>(1, (long)m_scanList.size());
    }
}

void CTVManager::AddScanPoint(long kHz, long lockResult)
{
    const BOOL locked = lockResult > 0;
    if (m_scan.points || locked) {
        CChannelTable& table = GetCurrentTable();
        const int number = (int)table.GetSize() + 1;
        CString name;
        const int before = m_scanCopy.FindByFrequency(kHz);
        if (before >= 0)
            name = m_scanCopy.GetChannel(before)->Name;
        else
            name.Format("%s-%d", table.IsFM() ? "FM" : "TV", number);
        table.AddChannel(CChannel(number, kHz, name, CHANNEL_VALID | (locked ? 0 : CHANNEL_HIDDEN)));
        const CChannel& added = *table.GetChannel((int)table.GetSize() - 1);
        TellScanListeners([&](IScanListener& listener) { listener.OnScanChannelFound(added); });
    }
    m_scan.step = m_scan.points ? m_scan.step + 1 : kHz - m_scan.lower;
    m_scan.percent = ScanPercent(m_scan.step, m_scan.lower, m_scan.upper);
    TellScanListeners([this](IScanListener& listener) { listener.OnScanProgress(m_scan.percent); });
}

int CTVManager::ScanPercent(long step, long lower, long upper)
{
    const long long width = (long long)upper - lower;
    if (width <= 0)
        return 0;
    return (int)std::min<long long>(100, std::max<long long>(0, step * 100LL / width));
}

void CTVManager::FinishScan()
{
    FinishScan(m_scanCopy);
    m_scanCopy.RemoveAll();
}

void CTVManager::AddScanListener(IScanListener* listener)
{
    if (listener && std::find(m_scanListeners.begin(), m_scanListeners.end(), listener) == m_scanListeners.end())
        m_scanListeners.push_back(listener);
}

void CTVManager::RemoveScanListener(IScanListener* listener)
{
    m_scanListeners.erase(std::remove(m_scanListeners.begin(), m_scanListeners.end(), listener),
                          m_scanListeners.end());
}

void CTVManager::TellScanListeners(const std::function<void(IScanListener&)>& tell)
{
    // A listener removed while the others are told (it may be gone) is
    // not told any more.
    const std::vector<IScanListener*> listeners(m_scanListeners);
    for (IScanListener* listener : listeners) {
        if (std::find(m_scanListeners.begin(), m_scanListeners.end(), listener) != m_scanListeners.end())
            tell(*listener);
    }
}

void CTVManager::StopScan()
{
    if (m_bScanning) {
        m_hardware.StopScan();
        m_bScanning = FALSE;
    }
    m_pUi->UpdateChannelButtons();
}

void CTVManager::FinishScan(const CChannelTable& previous)
{
    m_bScanning = FALSE;
    m_hardware.StopScan();
    CChannelTable& table = GetCurrentTable();
    if (table.GetReservePrev())
        table.MergeFrom(previous);
    if (m_hardware.GetInputMode() == CTVHardWare::kInputTV) {
        CFreqNameMap names;
        if (m_freqAndName.LoadTable(m_settings.CountryCode, m_settings.City, names))
            table.ApplyNames(names);
    }
    table.SetModified();
    m_scan.open = FALSE;
    m_pUi->UpdateChannelButtons();
    TellScanListeners([](IScanListener& listener) { listener.OnScanFinished(); });
}

// --- teletext ----------------------------------------------------------------------

BOOL CTVManager::StartTeletext()
{
    // A program just started needs the time to open its window; one that
    // already runs is brought to the text view at once.
    if (m_hardware.StartTeletext())
        zunk::Sleep(kTeletextStartWaitMs);
    return m_hardware.ActivateTeletext();
}

// --- sound -------------------------------------------------------------------------

BOOL CTVManager::GetVolume(int* volume)
{
    return m_hardware.GetVolume(volume);
}

BOOL CTVManager::SetVolume(int volume)
{
    return m_hardware.SetVolume(volume);
}

BOOL CTVManager::GetMute()
{
    BOOL mute = FALSE;
    return m_hardware.GetMute(&mute) && mute;
}

BOOL CTVManager::SetMute(BOOL mute)
{
    if (m_hardware.IsTFRunning())
        return FALSE;
    return m_hardware.SetMute(mute);
}

BOOL CTVManager::SetMasterMute(BOOL mute)
{
    // The first mute control of mixer 0's first destination; a mixer
    // without one is left as it is.
    HMIXER mixer = NULL;
    if (mixerOpen(&mixer, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
        return FALSE;
    BOOL result = FALSE;
    MIXERLINEA line = {};
    line.cbStruct = sizeof line;
    line.dwDestination = 0;
    if (mixerGetLineInfoA((HMIXEROBJ)mixer, &line, MIXER_GETLINEINFOF_DESTINATION | MIXER_OBJECTF_HMIXER) ==
            MMSYSERR_NOERROR &&
        line.cControls > 0 && line.cControls <= 256) {
        std::vector<MIXERCONTROLA> controls(line.cControls);
        MIXERLINECONTROLSA list = {};
        list.cbStruct = sizeof list;
        list.dwLineID = line.dwLineID;
        list.cControls = line.cControls;
        list.cbmxctrl = sizeof(MIXERCONTROLA);
        list.pamxctrl = controls.data();
        if (mixerGetLineControlsA((HMIXEROBJ)mixer, &list, MIXER_GETLINECONTROLSF_ALL | MIXER_OBJECTF_HMIXER) ==
            MMSYSERR_NOERROR) {
            for (const MIXERCONTROLA& control : controls) {
                if (control.dwControlType != MIXERCONTROL_CONTROLTYPE_MUTE)
                    continue;
                MIXERCONTROLDETAILS_BOOLEAN value = {mute ? 1 : 0};
                MIXERCONTROLDETAILS details = {};
                details.cbStruct = sizeof details;
                details.dwControlID = control.dwControlID;
                details.cChannels = 1;
                details.cbDetails = sizeof value;
                details.paDetails = &value;
                result = mixerSetControlDetails((HMIXEROBJ)mixer, &details,
                                                MIXER_SETCONTROLDETAILSF_VALUE | MIXER_OBJECTF_HMIXER) ==
                         MMSYSERR_NOERROR;
                break;
            }
        }
    }
    mixerClose(mixer);
    return result;
}

BOOL CTVManager::SetAudioDevice(LPCSTR name)
{
    return m_hardware.SetAudioDevice(name);
}

BOOL CTVManager::SetAudioInput(LPCSTR input)
{
    m_hardware.Settings().AudioInput = input ? input : "";
    return m_hardware.EnableAudioInputPin(input, TRUE);
}

const CStringArray& CTVManager::GetAudioPlayDevices()
{
    m_hardware.GetAudioPlayDeviceArray();
    return m_hardware.GetPlayDevices();
}

const CStringArray& CTVManager::GetAudioPlayLines()
{
    m_hardware.GetAudioPlaySrc();
    return m_hardware.GetPlayLines();
}

// --- the preview graph and its window ----------------------------------------

BOOL CTVManager::RunPreview()
{
    return m_hardware.RunPreview();
}

BOOL CTVManager::StopGraph(BOOL toRadio)
{
    return m_hardware.StopGraph(toRadio);
}

BOOL CTVManager::AdjustVideoRect(const RECT& rect)
{
    return m_hardware.SetVideoRect(rect.left, rect.top, rect.right, rect.bottom);
}

HRESULT CTVManager::ShowVideo()
{
    return m_hardware.GetGraph().ShowVideoWindow(TRUE);
}

HRESULT CTVManager::SetVideoOwner(HWND owner)
{
    return m_hardware.SetVideoOwner(owner) ? S_OK : E_FAIL;
}

HRESULT CTVManager::SetVideoMessageDrain(HWND drain)
{
    return m_hardware.GetGraph().SetMessageDrain(drain);
}

void CTVManager::HideOsdPanel()
{
    m_pUi->HideOsdPanel();
}
