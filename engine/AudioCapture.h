// The system's audio capture devices as the settings see them: their names,
// the input pins of one of them (the record inputs), and an input's record
// level through its IAMAudioInputMixer. Nothing is kept between calls. UI
// thread, COM initialised there.
#pragma once
#include "platform/mfc/Array.h"

#include <windows.h>

// Each returns FALSE when the devices cannot be enumerated, TRUE otherwise
// (also when no device has the name). Lists are appended to.
BOOL AudioCapture_GetDeviceNames(CStringArray& names, LPCSTR selected);
// The input pins of every device of exactly that name.
BOOL AudioCapture_GetInputNames(CStringArray& names, LPCSTR selected, LPCSTR device);
// Level 0-100 (others are clamped) on every matching pin of every matching
// device; the read gives the last matching pin's level, untouched without one.
BOOL AudioCapture_SetMixLevel(LPCSTR device, LPCSTR pin, int level);
BOOL AudioCapture_GetMixLevel(LPCSTR device, LPCSTR pin, int* level);
