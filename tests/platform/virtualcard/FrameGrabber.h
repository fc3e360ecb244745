// A sink built from the filter kit that keeps the latest video frame and
// the stamps of every frame, for pixel probes on the virtual card's
// picture. Made on the test's thread; frames arrive on the card's
// streaming thread.
#pragma once
#include "platform/dshow/BaseFilter.h"
#include "platform/dshow/InputPin.h"

#include <amvideo.h>

#include <vector>

struct Frame
{
    BITMAPINFOHEADER bmi = {};
    GUID subtype = GUID_NULL;
    std::vector<BYTE> bytes;
};

class FrameGrabber : public dshow::CBaseFilter
{
public:
    FrameGrabber();
    int GetPinCount() override { return 1; }
    dshow::CBasePin* GetPin(int index) override;

    // Waits until `count` more frames than now have arrived.
    bool WaitForMore(LONG count, DWORD timeoutMs);
    LONG Count() const { return m_lCount; }
    Frame Latest();
    std::vector<REFERENCE_TIME> Times();
    void Clear();
    // While held, each frame is recorded and then kept at the pin - the
    // streaming thread waits, as behind a slow renderer - until released
    // (or for at most a few seconds, so a failing test cannot hang).
    void Hold(bool hold);

private:
    class Pin;
    friend class Pin;
    ~FrameGrabber();
    void Record(IMediaSample* sample);

    Pin* m_pPin;
    CRITICAL_SECTION m_cs;
    HANDLE m_hFrame;   // auto reset: a frame arrived
    HANDLE m_hRelease; // manual reset: set while frames are not held
    volatile LONG m_lCount;
    Frame m_latest;
    std::vector<REFERENCE_TIME> m_times;
};
