// Wire format of the maker's common kernel-streaming property set, shared
// by every access class that speaks it, by the test fake and by the
// virtual-card filter. One buffer per call: bytes 0-23 are the room of the
// KSPROPERTY header (left unset by the caller), the payload starts at 24.
// The payload part (buffer + 24, data length - 24 bytes) travels as the
// instance data, the whole buffer as the property data, so the driver sees
// its header followed by the payload and replies in the same layout.
#pragma once
#include <windows.h>

#include <cstddef>

// Results and support flags of IKsPropertySet that mingw's headers lack
// (values of the documented interface).
#ifndef E_PROP_ID_UNSUPPORTED
#define E_PROP_ID_UNSUPPORTED HRESULT_FROM_WIN32(ERROR_NOT_FOUND)
#endif
#ifndef E_PROP_SET_UNSUPPORTED
#define E_PROP_SET_UNSUPPORTED HRESULT_FROM_WIN32(ERROR_SET_NOT_FOUND)
#endif
#ifndef KSPROPERTY_SUPPORT_GET
#define KSPROPERTY_SUPPORT_GET 1
#define KSPROPERTY_SUPPORT_SET 2
#endif

// {FC8FACFF-0293-4CE3-8594-4F638CCD6BB0}
static const GUID KSPROPSETID_CommonCard = {
    0xFC8FACFF, 0x0293, 0x4CE3, {0x85, 0x94, 0x4F, 0x63, 0x8C, 0xCD, 0x6B, 0xB0}};

enum CommonCardProperty : ULONG
{
    COMMONCARD_BOARD_ID = 0,   // Get: u16 at 24, u16 at 26
    COMMONCARD_CONTROL1 = 1,   // Set: u8 at 24
    COMMONCARD_I2C_BYTE = 2,   // Get/Set: address, sub-address, value
    COMMONCARD_CONTROL3 = 3,   // Set: u8 at 24
    COMMONCARD_GPIO = 4,       // Get/Set: mask, value
    COMMONCARD_REGISTER = 5,   // Get/Set: register address, value
    COMMONCARD_I2C_BLOCK = 6,  // Get/Set: message (address byte first), length
    COMMONCARD_CONTROL7 = 7,   // Set: u32 at 24
    COMMONCARD_CONTROL8 = 8,
    COMMONCARD_CONTROL9 = 9,   // Set: no payload
    COMMONCARD_CONTROL10 = 10,
    COMMONCARD_PROPERTY_COUNT = 11
};

const ULONG kCommonCardHeaderRoom = 24;  // sizeof(KSPROPERTY)
const int kCommonCardBlockBytes = 256;   // I2C block payload

#pragma pack(push, 1)
// Ids 0, 1, 3, 4, 5, 7, 8, 10. Id 0 reads first/second as two u16 halves of
// `first`; ids 1 and 3 use its low byte.
struct CommonCardWords
{
    BYTE header[24];
    DWORD first;   // board id / control value / GPIO mask / register address
    DWORD second;  // GPIO value / register value
    BYTE reserved[16];
};
struct CommonCardI2CByte
{
    BYTE header[24];
    BYTE address;
    BYTE reserved1[3];
    LONG subAddress;
    BYTE value;
    BYTE reserved2[23];
};
struct CommonCardI2CBlock
{
    BYTE header[24];
    BYTE message[kCommonCardBlockBytes];
    LONG length;
    BYTE reserved[20];
};
struct CommonCardEmpty
{
    BYTE header[24];
    BYTE reserved[16];
};
#pragma pack(pop)

static_assert(sizeof(CommonCardWords) == 48, "common set word record");
static_assert(offsetof(CommonCardWords, first) == 24 && offsetof(CommonCardWords, second) == 28,
              "common set word offsets");
static_assert(sizeof(CommonCardI2CByte) == 56, "common set I2C byte record");
static_assert(offsetof(CommonCardI2CByte, subAddress) == 28 &&
                  offsetof(CommonCardI2CByte, value) == 32,
              "common set I2C byte offsets");
static_assert(sizeof(CommonCardI2CBlock) == 304, "common set I2C block record");
static_assert(offsetof(CommonCardI2CBlock, length) == 280, "common set I2C block length");
static_assert(sizeof(CommonCardEmpty) == 40, "common set empty record");

// Data length of each property's buffer (the instance length is 24 less).
inline ULONG CommonCardDataLength(ULONG id)
{
    switch (id) {
    case COMMONCARD_I2C_BYTE: return sizeof(CommonCardI2CByte);
    case COMMONCARD_I2C_BLOCK: return sizeof(CommonCardI2CBlock);
    case COMMONCARD_CONTROL9: return sizeof(CommonCardEmpty);
    default: return id < COMMONCARD_PROPERTY_COUNT ? sizeof(CommonCardWords) : 0;
    }
}
