// The way to the PCI Express card's driver: its device interfaces listed
// through SetupAPI, the device opened by its path and driven by I/O
// control requests. IPcieDeviceApi is the seam in front of those system
// calls (tests install a fake that plays the driver); DeviceInfoSet and
// DeviceInterfaceDetail find the path of the n-th present interface of a
// class. Failures are told through the thread's last error, as the system
// calls tell them. Any thread; the helpers live on the caller's stack.
#pragma once
#include "platform/Replaceable.h"

#include <windows.h>
#include <setupapi.h>

#include <memory>

class IPcieDeviceApi
{
public:
    // SetupDiGetClassDevsA for the present interfaces of the class.
    virtual HDEVINFO GetClassDevs(const GUID* interfaceClass) = 0;
    virtual BOOL EnumInterfaces(HDEVINFO set, const GUID* interfaceClass, DWORD index,
                                SP_DEVICE_INTERFACE_DATA* data) = 0;
    virtual BOOL GetInterfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                    SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size,
                                    DWORD* required) = 0;
    virtual BOOL DestroyInfoList(HDEVINFO set) = 0;
    // CreateFileA for reading and writing, shared, of an existing device.
    virtual HANDLE OpenDevice(const char* path) = 0;
    virtual BOOL Control(HANDLE device, DWORD code, void* in, DWORD inLength, void* out,
                         DWORD outLength, DWORD* returned) = 0;
    virtual BOOL CloseDevice(HANDLE device) = 0;

protected:
    ~IPcieDeviceApi() {}
};

// The error a failed call left in the thread, never ERROR_SUCCESS.
DWORD LastSystemError();

// The calls that access objects use from now on: the system's unless a
// test has put its own in place.
Replaceable<IPcieDeviceApi>& PcieDeviceApiSeam();
inline IPcieDeviceApi& PcieDeviceApi() { return PcieDeviceApiSeam().Get(); }

// The present device interfaces of one class.
class DeviceInfoSet
{
public:
    explicit DeviceInfoSet(const GUID& interfaceClass);
    ~DeviceInfoSet();

    HDEVINFO Handle() const { return m_handle; }
    const GUID& Class() const { return m_class; }
    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HDEVINFO m_handle;  // INVALID_HANDLE_VALUE when the system gave none
    GUID m_class;
    IPcieDeviceApi& m_api;

    DeviceInfoSet(const DeviceInfoSet&) = delete;
    DeviceInfoSet& operator=(const DeviceInfoSet&) = delete;
};

// One interface of a set with its detail record, which holds its path.
class DeviceInterfaceDetail
{
public:
    explicit DeviceInterfaceDetail(DeviceInfoSet* set);

    // Looks up interface number `index` of the set: ERROR_SUCCESS, or the
    // system's error (ERROR_NOT_ENOUGH_MEMORY when the record could not be
    // made, ERROR_INVALID_DATA for a record size beyond reason).
    DWORD Fetch(DWORD index);
    // The device path, or NULL before a successful Fetch.
    const char* Path() const;

private:
    DeviceInfoSet* m_set;  // the caller's; outlives us
    SP_DEVICE_INTERFACE_DATA m_data;
    std::unique_ptr<BYTE[]> m_detail;  // SP_DEVICE_INTERFACE_DETAIL_DATA_A and its path
};
