// CWiseCaptureFilter: the USB encoder box built on the WIS GO7007SB chip,
// whose driver delivers compressed video on its "Video Capture" and "Video
// Preview" pins and sound on "Audio Capture". Besides the tuner, EEPROM and
// remote receiver it fetches the encoder's capability table from the
// driver, loads the user's encoder profiles ("video_profiles.txt", see
// ProfileParser.h) and applies a chosen profile to the pins' formats.
// CQorWisCardFilter is the registered box; CWiseCrossbar and
// CQorWisCrossbarFilter its input selector. Owned by the graph's list; UI
// thread, ReadRemoteKey on the remote thread.
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"
#include "cards/families/EncoderHeaders.h"
#include "cards/families/EncoderProfiles.h"
#include "graph/ComPtr.h"
#include "graph/wrappers/CodecSlots.h"
#include "platform/mfc/Array.h"

class CWiseAccess;

// The driver's encoder interface {55F1E004-76CD-412E-9413-68AF75304D73}:
// slot 3 fills the descriptor of the board in hand, slot 6 the capability
// table.
#define WISE_ENCODER_SLOTS(SLOT)                               \
    SLOT(3, GetBoardInfo, (EncoderBoard * board), (board))     \
    SLOT(4, Reserved4, (), ())                                 \
    SLOT(5, Reserved5, (), ())                                 \
    SLOT(6, GetCapabilities, (EncoderCaps * caps), (caps))
CODEC_INTERFACE(IWiseEncoder, WISE_ENCODER_SLOTS)

// The encoder's settings interface {E4557E5C-BB64-4186-905E-8FC119DBA5E2}:
// slot 3 takes the configuration records inside a format block; the word
// it hands back carries nothing we use.
#define WISE_ENCODER_SETTINGS_SLOTS(SLOT) \
    SLOT(3, SetConfig, (EncoderConfig * records, DWORD * result), (records, result))
CODEC_INTERFACE(IWiseEncoderSettings, WISE_ENCODER_SETTINGS_SLOTS)

// The audio pin's format, as the engine exchanges it.
struct EncoderAudioFormat
{
    DWORD formatTag;
    DWORD samplesPerSec;
    DWORD channels;
    DWORD bitsPerSample;
    WORD blockAlign;
    DWORD avgBytesPerSec;
    WORD reserved;  // GetAudioFormat sets it to 0
};
static_assert(sizeof(EncoderAudioFormat) == 28 && offsetof(EncoderAudioFormat, blockAlign) == 16 &&
                  offsetof(EncoderAudioFormat, avgBytesPerSec) == 20 &&
                  offsetof(EncoderAudioFormat, reserved) == 24,
              "audio format record");

class CWiseCaptureFilter : public CTVCardFilter
{
public:
    CWiseCaptureFilter(CRootGraph* owner, const GUID* category, const char* friendlyName, BOOL firstMatch);
    CWiseCaptureFilter(CRootGraph* owner, const CLSID* clsid);
    // The remote thread reads keys through us: closed while we stand.
    ~CWiseCaptureFilter() override;

    void SetDefaults() override;
    HRESULT OpenAccess() override;
    // The box has no audio switch.
    HRESULT SelectAudioInput(int, BOOL) override { return S_OK; }
    // The receiver at I2C 0xBB: register 48 reads 1 while a key waits,
    // register 49 holds it.
    BOOL ReadRemoteKey(BYTE* key) override;
    // Tuner type 72 (brand 'L') when the box's own cannot be made.
    BOOL CreateTunerFromType() override;
    // Brand letters other than the known ones read 'L'; type 0 or an
    // unreadable type reads 72.
    HRESULT ReadTunerInfoFromEeprom(int* brand, int* type) override;

    // Tunes, first setting the standard again when the tuner needs it.
    virtual BOOL TuneFrequency(float kHz);
    // A new access object attached to the capture filter; card type 18.
    virtual BOOL CreateAccess();

    // The driver's capability table into `caps` (its own list of
    // combinations dropped, the counts cut to the tables).
    BOOL GetEncoderCaps(EncoderCaps* caps);
    // The descriptor of the board in hand.
    BOOL GetBoardInfo(EncoderBoard* board);
    // The combination list for the board in hand; TRUE when not empty.
    BOOL BuildBoardCombinations();

    // Slots index the loaded profile set; each maps to its capability.
    BOOL IsStreamFrameRateAllowed(int stream, int frameRate);
    BOOL IsCombinationAllowed(int stream, int frameRate, int resolution);
    BOOL IsBitrateInRange(int stream, int frameRate, int resolution, int bitrate);
    // The bit-rate limits of the first profile resolution of that size
    // whose standard shares a bit with `standards`.
    BOOL GetBitrateRange(DWORD standards, DWORD width, DWORD height, DWORD* min, DWORD* max);
    // Finds the profile records for the arguments and sets the capture and
    // preview pins' formats to them.
    BOOL SelectEncoderProfile(DWORD standards, int stream, DWORD frameRate, DWORD width, DWORD height,
                              DWORD bitrate, BOOL highest, BOOL override, DWORD overridePeak,
                              BYTE overrideQuantiser);

    BOOL SetAudioFormat(const EncoderAudioFormat* format);
    BOOL GetAudioFormat(EncoderAudioFormat* format);
    // Names of the capability frame rates of exactly that standard.
    BOOL ListFrameRateNames(DWORD standard, CStringArray& names);
    // The MPEG-4 header, from a buffer of the class's own.
    static int BuildMpeg4VolHeader(const EncoderConfig* config, BYTE** out);
    // Register 0x1F of the video decoder at I2C 0x41: 1 when bit 5 is set,
    // else 32.
    BOOL ReadDecoderStatus(DWORD* out);

    const EncoderCaps& GetCaps() const { return m_caps; }
    const EncoderProfileSet& GetProfiles() const { return m_profiles; }

protected:
    BOOL OpenUnderLock() override;
    void OnInitLockFailed() override;
    // The EEPROM through the driver's own requests; the box needs 50 ms
    // after each read.
    HRESULT ReadEepromByte(BYTE sub, BYTE* value) override;
    HRESULT WriteEepromByte(BYTE sub, BYTE value) override;

private:
    void SetWiseDefaults();
    CWiseAccess* Access() const;
    // The last board record with the descriptor's name, or -1.
    int FindBoard(const EncoderBoard& board) const;
    BOOL ApplyConfigToPin(IAMStreamConfig* config, EncoderConfig* records);
    BOOL PinStreamConfig(const char* name, ComPtr<IAMStreamConfig>& config, BOOL* found);

    ComPtr<IWiseEncoder> m_pEncoder;
    EncoderCaps m_caps;
    EncoderProfileSet m_profiles;
};

class CQorWisCardFilter : public CWiseCaptureFilter
{
public:
    using CWiseCaptureFilter::CWiseCaptureFilter;
    ~CQorWisCardFilter() override { Close(); }
};

// Inputs: video tuner 0, composite 1, S-video 2; audio tuner 3, and 4 for
// both composite and S-video.
class CWiseCrossbar : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
    void SetPinMap() override;
};

class CQorWisCrossbarFilter : public CWiseCrossbar
{
public:
    using CWiseCrossbar::CWiseCrossbar;
};

// The box's creator records ("Fenwil A/V Capture", "Fenwil CrossBar"):
// start-up registers them once; tests take them out again.
void RegisterWiseFilters();
void UnregisterWiseFilters();
