// CXCeive2028 and its relatives: the Xceive silicon tuners, which keep no
// firmware of their own - every standard change resets the chip and
// downloads a base script and a standard script. The scripts are the chip
// maker's data and do not ship with the program: they are installed per
// model id (SetXceiveScripts); without them a standard change fails.
// Owned by the card filter; called from the UI and search threads.
#pragma once
#include "hw/tuners/TVTuner.h"

#include <cstddef>

// One script: big-endian 16-bit words - 0x0000 reset, 0x8000 + n wait n ms,
// 0xFFFF end, other n: an n-byte I2C message follows.
struct FirmwareScript
{
    const BYTE* data;
    size_t size;
};

struct XceiveScriptSet
{
    FirmwareScript baseA;
    FirmwareScript baseB;
    FirmwareScript p[5];  // standard scripts of the plain load (P1-P5)
    FirmwareScript q[4];  // standard scripts of the reset-style load (Q1-Q4)
};

// Process-wide scripts by model id (91, 90, 136, 137); NULL restores none.
// Install before the tuners are created.
void SetXceiveScripts(int modelId, const XceiveScriptSet* scripts);
const XceiveScriptSet* GetXceiveScripts(int modelId);

// How one member of the family loads, tunes and reads its lock.
struct XceiveVariant
{
    int modelId;
    enum Load { LOAD_BY_CARD_TYPE, LOAD_PLAIN, LOAD_RESET_STYLE } load;
    enum Tune { TUNE_BY_CARD_TYPE, TUNE_ADDRESSED_PULSE, TUNE_SIF } tune;
    enum Status { STATUS_BY_CARD_TYPE, STATUS_REGISTER, STATUS_I2C } status;
    enum Signal { SIGNAL_BY_CARD_TYPE, SIGNAL_REGISTER, SIGNAL_CARD } signal;
    DWORD resetLowMs;   // reset line held low
    DWORD pieceWaitMs;  // pause after each message piece
};

class CXCeive2028 : public CTVTuner
{
public:
    explicit CXCeive2028(CCustomDataAccess* access, const XceiveScriptSet* scripts = NULL);
    ~CXCeive2028() override { EndSearches(); }

    BOOL SetTVFrequency(float kHz) override;
    BOOL GetTVStatus(DWORD* status) override;
    BOOL SetStandard(DWORD standard) override;
    BOOL GetSignalLock(DWORD* locked) override;

    BOOL Init();
    BOOL HoldReset();
    BOOL ResetTuner();
    BOOL LoadFirmwareScript(const FirmwareScript& script);
    BOOL LoadFirmwareScriptNoAddress(const FirmwareScript& script);
    BOOL LoadStandardFirmware(DWORD standard);
    BOOL LoadStandardFirmwareReset(DWORD standard);
    BOOL GetRegisterLock(DWORD* locked);
    BOOL ReadLockRegister(DWORD* locked);
    BOOL GetI2CLock(DWORD* value);
    BOOL PulseGPIO();
    BOOL SetFrequencyNoAddress(float kHz);
    int GetCardType() const;
    BOOL IsCardType0Or13() const;
    BOOL IsCardType12Or14() const;
    BOOL ProbeTuner();

    // The 16-bit divider: the wanted frequency in 15.625 kHz steps.
    static WORD Divider(float kHz);
    // Whether kHz has a divider at all: 0 up to just below 1024000 kHz.
    static BOOL DividerFits(float kHz);

    // The longest piece of a message: its first byte and 63 data bytes.
    static const size_t kPieceData = 63;

protected:
    CXCeive2028(CCustomDataAccess* access, const XceiveVariant& variant,
                const XceiveScriptSet* scripts);

private:
    BOOL RunScript(const FirmwareScript& script, bool addressed);
    BOOL SendAddressed(const BYTE* body, LONG length);
    BOOL TuneAddressed(float kHz);
    BOOL TuneSif(float kHz);

    const XceiveVariant* m_pVariant;
    XceiveScriptSet m_scripts;
};

class CXCeive3028 : public CXCeive2028
{
public:
    explicit CXCeive3028(CCustomDataAccess* access, const XceiveScriptSet* scripts = NULL);
};

class CXCeive3028_AF : public CXCeive2028
{
public:
    explicit CXCeive3028_AF(CCustomDataAccess* access, const XceiveScriptSet* scripts = NULL);
};

class CXCeive3028_SIF : public CXCeive2028
{
public:
    explicit CXCeive3028_SIF(CCustomDataAccess* access, const XceiveScriptSet* scripts = NULL);
};
