// The SAA713x GPIO port as every access class of the family drives it,
// through the chip's two registers: 0x1B0, the mode word (the pins driven
// as outputs; bit 31 latches it), and 0x1B4, the pin levels. The sequences
// run over the access object's own register operations; the caller holds
// its lock where the sequence must not interleave.
#pragma once
#include "hw/access/CustomDataAccess.h"

namespace saa713x {

const DWORD kGpioMode = 0x1B0;
const DWORD kGpioStatus = 0x1B4;
const DWORD kGpioStrobe = 0x80000000;
const DWORD kGpioReadMode = 0x3000;

// Pin read: `mode` plain, then latched, then the pin word.
HRESULT ReadPins(CCustomDataAccess* access, DWORD mode, DWORD* pins);
// Pin write: `mask` as the mode (plain, latched), `value` on the pins,
// `delayMs` (when not 0), then back to the latched read mode.
HRESULT WritePins(CCustomDataAccess* access, DWORD value, DWORD mask, DWORD delayMs);
// Adds `outputs` to the current mode and writes the pins as read with
// `clear` cleared and `set` set; no strobe.
HRESULT DrivePins(CCustomDataAccess* access, DWORD outputs, DWORD clear, DWORD set);

} // namespace saa713x
