// CMCEncoderFilter: the outside MPEG encoder that encodes video and audio,
// multiplexes them and writes the file itself. The record road fills an
// MCEncoderSettings from the preset of its record format and standard, then
// calls ApplySettings, SetOption97(1), SetOption96(0) and
// SetConfigValue10(0) before the graph runs; the time-shift road reads the
// audio and video blocks back to size its buffer. Owned by the graph's list;
// the graph's thread.
#pragma once
#include "graph/RootFilter.h"
#include "graph/wrappers/MCSettingsOps.h"

// What a preset fills and ApplySettings reads.
struct MCEncoderSettings
{
    LONG videoType;      // an MCVideoType
    LONG pal;            // nonzero: 288/576 lines; 0: 240/480 (NTSC)
    LONG mpeg2;          // 1 for MPEG-2, SVCD and DVD; carried, not read
    LONG mode;           // its low four bits go to the video block's mode bits
    double bitRate;      // bit/s
    double maxBitRate;   // bit/s
    LONG width;          // pixels
    LONG height;         // lines
    LONG audioBitRateIndex;  // MPEG-1 Layer II index (11 = 224 kbit/s)
    LONG groupCode;      // carried, not read
};
static_assert(sizeof(MCEncoderSettings) == 48, "MCEncoderSettings layout");
static_assert(offsetof(MCEncoderSettings, bitRate) == 16, "MCEncoderSettings layout");
static_assert(offsetof(MCEncoderSettings, width) == 32, "MCEncoderSettings layout");
static_assert(offsetof(MCEncoderSettings, groupCode) == 44, "MCEncoderSettings layout");

class CMCEncoderFilter : public CRootFilter,
                         public CMCAudioOps,
                         public CMCMuxOps,
                         public CMCFileOps,
                         public CMCVideoOps
{
public:
    using CRootFilter::CRootFilter;

    // Requires all six interfaces: audio settings, audio parameters,
    // multiplexer settings, file sink, video settings, video parameters.
    BOOL Init() override;

    // Presets: FALSE for a NULL record, else the record filled for the
    // record format, pal stored as passed, TRUE.
    static BOOL FillMPEG1Settings(MCEncoderSettings* settings, BOOL pal);
    static BOOL FillVCDSettings(MCEncoderSettings* settings, BOOL pal);
    static BOOL FillMPEG2Settings(MCEncoderSettings* settings, BOOL pal);
    static BOOL FillSVCDSettings(MCEncoderSettings* settings, BOOL pal);
    static BOOL FillDVDSettings(MCEncoderSettings* settings, BOOL pal);
    static BOOL FillHIDVDSettings(MCEncoderSettings* settings, BOOL pal);

    // Loads the encoder's defaults for the record's MPEG type and sends them
    // with the record's rates, size and mode; stops at the first failure,
    // leaving what was sent in force.
    BOOL ApplySettings(const MCEncoderSettings* settings);

    BOOL SetOption97(LONG value);
    BOOL SetOption96(LONG value);
    BOOL GetOption97(LONG* value);
    BOOL GetOption96(LONG* value);
    BOOL SetAudioOption1(LONG value);
    BOOL SetAudioOption96(LONG value);
    BOOL GetAudioOption96(LONG* value);
    BOOL SetConfigValue10(LONG value);
    BOOL SetVideoParam(LONG id, LONG value);

private:
    void ReleaseInterfaces();
};
