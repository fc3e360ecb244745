// Wire format of the Raptor encoder cards' driver: its three property sets
// (graph/Guids.h), the I2C records, the chip register record and the
// registers behind the GPIO pins. Each buffer serves as instance data and
// as property data of its call. Shared by CRaptorAccess and the test fake.
#pragma once
#include <windows.h>

#include <cstddef>

// Ids of KSPROPSETID_RaptorI2C.
enum RaptorPropertyId : ULONG
{
    RAPTOR_I2C_START = 0,      // Set: the message goes out
    RAPTOR_I2C_FETCH = 1,      // Get: the bytes the message read
    RAPTOR_I2C_COMBINED = 2,   // Get: a write, then a read, in one call
    RAPTOR_BULK_READ = 3,
    RAPTOR_BULK_WRITE = 4,
    RAPTOR_REGISTER_READ = 5,
    RAPTOR_REGISTER_WRITE = 6,
    RAPTOR_STATUS_BLOCK = 7,
};
// The one property of each small set (KSPROPSETID_RaptorControl, _Status).
const ULONG RAPTOR_VALUE = 0;

// Mode byte of an I2C message.
const BYTE kRaptorModeEeprom = 1;   // device addresses with both bits of 0xA0
const BYTE kRaptorModeDevice = 2;   // every other device, and every write piece
const BYTE kRaptorModeSpecial = 3;  // the remote controller's two registers

// The card's remote controller: device 0xBA, read back at 0xBB; register
// 0xAA reads 1 while a key waits, 0xAB holds the key.
const BYTE kRaptorSpecialDevice = 0xBA;
const BYTE kRaptorSpecialRead = 0xBB;
const BYTE kRaptorKeyWaiting = 0xAA;
const BYTE kRaptorKeyCode = 0xAB;

const BYTE kRaptorRecordData = 16;   // data bytes of one I2C record
const BYTE kRaptorCombinedWrite = 8; // write bytes of a combined record
const DWORD kRaptorBulkBytes = 264;
const DWORD kRaptorStatusBytes = 32;

// GPIO through four chip registers: the pin values of bits 0-15 and
// 16-31, each in its register's low half with a write mask in its high
// half, and the two direction masks.
const DWORD kRaptorGpioLow = 0xC7008100;
const DWORD kRaptorGpioHigh = 0xC7008104;
const DWORD kRaptorGpioDirLow = 0xC7008108;
const DWORD kRaptorGpioDirHigh = 0xC700810C;

#pragma pack(push, 1)
struct RaptorI2CRecord
{
    BYTE mode;
    BYTE address;
    BYTE count;                    // data bytes
    BYTE data[kRaptorRecordData];  // a sub-address first, where the message has one
};

struct RaptorCombinedRecord
{
    BYTE mode;
    BYTE address;
    BYTE writeCount;
    BYTE writeData[kRaptorCombinedWrite];
    BYTE readCount;
    BYTE readData[kRaptorRecordData];
};

struct RaptorRegisterRecord
{
    DWORD address;
    DWORD value;
};
#pragma pack(pop)

static_assert(sizeof(RaptorI2CRecord) == 19, "Raptor I2C record");
static_assert(offsetof(RaptorI2CRecord, data) == 3, "Raptor I2C record data");
static_assert(sizeof(RaptorCombinedRecord) == 28, "Raptor combined record");
static_assert(offsetof(RaptorCombinedRecord, readCount) == 11 &&
                  offsetof(RaptorCombinedRecord, readData) == 12,
              "Raptor combined record offsets");
static_assert(sizeof(RaptorRegisterRecord) == 8, "Raptor register record");
