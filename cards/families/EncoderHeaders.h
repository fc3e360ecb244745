// The stream headers of an encoder configuration: the driver's private
// header and the MPEG-1, MPEG-2 and MPEG-4 sequence headers a decoder
// needs before the first picture. Each builder fills a static buffer of its
// own and hands its address out: one caller at a time, the buffer valid
// until the same builder runs again.
#pragma once
#include "cards/families/EncoderProfiles.h"

const int kPrivateHeaderBytes = 24;
const int kMpeg1SequenceHeaderBytes = 12;
const int kMpeg2SequenceHeaderBytes = 22;
const int kMpeg4VolHeaderBytes = 18;

// Each returns its header's length and sets *out to the bytes.
int BuildPrivateHeader(const EncoderConfig* config, BYTE** out);
int BuildMpeg1SequenceHeader(const EncoderConfig* config, BYTE** out);
int BuildMpeg2SequenceHeader(const EncoderConfig* config, BYTE** out);
int BuildMpeg4VolHeader(const EncoderConfig* config, BYTE** out);

// The MPEG-4 visual object and video object layer header into `bytes`.
void FillMpeg4VolHeader(const EncoderConfig& config, BYTE (&bytes)[kMpeg4VolHeaderBytes]);
