// CVirtualCard: the one simulated card behind the capture filter and the
// crossbar of this process - the device model, the routed inputs, the video
// standard, the proc-amp values and the remote-control link. Created on
// first use, it lives until the module unloads. Every method takes the
// card's lock, so the graph's threads and the pins' streaming threads may
// call it; nothing calls out of the card while holding it.
#pragma once
#include "platform/virtualcard/PictureGenerator.h"
#include "platform/virtualcard/RemoteLink.h"
#include "platform/virtualcard/model/CardModel.h"
#include "platform/virtualcard/model/HeskDriver.h"
#include "platform/virtualcard/model/McuController.h"

#include <windows.h>
#include <strmif.h>

namespace virtualcard {

// A proc-amp property's range, step and default (IAMVideoProcAmp).
struct ProcAmpRange
{
    long property;
    long minimum, maximum, step, defaultValue;
};

class CVirtualCard
{
public:
    static CVirtualCard& Instance();

    // The common property set of the maker's drivers, as the capture
    // filter's IKsPropertySet receives it: the whole buffer, payload at
    // byte 24. The caller has checked the length against the property.
    HRESULT GetCommon(DWORD id, BYTE* data, ULONG length);
    HRESULT SetCommon(DWORD id, BYTE* data, ULONG length);
    // The BDA driver's three property sets, checked and answered whole.
    HRESULT GetHesk(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                    DWORD dataLength, DWORD* returned);
    HRESULT SetHesk(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                    DWORD dataLength);
    HRESULT QueryHesk(REFGUID set, DWORD id, DWORD* support);
    // The sound decoder's TVAudioMode (one AMTVAUDIO_MODE_ bit).
    long TVAudioMode();
    void SetTVAudioMode(long mode);
    // The power-on controller on the card's GPIO lines.
    uint16_t PowerOnMinutes();
    bool PowerOnArmed();

    // Crossbar routing (video: VideoInput values; audio: its input index).
    void SetVideoInput(int input);
    int VideoInput();
    void SetAudioInput(int input);
    int AudioInput();

    // Analog video decoder.
    static long AvailableStandards();
    long Standard();
    HRESULT SetStandard(long standard);
    bool HorizontalLocked();
    // 100 ns per frame of the current standard: 25 or 29.97 frames a second.
    REFERENCE_TIME FrameInterval();
    static REFERENCE_TIME FrameIntervalOf(long standard);

    // Proc amp.
    static const ProcAmpRange* FindProcAmpRange(long property);
    HRESULT GetProcAmp(long property, long* value);
    HRESULT SetProcAmp(long property, long value);

    PictureState Snapshot();

private:
    CVirtualCard();
    ~CVirtualCard();
    void PollRemoteLocked();
    long* ProcAmpSlot(long property);

    CRITICAL_SECTION m_cs;
    CardModel m_model;
    HeskDriver m_hesk;
    std::shared_ptr<McuController> m_mcu;
    CRemoteLink m_remote;
    int m_videoInput;
    int m_audioInput;
    long m_standard;
    long m_tvAudioMode;
    long m_brightness, m_contrast, m_hue, m_saturation, m_sharpness;

    CVirtualCard(const CVirtualCard&) = delete;
    CVirtualCard& operator=(const CVirtualCard&) = delete;
};

} // namespace virtualcard
