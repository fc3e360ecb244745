// An Empia USB box for tests: the simulated card behind a fake of the
// bridge driver's capture filter, listed among the video input devices
// under the given friendly names and bound through a class object of its
// own, so the bridge's device look-up finds it by name. Boxes made with
// different `unit` numbers can stand side by side. Test thread only.
//
// The device list is the Wine prefix's, shared by the test executables that
// run at the same time: a box holds a named mutex while it is listed, so
// only one executable lists boxes at a time (a box of another process would
// be found by name but bind to nothing here).
#pragma once
#include "platform/virtualcard/model/CardModel.h"
#include "tests/support/FakeEm28xxBridge.h"
#include "tests/support/TestClassObject.h"
#include "tests/support/TestDevices.h"

#include <gtest/gtest.h>
#include <uuids.h>

#include <string>
#include <vector>

// Held while a test lists devices in the shared video input category.
class VideoDeviceListHold
{
public:
    VideoDeviceListHold() : m_mutex(CreateMutexA(NULL, FALSE, "Pellamar test video input devices"))
    {
        DWORD wait = m_mutex ? WaitForSingleObject(m_mutex, 120000) : WAIT_FAILED;
        m_held = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
        EXPECT_TRUE(m_held) << "another test executable keeps its devices listed";
    }
    ~VideoDeviceListHold()
    {
        if (m_held)
            ReleaseMutex(m_mutex);
        if (m_mutex)
            CloseHandle(m_mutex);
    }
    VideoDeviceListHold(const VideoDeviceListHold&) = delete;
    VideoDeviceListHold& operator=(const VideoDeviceListHold&) = delete;

private:
    HANDLE m_mutex;
    bool m_held = false;
};

struct SimulatedEmpiaBox
{
    explicit SimulatedEmpiaBox(const std::vector<std::wstring>& names = {L"USB 2820 Video"}, BYTE unit = 0)
        : clsid(ClassId(unit)), instances(Instances(names.size(), unit)),
          classObject(clsid, static_cast<IBaseFilter*>(&bridge)),
          devices(CLSID_VideoInputDeviceCategory, Devices(names))
    {
        EXPECT_TRUE(classObject.Ok());
        EXPECT_TRUE(devices.Ok());
    }

    // {6E2A41C7-93B5-4C0D-A1F4-5D8E27B3C6xx}: xx the unit.
    static CLSID ClassId(BYTE unit)
    {
        return {0x6e2a41c7, 0x93b5, 0x4c0d, {0xa1, 0xf4, 0x5d, 0x8e, 0x27, 0xb3, 0xc6, unit}};
    }

    VideoDeviceListHold hold;  // first in, last out
    virtualcard::CardModel model;
    FakeEm28xxBridge bridge{&model};
    CLSID clsid;
    std::vector<std::wstring> instances;  // registry keys; listed after any real device
    TestClassObject classObject;
    TestDeviceCategory devices;

    SimulatedEmpiaBox(const SimulatedEmpiaBox&) = delete;
    SimulatedEmpiaBox& operator=(const SimulatedEmpiaBox&) = delete;

private:
    static std::vector<std::wstring> Instances(size_t count, BYTE unit)
    {
        std::vector<std::wstring> out;
        for (size_t i = 0; i < count; i++)
            out.push_back(L"~Pellamar test empia " + std::to_wstring(unit) + L" " + std::to_wstring(i));
        return out;
    }
    std::vector<TestDevice> Devices(const std::vector<std::wstring>& names) const
    {
        std::vector<TestDevice> out;
        for (size_t i = 0; i < names.size(); i++)
            out.push_back({instances[i].c_str(), names[i].c_str(), &clsid});
        return out;
    }
};
