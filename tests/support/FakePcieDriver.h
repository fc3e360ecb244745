// A fake of the PCI Express card's driver behind the device seam
// (hw/access/PcieDevice.h): a number of present device interfaces, each a
// card on its own simulated card model, opened by path, and the driver's
// three I/O control requests decoded onto the card: the I2C read request
// (a register read, when both counts are equal and two bytes are asked
// for: the first count's sub-address bytes go out, and a status byte and
// the byte read come back; otherwise a block read of the second count's
// bytes), the I2C write request and the GPIO byte. Failures of each step can be arranged, and
// every request is recorded. Install with a ScopedReplacement of PcieDeviceApiSeam(). Any thread.
#pragma once
#include "hw/access/PcieDevice.h"
#include "platform/virtualcard/model/CardModel.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

class FakePcieDriver : public IPcieDeviceApi
{
public:
    // `cards`: the present interfaces, in enumeration order.
    explicit FakePcieDriver(const std::vector<virtualcard::CardModel*>& cards);
    virtual ~FakePcieDriver() {}

    HDEVINFO GetClassDevs(const GUID* interfaceClass) override;
    BOOL EnumInterfaces(HDEVINFO set, const GUID* interfaceClass, DWORD index,
                        SP_DEVICE_INTERFACE_DATA* data) override;
    BOOL GetInterfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                            SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size, DWORD* required) override;
    BOOL DestroyInfoList(HDEVINFO set) override;
    HANDLE OpenDevice(const char* path) override;
    BOOL Control(HANDLE device, DWORD code, void* in, DWORD inLength, void* out, DWORD outLength,
                 DWORD* returned) override;
    BOOL CloseDevice(HANDLE device) override;

    static std::string PathOf(size_t card);

    struct Request
    {
        size_t card;
        DWORD code;
        std::vector<BYTE> in;
        DWORD outLength;
    };
    std::vector<Request> Requests() const;
    void ClearRequests();
    // Paths opened, in order.
    std::vector<std::string> Opened() const;
    int OpenHandles() const;
    int OpenSets() const;
    // The size field the last detail request carried.
    DWORD LastDetailSize() const;

    // Steps that fail with a Win32 error from now on (0 clears).
    void FailClassDevs(DWORD error) { m_failClassDevs = error; }
    void FailOpen(DWORD error) { m_failOpen = error; }
    // Requests of `code` fail with `error` after `after` good ones (0 clears).
    void FailCode(DWORD code, DWORD error, int after = 0);
    // The size the detail request asks for, in place of the true one.
    void ReportDetailSize(DWORD size) { m_reportedSize = size; }
    // Replies this many bytes short of what was asked.
    void ShortenReplies(DWORD missing) { m_missing = missing; }
    // GPIO request bytes {request, value} as the driver got them.
    std::vector<std::pair<BYTE, BYTE>> GpioWrites() const;

private:
    BOOL Fail(DWORD error);
    DWORD Perform(virtualcard::CardModel* card, DWORD code, const BYTE* in, DWORD inLength, BYTE* out,
                  DWORD outLength);

    std::vector<virtualcard::CardModel*> m_cards;  // the test's
    mutable std::mutex m_lock;
    std::vector<Request> m_requests;
    std::vector<std::string> m_opened;
    std::map<HANDLE, size_t> m_handles;  // open device -> card
    int m_sets = 0;
    ULONG_PTR m_nextHandle = 0x5100;
    DWORD m_lastDetailSize = 0;
    DWORD m_failClassDevs = 0;
    DWORD m_failOpen = 0;
    struct CodeFailure
    {
        DWORD error;
        int after;
    };
    std::map<DWORD, CodeFailure> m_failCodes;
    DWORD m_reportedSize = 0;
    DWORD m_missing = 0;
};

