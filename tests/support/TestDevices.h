// Devices of a private category for tests: each entry is registered through
// IFilterMapper2 under its own instance key, with a FriendlyName and a stock
// class id, so the system device enumerator lists it and its moniker binds
// to a real filter. Unregistered when the object goes. Test thread only.
#pragma once
#include <windows.h>
#include <strmif.h>

#include <string>
#include <vector>

struct TestDevice
{
    const wchar_t* instance;      // registry key; devices are listed in key order
    const wchar_t* friendlyName;
    const CLSID* clsid;
};

class TestDeviceCategory
{
public:
    TestDeviceCategory(const GUID& category, const std::vector<TestDevice>& devices);
    ~TestDeviceCategory();

    bool Ok() const { return m_ok; }
    const GUID& Category() const { return m_category; }

private:
    GUID m_category;
    std::vector<TestDevice> m_devices;
    bool m_ok;
};

// The class id of a filter (IPersist), or GUID_NULL.
CLSID FilterClassId(IBaseFilter* filter);
