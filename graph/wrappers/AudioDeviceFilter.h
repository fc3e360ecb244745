// CAudioDeviceFilter: any audio capture device (the wildcard record of the
// audio input category): the filter with its capture pin and stream
// configuration, the capture format, the input pins of the device's input
// mixer, and the mute and volume controls of the sound-card mixer that
// belongs to the device (its recording destination and source lines).
// Owned by the graph's list; UI thread.
#pragma once
#include "graph/ComPtr.h"
#include "graph/RootFilter.h"

#include <mmsystem.h>
#include <strmif.h>

#include <vector>

class CAudioDeviceFilter : public CRootFilter
{
public:
    // The most controls and source lines one mixer destination may list.
    enum { kMaxMixerEntries = 100 };

    using CRootFilter::CRootFilter;

    // Finds the capture pin and the device's mixer and reads the mixer's
    // recording destination; FALSE when the mixer cannot be read.
    BOOL Init() override;
    // "Capture" is the capture pin the capture graph builder found,
    // whatever the pin's own name.
    CRootPin* FindPinByName(const char* name) override;

    // The capture format: the stream configuration's, else the capture
    // pin's first offered type. The caller owns it (a CMediaTypePtr).
    BOOL GetCurrentMediaType(AM_MEDIA_TYPE** out);
    // TRUE only when the current format is a wave format and was copied
    // or set.
    BOOL GetWaveFormat(WAVEFORMATEX* out);
    BOOL SetWaveFormat(const WAVEFORMATEX* in);

    // IAMAudioInputMixer of the named input pin; TRUE only on S_OK.
    BOOL EnableInputPin(const char* name, BOOL enable);
    BOOL IsInputPinEnabled(const char* name, BOOL* out);
    BOOL GetInputPinMixLevel(const char* name, double* out);
    BOOL SetInputPinMixLevel(const char* name, double level);
    // The named input pin of filter and its input mixer interface.
    static BOOL GetInputMixer(CRootFilter* filter, const char* name, ComPtr<IAMAudioInputMixer>& out);

    // The mixer's recording destination (line 0) and its source lines.
    BOOL SetMute(BOOL mute);
    BOOL GetMute(BOOL* mute);
    BOOL SetVolume(DWORD volume);
    BOOL GetVolume(DWORD* volume);
    BOOL SetLineMute(const char* line, BOOL mute);
    BOOL GetLineMute(const char* line, BOOL* mute);
    BOOL SetLineVolume(const char* line, DWORD volume);
    BOOL GetLineVolume(const char* line, DWORD* volume);

    // Index of the source line of exactly that name, or -1.
    int FindSourceLine(const char* name) const;
    const MIXERLINEA* GetSourceLines(int* count) const;
    UINT GetMixerId() const { return m_uMixerId; }
    int GetMixerIndex() const { return m_nMixerIndex; }

private:
    BOOL FindMixer();
    BOOL LoadMixerInfo();
    // Reads (write FALSE) or writes one unsigned value of the first control
    // of that type: on the destination when line is NULL, else on the named
    // source line. Through the device's own mixer, opened for the call.
    BOOL AccessControl(const char* line, DWORD controlType, DWORD* value, BOOL write);

    UINT m_uMixerId = 0;                       // the mixer that belongs to the device
    std::vector<MIXERCONTROLA> m_destControls; // controls of destination 0
    ComPtr<IAMStreamConfig> m_pStreamConfig;   // of the capture pin
    CRootPin* m_pCapturePin = NULL;            // belongs to the pin list
    std::vector<MIXERLINEA> m_sourceLines;     // lines connected to destination 0
    int m_nMixerIndex = 0;
};
