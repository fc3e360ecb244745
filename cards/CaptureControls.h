// CCaptureControls: the DirectShow controls of a wrapped capture filter -
// analog standard, proc amp, and the pins' stream formats through the
// owning graph's capture graph builder. What the card filters and the USB
// camera filters share; a short-lived view over a wrapper that outlives it.
// UI thread.
#pragma once
#include <windows.h>
#include <dshow.h>

#include <stddef.h>

class CRootFilter;

// The video format exchanged with the engine.
struct VideoFormat
{
    LONG format;  // a subtype code of the wrapper's table, -1 other
    RECT rcSource;
    RECT rcTarget;
    DWORD dwBitRate;
    DWORD dwBitErrorRate;
    REFERENCE_TIME AvgTimePerFrame;
    BITMAPINFOHEADER bmiHeader;
};

// One proc-amp control: value and range.
struct ProcAmpRange
{
    LONG value;
    LONG min;
    LONG max;
    LONG step;
    LONG def;
    LONG flags;
};

// One row of a wrapper's subtype codes.
struct SubtypeCode
{
    const GUID* subtype;
    LONG code;
};

class CCaptureControls
{
public:
    explicit CCaptureControls(const CRootFilter& filter) : m_filter(filter) {}

    HRESULT GetTVFormats(long* current, long* available) const;
    HRESULT PutTVFormat(long standard) const;
    HRESULT SetProcAmp(long property, long value) const;
    HRESULT GetProcAmpRange(long property, ProcAmpRange* range) const;
    // The IAMStreamConfig of the capture (which 1) or preview pin.
    HRESULT FindStreamConfig(int which, IAMStreamConfig** config) const;
    // The pin's current format, else the first type the pin offers.
    HRESULT GetStreamFormat(AM_MEDIA_TYPE** mt, int which) const;
    // The current VideoInfo format, its subtype coded by the first row of
    // `codes` that names it (-1 when none does); the subtype itself into
    // *subtype when asked.
    HRESULT GetVideoFormat(VideoFormat* rec, int which, const SubtypeCode* codes, size_t count,
                           GUID* subtype = NULL) const;
    // The current format with the record's fields and the given subtype; the
    // image size worked out by the DIB rules.
    HRESULT SetVideoFormat(const VideoFormat& rec, int which, const GUID& subtype) const;
    // The subtype of a code: the last row of `codes` that carries it, else
    // `fallback`.
    static const GUID& SubtypeOf(LONG code, const SubtypeCode* codes, size_t count,
                                 const GUID& fallback);

private:
    const CRootFilter& m_filter;
};
