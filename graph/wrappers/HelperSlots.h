// The private interfaces of the outside helper filters the wrappers of this
// folder drive, as tables of slots (graph/ComSlot.h): the place of each
// method the program calls and its exact argument types. Booleans of the
// deinterlace and switch interfaces are 16-bit: -1 for true, 0 for false.
// The interface ids are in graph/Guids.h.
#pragma once
#include "graph/ComSlot.h"

namespace zunk {

// The 16-bit truth values of the helper filters' interfaces.
const short kTrue16 = -1;
const short kFalse16 = 0;
inline short ToBool16(BOOL value) { return value ? kTrue16 : kFalse16; }

} // namespace zunk

// IID_IDeinterlaceControl, the deinterlace filter's control interface.
namespace DeinterlaceSlots {
typedef zunk::ComSlot<4, HRESULT(int mode)> SetDeinterlace;   // 1022 + the engine's mode
typedef zunk::ComSlot<5, HRESULT(short* on)> GetNoiseReduce;
typedef zunk::ComSlot<6, HRESULT(short on)> SetNoiseReduce;
typedef zunk::ComSlot<7, HRESULT(short* on)> GetHalfRate;
typedef zunk::ComSlot<8, HRESULT(short on)> SetHalfRate;
typedef zunk::ComSlot<9, HRESULT(int* level)> GetReduceValue;
typedef zunk::ComSlot<10, HRESULT(int level)> SetReduceValue;
// Picture format 1 bitmap, 2 JPEG; quality 0-100 (JPEG only).
typedef zunk::ComSlot<11, HRESULT(const wchar_t* path, int format, int quality)> TakeSnapshot;
typedef zunk::ComSlot<13, HRESULT(short on)> SetCaptureOption;
static_assert(SetDeinterlace::StackWords() == 2 && GetNoiseReduce::StackWords() == 2 &&
                  SetNoiseReduce::StackWords() == 2 && TakeSnapshot::StackWords() == 4,
              "every argument one word on both builds");
} // namespace DeinterlaceSlots

// IID_IAVSwitchControl, the AV switch's on/off switch.
namespace AVSwitchSlots {
typedef zunk::ComSlot<3, HRESULT(short* on)> GetSwitch;
typedef zunk::ComSlot<4, HRESULT(short on)> SetSwitch;
static_assert(GetSwitch::StackWords() == 2 && SetSwitch::StackWords() == 2, "one word each");
} // namespace AVSwitchSlots

// IID_ISnapPictureControl: one request (code 1: save a picture) with its
// block (SnapshotRequest in SnapPictureFilter.h).
namespace SnapPictureSlots {
typedef zunk::ComSlot<4, HRESULT(DWORD code, BYTE* block)> Request;
static_assert(Request::StackWords() == 3, "code and block pointer");
} // namespace SnapPictureSlots

// IID_ITimeShiftControl, the time-shift filter's interface.
namespace TimeShiftSlots {
typedef zunk::ComSlot<3, HRESULT(LONG position)> Seek;
typedef zunk::ComSlot<4, HRESULT(LONG* position, LONG* start, LONG* end)> GetPosition;
typedef zunk::ComSlot<5, HRESULT(const LONGLONG* size, DWORD value)> SetParams;
typedef zunk::ComSlot<7, HRESULT()> TogglePause;
typedef zunk::ComSlot<8, HRESULT(const char* file, const char* indexFile)> SetFile;
static_assert(GetPosition::StackWords() == 4 && SetParams::StackWords() == 3 &&
                  TogglePause::StackWords() == 1,
              "the size travels by pointer, never as a 64-bit value");
} // namespace TimeShiftSlots

// IID_IColorConvertControl, the colour converter's two calls.
namespace ColorConvertSlots {
typedef zunk::ComSlot<3, HRESULT(int value)> Call3;
typedef zunk::ComSlot<4, HRESULT(int value)> Call4;
} // namespace ColorConvertSlots

// IID_IEmpAudioCompanion, the USB bridge's audio companion object.
namespace EmpAudioSlots {
typedef zunk::ComSlot<7, HRESULT(DWORD value)> SetMode;
} // namespace EmpAudioSlots
