// Wire format of the USB encoder boxes' driver: the ids of its encoder
// property set (KSPROPSETID_EncoderBox, graph/Guids.h), the tunnelled I2C
// request and its transfer modes, the encoder settings record with its
// bitrate and pre-filter blocks, the firmware image record of the upload
// set, and the interface of the second filter that keeps the storage
// capacity. Shared by the box access classes and the test fake.
#pragma once
#include <windows.h>

#include <cstddef>

#include "graph/wrappers/CodecSlots.h"

// Properties of the encoder set. A byte setting travels as a u32.
enum EncoderBoxProperty : ULONG
{
    ENCBOX_STREAM_OUTPUT_MODE = 0,
    ENCBOX_BITRATE = 1,           // EncoderBoxBitrate
    ENCBOX_VIDEO_IN_MODE = 2,
    ENCBOX_VIDEO_RESOLUTION = 3,
    ENCBOX_TV_ENCODE_FORMAT = 4,
    ENCBOX_AUDIO_DATA_RATE = 5,   // one byte
    ENCBOX_PROP6 = 6,             // two u32
    ENCBOX_CLOSED_GOP = 7,
    ENCBOX_AUDIO_SAMPLING_RATE = 11,
    ENCBOX_AUDIO_OUTPUT_MODE = 12,
    ENCBOX_CRC_STATE = 13,
    ENCBOX_I2C = 20,              // EncoderBoxI2C instance, u32 data
    ENCBOX_AUDIO_PATH_ON = 22,    // EncoderBoxIndexedValue
    ENCBOX_AUDIO_PATH_OFF = 24,   // EncoderBoxIndexedValue
    ENCBOX_TUNER_RESET = 25,      // one byte: 1 released, 0 held (Estrel box)
    ENCBOX_VERSION = 27,          // kEncoderBoxVersionBytes of text
    ENCBOX_PRE_FILTER = 42,       // EncoderPreFilterInfo
    ENCBOX_INVERSE_TELECINE = 50,
    ENCBOX_TRANSPORT_OUTPUT_MODE = 54,
    ENCBOX_TV_DECODE_FORMAT = 60,
    ENCBOX_COMMIT = 62,           // eight zero bytes after a set of changes
    ENCBOX_ZERO_BYTE_63 = 63,
    ENCBOX_ZERO_BYTE_64 = 64,
};
// Property of the upload set (KSPROPSETID_EncoderBoxUpload).
const ULONG ENCBOX_UPLOAD_IMAGE = 5;

// Transfer modes of the tunnelled I2C; the driver reads them, the values
// are binding. Devices are 7-bit addresses.
enum EncoderBoxI2CMode : BYTE
{
    ENCBOX_I2C_DECODER = 0,       // Get/Set one byte with a sub-address on the decoder (0x21)
    ENCBOX_I2C_READ_REG = 1,      // Get one byte with a sub-address
    ENCBOX_I2C_WRITE_REG = 2,     // Set one byte with a sub-address
    ENCBOX_I2C_READ_OTHER = 3,    // Get one byte with a sub-address (devices but the decoder)
    ENCBOX_I2C_WORD = 8,          // Set a 16-bit value after a one-byte sub-address
    ENCBOX_I2C_TWO_WORDS = 10,    // Set a 16-bit sub-address and a 16-bit value
    ENCBOX_I2C_DIVIDER_AUX = 18,  // Set a 16-bit divider and three control bytes
    ENCBOX_I2C_CURRENT = 0x21,    // Get one byte without a sub-address
    ENCBOX_I2C_STATUS = 0x38,     // Get a status byte, answered in bits 16-23 (Estrel box)
};

const BYTE kEncoderBoxDecoder = 0x21;  // the video decoder (device byte 0x40/0x41)

const DWORD kEncoderBoxVersionBytes = 20;
const DWORD kEncoderBoxImageBytes = 0x40000;  // 262144
const int kEncoderBoxPreFilterFields = 27;

#pragma pack(push, 1)
// Instance data of the I2C property; the data is one u32 value.
struct EncoderBoxI2C
{
    DWORD address;     // 7-bit: the 8-bit device byte shifted right by one
    BYTE mode;         // EncoderBoxI2CMode
    DWORD subAddress;
};

struct EncoderBoxBitrate
{
    DWORD encodingMode;
    WORD videoBitrate;
    DWORD variance;
    DWORD muxRate;     // from here on absent on the old bitrate interface
    DWORD vbrPadding;
};

// Properties 22 and 24, sent as instance and data alike.
struct EncoderBoxIndexedValue
{
    BYTE index;
    DWORD value;
};

struct EncoderBoxImage
{
    BYTE image[kEncoderBoxImageBytes];
    DWORD imageKind;       // 2
    BYTE target;           // 6
    BYTE unused[3];
    DWORD sections;        // 1
};
#pragma pack(pop)

static_assert(sizeof(EncoderBoxI2C) == 9, "encoder box I2C instance");
static_assert(offsetof(EncoderBoxI2C, mode) == 4 && offsetof(EncoderBoxI2C, subAddress) == 5,
              "encoder box I2C instance offsets");
static_assert(sizeof(EncoderBoxBitrate) == 18, "bitrate block");
static_assert(offsetof(EncoderBoxBitrate, variance) == 6 && offsetof(EncoderBoxBitrate, muxRate) == 10,
              "bitrate block offsets");
const DWORD kOldBitrateBytes = offsetof(EncoderBoxBitrate, muxRate);
static_assert(sizeof(EncoderBoxIndexedValue) == 5, "indexed value");
static_assert(sizeof(EncoderBoxImage) == 0x4000C, "image record");

// The encoder's pre-filter block (property 42), 27 u32 in this order.
struct EncoderPreFilterInfo
{
    DWORD dwDisableFilter;
    DWORD dwMedianFilter;
    DWORD dwMedianCoringLumaHi;
    DWORD dwMedianCoringLumaLo;
    DWORD dwMedianCoringChromaHi;
    DWORD dwMedianCoringChromaLo;
    DWORD dwLumaSpatialFlt;
    DWORD dwChromaSpatialFlt;
    DWORD dwDNRMode;
    DWORD dwDNRSpatialFltLevel;
    DWORD dwDNRTemporalFltLevel;
    DWORD dwDNRSmoothFactor;
    DWORD dwDNR_Ntlf_Max_Y;
    DWORD dwDNR_Ntlf_Max_UV;
    DWORD dwDNRTemporalMultFactor;
    DWORD dwDNRTemporalAddFactor;
    DWORD dwDNRSpatialMultFactor;
    DWORD dwDNRSpatialSubFactor;
    DWORD dwLumaNLTFLevel;
    DWORD dwLumaNLTFCoEffIndex;
    DWORD dwLumaNLTFCoEffValue;
    DWORD dwVIMZoneWidth;
    DWORD dwVIMZoneHeight;
    DWORD dwReserved1;
    DWORD dwReserved2;
    DWORD dwReserved3;
    DWORD dwReserved4;
};
static_assert(sizeof(EncoderPreFilterInfo) == kEncoderBoxPreFilterFields * 4, "pre-filter block");

// The encoder's settings as the program keeps them (not a wire record):
// field names as in the settings dump.
struct EncoderBoxSettings
{
    BYTE bStreamOutputMode;
    BYTE bVideoResolution;
    BYTE bEncodingMode;
    WORD wVideoBitrate;
    DWORD bVariance;
    DWORD dwMuxRate;
    DWORD dwVBRPadding;
    WORD wProp6Value1, wProp6Value2;
    BYTE bMPEGAudLayer;
    BYTE bAudioSamplingRate;
    BYTE bAudioDataRate;
    BYTE bAudioOutputMode;
    BYTE bCRCState;
    BYTE bGOPStructure;
    BYTE bAudioEncodingMode;
    DWORD bClosedGOP;
    DWORD dwStorageCap;
    EncoderPreFilterInfo PreFilterInfo;
    BYTE bVideoInMode;
    BYTE bTVEncodeFormat;
    BYTE bTVDecodeFormat;
    INT nSharpness, nBrightness, nContrast, nSaturation, nHue;
    DWORD bInverseTel;
    BYTE bTransportOutputMode;
    DWORD reserved;
};

// The interface of the box's second filter that keeps the storage
// capacity (IID_IEncoderStorage); only these two of its methods are used.
#define ENCODER_STORAGE_SLOTS(SLOT)                                          \
    SLOT(3, Reserved3, (), ())                                               \
    SLOT(4, Reserved4, (), ())                                               \
    SLOT(5, GetStorageCap, (DWORD * capacity), (capacity))                   \
    SLOT(6, SetStorageCap, (DWORD capacity), (capacity))
CODEC_INTERFACE(IEncoderStorage, ENCODER_STORAGE_SLOTS)
