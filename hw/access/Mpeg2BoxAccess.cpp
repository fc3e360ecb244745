#include "hw/access/Mpeg2BoxAccess.h"

#include "graph/ComPtr.h"
#include "graph/Clock.h"
#include "graph/Guids.h"
#include "hw/access/EncoderBoxProperty.h"

#include <strmif.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

using encoder_box::Outcome;
using encoder_box::PropertySet;

namespace {

// --- settings record <-> properties -------------------------------------

// A setting carried by one property: a byte or u32 field that travels as a
// u32 (or, for the audio data rate, one byte).
struct SettingRow
{
    ULONG id;
    size_t offset;
    BYTE fieldBytes;
    BYTE wireBytes;
    DWORD readDefault;  // kept when the box does not offer the property
};
#define SETTING(id, field, wire, fallback) \
    {id, offsetof(EncoderBoxSettings, field), sizeof(EncoderBoxSettings::field), wire, fallback}
const SettingRow kSettingRows[] = {
    SETTING(ENCBOX_STREAM_OUTPUT_MODE, bStreamOutputMode, 4, 10),
    SETTING(ENCBOX_VIDEO_RESOLUTION, bVideoResolution, 4, 0),
    SETTING(ENCBOX_AUDIO_SAMPLING_RATE, bAudioSamplingRate, 4, 1),
    SETTING(ENCBOX_AUDIO_DATA_RATE, bAudioDataRate, 1, 0),
    SETTING(ENCBOX_AUDIO_OUTPUT_MODE, bAudioOutputMode, 4, 0),
    SETTING(ENCBOX_CRC_STATE, bCRCState, 4, 0),
    SETTING(ENCBOX_CLOSED_GOP, bClosedGOP, 4, 1),
    SETTING(ENCBOX_VIDEO_IN_MODE, bVideoInMode, 4, 0),
    SETTING(ENCBOX_TV_ENCODE_FORMAT, bTVEncodeFormat, 4, 1),
    SETTING(ENCBOX_TV_DECODE_FORMAT, bTVDecodeFormat, 4, 1),
    SETTING(ENCBOX_INVERSE_TELECINE, bInverseTel, 4, 1),
    SETTING(ENCBOX_TRANSPORT_OUTPUT_MODE, bTransportOutputMode, 4, 0),
};
#undef SETTING

const SettingRow* FindSetting(ULONG id)
{
    for (const SettingRow& row : kSettingRows) {
        if (row.id == id)
            return &row;
    }
    return NULL;
}

DWORD FieldValue(const EncoderBoxSettings& settings, const SettingRow& row)
{
    const BYTE* field = reinterpret_cast<const BYTE*>(&settings) + row.offset;
    DWORD value = 0;
    memcpy(&value, field, row.fieldBytes);
    return value;
}

void StoreField(EncoderBoxSettings* settings, const SettingRow& row, DWORD value)
{
    // Byte fields keep the low byte of what the box answered.
    memcpy(reinterpret_cast<BYTE*>(settings) + row.offset, &value, row.fieldBytes);
}

// The orders in which the box is read and written.
const ULONG kReadOrder[] = {ENCBOX_VIDEO_IN_MODE, ENCBOX_TV_ENCODE_FORMAT, ENCBOX_TV_DECODE_FORMAT,
                            ENCBOX_INVERSE_TELECINE, ENCBOX_STREAM_OUTPUT_MODE,
                            ENCBOX_TRANSPORT_OUTPUT_MODE, ENCBOX_VIDEO_RESOLUTION,
                            ENCBOX_AUDIO_SAMPLING_RATE, ENCBOX_AUDIO_OUTPUT_MODE,
                            ENCBOX_AUDIO_DATA_RATE, ENCBOX_CRC_STATE, ENCBOX_CLOSED_GOP, ENCBOX_PROP6,
                            ENCBOX_BITRATE};
const ULONG kApplyOrder[] = {ENCBOX_STREAM_OUTPUT_MODE, ENCBOX_VIDEO_RESOLUTION, ENCBOX_PROP6,
                             ENCBOX_AUDIO_SAMPLING_RATE, ENCBOX_AUDIO_OUTPUT_MODE,
                             ENCBOX_AUDIO_DATA_RATE, ENCBOX_CRC_STATE, ENCBOX_CLOSED_GOP,
                             ENCBOX_BITRATE, ENCBOX_COMMIT};
const ULONG kApplyAllOrder[] = {ENCBOX_STREAM_OUTPUT_MODE, ENCBOX_VIDEO_RESOLUTION,
                                ENCBOX_TRANSPORT_OUTPUT_MODE, ENCBOX_PROP6,
                                ENCBOX_AUDIO_SAMPLING_RATE, ENCBOX_AUDIO_OUTPUT_MODE,
                                ENCBOX_AUDIO_DATA_RATE, ENCBOX_CRC_STATE, ENCBOX_CLOSED_GOP,
                                ENCBOX_BITRATE, ENCBOX_INVERSE_TELECINE, ENCBOX_COMMIT};

DWORD BitrateBytes(BOOL oldInterface)
{
    return oldInterface ? kOldBitrateBytes : sizeof(EncoderBoxBitrate);
}

// Reads one setting into `settings` (a copy the caller stores at the end);
// a property the box does not offer, or does not answer, keeps the default.
void ReadSetting(PropertySet& box, ULONG id, BOOL oldInterface, EncoderBoxSettings* settings)
{
    if (id == ENCBOX_PROP6) {
        DWORD pair[2] = {0, 0};
        if (box.GetInPlace(id, pair, sizeof(pair)) == Outcome::kDone) {
            settings->wProp6Value1 = static_cast<WORD>(pair[0]);
            settings->wProp6Value2 = static_cast<WORD>(pair[1]);
        }
        return;
    }
    if (id == ENCBOX_BITRATE) {
        EncoderBoxBitrate block = {};
        if (box.GetInPlace(id, &block, BitrateBytes(oldInterface)) == Outcome::kDone) {
            settings->bEncodingMode = static_cast<BYTE>(block.encodingMode);
            settings->wVideoBitrate = block.videoBitrate;
            settings->bVariance = block.variance;
            settings->dwMuxRate = block.muxRate;
            settings->dwVBRPadding = block.vbrPadding;
        }
        return;
    }
    const SettingRow* row = FindSetting(id);
    DWORD value = 0;
    if (box.GetInPlace(id, &value, row->wireBytes) != Outcome::kDone)
        value = row->readDefault;
    StoreField(settings, *row, value);
}

Outcome SendSetting(PropertySet& box, ULONG id, BOOL oldInterface, const EncoderBoxSettings& settings)
{
    if (id == ENCBOX_PROP6) {
        DWORD pair[2] = {settings.wProp6Value1, settings.wProp6Value2};
        return box.SetInPlace(id, pair, sizeof(pair));
    }
    if (id == ENCBOX_BITRATE) {
        EncoderBoxBitrate block = {settings.bEncodingMode, settings.wVideoBitrate, settings.bVariance,
                                   settings.dwMuxRate, settings.dwVBRPadding};
        return box.SetInPlace(id, &block, BitrateBytes(oldInterface));
    }
    if (id == ENCBOX_COMMIT) {
        BYTE zeros[8] = {};
        return box.SetInPlace(id, zeros, sizeof(zeros));
    }
    const SettingRow* row = FindSetting(id);
    DWORD value = FieldValue(settings, *row);
    return box.SetInPlace(id, &value, row->wireBytes);
}

template <size_t N>
BOOL SendSettings(PropertySet& box, const ULONG (&order)[N], BOOL oldInterface,
                  const EncoderBoxSettings& settings)
{
    // What the box does not offer is skipped; a setting it offers but
    // refused makes the whole apply a failure, after the rest went out.
    BOOL all = TRUE;
    for (ULONG id : order) {
        if (SendSetting(box, id, oldInterface, settings) == Outcome::kFailed)
            all = FALSE;
    }
    return all;
}

// --- pre-filter block ------------------------------------------------------

struct PreFilterRow
{
    const char* name;
    DWORD EncoderPreFilterInfo::*field;
    DWORD defaultValue;
};
#define PREFILTER(field, value) {#field, &EncoderPreFilterInfo::field, value}
const PreFilterRow kPreFilterRows[] = {
    PREFILTER(dwDisableFilter, 0),         PREFILTER(dwMedianFilter, 0),
    PREFILTER(dwMedianCoringLumaHi, 0),    PREFILTER(dwMedianCoringLumaLo, 255),
    PREFILTER(dwMedianCoringChromaHi, 0),  PREFILTER(dwMedianCoringChromaLo, 255),
    PREFILTER(dwLumaSpatialFlt, 3),        PREFILTER(dwChromaSpatialFlt, 1),
    PREFILTER(dwDNRMode, 0),               PREFILTER(dwDNRSpatialFltLevel, 0),
    PREFILTER(dwDNRTemporalFltLevel, 0),   PREFILTER(dwDNRSmoothFactor, 200),
    PREFILTER(dwDNR_Ntlf_Max_Y, 15),       PREFILTER(dwDNR_Ntlf_Max_UV, 15),
    PREFILTER(dwDNRTemporalMultFactor, 48), PREFILTER(dwDNRTemporalAddFactor, 4),
    PREFILTER(dwDNRSpatialMultFactor, 21), PREFILTER(dwDNRSpatialSubFactor, 2),
    PREFILTER(dwLumaNLTFLevel, 0),         PREFILTER(dwLumaNLTFCoEffIndex, 0),
    PREFILTER(dwLumaNLTFCoEffValue, 0),    PREFILTER(dwVIMZoneWidth, 16),
    PREFILTER(dwVIMZoneHeight, 2),         PREFILTER(dwReserved1, 0),
    PREFILTER(dwReserved2, 0),             PREFILTER(dwReserved3, 0),
    PREFILTER(dwReserved4, 0),
};
#undef PREFILTER
static_assert(sizeof(kPreFilterRows) / sizeof(kPreFilterRows[0]) == kEncoderBoxPreFilterFields,
              "one row per pre-filter field");

// --- settings dump -----------------------------------------------------------

const char* ModeName(BYTE mode)
{
    static const struct
    {
        BYTE mode;
        const char* name;
    } kNames[] = {{2, "MPEG1"}, {10, "DVD"}, {11, "VCD"}, {12, "SVCD"}};
    for (const auto& row : kNames) {
        if (row.mode == mode)
            return row.name;
    }
    return "other";
}

void AppendLine(std::string* text, const char* format, long long value)
{
    char line[128];
    snprintf(line, sizeof(line), format, static_cast<int>(value));
    *text += line;
}

std::string SettingsText(const EncoderBoxSettings& s)
{
    std::string text = std::string("Mode = ") + ModeName(s.bStreamOutputMode) + "\n";
    // The spacing around each equals sign is the dump's own, line by line.
    const struct
    {
        const char* format;
        long long value;
    } lines[] = {
        {"bVideoInMode = %d\n", s.bVideoInMode},
        {"bTVEncodeFormat = %d\n", s.bTVEncodeFormat},
        {"bTVDecodeFormat = %d\n", s.bTVDecodeFormat},
        {"dwStorageCap = %d\n", s.dwStorageCap},
        {"wVideoBitrate =%d\n", s.wVideoBitrate},
        {"bEncodingMode= %d\n", s.bEncodingMode},
        {"bVariance = %d\n", s.bVariance},
        {"dwMuxRate = %d\n", s.dwMuxRate},
        {"dwVBRPadding =%d\n", s.dwVBRPadding},
        {"bVideoResolution= %d\n", s.bVideoResolution},
        {"bStreamOutputMode= %d\n", s.bStreamOutputMode},
        {"bMPEGAudLayer =%d\n", s.bMPEGAudLayer},
        {"bAudioSamplingRate= %d\n", s.bAudioSamplingRate},
        {"bAudioDataRate =%d\n", s.bAudioDataRate},
        {"bAudioOutputMode= %d\n", s.bAudioOutputMode},
        {"bCRCState =%d\n", s.bCRCState},
        {"bGOPStructure= %d\n", s.bGOPStructure},
        {"bAudioEncodingMode =%d\n", s.bAudioEncodingMode},
        {"bClosedGOP= %d\n", s.bClosedGOP},
        {"bInverseTel =%d\n", s.bInverseTel},
        {"bTransportOutputMode= %d\n", s.bTransportOutputMode},
        {"nSharpness =%d\n", s.nSharpness},
        {"nBrightness= %d\n", s.nBrightness},
        {"nContrast =%d\n", s.nContrast},
        {"nSaturation= %d\n", s.nSaturation},
        {"nHue =%d\n", s.nHue},
    };
    for (const auto& line : lines)
        AppendLine(&text, line.format, line.value);
    for (const PreFilterRow& row : kPreFilterRows) {
        std::string format = std::string("PreFilterInfo.") + row.name + " = %d\n";
        AppendLine(&text, format.c_str(), s.PreFilterInfo.*row.field);
    }
    return text;
}

// Writes `text` through "<path>.tmp", replacing `path` only when all of it
// was written.
BOOL ReplaceFileWithText(const char* path, const std::string& text)
{
    std::string temporary = std::string(path) + ".tmp";
    FILE* file = fopen(temporary.c_str(), "w");  // text mode: the dump's lines end in CR LF
    if (!file)
        return FALSE;
    bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
    // Flushed and checked before the close, which does not report a failed
    // last write under every C runtime (Wine's answers 0 on a full disk).
    written = fflush(file) == 0 && written;
    written = fclose(file) == 0 && written;
    if (!written || !MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temporary.c_str());
        return FALSE;
    }
    return TRUE;
}

// --- firmware ------------------------------------------------------------------

const long long kFirstCheckedVersion = 200052;  // boxes at it start with a placeholder
const long long kStartingVersion = 1;           // what such a box reports meanwhile
const long long kGoodVersion = 204021;
const int kVersionTries = 80;
const DWORD kVersionPauseMs = 50;

// One number of the version text, as "%d" reads it (leading blanks, a
// sign); FALSE when there is none or it does not fit an int.
bool ReadNumber(const char** text, long long* number)
{
    char* end = NULL;
    errno = 0;
    long value = strtol(*text, &end, 10);
    if (end == *text || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return false;
    *number = value;
    *text = end;
    return true;
}

// The box's version text "a.b.c" (any one character between the numbers)
// as (a x 100 + b) x 1000 + c; FALSE when the box does not answer or the
// text is not a version.
BOOL ReadVersion(IUnknown* filter, long long* version)
{
    char reply[kEncoderBoxVersionBytes] = {};
    if (!CMpeg2BoxAccess::GetEncoderPropertyInPlace(filter, ENCBOX_VERSION, reply, sizeof(reply)))
        return FALSE;
    // The driver's text need not end inside its 20 bytes.
    char text[kEncoderBoxVersionBytes + 1] = {};
    memcpy(text, reply, sizeof(reply));
    const char* p = text;
    long long a = 0, b = 0, c = 0;
    if (!ReadNumber(&p, &a) || !*p++ || !ReadNumber(&p, &b) || !*p++ || !ReadNumber(&p, &c))
        return FALSE;
    *version = (a * 100 + b) * 1000 + c;
    return TRUE;
}

const DWORD kImageKind = 2;
const BYTE kImageTarget = 6;
const DWORD kImageSections = 1;

// The image file's bytes into `record`; FALSE unless the file holds
// exactly the image's size.
BOOL ReadImageFile(const char* path, EncoderBoxImage* record)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        return FALSE;
    size_t read = fread(record->image, 1, sizeof(record->image), file);
    bool exact = read == sizeof(record->image) && fgetc(file) == EOF && !ferror(file);
    fclose(file);
    return exact;
}

} // namespace

// --- one property ------------------------------------------------------------

BOOL CMpeg2BoxAccess::SetEncoderProperty(IUnknown* filter, ULONG id, void* instance,
                                         DWORD instanceLength, void* data, DWORD dataLength)
{
    PropertySet box(filter, KSPROPSETID_EncoderBox);
    return box.Call(id, false, instance, instanceLength, data, dataLength) == Outcome::kDone;
}

BOOL CMpeg2BoxAccess::GetEncoderProperty(IUnknown* filter, ULONG id, void* instance,
                                         DWORD instanceLength, void* data, DWORD dataLength)
{
    PropertySet box(filter, KSPROPSETID_EncoderBox);
    return box.Call(id, true, instance, instanceLength, data, dataLength) == Outcome::kDone;
}

BOOL CMpeg2BoxAccess::GetEncoderPropertyInPlace(IUnknown* filter, ULONG id, void* buffer, DWORD length)
{
    PropertySet box(filter, KSPROPSETID_EncoderBox);
    return box.GetInPlace(id, buffer, length) == Outcome::kDone;
}

BOOL CMpeg2BoxAccess::SetEncoderPropertyInPlace(IUnknown* filter, ULONG id, void* buffer, DWORD length)
{
    PropertySet box(filter, KSPROPSETID_EncoderBox);
    return box.SetInPlace(id, buffer, length) == Outcome::kDone;
}

BOOL CMpeg2BoxAccess::I2CTransfer(IUnknown* filter, DWORD address, BYTE mode, DWORD subAddress,
                                  DWORD* value)
{
    if (!value)
        return FALSE;
    EncoderBoxI2C request = {address, mode, subAddress};
    DWORD reply = 0;
    if (!GetEncoderProperty(filter, ENCBOX_I2C, &request, sizeof(request), &reply, sizeof(reply)))
        return FALSE;
    *value = reply;
    return TRUE;
}

BOOL CMpeg2BoxAccess::I2CWrite(IUnknown* filter, DWORD address, BYTE mode, DWORD subAddress, DWORD value)
{
    EncoderBoxI2C request = {address, mode, subAddress};
    return SetEncoderProperty(filter, ENCBOX_I2C, &request, sizeof(request), &value, sizeof(value));
}

// --- settings ------------------------------------------------------------------

BOOL CMpeg2BoxAccess::ReadSettingsNoPreFilter(EncoderBoxSettings* settings, IUnknown* filter,
                                              BOOL oldInterface)
{
    if (!settings)
        return FALSE;
    PropertySet box(filter, KSPROPSETID_EncoderBox);
    if (!box.Bound())
        return FALSE;
    EncoderBoxSettings read = *settings;
    for (ULONG id : kReadOrder)
        ReadSetting(box, id, oldInterface, &read);
    read.reserved = 0;
    *settings = read;
    return TRUE;
}

BOOL CMpeg2BoxAccess::ReadSettings(EncoderBoxSettings* settings, IUnknown* filter, IUnknown* storage,
                                   BOOL oldInterface)
{
    if (!ReadSettingsNoPreFilter(settings, filter, oldInterface))
        return FALSE;
    PropertySet box(filter, KSPROPSETID_EncoderBox);
    EncoderPreFilterInfo block = {};
    if (box.GetInPlace(ENCBOX_PRE_FILTER, &block, sizeof(block)) == Outcome::kDone)
        settings->PreFilterInfo = block;
    if (!storage) {
        settings->dwStorageCap = 2;  // the box's own when no second filter tells
        return TRUE;
    }
    ComPtr<IEncoderStorage> keeper;
    if (FAILED(keeper.QueryFrom(storage, IID_IEncoderStorage)) || !keeper)
        return FALSE;
    DWORD capacity = 0;
    if (SUCCEEDED(keeper->GetStorageCap(&capacity)))
        settings->dwStorageCap = capacity;
    return TRUE;
}

BOOL CMpeg2BoxAccess::ApplySettings(const EncoderBoxSettings* settings, IUnknown* filter, BOOL oldInterface)
{
    PropertySet box(filter, KSPROPSETID_EncoderBox);
    if (!settings || !box.Bound())
        return FALSE;
    return SendSettings(box, kApplyOrder, oldInterface, *settings);
}

BOOL CMpeg2BoxAccess::ApplyAllSettings(const EncoderBoxSettings* settings, IUnknown* filter,
                                       IUnknown* storage, BOOL oldInterface)
{
    PropertySet box(filter, KSPROPSETID_EncoderBox);
    if (!settings || !box.Bound())
        return FALSE;
    BOOL all = SendSettings(box, kApplyAllOrder, oldInterface, *settings);
    ComPtr<IEncoderStorage> keeper;
    if (storage && SUCCEEDED(keeper.QueryFrom(storage, IID_IEncoderStorage)) && keeper &&
        FAILED(keeper->SetStorageCap(settings->dwStorageCap)))
        all = FALSE;
    return all;
}

int CMpeg2BoxAccess::InitDefaultPreFilterInfo(EncoderPreFilterInfo* block)
{
    if (block) {
        for (const PreFilterRow& row : kPreFilterRows)
            block->*row.field = row.defaultValue;
    }
    return 2;
}

BOOL CMpeg2BoxAccess::GetPreFilterInfo(IUnknown* filter, EncoderPreFilterInfo* block)
{
    return block && GetEncoderPropertyInPlace(filter, ENCBOX_PRE_FILTER, block, sizeof(*block));
}

BOOL CMpeg2BoxAccess::SetPreFilterInfo(IUnknown* filter, EncoderPreFilterInfo* block)
{
    return block && SetEncoderPropertyInPlace(filter, ENCBOX_PRE_FILTER, block, sizeof(*block));
}

BOOL CMpeg2BoxAccess::DumpSettings(const EncoderBoxSettings* settings, const char* path)
{
    if (!settings || !path || !*path)
        return FALSE;
    return ReplaceFileWithText(path, SettingsText(*settings));
}

BOOL CMpeg2BoxAccess::GetTVEncodeFormat(IUnknown* filter, DWORD* format)
{
    DWORD value = 0;
    if (!format || !GetEncoderPropertyInPlace(filter, ENCBOX_TV_ENCODE_FORMAT, &value, sizeof(value)))
        return FALSE;
    *format = value;
    return TRUE;
}

BOOL CMpeg2BoxAccess::SetTVEncodeFormat(IUnknown* filter, DWORD format)
{
    return SetEncoderPropertyInPlace(filter, ENCBOX_TV_ENCODE_FORMAT, &format, sizeof(format));
}

BOOL CMpeg2BoxAccess::SendZeroByte63(IUnknown* filter)
{
    BYTE zero = 0;
    return SetEncoderPropertyInPlace(filter, ENCBOX_ZERO_BYTE_63, &zero, sizeof(zero));
}

BOOL CMpeg2BoxAccess::SendZeroByte64(IUnknown* filter)
{
    BYTE zero = 0;
    return SetEncoderPropertyInPlace(filter, ENCBOX_ZERO_BYTE_64, &zero, sizeof(zero));
}

// --- firmware and driver switch -------------------------------------------------

BOOL CMpeg2BoxAccess::UploadFile(IUnknown* filter, const char* path)
{
    if (!path)
        return FALSE;
    // A quarter megabyte: never on the stack.
    std::unique_ptr<EncoderBoxImage> record(new (std::nothrow) EncoderBoxImage());
    if (!record || !ReadImageFile(path, record.get()))
        return FALSE;
    record->imageKind = kImageKind;
    record->target = kImageTarget;
    record->sections = kImageSections;
    PropertySet upload(filter, KSPROPSETID_EncoderBoxUpload);
    return upload.SetInPlace(ENCBOX_UPLOAD_IMAGE, record.get(), sizeof(*record)) == Outcome::kDone;
}

BOOL CMpeg2BoxAccess::CheckFirmwareVersion(IUnknown* filter)
{
    long long version = 0;
    if (!ReadVersion(filter, &version) || version < kFirstCheckedVersion)
        return FALSE;
    if (version == kFirstCheckedVersion)
        return ParseVersion(filter, 0);
    return TRUE;
}

BOOL CMpeg2BoxAccess::ParseVersion(IUnknown* filter, DWORD)
{
    for (int attempt = 0; attempt < kVersionTries; attempt++) {
        zunk::Sleep(kVersionPauseMs);
        long long version = 0;
        if (!ReadVersion(filter, &version))
            return FALSE;
        if (version != kStartingVersion)
            return version >= kGoodVersion;
    }
    return FALSE;
}

const char* const CMpeg2BoxAccess::kDriverKey =
    "SYSTEM\\CurrentControlSet\\Services\\Conexant\\Parameters\\iVac15\\Driver";

BOOL CMpeg2BoxAccess::ReadOldBitrateInterface()
{
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kDriverKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return TRUE;
    DWORD type = 0, value = 0, size = sizeof(value);
    LONG status = RegQueryValueExA(key, "OldEncoderBitrateInterface", NULL, &type,
                                   reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value))
        return TRUE;
    return value != 0;
}
