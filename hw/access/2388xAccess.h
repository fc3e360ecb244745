// Chip access of the CX2388x cards. Their drivers answer a property set with
// the common set's request layout on the driver's tuner filter: board id,
// two control bytes, I2C bytes and blocks, and GPIO as {mask, value}; chip
// registers are not reachable. C2388xAccess serves the CX23881 cards and
// those with an on-card controller, C2388xBootAccess the boot-capable card,
// C23882Access (23882Access.h) the CX23882 encoder card. Owned by the card
// filter and shared with its tuner; any of the card's threads may call.
#pragma once
#include "hw/access/CommonPropertyClient.h"
#include "hw/access/CustomDataAccess.h"
#include "hw/access/NameMutex.h"

// The requests every CX2388x access class sends. Each request is checked
// (transport, pointers, lengths) before it is serialised by the subclass's
// lock (BeginRequest) and sent.
class C2388xRequestAccess : public CCustomDataAccess
{
public:
    // Pins every GPIO read asks for.
    static const DWORD kGpioReadMask = 0x0FFFFFFF;

    ~C2388xRequestAccess() override;

    // Releases a transport already held, then binds the filter's
    // IKsPropertySet (E_POINTER for no filter).
    HRESULT Attach(IUnknown* filter, DWORD reserved) override;
    HRESULT SetProperty1(BYTE value) override;
    HRESULT ReadI2CByte(BYTE address, LONG subAddress, BYTE* value) override;
    HRESULT WriteI2CByte(BYTE address, LONG subAddress, BYTE value) override;
    // buffer[0] is sent as given (the caller sets the read bit); lengths
    // beyond the 256 message bytes of the request are refused.
    HRESULT ReadI2CBlock(BYTE* buffer, LONG length) override;
    // Clears the read bit of buffer[0] in the caller's buffer.
    HRESULT WriteI2CBlock(BYTE* buffer, LONG length) override;
    HRESULT SetProperty3(BYTE value) override;
    HRESULT ReadGPIO(DWORD* value) override;
    // Drives the pins of mask to value and lets them settle 100 ms before
    // the next request may go.
    HRESULT WriteGPIO(DWORD value, DWORD mask) override;
    // The board's two id words, zero-extended; both left as they were when
    // the request fails.
    virtual HRESULT GetBoardId(DWORD* first, DWORD* second);

protected:
    explicit C2388xRequestAccess(const GUID& propertySet);

    // Serialises one request (gpio: a GPIO read or write); FALSE when the
    // lock was not obtained and the request must not go.
    virtual BOOL BeginRequest(bool gpio) = 0;
    virtual void EndRequest(bool gpio) = 0;
    class Request;

    bool IsAttached() const { return m_pKsPropertySet != NULL; }
    // The GPIO requests themselves, inside a request the caller began.
    HRESULT GetPins(DWORD* pins);
    HRESULT SetPins(DWORD value, DWORD mask);

    IKsPropertySet* m_pKsPropertySet;  // one reference, released on re-attach and delete
    CCommonPropertyClient m_client;

private:
    const GUID& m_propertySet;
    HRESULT SendControl(ULONG id, BYTE value);
};

class C2388xAccess : public C2388xRequestAccess
{
public:
    // lockName: the system-wide mutex every request of every CX2388x card,
    // in any process, holds; other names are for tests only.
    explicit C2388xAccess(const char* lockName = "GPIO_LOCK");

protected:
    BOOL BeginRequest(bool gpio) override;
    void EndRequest(bool gpio) override;

private:
    CNameMutex m_gpioLock;
};

// The boot-capable CX23881 card: GPIO bits 12-14 must never change unless
// a caller names them, so every write reads the pins first and drives those
// three at the level they have.
class C2388xBootAccess : public C2388xAccess
{
public:
    static const DWORD kKeptPins = 0x7000;

    using C2388xAccess::C2388xAccess;

    // No settle pause: the lock is released as soon as the pins are set.
    HRESULT WriteGPIO(DWORD value, DWORD mask) override;
    // Holds the lock delayMs after the pins are set.
    HRESULT WriteGPIODelayed(DWORD value, DWORD mask, DWORD delayMs) override;

private:
    HRESULT MergeWrite(DWORD value, DWORD mask, DWORD delayMs);
};
