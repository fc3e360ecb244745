// The IF demodulator set-ups and status maps of the module table that other
// tuner classes use as they stand (the Empia tuner's models): defined in
// ModuleTable.cpp, constant, any thread.
#pragma once
#include "hw/tuners/ModuleTuner.h"

extern const DemodSetup kJS6B2Setup;
extern const DemodSetup kFQ1216MESetup;
extern const DemodSetup kLGS200TSetup;
extern const DemodSetup kLGM200TSetup;

// AFC code by a = (demodulator status >> 1) & 15.
extern const BYTE kDemodAfcA[16];
extern const BYTE kDemodAfcB[16];
extern const BYTE kDemodAfcC[16];
