// Wire format of the three property sets of the Hesk cards' BDA driver:
// I2C transfers, chip registers and the remote-control byte. Shared by
// CHeskAccess, the test fake and the virtual card's BDA personality.
// The driver reads and writes the caller's bytes through the pointers of
// the I2C record during the call, so the record is only valid in-process.
#pragma once
#include <windows.h>

#include <cstddef>

// {FBB1C466-BE03-470F-9A8F-A2AA0FA2C0EE}
static const GUID KSPROPSETID_HeskI2C = {
    0xFBB1C466, 0xBE03, 0x470F, {0x9A, 0x8F, 0xA2, 0xAA, 0x0F, 0xA2, 0xC0, 0xEE}};
// {AE36141A-6F0A-42CE-9DF3-03997E538585}
static const GUID KSPROPSETID_HeskRegister = {
    0xAE36141A, 0x6F0A, 0x42CE, {0x9D, 0xF3, 0x03, 0x99, 0x7E, 0x53, 0x85, 0x85}};
// {2182EC3B-5DA5-424F-A7B9-3FCE341BAE14}
static const GUID KSPROPSETID_HeskRemote = {
    0x2182EC3B, 0x5DA5, 0x424F, {0xA7, 0xB9, 0x3F, 0xCE, 0x34, 0x1B, 0xAE, 0x14}};

const DWORD HESK_I2C_TRANSFER = 0;   // Get: read, Set: write
const DWORD HESK_REGISTER = 0;       // Get: read, Set: write
const DWORD HESK_REMOTE_CODE = 16;   // Get only

// The most bytes one block transfer carries (the driver's transfer buffer).
const LONG kHeskBlockBytes = 256;
// The remote byte reads 255 while no key is waiting.
const BYTE kHeskNoRemoteCode = 0xFF;
const ULONG kHeskRemoteDataBytes = 3;

// Instance data of an I2C transfer: the driver first sends `sendCount`
// bytes from `send` to `address`, then reads `receiveCount` bytes into
// `receive`. Address 0xFF means the address travels as the first byte sent.
// On the 32-bit driver the fields are six 32-bit words; a 64-bit process
// carries its pointers at full width in the same order.
struct HeskI2CTransfer
{
    DWORD address;
    const BYTE* send;
    DWORD sendCount;
    BYTE* receive;
    DWORD receiveCount;
    DWORD reserved;
};

// Property data of an I2C transfer: for a Set the further bytes to write;
// for a Get room the driver fills with nothing the program reads.
struct HeskI2CData
{
    const BYTE* bytes;
    DWORD count;
};

const BYTE kHeskAddressInData = 0xFF;

struct HeskRegisterInstance
{
    DWORD address;
    DWORD reserved;
};

struct HeskRegisterData
{
    DWORD value;
};

#if !defined(_WIN64)
static_assert(sizeof(HeskI2CTransfer) == 24, "Hesk I2C record: six 32-bit fields");
static_assert(offsetof(HeskI2CTransfer, send) == 4 && offsetof(HeskI2CTransfer, sendCount) == 8 &&
                  offsetof(HeskI2CTransfer, receive) == 12 &&
                  offsetof(HeskI2CTransfer, receiveCount) == 16,
              "Hesk I2C record offsets");
static_assert(sizeof(HeskI2CData) == 8, "Hesk I2C data: pointer and count");
#endif
static_assert(sizeof(HeskRegisterInstance) == 8, "Hesk register instance");
static_assert(sizeof(HeskRegisterData) == 4, "Hesk register data");
