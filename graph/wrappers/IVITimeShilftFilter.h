// CIVITimeShilftFilter: the maker's time-shift filter, which buffers a live
// MPEG stream in a file so that playback can lag behind capture: its buffer
// file and size, and its playback controls. Registered for completeness: the
// engine's time-shift graph uses another filter. Owned by the graph's list;
// the graph's thread.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include "graph/ComPtr.h"
#include "graph/RootFilter.h"
#include "graph/wrappers/CodecSlots.h"

// The buffer settings the filter reads into (method 3) and takes by value
// (method 4). The two strings are COM strings: the filter allocates those it
// returns, and Clear frees them. Copies share the strings.
struct IVITimeShiftSettings
{
    IVITimeShiftSettings();
    void Clear();

    BSTR folder;
    BSTR fileName;
    LONG sizeKiB;
    LONG value128;
    LONG sizeBytes;
    LONG mode;
};
#ifdef _WIN64
static_assert(sizeof(IVITimeShiftSettings) == 32, "time-shift settings layout");
static_assert(offsetof(IVITimeShiftSettings, sizeKiB) == 16, "time-shift settings layout");
#else
static_assert(sizeof(IVITimeShiftSettings) == 24, "time-shift settings layout");
static_assert(offsetof(IVITimeShiftSettings, sizeKiB) == 8, "time-shift settings layout");
#endif

#define IVI_TIME_SHIFT_SLOTS(SLOT)                                                          \
    SLOT(3, GetSettings, (IVITimeShiftSettings* settings), (settings))                      \
    SLOT(4, SetSettings, (IVITimeShiftSettings settings), (settings))                       \
    SLOT(5, Reserved5, (), ())                                                              \
    SLOT(6, Reserved6, (), ())                                                              \
    SLOT(7, Reserved7, (), ())                                                              \
    SLOT(8, Reserved8, (), ())                                                              \
    SLOT(9, SetRate, (LONG rate), (rate))                                                   \
    SLOT(10, Reserved10, (), ())                                                            \
    SLOT(11, Reserved11, (), ())                                                            \
    SLOT(12, Reserved12, (), ())                                                            \
    SLOT(13, Control13, (LONG value), (value))                                              \
    SLOT(14, SetPosition, (DWORD low, DWORD high, LONG flag), (low, high, flag))            \
    SLOT(15, Control15, (LONG value), (value))                                              \
    SLOT(16, Control16, (LONG value), (value))                                              \
    SLOT(17, Control17, (LONG value), (value))                                              \
    SLOT(18, Reserved18, (), ())                                                            \
    SLOT(19, Control19, (), ())                                                             \
    SLOT(20, Control20, (), ())                                                             \
    SLOT(21, SetBufferPath, (char* path), (path))
CODEC_INTERFACE(IIVITimeShiftControl, IVI_TIME_SHIFT_SLOTS)

class CIVITimeShilftFilter : public CRootFilter
{
public:
    enum { kMaxPath = 259 };

    using CRootFilter::CRootFilter;

    // Requires the filter's time-shift control.
    BOOL Init() override;

    // Buffer file path (at most kMaxPath characters, folder and file name
    // split at its last backslash) and a buffer of rate (kbit/s) x duration
    // (s) / 8 KiB. Reads the filter's settings, changes those and sends
    // them, then the rate alone. Sends nothing, and answers FALSE, for a
    // path without a backslash or too long, a failed read, or a size that
    // is not positive or does not fit the filter's 32-bit byte count.
    BOOL SetBuffer(const char* path, LONG mode, LONG rate, LONG duration);
    BOOL SetBufferPath(const char* path);
    BOOL Control19();
    BOOL Control20();
    BOOL SetControl13(LONG value);
    BOOL SetControl15(LONG value);
    BOOL SetControl16(LONG value);
    BOOL SetControl17(LONG value);
    BOOL SetPosition(const LONGLONG* position);

private:
    ComPtr<IIVITimeShiftControl> m_pControl;
};
