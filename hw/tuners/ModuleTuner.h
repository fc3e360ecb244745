// CModuleTuner: a PLL tuner can described by one row of the module table -
// its band limits, bytes, IFs and standards - and by the quirks of its row
// (a clamping or offset tuning message, an IF demodulator's per-standard
// set-up, a status read from the demodulator, an FM demodulator set-up).
// Modules whose behaviour goes beyond the row are thin subclasses. Created
// by the tuner factory; threads as CTVTuner.
#pragma once
#include "hw/tuners/TVTuner.h"

// Which demodulator bytes a standard selects: the first entry whose mask
// holds the standard gives the column; otherwise `defaultIndex`.
struct StdIndex
{
    DWORD standards;
    BYTE index;
};

enum SetupResult : BYTE
{
    SETUP_RESULT_LAST,     // all three written; the last write decides
    SETUP_RESULT_FIRST,    // all three written; the first write decides
    SETUP_STOP_ON_FAILURE  // a failing write ends the set-up with 0
};

// Registers 0, 1, 2 of an IF demodulator (TDA9887 class), per standard.
struct DemodSetup
{
    BYTE address;
    bool block;          // 3-byte block writes {addr, reg, value}, else byte writes
    StdIndex map[6];     // unused entries have an empty mask
    BYTE defaultIndex;
    BYTE reg[3][6];      // reg[r][column]
    SetupResult result;
    DWORD sleepMs;       // pause after the set-up
};

// FM set-up of the demodulator after a successful FM tuning (registers 0-2).
struct FmDemodSetup
{
    bool block;          // block writes stopping at the first failure, else byte writes
    BYTE bytes[3];
};

enum TVTuneKind : BYTE
{
    TUNE_BASE,        // refused outside the range
    TUNE_CLAMP,       // clamped to the range, per-standard IF and aux byte
    TUNE_OFFSET_250   // the base message for f + 250 kHz
};

enum AuxKind : BYTE
{
    AUX_NONE,
    AUX_SECAM_L,      // 0x20 for SECAM L and L1, 0xA0 otherwise
    AUX_FIXED_50
};

enum TVStatusKind : BYTE
{
    STATUS_PLL,       // the base status byte
    STATUS_DEMOD,     // AFC code from the demodulator's status byte
    STATUS_BIT6       // 1 when bit 6 of the PLL status byte is set, else 0
};

enum FMStatusKind : BYTE
{
    FMSTATUS_PLL,
    FMSTATUS_DEMOD_ANY_FLAG,    // no station unless bit 5 or bit 7 is set
    FMSTATUS_DEMOD_ALL_FLAGS    // no station unless bits 5 and 7 are both set
};

struct ModuleBehaviour
{
    TVTuneKind tune;
    int secondIF;                 // IF for SECAM L1 (0: the module IF)
    AuxKind aux;
    BYTE messageLength;           // 5 or 6 bytes for the clamping kinds
    const DemodSetup* setup;      // null: SetStandard does nothing
    TVStatusKind status;
    const BYTE* statusCodes;      // STATUS_DEMOD: AFC code by a = (byte >> 1) & 15
    const FmDemodSetup* fmSetup;
    FMStatusKind fmStatus;
};

struct ModuleFM
{
    int minKHz, maxKHz, ifKHz;
    BYTE control, band;
};

struct TunerModuleData
{
    int type;                 // tuner type code = m_nModelId
    const char* className;
    int modelId2;
    char maker;
    int minFreq, maxFreq;
    int band1Top, band2Top;   // band switch points
    int band2Start, band3Start;
    BYTE bandLow, bandMid, bandHigh, control;
    int ifKHz;
    BYTE addr, statusAddr;
    ModuleFM fm;
    bool hasFM;
    int tunedAfc;
    bool reapply;
    const DWORD* standards;
    int standardCount;
    const ModuleBehaviour* behaviour;  // null: the base operations
    DWORD initialStandard;
};

// The module table, one row per module class.
const TunerModuleData* FindTunerModule(int type);
const TunerModuleData* TunerModules(size_t* count);

// Registers 0, 1, 2 of an IF demodulator for `standard`, as `setup` says.
BOOL RunDemodSetup(CCustomDataAccess* access, const DemodSetup& setup, DWORD standard);
// One demodulator register: a byte write, or a 3-byte block {addr, reg, value}.
BOOL WriteDemodRegister(CCustomDataAccess* access, BYTE address, bool block, BYTE reg, BYTE value);
// What the tuners of the USB bridge cards take over from the module fitted
// behind the bridge: maker and model, band limits and bytes, control byte,
// IFs, the FM fields, the LG modules' AFC codes, and the module's standards
// (appended to their own).
void CopyModuleFacts(CTVTuner& to, const CTVTuner& from);
// The bridge cards' tuned test: bit 6 of the video decoder's status register
// (kDecoderStatusRegister) is clear. 0 when it cannot be read.
const BYTE kDecoderStatusRegister = 0x1F;
BOOL ReadDecoderTuned(CCustomDataAccess* access, BYTE decoder);

class CModuleTuner : public CTVTuner
{
public:
    CModuleTuner(CCustomDataAccess* access, const TunerModuleData& module);
    ~CModuleTuner() override { EndSearches(); }

    BOOL SetTVFrequency(float kHz) override;
    BOOL SetStandard(DWORD standard) override;
    BOOL GetTVStatus(DWORD* status) override;
    BOOL SetFMFrequency(float kHz) override;
    BOOL GetFMStatus(DWORD* status) override;

    const TunerModuleData& Module() const { return *m_pModule; }

protected:
    BOOL RunDemodSetup(const DemodSetup& setup, DWORD standard);
    BOOL WriteDemod(BYTE address, bool block, BYTE reg, BYTE value);
    BOOL ReadDemodStatus(BYTE* value);

    const TunerModuleData* m_pModule;  // a row of the static table
};
