#include "TestDevices.h"

#include <uuids.h>

#include "graph/ComPtr.h"
#include "graph/DeviceEnum.h"

TestDeviceCategory::TestDeviceCategory(const GUID& category, const std::vector<TestDevice>& devices)
    : m_category(category), m_devices(devices), m_ok(false)
{
    ComPtr<IFilterMapper2> mapper;
    if (FAILED(CoCreateInstance(CLSID_FilterMapper2, NULL, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                reinterpret_cast<void**>(&mapper))))
        return;
    m_ok = true;
    zunk::ForgetDeviceListings();
    for (const TestDevice& device : m_devices) {
        REGFILTER2 info = {};
        info.dwVersion = 1;
        info.dwMerit = MERIT_DO_NOT_USE;
        info.cPins = 0;
        info.rgPins = NULL;
        if (FAILED(mapper->RegisterFilter(*device.clsid, device.friendlyName, NULL, &m_category,
                                          device.instance, &info)))
            m_ok = false;
    }
}

TestDeviceCategory::~TestDeviceCategory()
{
    ComPtr<IFilterMapper2> mapper;
    if (FAILED(CoCreateInstance(CLSID_FilterMapper2, NULL, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                reinterpret_cast<void**>(&mapper))))
        return;
    for (const TestDevice& device : m_devices)
        mapper->UnregisterFilter(&m_category, device.instance, *device.clsid);
    zunk::ForgetDeviceListings();
}

CLSID FilterClassId(IBaseFilter* filter)
{
    CLSID clsid = GUID_NULL;
    if (filter)
        filter->GetClassID(&clsid);
    return clsid;
}
