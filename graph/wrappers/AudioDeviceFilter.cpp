#include "graph/wrappers/AudioDeviceFilter.h"

#include "graph/MediaTypePtr.h"
#include "graph/RootGraph.h"

#include <mmreg.h>
#include <string.h>
#include <uuids.h>

namespace {

// Closes a mixer opened for one operation.
class CMixerHandle
{
public:
    explicit CMixerHandle(UINT mixerId)
    {
        if (mixerOpen(&m_h, mixerId, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
            m_h = NULL;
    }
    ~CMixerHandle()
    {
        if (m_h)
            mixerClose(m_h);
    }
    HMIXEROBJ Object() const { return reinterpret_cast<HMIXEROBJ>(m_h); }
    bool IsOpen() const { return m_h != NULL; }

private:
    HMIXER m_h = NULL;
    CMixerHandle(const CMixerHandle&) = delete;
    CMixerHandle& operator=(const CMixerHandle&) = delete;
};

// All controls of one line, at most kMaxMixerEntries of them.
BOOL ReadLineControls(HMIXEROBJ mixer, const MIXERLINEA& line, std::vector<MIXERCONTROLA>* out)
{
    out->clear();
    if (line.cControls == 0 || line.cControls > CAudioDeviceFilter::kMaxMixerEntries)
        return FALSE;
    out->resize(line.cControls);
    MIXERLINECONTROLSA request = {};
    request.cbStruct = sizeof(request);
    request.dwLineID = line.dwLineID;
    request.cControls = line.cControls;
    request.cbmxctrl = sizeof(MIXERCONTROLA);
    request.pamxctrl = out->data();
    if (mixerGetLineControlsA(mixer, &request, MIXER_OBJECTF_HANDLE | MIXER_GETLINECONTROLSF_ALL) !=
        MMSYSERR_NOERROR) {
        out->clear();
        return FALSE;
    }
    return TRUE;
}

const MIXERCONTROLA* FindControl(const std::vector<MIXERCONTROLA>& controls, DWORD type)
{
    for (const MIXERCONTROLA& control : controls) {
        if (control.dwControlType == type)
            return &control;
    }
    return NULL;
}

// One unsigned value of a control, one channel.
BOOL ControlValue(HMIXEROBJ mixer, DWORD controlId, DWORD* value, BOOL write)
{
    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof(details);
    details.dwControlID = controlId;
    details.cChannels = 1;
    details.cMultipleItems = 0;
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
    details.paDetails = value;
    const DWORD flags = MIXER_OBJECTF_HANDLE | MIXER_SETCONTROLDETAILSF_VALUE;
    MMRESULT result = write ? mixerSetControlDetails(mixer, &details, flags)
                            : mixerGetControlDetailsA(mixer, &details, flags);
    return result == MMSYSERR_NOERROR;
}

} // namespace

BOOL CAudioDeviceFilter::Init()
{
    m_destControls.clear();
    m_pStreamConfig.Reset();
    m_pCapturePin = NULL;
    m_sourceLines.clear();
    if (!CRootFilter::Init())
        return FALSE;

    // The capture pin: missing pieces leave the fields empty.
    ICaptureGraphBuilder2* builder = m_pOwner ? m_pOwner->GetBuilder() : NULL;
    if (builder &&
        builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, m_pFilter, IID_IAMStreamConfig,
                               m_pStreamConfig.ReceiveVoid()) == S_OK) {
        ComPtr<IPin> pin;
        if (builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, m_pFilter, IID_IPin,
                                   pin.ReceiveVoid()) == S_OK)
            m_pCapturePin = FindPinByIPin(pin.Get());
    }

    if (!FindMixer() || !LoadMixerInfo()) {
        m_destControls.clear();
        m_sourceLines.clear();
        return FALSE;
    }
    return TRUE;
}

BOOL CAudioDeviceFilter::FindMixer()
{
    // The mixer whose product name is the device's FriendlyName; mixer 0
    // when none is.
    m_nMixerIndex = 0;
    for (int i = static_cast<int>(mixerGetNumDevs()) - 1; i >= 0; --i) {
        UINT id = 0;
        MIXERCAPSA caps = {};
        if (mixerGetID(reinterpret_cast<HMIXEROBJ>(static_cast<UINT_PTR>(i)), &id, MIXER_OBJECTF_MIXER) !=
                MMSYSERR_NOERROR ||
            mixerGetDevCapsA(id, &caps, sizeof(caps)) != MMSYSERR_NOERROR)
            return FALSE;
        m_uMixerId = id;
        caps.szPname[MAXPNAMELEN - 1] = 0;
        if (strcmp(caps.szPname, m_szDeviceName) == 0) {
            m_nMixerIndex = i;
            return TRUE;
        }
    }
    return TRUE;
}

BOOL CAudioDeviceFilter::LoadMixerInfo()
{
    CMixerHandle mixer(m_uMixerId);
    if (!mixer.IsOpen())
        return FALSE;
    MIXERLINEA destination = {};
    destination.cbStruct = sizeof(destination);
    destination.dwDestination = 0;
    if (mixerGetLineInfoA(mixer.Object(), &destination,
                          MIXER_OBJECTF_HANDLE | MIXER_GETLINEINFOF_DESTINATION) != MMSYSERR_NOERROR ||
        destination.cConnections > kMaxMixerEntries)
        return FALSE;

    m_sourceLines.assign(destination.cConnections, MIXERLINEA());
    for (DWORD i = 0; i < destination.cConnections; ++i) {
        MIXERLINEA& line = m_sourceLines[i];
        line.cbStruct = sizeof(line);
        line.dwDestination = 0;
        line.dwSource = i;
        if (mixerGetLineInfoA(mixer.Object(), &line, MIXER_OBJECTF_HANDLE | MIXER_GETLINEINFOF_SOURCE) !=
            MMSYSERR_NOERROR)
            return FALSE;
        line.szName[MIXER_LONG_NAME_CHARS - 1] = 0;
    }
    // The destination once more by its line id, for its controls.
    MIXERLINEA byId = {};
    byId.cbStruct = sizeof(byId);
    byId.dwLineID = destination.dwLineID;
    if (mixerGetLineInfoA(mixer.Object(), &byId, MIXER_OBJECTF_HANDLE | MIXER_GETLINEINFOF_LINEID) !=
        MMSYSERR_NOERROR)
        return FALSE;
    return ReadLineControls(mixer.Object(), byId, &m_destControls);
}

CRootPin* CAudioDeviceFilter::FindPinByName(const char* name)
{
    if (name && strcmp(name, "Capture") == 0 && m_pCapturePin)
        return m_pCapturePin;
    return CRootFilter::FindPinByName(name);
}

BOOL CAudioDeviceFilter::GetCurrentMediaType(AM_MEDIA_TYPE** out)
{
    if (!out || !m_pCapturePin || !m_pStreamConfig)
        return FALSE;
    *out = NULL;
    // A call that fails may still have handed a type over: the holder frees it.
    CMediaTypePtr mt;
    if (m_pStreamConfig->GetFormat(&mt) == S_OK && mt) {
        *out = mt.Detach();
        return TRUE;
    }
    ComPtr<IEnumMediaTypes> types;
    if (FAILED(m_pCapturePin->EnumMediaTypes(&types)) || !types)
        return FALSE;
    types->Reset();
    ULONG fetched = 0;
    if (types->Next(1, &mt, &fetched) == S_OK && fetched == 1 && mt) {
        *out = mt.Detach();
        return TRUE;
    }
    return FALSE;
}

namespace {

// The wave format of a media type, when it carries one: at least the
// 16 bytes every wave format has.
WAVEFORMATEX* WaveFormatOf(AM_MEDIA_TYPE* mt)
{
    if (!mt || mt->formattype != FORMAT_WaveFormatEx || !mt->pbFormat ||
        mt->cbFormat < sizeof(PCMWAVEFORMAT))
        return NULL;
    return reinterpret_cast<WAVEFORMATEX*>(mt->pbFormat);
}

} // namespace

BOOL CAudioDeviceFilter::GetWaveFormat(WAVEFORMATEX* out)
{
    if (!out)
        return FALSE;
    CMediaTypePtr mt;
    if (!GetCurrentMediaType(&mt))
        return FALSE;
    BOOL copied = FALSE;
    if (WAVEFORMATEX* format = WaveFormatOf(mt.Get())) {
        // A block without cbSize (a plain PCM format) has no extra bytes.
        WAVEFORMATEX copy = {};
        memcpy(&copy, format, mt->cbFormat < sizeof(WAVEFORMATEX) ? mt->cbFormat : sizeof(WAVEFORMATEX));
        *out = copy;
        copied = TRUE;
    }
    return copied;
}

BOOL CAudioDeviceFilter::SetWaveFormat(const WAVEFORMATEX* in)
{
    if (!in)
        return FALSE;
    CMediaTypePtr mt;
    if (!GetCurrentMediaType(&mt))
        return FALSE;
    BOOL set = FALSE;
    WAVEFORMATEX* format = WaveFormatOf(mt.Get());
    if (format && mt->cbFormat >= sizeof(WAVEFORMATEX)) {
        memcpy(format, in, sizeof(WAVEFORMATEX));
        // The extra bytes are the block's own: never claim more than it has.
        const ULONG room = mt->cbFormat - sizeof(WAVEFORMATEX);
        if (format->cbSize > room)
            format->cbSize = static_cast<WORD>(room);
        set = m_pStreamConfig->SetFormat(mt.Get()) == S_OK;
    }
    return set;
}

BOOL CAudioDeviceFilter::GetInputMixer(CRootFilter* filter, const char* name,
                                       ComPtr<IAMAudioInputMixer>& out)
{
    CRootPin* pin = filter->FindPinByName(name);
    PIN_DIRECTION direction;
    if (!pin || !pin->QueryDirection(&direction) || direction != PINDIR_INPUT)
        return FALSE;
    return SUCCEEDED(out.QueryFrom(pin->GetIPin(), IID_IAMAudioInputMixer)) && out;
}

BOOL CAudioDeviceFilter::EnableInputPin(const char* name, BOOL enable)
{
    ComPtr<IAMAudioInputMixer> mixer;
    return GetInputMixer(this, name, mixer) && mixer->put_Enable(enable) == S_OK;
}

BOOL CAudioDeviceFilter::IsInputPinEnabled(const char* name, BOOL* out)
{
    if (!out)
        return FALSE;
    *out = FALSE;
    ComPtr<IAMAudioInputMixer> mixer;
    return GetInputMixer(this, name, mixer) && mixer->get_Enable(out) == S_OK;
}

BOOL CAudioDeviceFilter::GetInputPinMixLevel(const char* name, double* out)
{
    ComPtr<IAMAudioInputMixer> mixer;
    return out && GetInputMixer(this, name, mixer) && mixer->get_MixLevel(out) == S_OK;
}

BOOL CAudioDeviceFilter::SetInputPinMixLevel(const char* name, double level)
{
    ComPtr<IAMAudioInputMixer> mixer;
    return GetInputMixer(this, name, mixer) && mixer->put_MixLevel(level) == S_OK;
}

BOOL CAudioDeviceFilter::AccessControl(const char* line, DWORD controlType, DWORD* value, BOOL write)
{
    CMixerHandle mixer(m_uMixerId);
    if (!mixer.IsOpen())
        return FALSE;
    std::vector<MIXERCONTROLA> lineControls;
    const std::vector<MIXERCONTROLA>* controls = &m_destControls;
    if (line) {
        int index = FindSourceLine(line);
        if (index < 0 || !ReadLineControls(mixer.Object(), m_sourceLines[index], &lineControls))
            return FALSE;
        controls = &lineControls;
    }
    const MIXERCONTROLA* control = FindControl(*controls, controlType);
    return control && ControlValue(mixer.Object(), control->dwControlID, value, write);
}

BOOL CAudioDeviceFilter::SetMute(BOOL mute)
{
    DWORD value = mute ? 1 : 0;
    return AccessControl(NULL, MIXERCONTROL_CONTROLTYPE_MUTE, &value, TRUE);
}

BOOL CAudioDeviceFilter::GetMute(BOOL* mute)
{
    DWORD value = 0;
    if (!mute || !AccessControl(NULL, MIXERCONTROL_CONTROLTYPE_MUTE, &value, FALSE))
        return FALSE;
    *mute = value != 0;
    return TRUE;
}

BOOL CAudioDeviceFilter::SetVolume(DWORD volume)
{
    return AccessControl(NULL, MIXERCONTROL_CONTROLTYPE_VOLUME, &volume, TRUE);
}

BOOL CAudioDeviceFilter::GetVolume(DWORD* volume)
{
    if (!volume)
        return FALSE;
    *volume = 0xFFFFFFFF;
    return AccessControl(NULL, MIXERCONTROL_CONTROLTYPE_VOLUME, volume, FALSE);
}

BOOL CAudioDeviceFilter::SetLineMute(const char* line, BOOL mute)
{
    DWORD value = mute ? 1 : 0;
    return line && AccessControl(line, MIXERCONTROL_CONTROLTYPE_MUTE, &value, TRUE);
}

BOOL CAudioDeviceFilter::GetLineMute(const char* line, BOOL* mute)
{
    DWORD value = 0;
    if (!line || !mute || !AccessControl(line, MIXERCONTROL_CONTROLTYPE_MUTE, &value, FALSE))
        return FALSE;
    *mute = value != 0;
    return TRUE;
}

BOOL CAudioDeviceFilter::SetLineVolume(const char* line, DWORD volume)
{
    return line && AccessControl(line, MIXERCONTROL_CONTROLTYPE_VOLUME, &volume, TRUE);
}

BOOL CAudioDeviceFilter::GetLineVolume(const char* line, DWORD* volume)
{
    if (!volume)
        return FALSE;
    *volume = 0;
    return line && AccessControl(line, MIXERCONTROL_CONTROLTYPE_VOLUME, volume, FALSE);
}

int CAudioDeviceFilter::FindSourceLine(const char* name) const
{
    if (!name)
        return -1;
    for (size_t i = 0; i < m_sourceLines.size(); ++i) {
        if (strcmp(m_sourceLines[i].szName, name) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

const MIXERLINEA* CAudioDeviceFilter::GetSourceLines(int* count) const
{
    if (count)
        *count = static_cast<int>(m_sourceLines.size());
    return m_sourceLines.empty() ? NULL : m_sourceLines.data();
}
