// The manager's inputs, tuning, scans, sound and control of the preview
// graph and its video window. UI thread.
#include "engine/TVManager.h"

#include "graph/DebugHelper.h"

#include <mmsystem.h>

#include <vector>

namespace {

// The control panel's tuner commands.
const UINT kCmdTuner = 44150;
const UINT kCmdTunerNext = 44151;
const UINT kCmdTunerPrev = 44152;
const int kInputCount = 4;

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
    if (m_bScanning)
        m_pUi->BeginScanDisplay();
    return m_bScanning;
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
    m_pUi->UpdateChannelButtons();
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
    return m_hardware.GetGraph().SetVideoOwner(owner);
}

HRESULT CTVManager::SetVideoMessageDrain(HWND drain)
{
    return m_hardware.GetGraph().SetMessageDrain(drain);
}

void CTVManager::HideOsdPanel()
{
    m_pUi->HideOsdPanel();
}
