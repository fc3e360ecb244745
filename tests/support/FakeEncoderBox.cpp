#include "tests/support/FakeEncoderBox.h"

#include "graph/Guids.h"
#include "hw/access/EncoderBoxWire.h"

#include <vfwmsgs.h>

#include <cstdio>
#include <cstring>

namespace {

const DWORD kGetSet = KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET;

// How the box's firmware carries each transfer mode on its bus: the
// sub-address bytes it sends first, then the value bytes it sends (a Set)
// or reads (a Get), high byte first; a read's value sits `shift` bits up.
struct ModeRow
{
    BYTE mode;
    bool get;
    int subBytes;
    int valueBytes;
    int shift;
};
const ModeRow kModes[] = {
    {ENCBOX_I2C_DECODER, true, 1, 1, 0},     {ENCBOX_I2C_READ_REG, true, 1, 1, 0},
    {ENCBOX_I2C_READ_OTHER, true, 1, 1, 0},  {ENCBOX_I2C_CURRENT, true, 0, 1, 0},
    {ENCBOX_I2C_STATUS, true, 0, 1, 16},
    {ENCBOX_I2C_DECODER, false, 1, 1, 0},    {ENCBOX_I2C_WRITE_REG, false, 1, 1, 0},
    {ENCBOX_I2C_WORD, false, 1, 2, 0},       {ENCBOX_I2C_TWO_WORDS, false, 2, 2, 0},
    {ENCBOX_I2C_DIVIDER_AUX, false, 2, 3, 0},
    // The Estrel box's chunk writes: 1-4 value bytes, with no sub-address
    // or with four sub-address bytes.
    {0x21, false, 0, 1, 0}, {0x29, false, 0, 2, 0}, {0x31, false, 0, 3, 0}, {0x39, false, 0, 4, 0},
    {0x07, false, 4, 1, 0}, {0x0F, false, 4, 2, 0}, {0x17, false, 4, 3, 0}, {0x1F, false, 4, 4, 0},
};

const ModeRow* FindMode(BYTE mode, bool get)
{
    for (const ModeRow& row : kModes) {
        if (row.mode == mode && row.get == get)
            return &row;
    }
    return NULL;
}

void PutHighFirst(DWORD value, int count, std::vector<uint8_t>* out)
{
    for (int i = count - 1; i >= 0; i--)
        out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::vector<BYTE> Bytes(const void* p, DWORD length)
{
    const BYTE* b = static_cast<const BYTE*>(p);
    return b ? std::vector<BYTE>(b, b + length) : std::vector<BYTE>();
}

} // namespace

FakeEncoderBox::FakeEncoderBox(virtualcard::CardModel* card) : m_card(card), m_uploadSupport(kGetSet) {}

std::vector<FakeEncoderBox::Call> FakeEncoderBox::Calls() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_calls;
}

std::vector<DWORD> FakeEncoderBox::Ids(bool get) const
{
    std::vector<DWORD> out;
    for (const Call& call : Calls()) {
        if (!call.upload && call.get == get)
            out.push_back(call.id);
    }
    return out;
}

std::vector<std::string> FakeEncoderBox::I2CTransfers() const
{
    std::vector<std::string> out;
    for (const Call& call : Calls()) {
        if (call.upload || call.id != ENCBOX_I2C || call.instance.size() != sizeof(EncoderBoxI2C) ||
            call.data.size() != sizeof(DWORD))
            continue;
        EncoderBoxI2C request;
        memcpy(&request, call.instance.data(), sizeof(request));
        DWORD value = 0;
        memcpy(&value, call.data.data(), sizeof(value));
        char text[64];
        snprintf(text, sizeof(text), "%c %02X %02X %X %X", call.get ? 'G' : 'S',
                 static_cast<unsigned>(request.address), request.mode,
                 static_cast<unsigned>(request.subAddress), static_cast<unsigned>(value));
        out.push_back(text);
    }
    return out;
}

void FakeEncoderBox::ClearCalls()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_calls.clear();
}

void FakeEncoderBox::SetValue(DWORD id, const std::vector<BYTE>& bytes)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_values[id] = bytes;
}

void FakeEncoderBox::SetWord(DWORD id, DWORD value)
{
    SetValue(id, Bytes(&value, sizeof(value)));
}

std::vector<BYTE> FakeEncoderBox::Value(DWORD id) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    auto it = m_values.find(id);
    return it == m_values.end() ? std::vector<BYTE>() : it->second;
}

void FakeEncoderBox::SetVersion(const std::string& text)
{
    SetVersions({text});
}

void FakeEncoderBox::SetVersions(const std::vector<std::string>& texts)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_versions = texts;
}

std::vector<BYTE> FakeEncoderBox::NextVersion()
{
    std::vector<BYTE> reply(kEncoderBoxVersionBytes, 0);
    if (m_versions.empty())
        return reply;
    const std::string& text = m_versions.front();
    memcpy(reply.data(), text.data(), std::min<size_t>(text.size(), reply.size()));
    if (m_versions.size() > 1)
        m_versions.erase(m_versions.begin());
    return reply;
}

std::vector<BYTE> FakeEncoderBox::UploadedImage() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_image;
}

int FakeEncoderBox::Uploads() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_uploads;
}

void FakeEncoderBox::SetSupport(DWORD id, DWORD support)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_support[id] = support;
}

void FakeEncoderBox::SetUploadSupport(DWORD support)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_uploadSupport = support;
}

void FakeEncoderBox::FailProperty(DWORD id, HRESULT hr, int after, int times)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_failures.Arrange(static_cast<long>(id), hr, after, times);
}

STDMETHODIMP FakeEncoderBox::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    if (!support)
        return E_POINTER;
    std::lock_guard<std::mutex> hold(m_lock);
    if (set == KSPROPSETID_EncoderBoxUpload) {
        *support = id == ENCBOX_UPLOAD_IMAGE ? m_uploadSupport : 0;
        return id == ENCBOX_UPLOAD_IMAGE ? S_OK : E_PROP_ID_UNSUPPORTED;
    }
    if (set != KSPROPSETID_EncoderBox)
        return E_PROP_SET_UNSUPPORTED;
    auto it = m_support.find(id);
    *support = it == m_support.end() ? kGetSet : it->second;
    return S_OK;
}

HRESULT FakeEncoderBox::PerformI2C(bool get, const BYTE* instance, DWORD* value)
{
    EncoderBoxI2C request;
    memcpy(&request, instance, sizeof(request));
    const ModeRow* row = FindMode(request.mode, get);
    if (!row || request.address > 0x7F)
        return E_INVALIDARG;
    const uint8_t device = static_cast<uint8_t>(request.address << 1);
    std::vector<uint8_t> bytes;
    PutHighFirst(request.subAddress, row->subBytes, &bytes);
    if (!get) {
        PutHighFirst(*value, row->valueBytes, &bytes);
        return m_card->I2CWrite(device, bytes.data(), bytes.size()) ? S_OK : E_FAIL;
    }
    if (!bytes.empty() && !m_card->I2CWrite(device, bytes.data(), bytes.size()))
        return E_FAIL;
    uint8_t read[4] = {};
    if (!m_card->I2CRead(device | 1, read, row->valueBytes))
        return E_FAIL;
    DWORD word = 0;
    for (int i = 0; i < row->valueBytes; i++)
        word = word << 8 | read[i];
    *value = word << row->shift;
    return S_OK;
}

STDMETHODIMP FakeEncoderBox::Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                                 void* data, DWORD dataLength)
{
    if (!data)
        return E_INVALIDARG;
    std::lock_guard<std::mutex> hold(m_lock);
    if (set == KSPROPSETID_EncoderBoxUpload) {
        if (id != ENCBOX_UPLOAD_IMAGE || instance != data || dataLength != sizeof(EncoderBoxImage))
            return E_INVALIDARG;
        m_calls.push_back({true, id, false, {}, {}});
        m_image = Bytes(data, dataLength);
        m_uploads++;
        return S_OK;
    }
    if (set != KSPROPSETID_EncoderBox)
        return E_PROP_SET_UNSUPPORTED;
    m_calls.push_back({false, id, false, Bytes(instance, instanceLength), Bytes(data, dataLength)});
    HRESULT hr = m_failures.Next(static_cast<long>(id));
    if (hr != S_OK)
        return hr;
    if (id == ENCBOX_I2C) {
        if (!instance || instanceLength != sizeof(EncoderBoxI2C) || dataLength != sizeof(DWORD))
            return E_INVALIDARG;
        return PerformI2C(false, static_cast<const BYTE*>(instance), static_cast<DWORD*>(data));
    }
    m_values[id] = Bytes(data, dataLength);
    return S_OK;
}

STDMETHODIMP FakeEncoderBox::Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                                 void* data, DWORD dataLength, DWORD* returned)
{
    if (!data || !returned)
        return E_INVALIDARG;
    std::lock_guard<std::mutex> hold(m_lock);
    if (set != KSPROPSETID_EncoderBox)
        return E_PROP_SET_UNSUPPORTED;
    std::vector<BYTE> sentInstance = Bytes(instance, instanceLength);
    HRESULT hr = m_failures.Next(static_cast<long>(id));
    std::vector<BYTE> reply(dataLength, 0);
    if (hr == S_OK && id == ENCBOX_I2C) {
        if (!instance || instanceLength != sizeof(EncoderBoxI2C) || dataLength != sizeof(DWORD))
            hr = E_INVALIDARG;
        else
            hr = PerformI2C(true, sentInstance.data(), reinterpret_cast<DWORD*>(reply.data()));
    } else if (hr == S_OK) {
        std::vector<BYTE> value = id == ENCBOX_VERSION ? NextVersion() : m_values[id];
        memcpy(reply.data(), value.data(), std::min<size_t>(value.size(), reply.size()));
    }
    if (hr == S_OK) {
        memcpy(data, reply.data(), dataLength);
        *returned = dataLength;
    }
    m_calls.push_back({false, id, true, sentInstance, reply});
    return hr;
}
