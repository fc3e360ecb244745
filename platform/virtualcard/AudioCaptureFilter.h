// CAudioCaptureFilter: the virtual card's audio capture device, what the
// card driver's audio capture filter is to the program. Its one output,
// "Capture" (capture category, with IAMStreamConfig), delivers 16-bit stereo
// PCM at 48 kHz in 40 ms buffers from its own streaming thread, stamped on
// the graph's clock like the card's pictures: the sound of the tuned
// carrier - a tone whose pitch tells the carrier, while the decoder locks
// on the tuner input - and silence otherwise. Control calls come from the
// graph's threads.
#pragma once
#include "platform/dshow/BaseFilter.h"

#include <mmreg.h>

namespace virtualcard {

// The capture format and the sound, apart from the filter for the tests.
struct AudioCaptureFormat
{
    static const DWORD kSampleRate = 48000;       // samples a second
    static const WORD kChannels = 2;
    static const WORD kBitsPerSample = 16;
    static const DWORD kSamplesPerBuffer = 1920;  // 40 ms
    static WAVEFORMATEX WaveFormat();
    static DWORD BufferBytes() { return kSamplesPerBuffer * kChannels * (kBitsPerSample / 8); }
};

// Hz of the tone of a picture carrier: 400 Hz plus 10 Hz for each MHz
// above the next lower multiple of 32 MHz, so neighbouring channels differ.
int CarrierToneHz(double kHz);

// Fills `count` stereo frames of 16-bit PCM starting at sample `first` of
// the stream (the phase follows the stream's sample count, so a tone runs
// on across buffers and skipped buffers): the tone of `hz`, or silence
// for 0.
void FillTone(int hz, LONGLONG first, DWORD count, short* out);

class CAudioCaptureFilter : public dshow::CBaseFilter
{
public:
    static HRESULT Create(IUnknown** out);

    int GetPinCount() override { return 1; }
    dshow::CBasePin* GetPin(int index) override;

protected:
    bool IsLiveSource() const override { return true; }

private:
    class COutPin;
    CAudioCaptureFilter();
    ~CAudioCaptureFilter();

    COutPin* m_pCapture;
};

} // namespace virtualcard
