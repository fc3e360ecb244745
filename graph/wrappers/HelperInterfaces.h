// The private interfaces of the outside helper filters the wrappers of this
// folder drive, as tables of slots (CodecSlots.h): each method's place in the
// method table and its exact argument types. The stand-ins of
// platform/standins implement the same declarations. Booleans of the
// deinterlace and switch interfaces are 16-bit: -1 for true, 0 for false.
// The interface ids are in graph/Guids.h.
#pragma once
#include "graph/wrappers/CodecSlots.h"

namespace zunk {

const short kTrue16 = -1;
const short kFalse16 = 0;
inline short ToBool16(BOOL value) { return value ? kTrue16 : kFalse16; }

} // namespace zunk

// IID_IDeinterlaceControl: mode values are 1022 plus the engine's mode; a
// snapshot's format is 1 bitmap or 2 JPEG with quality 0-100.
#define DEINTERLACE_CONTROL_SLOTS(SLOT)                                                    \
    SLOT(3, Reserved3, (), ())                                                             \
    SLOT(4, SetDeinterlace, (int mode), (mode))                                            \
    SLOT(5, GetNoiseReduce, (short* on), (on))                                             \
    SLOT(6, SetNoiseReduce, (short on), (on))                                              \
    SLOT(7, GetHalfRate, (short* on), (on))                                                \
    SLOT(8, SetHalfRate, (short on), (on))                                                 \
    SLOT(9, GetReduceValue, (int* level), (level))                                         \
    SLOT(10, SetReduceValue, (int level), (level))                                         \
    SLOT(11, TakeSnapshot, (const wchar_t* path, int format, int quality), (path, format, quality)) \
    SLOT(12, Reserved12, (), ())                                                           \
    SLOT(13, SetCaptureOption, (short on), (on))
CODEC_INTERFACE(IDeinterlaceControl, DEINTERLACE_CONTROL_SLOTS)

// IID_IAVSwitchControl, the AV switch's on/off switch.
#define AV_SWITCH_CONTROL_SLOTS(SLOT)            \
    SLOT(3, GetSwitch, (short* on), (on))        \
    SLOT(4, SetSwitch, (short on), (on))
CODEC_INTERFACE(IAVSwitchControl, AV_SWITCH_CONTROL_SLOTS)

// IID_ISnapPictureControl: request code 1 saves a picture as the block
// (SnapshotRequest in SnapPictureFilter.h) says.
#define SNAP_PICTURE_CONTROL_SLOTS(SLOT)                         \
    SLOT(3, Reserved3, (), ())                                   \
    SLOT(4, Request, (DWORD code, BYTE* block), (code, block))
CODEC_INTERFACE(ISnapPictureControl, SNAP_PICTURE_CONTROL_SLOTS)

// IID_ITimeShiftControl: the buffer size travels by pointer, never as a
// 64-bit value.
#define TIME_SHIFT_CONTROL_SLOTS(SLOT)                                                     \
    SLOT(3, Seek, (LONG position), (position))                                             \
    SLOT(4, GetPosition, (LONG* position, LONG* start, LONG* end), (position, start, end)) \
    SLOT(5, SetParams, (const LONGLONG* size, DWORD value), (size, value))                 \
    SLOT(6, Reserved6, (), ())                                                             \
    SLOT(7, TogglePause, (), ())                                                           \
    SLOT(8, SetFile, (const char* file, const char* indexFile), (file, indexFile))
CODEC_INTERFACE(ITimeShiftControl, TIME_SHIFT_CONTROL_SLOTS)

// IID_IColorConvertControl, the colour converter's two calls.
#define COLOR_CONVERT_CONTROL_SLOTS(SLOT)      \
    SLOT(3, Call3, (int value), (value))       \
    SLOT(4, Call4, (int value), (value))
CODEC_INTERFACE(IColorConvertControl, COLOR_CONVERT_CONTROL_SLOTS)

// IID_IEmpAudioCompanion, the USB bridge's audio companion object.
#define EMP_AUDIO_COMPANION_SLOTS(SLOT)          \
    SLOT(3, Reserved3, (), ())                   \
    SLOT(4, Reserved4, (), ())                   \
    SLOT(5, Reserved5, (), ())                   \
    SLOT(6, Reserved6, (), ())                   \
    SLOT(7, SetMode, (DWORD value), (value))
CODEC_INTERFACE(IEmpAudioCompanion, EMP_AUDIO_COMPANION_SLOTS)
