#include "tests/support/FakePcieDriver.h"

#include "graph/Guids.h"
#include "hw/access/PcieAccess.h"

#include <cstring>

namespace {

const HDEVINFO kSetHandle = reinterpret_cast<HDEVINFO>(static_cast<ULONG_PTR>(0x5E7));

} // namespace

FakePcieDriver::FakePcieDriver(const std::vector<virtualcard::CardModel*>& cards) : m_cards(cards) {}

std::string FakePcieDriver::PathOf(size_t card)
{
    return "\\\\?\\pci#ven_corvane&dev_dunmar#" + std::to_string(card) + "#{4f397d29}";
}

BOOL FakePcieDriver::Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

HDEVINFO FakePcieDriver::GetClassDevs(const GUID* interfaceClass)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_failClassDevs || !interfaceClass) {
        SetLastError(m_failClassDevs ? m_failClassDevs : ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    m_sets++;
    return kSetHandle;
}

BOOL FakePcieDriver::EnumInterfaces(HDEVINFO set, const GUID* interfaceClass, DWORD index,
                                    SP_DEVICE_INTERFACE_DATA* data)
{
    if (set != kSetHandle || !data || data->cbSize != sizeof(*data))
        return Fail(ERROR_INVALID_PARAMETER);
    if (!interfaceClass || *interfaceClass != GUID_DEVINTERFACE_PcieCard || index >= m_cards.size())
        return Fail(ERROR_NO_MORE_ITEMS);
    data->InterfaceClassGuid = *interfaceClass;
    data->Flags = SPINT_ACTIVE;
    data->Reserved = index;
    return TRUE;
}

BOOL FakePcieDriver::GetInterfaceDetail(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                        SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size, DWORD* required)
{
    if (set != kSetHandle || !data)
        return Fail(ERROR_INVALID_PARAMETER);
    const std::string path = PathOf(data->Reserved);
    const DWORD needed = m_reportedSize ? m_reportedSize
                                        : static_cast<DWORD>(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) +
                                                             path.size() + 1);
    if (required)
        *required = needed;
    if (!detail || size < needed)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_lastDetailSize = detail->cbSize;
    }
    if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A))
        return Fail(ERROR_INVALID_USER_BUFFER);
    memcpy(detail->DevicePath, path.c_str(), std::min<size_t>(path.size() + 1, size - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath)));
    return TRUE;
}

BOOL FakePcieDriver::DestroyInfoList(HDEVINFO set)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (set != kSetHandle || m_sets == 0)
        return Fail(ERROR_INVALID_HANDLE);
    m_sets--;
    return TRUE;
}

HANDLE FakePcieDriver::OpenDevice(const char* path)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_opened.push_back(path ? path : "");
    if (m_failOpen) {
        SetLastError(m_failOpen);
        return INVALID_HANDLE_VALUE;
    }
    for (size_t card = 0; card < m_cards.size(); ++card) {
        if (path && PathOf(card) == path) {
            HANDLE handle = reinterpret_cast<HANDLE>(m_nextHandle++);
            m_handles[handle] = card;
            return handle;
        }
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
}

BOOL FakePcieDriver::CloseDevice(HANDLE device)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (!m_handles.erase(device))
        return Fail(ERROR_INVALID_HANDLE);
    return TRUE;
}

void FakePcieDriver::FailCode(DWORD code, DWORD error, int after)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (error)
        m_failCodes[code] = {error, after};
    else
        m_failCodes.erase(code);
}

BOOL FakePcieDriver::Control(HANDLE device, DWORD code, void* in, DWORD inLength, void* out, DWORD outLength,
                             DWORD* returned)
{
    std::lock_guard<std::mutex> hold(m_lock);
    auto open = m_handles.find(device);
    if (open == m_handles.end())
        return Fail(ERROR_INVALID_HANDLE);
    const BYTE* bytes = static_cast<const BYTE*>(in);
    m_requests.push_back({open->second, code, std::vector<BYTE>(bytes, bytes + inLength), outLength});
    auto failure = m_failCodes.find(code);
    if (failure != m_failCodes.end() && failure->second.after-- <= 0)
        return Fail(failure->second.error);
    DWORD error = Perform(m_cards[open->second], code, bytes, inLength, static_cast<BYTE*>(out), outLength);
    if (error)
        return Fail(error);
    if (returned)
        *returned = outLength > m_missing ? outLength - m_missing : 0;
    return TRUE;
}

DWORD FakePcieDriver::Perform(virtualcard::CardModel* card, DWORD code, const BYTE* in, DWORD inLength, BYTE* out,
                              DWORD outLength)
{
    switch (code) {
    case CPcieAccess::kI2CRead: {
        if (inLength != CPcieAccess::kReadRequestBytes || !out)
            return ERROR_INVALID_PARAMETER;
        const BYTE device = in[0] & 0xFE;
        // A register read: both counts the sub-address's bytes, the answer
        // a status byte and the byte read.
        if (outLength == 2 && in[1] == in[2]) {
            if (in[1] < 1 || in[1] > 4)
                return ERROR_INVALID_PARAMETER;
            out[0] = 0;
            if (!card->I2CWrite(device, in + 3, in[1]) || !card->I2CRead(device | 1, out + 1, 1))
                return ERROR_IO_DEVICE;
            return 0;
        }
        // A block read: the second count's bytes, read at once.
        if (outLength != in[2])
            return ERROR_INVALID_PARAMETER;
        return card->I2CRead(device | 1, out, outLength) ? 0 : ERROR_IO_DEVICE;
    }
    case CPcieAccess::kI2CWrite:
        if (inLength != CPcieAccess::kWriteRequestBytes || out || outLength || in[1] > inLength - 2)
            return ERROR_INVALID_PARAMETER;
        return card->I2CWrite(in[0], in + 2, in[1]) ? 0 : ERROR_IO_DEVICE;
    case CPcieAccess::kGpio:
        if (inLength != 2 || (in[0] != 3 && in[0] != 4))
            return ERROR_INVALID_PARAMETER;
        card->WriteGpio(in[1], 0xFF);
        return 0;
    default:
        return ERROR_INVALID_FUNCTION;
    }
}

std::vector<FakePcieDriver::Request> FakePcieDriver::Requests() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_requests;
}

void FakePcieDriver::ClearRequests()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_requests.clear();
}

std::vector<std::string> FakePcieDriver::Opened() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_opened;
}

int FakePcieDriver::OpenHandles() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return static_cast<int>(m_handles.size());
}

int FakePcieDriver::OpenSets() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_sets;
}

DWORD FakePcieDriver::LastDetailSize() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_lastDetailSize;
}

std::vector<std::pair<BYTE, BYTE>> FakePcieDriver::GpioWrites() const
{
    std::vector<std::pair<BYTE, BYTE>> out;
    for (const Request& r : Requests()) {
        if (r.code == CPcieAccess::kGpio && r.in.size() == 2)
            out.push_back({r.in[0], r.in[1]});
    }
    return out;
}
