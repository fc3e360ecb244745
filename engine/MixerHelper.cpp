#include "engine/MixerHelper.h"

#include "graph/DebugHelper.h"

#include <string.h>

namespace {

// The raw scale's step per percent.
const double kRawPerPercent = 655.35;

void CopyLineName(char* dst, int size, const char* src)
{
    if (!dst || size <= 0)
        return;
    lstrcpynA(dst, src, size);
}

} // namespace

DWORD MixerRawFromPercent(int volume)
{
    if (volume < 0)
        volume = 0;
    if (volume > 100)
        volume = 100;
    return static_cast<DWORD>(volume * kRawPerPercent);
}

int MixerPercentFromRaw(DWORD raw)
{
    int volume = static_cast<int>(raw / kRawPerPercent);
    return volume > 100 ? 100 : volume;
}

CMixerHelper::CMixerHelper()
    : m_hMixer(NULL), m_dwDestination(0), m_dwComponentType(0), m_dwConnections(0), m_szLineName()
{
}

CMixerHelper::~CMixerHelper()
{
    Close();
}

void CMixerHelper::Close()
{
    if (m_hMixer)
        mixerClose(m_hMixer);
    m_hMixer = NULL;
}

BOOL CMixerHelper::Open(const char* deviceName, DWORD componentType, HWND callback)
{
    Close();
    const UINT count = mixerGetNumDevs();
    for (UINT i = 0; i < count; ++i) {
        UINT id = 0;
        MIXERCAPSA caps = {};
        if (mixerGetID(reinterpret_cast<HMIXEROBJ>(static_cast<UINT_PTR>(i)), &id, MIXER_OBJECTF_MIXER) !=
                MMSYSERR_NOERROR ||
            mixerGetDevCapsA(id, &caps, sizeof(caps)) != MMSYSERR_NOERROR)
            return FALSE;
        caps.szPname[MAXPNAMELEN - 1] = 0;
        if (deviceName && *deviceName && lstrcmpiA(caps.szPname, deviceName) != 0)
            continue;
        HMIXER mixer = NULL;
        const DWORD_PTR window = reinterpret_cast<DWORD_PTR>(callback);
        if (mixerOpen(&mixer, id, window, 0, callback ? CALLBACK_WINDOW : 0) != MMSYSERR_NOERROR)
            continue;
        for (DWORD d = 0; d < caps.cDestinations; ++d) {
            MIXERLINEA line = {};
            line.cbStruct = sizeof(line);
            line.dwDestination = d;
            if (mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(mixer), &line,
                                  MIXER_OBJECTF_HANDLE | MIXER_GETLINEINFOF_DESTINATION) != MMSYSERR_NOERROR ||
                line.dwComponentType != componentType)
                continue;
            m_hMixer = mixer;
            m_dwDestination = d;
            m_dwComponentType = componentType;
            m_dwConnections = line.cConnections;
            CopyLineName(m_szLineName, sizeof(m_szLineName), line.szName);
            return TRUE;
        }
        mixerClose(mixer);
    }
    return FALSE;
}

BOOL CMixerHelper::GetLineName(DWORD componentType, char* name, int size)
{
    if (!m_hMixer || !name || size <= 0)
        return FALSE;
    MIXERLINEA line = {};
    line.cbStruct = sizeof(line);
    line.dwComponentType = componentType;
    if (mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(m_hMixer), &line,
                          MIXER_OBJECTF_HANDLE | MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR)
        return FALSE;
    line.szName[kLineNameSize - 1] = 0;
    CopyLineName(name, size, line.szName);
    return TRUE;
}

BOOL CMixerHelper::ControlOfLine(MIXERLINEA* line, DWORD flags, DWORD controlType, DWORD* controlId)
{
    line->cbStruct = sizeof(*line);
    if (mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(m_hMixer), line, MIXER_OBJECTF_HANDLE | flags) !=
        MMSYSERR_NOERROR)
        return FALSE;
    MIXERCONTROLA control = {};
    control.cbStruct = sizeof(control);
    MIXERLINECONTROLSA request = {};
    request.cbStruct = sizeof(request);
    request.dwLineID = line->dwLineID;
    request.dwControlType = controlType;
    request.cControls = 1;
    request.cbmxctrl = sizeof(control);
    request.pamxctrl = &control;
    if (mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(m_hMixer), &request,
                              MIXER_OBJECTF_HANDLE | MIXER_GETLINECONTROLSF_ONEBYTYPE) != MMSYSERR_NOERROR)
        return FALSE;
    *controlId = control.dwControlID;
    return TRUE;
}

BOOL CMixerHelper::GetLineControl(DWORD componentType, DWORD controlType, DWORD* controlId)
{
    if (!m_hMixer || !controlId)
        return FALSE;
    MIXERLINEA line = {};
    line.dwComponentType = componentType;
    return ControlOfLine(&line, MIXER_GETLINEINFOF_COMPONENTTYPE, controlType, controlId);
}

BOOL CMixerHelper::GetSourceControl(DWORD source, DWORD controlType, DWORD* controlId)
{
    if (!m_hMixer || !controlId || source >= m_dwConnections)
        return FALSE;
    MIXERLINEA line = {};
    line.dwDestination = m_dwDestination;
    line.dwSource = source;
    return ControlOfLine(&line, MIXER_GETLINEINFOF_SOURCE, controlType, controlId);
}

BOOL CMixerHelper::SourceLine(DWORD source, MIXERLINEA* line)
{
    *line = MIXERLINEA();
    line->cbStruct = sizeof(*line);
    line->dwDestination = m_dwDestination;
    line->dwSource = source;
    if (mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(m_hMixer), line,
                          MIXER_OBJECTF_HANDLE | MIXER_GETLINEINFOF_SOURCE) != MMSYSERR_NOERROR)
        return FALSE;
    line->szName[kLineNameSize - 1] = 0;
    return TRUE;
}

BOOL CMixerHelper::FindSourceControl(const char* lineName, DWORD controlType, DWORD* controlId)
{
    if (!m_hMixer || !lineName || !controlId)
        return FALSE;
    for (DWORD source = 0; source < m_dwConnections; ++source) {
        MIXERLINEA line;
        if (SourceLine(source, &line) && lstrcmpiA(line.szName, lineName) == 0)
            return GetSourceControl(source, controlType, controlId);
    }
    return FALSE;
}

BOOL CMixerHelper::ChooseControl(DWORD controlType, const char* line, DWORD* controlId)
{
    if (line && *line && lstrcmpiA(line, m_szLineName) != 0)
        return FindSourceControl(line, controlType, controlId);
    return GetLineControl(m_dwComponentType, controlType, controlId);
}

BOOL CMixerHelper::ControlDetails(DWORD controlId, DWORD* value, BOOL write)
{
    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof(details);
    details.dwControlID = controlId;
    details.cChannels = 1;  // one value for every channel
    details.cMultipleItems = 0;
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
    details.paDetails = value;
    const DWORD flags = MIXER_OBJECTF_HANDLE | MIXER_GETCONTROLDETAILSF_VALUE;
    HMIXEROBJ mixer = reinterpret_cast<HMIXEROBJ>(m_hMixer);
    return (write ? mixerSetControlDetails(mixer, &details, flags)
                  : mixerGetControlDetailsA(mixer, &details, flags)) == MMSYSERR_NOERROR;
}

BOOL CMixerHelper::SetControlValue(DWORD controlType, const char* line, DWORD value)
{
    DWORD controlId = 0;
    return m_hMixer && ChooseControl(controlType, line, &controlId) && ControlDetails(controlId, &value, TRUE);
}

BOOL CMixerHelper::GetControlValue(DWORD controlType, const char* line, DWORD* value)
{
    DWORD controlId = 0;
    return m_hMixer && value && ChooseControl(controlType, line, &controlId) &&
           ControlDetails(controlId, value, FALSE);
}

BOOL CMixerHelper::SetVolume(const char* line, int volume)
{
    const DWORD raw = MixerRawFromPercent(volume);
    if (!SetControlValue(MIXERCONTROL_CONTROLTYPE_VOLUME, line, raw))
        return FALSE;
    DebugHelper("return true %s %lu", line ? line : "", static_cast<unsigned long>(raw));
    return TRUE;
}

BOOL CMixerHelper::GetVolume(const char* line, int* volume)
{
    DWORD raw = 0;
    if (!volume || !GetControlValue(MIXERCONTROL_CONTROLTYPE_VOLUME, line, &raw))
        return FALSE;
    *volume = MixerPercentFromRaw(raw);
    return TRUE;
}

BOOL CMixerHelper::EnumSourceLines(CStringArray& lines)
{
    if (!m_hMixer)
        return FALSE;
    for (DWORD source = 0; source < m_dwConnections; ++source) {
        MIXERLINEA line;
        if (SourceLine(source, &line))
            lines.Add(line.szName);
    }
    return TRUE;
}

BOOL CMixerHelper::EnumMixerDevices(CStringArray& devices)
{
    const UINT count = mixerGetNumDevs();
    for (UINT i = 0; i < count; ++i) {
        MIXERCAPSA caps = {};
        if (mixerGetDevCapsA(i, &caps, sizeof(caps)) != MMSYSERR_NOERROR)
            continue;
        caps.szPname[MAXPNAMELEN - 1] = 0;
        devices.Add(caps.szPname);
    }
    return TRUE;
}
