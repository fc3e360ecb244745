// CWiseAccess: chip access of the WIS GO7007 USB encoder boxes through the
// private interface of their capture filter, whose methods read and write
// one register of an I2C device with an explicit sub-address width. The WIS
// card filter makes it, attaches it to its capture filter and owns it; the
// tuner shares it. UI, search and remote threads; each call holds m_lock.
#pragma once
#include "hw/access/CustomDataAccess.h"

#include "graph/wrappers/CodecSlots.h"

#include <stddef.h>

// The request record and value pair of the driver's request method (slot
// 15): the device, the sub-address's low byte, the sub-address width and
// the sub-address; the value and the flags. Layout fixed by the driver.
#pragma pack(push, 4)
struct WisePrivateRecord
{
    BYTE device;
    BYTE subLow;
    BYTE zero;
    BYTE unused;
    DWORD width;
    DWORD sub;
};
struct WiseValuePair
{
    DWORD value;
    DWORD flags;
};
#pragma pack(pop)
static_assert(sizeof(WisePrivateRecord) == 12, "request record");
static_assert(offsetof(WisePrivateRecord, width) == 4 && offsetof(WisePrivateRecord, sub) == 8,
              "request record fields");
static_assert(sizeof(WiseValuePair) == 8 && offsetof(WiseValuePair, flags) == 4, "value pair");

// The capture filter's private interface {6420803D-D8BA-43D2-BD4A-109BA16C2E32}.
// Only slots 7, 8, 9 and 15 are known; the others keep their places.
#define WISE_PRIVATE_SLOTS(SLOT)                                                              \
    SLOT(3, Reserved3, (), ())                                                                \
    SLOT(4, Reserved4, (), ())                                                                \
    SLOT(5, Reserved5, (), ())                                                                \
    SLOT(6, Reserved6, (), ())                                                                \
    SLOT(7, WriteRegister, (DWORD device, DWORD width, DWORD sub, DWORD value, DWORD flags),  \
         (device, width, sub, value, flags))                                                  \
    SLOT(8, ReadRegister, (DWORD device, DWORD width, DWORD sub, BYTE* value, DWORD flags),   \
         (device, width, sub, value, flags))                                                  \
    SLOT(9, WriteBlock,                                                                       \
         (DWORD device, DWORD width, DWORD sub, DWORD count, const BYTE* bytes, DWORD flags),  \
         (device, width, sub, count, bytes, flags))                                           \
    SLOT(10, Reserved10, (), ())                                                              \
    SLOT(11, Reserved11, (), ())                                                              \
    SLOT(12, Reserved12, (), ())                                                              \
    SLOT(13, Reserved13, (), ())                                                              \
    SLOT(14, Reserved14, (), ())                                                              \
    SLOT(15, Request,                                                                         \
         (DWORD kind, WisePrivateRecord* record, DWORD count, WiseValuePair* pair, DWORD size), \
         (kind, record, count, pair, size))
CODEC_INTERFACE(IWisePrivate, WISE_PRIVATE_SLOTS)

class CWiseAccess : public CCustomDataAccess
{
public:
    // Every request carries this flag word.
    static const DWORD kFlags = 0x8000;

    CWiseAccess();
    ~CWiseAccess() override;

    // 0 when the filter answers the private interface, else E_FAIL.
    HRESULT Attach(IUnknown* filter, DWORD reserved) override;
    HRESULT SetProperty1(BYTE) override { return S_OK; }
    // Sub-addresses 0-0xFFFF; those above 0xFF travel 16 bits wide.
    HRESULT ReadI2CByte(BYTE address, LONG subAddress, BYTE* value) override;
    HRESULT WriteI2CByte(BYTE address, LONG subAddress, BYTE value) override;
    // One byte from sub-address 0 of the device in buffer[0], into
    // buffer[0]. The driver reads one byte a request, so a longer read is
    // refused (E_NOTIMPL) rather than half done.
    HRESULT ReadI2CBlock(BYTE* buffer, LONG length) override;
    // buffer[0] the device, the length - 1 bytes after it its data.
    HRESULT WriteI2CBlock(BYTE* buffer, LONG length) override;
    HRESULT SetProperty3(BYTE) override { return S_OK; }
    // The box has no GPIO lines to serve: reads give 0.
    HRESULT ReadGPIO(DWORD* value) override;
    HRESULT WriteGPIO(DWORD, DWORD) override { return S_OK; }

    // The register read as the driver takes it: every argument passed on.
    virtual HRESULT PrivateRead(DWORD device, DWORD width, DWORD sub, BYTE* value, DWORD flags);
    // The register write through the driver's request method.
    virtual HRESULT PrivateWrite(DWORD device, DWORD width, DWORD sub, DWORD value, DWORD flags);

private:
    IWisePrivate* m_pPrivate;  // one reference; NULL until attached
};
