// CEm2800Tuner: the tuner of the USB boxes on the Empia bridges. The box's
// card filter makes the module's own tuner object, copies its description
// in here (CopyModuleTable) and drops it. Eight module models behind the
// bridge tune, report status and switch standards their own way (fixed
// addresses, band limits and IFs, a SECAM L sixth byte, the IF
// demodulator at 0x86), each a row of one table; every other model behaves
// as the base tuner. Owned by the card filter; threads as CTVTuner.
#pragma once
#include "hw/tuners/TVTuner.h"

struct Em2800Model;

class CEm2800Tuner : public CTVTuner
{
public:
    // The box's video decoder, whose status register says "tuned".
    static const BYTE kDecoderAddress = 0x42;

    explicit CEm2800Tuner(CCustomDataAccess* access);
    ~CEm2800Tuner() override { EndSearches(); }

    BOOL SetFMFrequency(float kHz) override;
    BOOL IsTVTuned() override;
    BOOL SetTVFrequency(float kHz) override;
    BOOL GetTVStatus(DWORD* afc) override;
    BOOL SetStandard(DWORD standard) override;

    void CopyModuleTable(const CTVTuner& module);

    BYTE m_byDecoderAddr;
    int m_bTuneFlag;  // cleared by every IsTVTuned

private:
    // The row of m_nModelId, or NULL for a model the base serves.
    const Em2800Model* Model() const;
    BOOL WriteTuningMessage(const Em2800Model& model, float kHz);
    BOOL ReadPllStatus(const Em2800Model& model, DWORD* afc);
};
