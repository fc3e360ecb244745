#include "engine/AudioControl.h"

#include "engine/MixerHelper.h"
#include "graph/ComPtr.h"
#include "graph/DebugHelper.h"
#include "graph/Guids.h"
#include "graph/NameText.h"

#include <devicetopology.h>
#include <mmdeviceapi.h>
#include <propidl.h>

#include <cmath>
#include <new>

namespace {

// Audio_XP always works on the speaker destination.
const DWORD kSpeakers = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
const DWORD kWaveOutLine = MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT;
// Subunit and endpoint names are kept to 100 bytes.
const int kPartNameSize = 100;

int ClampPercent(int volume)
{
    return volume < 0 ? 0 : volume > 100 ? 100 : volume;
}

bool Contains(const CStringArray& list, LPCSTR text)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        if (list[i] == text)
            return true;
    }
    return false;
}

} // namespace

BOOL Audio_Control::SetVolume(LPCSTR, LPCSTR, int)
{
    return TRUE;
}

BOOL Audio_Control::GetVolume(LPCSTR, LPCSTR, int*)
{
    return TRUE;
}

BOOL Audio_Control::SetMute(LPCSTR, LPCSTR, BOOL)
{
    return TRUE;
}

BOOL Audio_Control::GetMute(LPCSTR, LPCSTR, BOOL*)
{
    return TRUE;
}

BOOL Audio_Control::GetDevices(CStringArray&, CString&)
{
    return TRUE;
}

BOOL Audio_Control::GetLines(CStringArray&, CString&, LPCSTR)
{
    return TRUE;
}

// --- Windows XP: the multimedia mixer ---

BOOL Audio_XP::SetVolume(LPCSTR line, LPCSTR device, int volume)
{
    CMixerHelper mixer;
    if (!mixer.Open(device, kSpeakers, NULL))
        return FALSE;
    DebugHelper("SetPlayVolume: %s %s %d", line ? line : "", device ? device : "", volume);
    return mixer.SetVolume(line, volume);
}

BOOL Audio_XP::GetVolume(LPCSTR line, LPCSTR device, int* volume)
{
    CMixerHelper mixer;
    return mixer.Open(device, kSpeakers, NULL) && mixer.GetVolume(line, volume);
}

BOOL Audio_XP::SetMute(LPCSTR line, LPCSTR device, BOOL mute)
{
    CMixerHelper mixer;
    return mixer.Open(device, kSpeakers, NULL) &&
           mixer.SetControlValue(MIXERCONTROL_CONTROLTYPE_MUTE, line, mute ? 1 : 0);
}

BOOL Audio_XP::GetMute(LPCSTR line, LPCSTR device, BOOL* mute)
{
    DWORD value = 0;
    CMixerHelper mixer;
    if (!mute || !mixer.Open(device, kSpeakers, NULL) ||
        !mixer.GetControlValue(MIXERCONTROL_CONTROLTYPE_MUTE, line, &value))
        return FALSE;
    *mute = value != 0;
    return TRUE;
}

BOOL Audio_XP::GetDevices(CStringArray& devices, CString& selected)
{
    devices.RemoveAll();
    CStringArray all;
    CMixerHelper::EnumMixerDevices(all);
    for (INT_PTR i = 0; i < all.GetSize(); ++i) {
        CMixerHelper mixer;
        if (mixer.Open(all[i], kSpeakers, NULL))
            devices.Add(all[i]);
    }
    if (selected.IsEmpty() || !Contains(devices, selected))
        selected = devices.GetSize() > 0 ? devices[0] : CString();
    return TRUE;
}

BOOL Audio_XP::GetLines(CStringArray& lines, CString& selected, LPCSTR device)
{
    CMixerHelper mixer;
    if (!mixer.Open(device, kSpeakers, NULL))
        return FALSE;
    lines.RemoveAll();
    char name[CMixerHelper::kLineNameSize];
    if (mixer.GetLineName(kSpeakers, name, sizeof(name)))
        lines.Add(name);
    CStringArray sources;
    mixer.EnumSourceLines(sources);
    for (INT_PTR i = 0; i < sources.GetSize(); ++i) {
        int volume = 0;
        if (mixer.GetVolume(sources[i], &volume))
            lines.Add(sources[i]);
    }
    if (lines.GetSize() > 0) {
        if (!Contains(lines, selected))
            selected = lines[0];
    } else if (mixer.GetLineName(kWaveOutLine, name, sizeof(name))) {
        selected = name;
    }
    return TRUE;
}

// --- Windows Vista and later: Core Audio ---

float VistaLevelFromPercent(float minimumDb, float maximumDb, int volume)
{
    return minimumDb + (maximumDb - minimumDb) * static_cast<float>(ClampPercent(volume)) / 100.0f;
}

BOOL VistaPercentFromLevel(float levelDb, float minimumDb, float maximumDb, float stepDb, int* volume)
{
    if (!volume || !std::isfinite(levelDb) || !std::isfinite(minimumDb) || !std::isfinite(maximumDb) ||
        !std::isfinite(stepDb) || stepDb <= 0 || maximumDb <= minimumDb)
        return FALSE;
    const double steps = (levelDb - minimumDb) / stepDb;
    const double perPercent = ((maximumDb - minimumDb) / stepDb) / 100.0;
    const double percent = steps / perPercent;
    *volume = percent <= 0 ? 0 : percent >= 100 ? 100 : static_cast<int>(percent);
    return TRUE;
}

namespace {

// The default render endpoint's adapter topology with its subunits, as far
// as the system has it. Every interface is released with the walk.
class CAdapterWalk
{
public:
    // FALSE when any step fails, or the first part feeding the adapter's
    // connector is not a subunit (there is nothing to walk then).
    BOOL Open()
    {
        ComPtr<IMMDeviceEnumerator> enumerator;
        ComPtr<IMMDeviceCollection> endpoints;
        ComPtr<IMMDevice> device;
        ComPtr<IDeviceTopology> topology;
        ComPtr<IConnector> connector, adapterConnector;
        ComPtr<IPart> adapterPart, first;
        ComPtr<IPartsList> incoming;
        UINT count = 0;
        PartType type = Connector;
        if (FAILED(CoCreateInstance(CLSID_MMDeviceEnumerator, NULL, CLSCTX_INPROC_SERVER,
                                    IID_IMMDeviceEnumerator, enumerator.ReceiveVoid())) ||
            FAILED(enumerator->EnumAudioEndpoints(eRender, DEVICE_STATE_ACTIVE, &endpoints)) ||
            FAILED(endpoints->GetCount(&count)) || count == 0 ||
            FAILED(enumerator->GetDefaultAudioEndpoint(eRender, eMultimedia, &device)) ||
            FAILED(device->Activate(IID_IDeviceTopology, CLSCTX_ALL, NULL, topology.ReceiveVoid())) ||
            !topology || FAILED(topology->GetConnector(0, &connector)) ||
            FAILED(connector->GetConnectedTo(&adapterConnector)) ||
            FAILED(adapterPart.QueryFrom(adapterConnector.Get(), IID_IPart)) ||
            FAILED(adapterPart->EnumPartsIncoming(&incoming)) || FAILED(incoming->GetPart(0, &first)) ||
            FAILED(first->GetPartType(&type)) || type != Subunit ||
            FAILED(first->GetTopologyObjects(&m_pAdapter)) || FAILED(m_pAdapter->GetSubunitCount(&m_nSubunits)))
            return FALSE;
        return TRUE;
    }

    UINT Count() const { return m_nSubunits; }

    // Subunit index as a part, and its name.
    BOOL Part(UINT index, ComPtr<IPart>& part, char* name, int size)
    {
        ComPtr<ISubUnit> subunit;
        LPWSTR wide = NULL;
        if (FAILED(m_pAdapter->GetSubunit(index, &subunit)) ||
            FAILED(part.QueryFrom(subunit.Get(), IID_IPart)) || FAILED(part->GetName(&wide)))
            return FALSE;
        BOOL named = zunk::WideToAnsi(wide, name, size);
        CoTaskMemFree(wide);
        return named;
    }

    // The first subunit of that name; FALSE when none has it.
    BOOL Find(LPCSTR line, UINT* index)
    {
        for (UINT i = 0; line && i < m_nSubunits; ++i) {
            ComPtr<IPart> part;
            char name[kPartNameSize];
            if (Part(i, part, name, sizeof(name)) && lstrcmpA(name, line) == 0) {
                *index = i;
                return TRUE;
            }
        }
        return FALSE;
    }

    // Control iid of subunit index, activated.
    template <class T>
    BOOL Control(UINT index, REFIID iid, ComPtr<T>& control)
    {
        ComPtr<IPart> part;
        char name[kPartNameSize];
        return index < m_nSubunits && Part(index, part, name, sizeof(name)) &&
               SUCCEEDED(part->Activate(CLSCTX_ALL, iid, control.ReceiveVoid())) && control;
    }

private:
    ComPtr<IDeviceTopology> m_pAdapter;
    UINT m_nSubunits = 0;
};

// The volume control of the named line's subunit.
BOOL LineVolume(LPCSTR line, ComPtr<IAudioVolumeLevel>& volume, UINT* channels)
{
    CAdapterWalk walk;
    UINT index = 0;
    return walk.Open() && walk.Find(line, &index) &&
           walk.Control(index, IID_IAudioVolumeLevel, volume) &&
           SUCCEEDED(volume->GetChannelCount(channels)) && *channels > 0;
}

// The mute control: on the subunit after the named line's.
BOOL LineMute(LPCSTR line, ComPtr<IAudioMute>& mute)
{
    CAdapterWalk walk;
    UINT index = 0;
    return walk.Open() && walk.Find(line, &index) && walk.Control(index + 1, IID_IAudioMute, mute);
}

} // namespace

BOOL Audio_Vista::SetVolume(LPCSTR line, LPCSTR, int volume)
{
    ComPtr<IAudioVolumeLevel> level;
    UINT channels = 0;
    if (!LineVolume(line, level, &channels))
        return FALSE;
    for (UINT channel = 0; channel < channels; ++channel) {
        float minimum = 0, maximum = 0, step = 0;
        if (FAILED(level->GetLevelRange(channel, &minimum, &maximum, &step)) ||
            FAILED(level->SetLevel(channel, VistaLevelFromPercent(minimum, maximum, volume), NULL)))
            return FALSE;
    }
    return TRUE;
}

BOOL Audio_Vista::GetVolume(LPCSTR line, LPCSTR, int* volume)
{
    ComPtr<IAudioVolumeLevel> level;
    UINT channels = 0;
    float minimum = 0, maximum = 0, step = 0, current = 0;
    return volume && LineVolume(line, level, &channels) &&
           SUCCEEDED(level->GetLevelRange(0, &minimum, &maximum, &step)) &&
           SUCCEEDED(level->GetLevel(0, &current)) &&
           VistaPercentFromLevel(current, minimum, maximum, step, volume);
}

BOOL Audio_Vista::SetMute(LPCSTR line, LPCSTR, BOOL mute)
{
    ComPtr<IAudioMute> control;
    return LineMute(line, control) && SUCCEEDED(control->SetMute(mute ? TRUE : FALSE, NULL));
}

BOOL Audio_Vista::GetMute(LPCSTR line, LPCSTR, BOOL* mute)
{
    ComPtr<IAudioMute> control;
    BOOL value = FALSE;
    if (!mute || !LineMute(line, control) || FAILED(control->GetMute(&value)))
        return FALSE;
    *mute = value ? TRUE : FALSE;
    return TRUE;
}

BOOL Audio_Vista::GetDevices(CStringArray& devices, CString&)
{
    devices.RemoveAll();
    ComPtr<IMMDeviceEnumerator> enumerator;
    ComPtr<IMMDeviceCollection> endpoints;
    UINT count = 0;
    if (FAILED(CoCreateInstance(CLSID_MMDeviceEnumerator, NULL, CLSCTX_INPROC_SERVER, IID_IMMDeviceEnumerator,
                                enumerator.ReceiveVoid())) ||
        FAILED(enumerator->EnumAudioEndpoints(eRender, DEVICE_STATE_ACTIVE, &endpoints)) ||
        FAILED(endpoints->GetCount(&count)))
        return FALSE;
    for (UINT i = 0; i < count; ++i) {
        ComPtr<IMMDevice> device;
        ComPtr<IPropertyStore> store;
        PROPVARIANT name;
        PropVariantInit(&name);
        if (FAILED(endpoints->Item(i, &device)) || FAILED(device->OpenPropertyStore(STGM_READ, &store)) ||
            FAILED(store->GetValue(PKEY_Device_FriendlyName, &name)))
            return FALSE;
        char text[kPartNameSize];
        if (name.vt == VT_LPWSTR && zunk::WideToAnsi(name.pwszVal, text, sizeof(text)))
            devices.Add(text);
        PropVariantClear(&name);
    }
    return TRUE;
}

BOOL Audio_Vista::GetLines(CStringArray& lines, CString&, LPCSTR)
{
    lines.RemoveAll();
    CAdapterWalk walk;
    if (!walk.Open())
        return FALSE;
    for (UINT i = 0; i < walk.Count(); ++i) {
        ComPtr<IPart> part;
        ComPtr<IAudioMute> mute;
        char name[kPartNameSize];
        if (!walk.Part(i, part, name, sizeof(name)))
            return FALSE;
        if (name[0] && FAILED(part->Activate(CLSCTX_ALL, IID_IAudioMute, mute.ReceiveVoid())))
            lines.Add(name);
    }
    return TRUE;
}

Audio_Control* CreateAudioControlFor(BOOL versionRead, DWORD majorVersion)
{
    if (versionRead && majorVersion >= 6)
        return new (std::nothrow) Audio_Vista();
    return new (std::nothrow) Audio_XP();
}

Audio_Control* CreateAudioControl()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    version.dwMajorVersion = 0;
    const BOOL read = GetVersionExA(&version);
    return CreateAudioControlFor(read, version.dwMajorVersion);
}
