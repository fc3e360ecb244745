#include "tests/support/FakeUsbTunnel.h"

#include "hw/access/CommonPropertySet.h"

#include <chrono>
#include <cstring>

namespace {

const int kAnySet = -1;
const int kAnyGet = -2;

} // namespace

FakeUsbTunnel::FakeUsbTunnel(virtualcard::CardModel* card) : m_card(card) {}

uint32_t FakeUsbTunnel::LinePin(DWORD line)
{
    const UsbGpioLineCode& code = kUsbGpioLineCodes[line & 7];
    return 1u << (code.bit + (code.port == 3 ? 8 : 0));
}

std::vector<FakeUsbTunnel::Request> FakeUsbTunnel::Requests() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_requests;
}

void FakeUsbTunnel::ClearRequests()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_requests.clear();
}

void FakeUsbTunnel::Arrange(int key, HRESULT hr, int after, int times)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_failures.Arrange(key, hr, after, times);
}

void FakeUsbTunnel::FailSet(HRESULT hr, int after, int times)
{
    Arrange(kAnySet, hr, after, times);
}

void FakeUsbTunnel::FailGet(HRESULT hr, int after, int times)
{
    Arrange(kAnyGet, hr, after, times);
}

void FakeUsbTunnel::FailRequest(BYTE code, HRESULT hr, int after, int times)
{
    Arrange(code, hr, after, times);
}

void FakeUsbTunnel::ReportReplyLength(long length)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_reportedLength = length;
}

void FakeUsbTunnel::ShortRequestsReach(int sub)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_shortSub = sub;
}

void FakeUsbTunnel::SetCannedReply(BYTE code, const std::vector<BYTE>& reply)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_canned[code] = reply;
}

void FakeUsbTunnel::HoldNextRequest()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_holdNext = true;
}

bool FakeUsbTunnel::WaitHeld(DWORD ms)
{
    std::unique_lock<std::mutex> hold(m_lock);
    return m_heldChanged.wait_for(hold, std::chrono::milliseconds(ms), [this] { return m_holding; });
}

void FakeUsbTunnel::ReleaseHeld()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_holding = false;
    m_holdNext = false;
    m_heldChanged.notify_all();
}

void FakeUsbTunnel::HoldIfAsked()
{
    std::unique_lock<std::mutex> hold(m_lock);
    if (!m_holdNext)
        return;
    m_holdNext = false;
    m_holding = true;
    m_heldChanged.notify_all();
    // Whoever holds the interface while this request is in flight: the
    // test releases it only after watching for a while.
    while (m_holding) {
        m_refsWhileHeld = Refs();
        m_heldChanged.wait_for(hold, std::chrono::milliseconds(5));
    }
}

HRESULT FakeUsbTunnel::Check(REFGUID set, DWORD id, const void* instance, DWORD instanceLength,
                             const void* data, DWORD dataLength) const
{
    if (set != KSPROPSETID_UsbTunnel)
        return E_PROP_SET_UNSUPPORTED;
    if (id != USBTUNNEL_REQUEST)
        return E_PROP_ID_UNSUPPORTED;
    // The driver insists on its layout: the whole buffer as instance and data.
    if (!instance || !data || instanceLength != sizeof(UsbTunnelBuffer) ||
        dataLength != sizeof(UsbTunnelBuffer))
        return E_INVALIDARG;
    const UsbTunnelBuffer* header = static_cast<const UsbTunnelBuffer*>(instance);
    if (header->set != KSPROPSETID_UsbTunnel || header->id != USBTUNNEL_REQUEST)
        return E_INVALIDARG;
    return S_OK;
}

STDMETHODIMP FakeUsbTunnel::Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                                void* data, DWORD dataLength)
{
    HRESULT hr = Check(set, id, instance, instanceLength, data, dataLength);
    if (hr != S_OK)
        return hr;
    const UsbTunnelBuffer* buffer = static_cast<const UsbTunnelBuffer*>(data);
    if (buffer->length < kUsbSetupBytes || buffer->length > kUsbTunnelMaxRequest)
        return E_INVALIDARG;
    Request request;
    memcpy(&request.setup, buffer->request, kUsbSetupBytes);
    request.data.assign(buffer->request + kUsbSetupBytes, buffer->request + buffer->length);
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_requests.push_back(request);
        m_reply.clear();
        hr = m_failures.Next(kAnySet);
        if (hr == S_OK)
            hr = m_failures.Next(request.setup.request);
    }
    HoldIfAsked();
    if (hr != S_OK)
        return hr;
    std::vector<BYTE> reply;
    hr = Perform(request, &reply);
    std::lock_guard<std::mutex> hold(m_lock);
    m_reply = reply;
    return hr;
}

STDMETHODIMP FakeUsbTunnel::Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                                void* data, DWORD dataLength, DWORD* returned)
{
    HRESULT hr = Check(set, id, instance, instanceLength, data, dataLength);
    if (hr != S_OK)
        return hr;
    std::lock_guard<std::mutex> hold(m_lock);
    hr = m_failures.Next(kAnyGet);
    if (hr != S_OK)
        return hr;
    UsbTunnelBuffer* buffer = static_cast<UsbTunnelBuffer*>(data);
    memset(buffer->request, 0, sizeof(buffer->request));
    size_t count = m_reply.size() < kUsbTunnelRequestRoom ? m_reply.size() : kUsbTunnelRequestRoom;
    memcpy(buffer->request, m_reply.data(), count);
    buffer->length = m_reportedLength >= 0 ? static_cast<ULONG>(m_reportedLength)
                                           : static_cast<ULONG>(count);
    if (returned)
        *returned = sizeof(UsbTunnelBuffer);
    return S_OK;
}

STDMETHODIMP FakeUsbTunnel::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    if (set != KSPROPSETID_UsbTunnel)
        return E_PROP_SET_UNSUPPORTED;
    if (id != USBTUNNEL_REQUEST)
        return E_PROP_ID_UNSUPPORTED;
    if (support)
        *support = KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET;
    return S_OK;
}

HRESULT FakeUsbTunnel::Perform(const Request& request, std::vector<BYTE>* reply)
{
    if (request.setup.requestType == kUsbVendorIn)
        return request.data.empty() ? PerformIn(request.setup, reply) : E_INVALIDARG;
    if (request.setup.requestType == kUsbVendorOut)
        return PerformOut(request.setup, request.data);
    return E_INVALIDARG;
}

HRESULT FakeUsbTunnel::PerformIn(const UsbSetupPacket& setup, std::vector<BYTE>* reply)
{
    const BYTE low = LOBYTE(setup.value), high = HIBYTE(setup.value);
    reply->assign(setup.length, 0);
    BYTE* out = reply->data();
    bool ok = true;
    switch (setup.request) {
    case USBREQ_I2C:
        ok = m_card->I2CWrite(low, &high, 1) && m_card->I2CRead(low, out, setup.length);
        break;
    case USBREQ_I2C_SHORT: {
        BYTE sub = m_shortSub >= 0 ? static_cast<BYTE>(m_shortSub) : LOBYTE(setup.index);
        ok = m_card->I2CWrite(low, &sub, 1) && m_card->I2CRead(low, out, setup.length);
        break;
    }
    case USBREQ_I2C_NOSUB:
        ok = m_card->I2CRead(low, out, setup.length);
        break;
    case USBREQ_REGISTER: {
        uint32_t value = 0;
        ok = setup.length == 1 && m_card->ReadRegister(low, &value);
        if (ok)
            out[0] = static_cast<BYTE>(value);
        break;
    }
    case USBREQ_GPIO: {
        uint32_t pins = m_card->ReadGpio();
        ok = setup.length == 1 && (high == 1 || high == 3);
        if (ok)
            out[0] = static_cast<BYTE>(high == 1 ? pins : pins >> 8);
        break;
    }
    case USBREQ_REGISTER5:
    case USBREQ_REQUEST12:
    case USBREQ_WORD17: {
        std::lock_guard<std::mutex> hold(m_lock);
        const std::vector<BYTE>& canned = m_canned[setup.request];
        for (size_t i = 0; i < reply->size() && i < canned.size(); i++)
            out[i] = canned[i];
        break;
    }
    default:
        return E_INVALIDARG;
    }
    if (!ok) {
        reply->clear();
        return E_FAIL;
    }
    return S_OK;
}

HRESULT FakeUsbTunnel::PerformOut(const UsbSetupPacket& setup, const std::vector<BYTE>& data)
{
    const BYTE low = LOBYTE(setup.value), high = HIBYTE(setup.value);
    switch (setup.request) {
    case USBREQ_I2C: {
        // No data bytes: the one value travels in wIndex.
        BYTE message[1 + kUsbTunnelMaxData] = {high, LOBYTE(setup.index)};
        size_t count = 2;
        if (setup.length != 0) {
            if (data.size() != setup.length || data.size() > kUsbTunnelMaxData)
                return E_INVALIDARG;
            for (count = 1; count <= data.size(); count++)
                message[count] = data[count - 1];
        }
        return m_card->I2CWrite(low, message, count) ? S_OK : E_FAIL;
    }
    case USBREQ_I2C_SHORT: {
        if (setup.length != 1 || data.size() != 1)
            return E_INVALIDARG;
        BYTE sub = m_shortSub >= 0 ? static_cast<BYTE>(m_shortSub) : LOBYTE(setup.index);
        return m_card->I2CWriteByte(low, sub, data[0]) ? S_OK : E_FAIL;
    }
    case USBREQ_REGISTER:
        return m_card->WriteRegister(low, LOBYTE(setup.index)) ? S_OK : E_FAIL;
    case USBREQ_GPIO: {
        if (high != 1 && high != 3)
            return E_INVALIDARG;
        uint32_t pin = 1u << (low + (high == 3 ? 8 : 0));
        m_card->WriteGpio(setup.index ? pin : 0, pin);
        return S_OK;
    }
    case USBREQ_REGISTER5:
    case USBREQ_I2C_NOSUB:
    case USBREQ_SHORT10:
    case USBREQ_REQUEST12:
    case USBREQ_WORD17:
    case USBREQ_SHORT_DATA:
        return S_OK;  // the firmware's own business: recorded only
    default:
        return E_INVALIDARG;
    }
}
