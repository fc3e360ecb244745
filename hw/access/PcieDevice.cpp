#include "hw/access/PcieDevice.h"

#include <cstring>
#include <new>

namespace {

class SystemApi : public IPcieDeviceApi
{
public:
    HDEVINFO GetClassDevs(const GUID* interfaceClass) override
    {
        return SetupDiGetClassDevsA(interfaceClass, NULL, NULL, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    }
    BOOL EnumInterfaces(HDEVINFO set, const GUID* interfaceClass, DWORD index,
                        SP_DEVICE_INTERFACE_DATA* data) override
    {
        return SetupDiEnumDeviceInterfaces(set, NULL, interfaceClass, index, data);
    }
    BOOL GetInterfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                            SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size, DWORD* required) override
    {
        return SetupDiGetDeviceInterfaceDetailA(set, data, detail, size, required, NULL);
    }
    BOOL DestroyInfoList(HDEVINFO set) override { return SetupDiDestroyDeviceInfoList(set); }
    HANDLE OpenDevice(const char* path) override
    {
        return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    }
    BOOL Control(HANDLE device, DWORD code, void* in, DWORD inLength, void* out, DWORD outLength,
                 DWORD* returned) override
    {
        return DeviceIoControl(device, code, in, inLength, out, outLength, returned, NULL);
    }
    BOOL CloseDevice(HANDLE device) override { return CloseHandle(device); }
};

SystemApi g_systemApi;
Replaceable<IPcieDeviceApi> g_api(&g_systemApi);

// A detail record larger than this is not a device path.
const DWORD kMaxDetailBytes = 4096;

#if !defined(_WIN64)
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == 5, "detail record: size field and one byte");
#endif


} // namespace

DWORD LastSystemError()
{
    DWORD error = GetLastError();
    return error ? error : ERROR_GEN_FAILURE;
}

Replaceable<IPcieDeviceApi>& PcieDeviceApiSeam()
{
    return g_api;
}

DeviceInfoSet::DeviceInfoSet(const GUID& interfaceClass) : m_class(interfaceClass), m_api(PcieDeviceApi())
{
    m_handle = m_api.GetClassDevs(&m_class);
    if (!m_handle)
        m_handle = INVALID_HANDLE_VALUE;
}

DeviceInfoSet::~DeviceInfoSet()
{
    if (IsValid())
        m_api.DestroyInfoList(m_handle);
}

DeviceInterfaceDetail::DeviceInterfaceDetail(DeviceInfoSet* set) : m_set(set)
{
    memset(&m_data, 0, sizeof(m_data));
    m_data.cbSize = sizeof(m_data);
}

DWORD DeviceInterfaceDetail::Fetch(DWORD index)
{
    m_detail.reset();
    if (!m_set || !m_set->IsValid())
        return ERROR_INVALID_HANDLE;
    IPcieDeviceApi& api = PcieDeviceApi();
    GUID interfaceClass = m_set->Class();
    if (!api.EnumInterfaces(m_set->Handle(), &interfaceClass, index, &m_data))
        return LastSystemError();
    // Asked without room, the system says how much the record needs.
    DWORD required = 0;
    if (api.GetInterfaceDetail(m_set->Handle(), &m_data, NULL, 0, &required))
        return ERROR_INVALID_DATA;
    DWORD error = LastSystemError();
    if (error != ERROR_INSUFFICIENT_BUFFER)
        return error;
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) || required > kMaxDetailBytes)
        return ERROR_INVALID_DATA;
    // One byte more than asked, zeroed, so the path always ends.
    std::unique_ptr<BYTE[]> detail(new (std::nothrow) BYTE[required + 1]());
    if (!detail)
        return ERROR_NOT_ENOUGH_MEMORY;
    auto* record = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(detail.get());
    record->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!api.GetInterfaceDetail(m_set->Handle(), &m_data, record, required, NULL))
        return LastSystemError();
    m_detail = std::move(detail);
    return ERROR_SUCCESS;
}

const char* DeviceInterfaceDetail::Path() const
{
    return m_detail ? reinterpret_cast<const SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(m_detail.get())->DevicePath
                    : NULL;
}
