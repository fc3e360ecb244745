// CFenmoCardFilter and CFenmorCardFilter: the maker's two USB TV boxes
// ("Fenmo Capture", "Gallow Capture"), one design that differs in its card
// type and in which models have a remote receiver; with their crossbars.
// The model letter at EEPROM byte 3 says whether the EEPROM names the
// tuner; any other box has the Xceive XC2028. Chips through CFenmoAccess.
// Owned by the graph's list; UI thread, ReadRemoteKey on the remote thread.
#pragma once
#include "cards/families/TunnelCardFilter.h"

// What sets the two boxes apart.
struct FenmoBoxModel
{
    int cardType;
    const char* remoteLetters;  // model letters of the boxes with a receiver
};

class CFenmoCardFilter : public CTunnelCardFilter
{
public:
    CFenmoCardFilter(CRootGraph* owner, const GUID* category, const char* friendlyName,
                     BOOL firstMatch);
    CFenmoCardFilter(CRootGraph* owner, const CLSID* clsid);
    // The remote thread reads keys through us: closed while we stand.
    ~CFenmoCardFilter() override { Close(); }

    HRESULT SelectAudioInput(int, BOOL) override { return S_OK; }
    // Only the models with a receiver read keys.
    BOOL ReadRemoteKey(BYTE* key) override;
    HRESULT OpenAccess() override;
    // The boxes answer no bus scan: every address from 0x40 up counts as
    // present, so the tuner keeps the addresses its module gives it.
    BOOL ProbeI2C(int address) override { return (address & 0xC0) != 0; }

    // Whether the model letter names a box whose EEPROM carries the tuner
    // maker and type ('F', 'I', 'C').
    static BOOL TunerInEeprom(char letter);
    // Whether the model letter is that of a box with a receiver ('F', 'I'),
    // and whether this box reads keys for its letter.
    BOOL HasRemote();
    BOOL RemoteEnabled(char letter) const;

    // Bridge registers 0x3A (bit 0 clear), 0x3C (bit 0 set), 0x80.
    BOOL IsRegister3ABitClear() { return ReadStatusBit(0x3A, TRUE); }
    BOOL IsRegister3CBitSet() { return ReadStatusBit3C(); }
    BOOL WriteRegister80(BYTE value) { return WriteControlRegister(value); }
    BOOL SetTVFrequencyF(float kHz) { return TuneTV(kHz); }
    // Loads the XC2028's firmware again; FALSE without one.
    BOOL ReinitXceiveTuner();
    // The capture (capturePin) or preview format with the record's fields
    // and the subtype of its code (0 RGB555, 1 RGB24, 2 YUY2, 3 YVU9, 4
    // YV12, any other UYVY).
    HRESULT SetCaptureFormat(VideoFormat record, BOOL capturePin);
    BOOL GetLargestUYVYSize(SIZE* size) { return GetLargestUyvySize(size); }

protected:
    BOOL OpenUnderLock() override;

    const FenmoBoxModel* m_pModel;  // static data
};

class CFenmorCardFilter : public CFenmoCardFilter
{
public:
    CFenmorCardFilter(CRootGraph* owner, const GUID* category, const char* friendlyName,
                      BOOL firstMatch);
    CFenmorCardFilter(CRootGraph* owner, const CLSID* clsid);
    ~CFenmorCardFilter() override { Close(); }
};

class CFenmoCrossbarFilter : public CTunnelCrossbarFilter
{
public:
    using CTunnelCrossbarFilter::CTunnelCrossbarFilter;
};

class CFenmorCrossbarFilter : public CTunnelCrossbarFilter
{
public:
    using CTunnelCrossbarFilter::CTunnelCrossbarFilter;
};
