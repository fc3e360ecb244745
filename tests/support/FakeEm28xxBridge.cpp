#include "tests/support/FakeEm28xxBridge.h"

#include "graph/Guids.h"

#include <string.h>

FakeEm28xxBridge::FakeEm28xxBridge(virtualcard::CardModel* card) : m_card(card) {}

void* FakeEm28xxBridge::Extra(REFIID riid)
{
    return riid == IID_IEm28xxControl ? static_cast<IEm28xxControl*>(this) : NULL;
}

// --- test controls -------------------------------------------------------------

void FakeEm28xxBridge::SetRegister(BYTE reg, BYTE value)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_registers[reg] = value;
}

BYTE FakeEm28xxBridge::Register(BYTE reg) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_registers[reg];
}

void FakeEm28xxBridge::SetIndexedWord(BYTE index, WORD value)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_indexed[index & 0x7F] = value;
}

WORD FakeEm28xxBridge::IndexedWord(BYTE index) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_indexed[index & 0x7F];
}

void FakeEm28xxBridge::HoldIndexBusy(bool held)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_indexBusy = held;
}

int FakeEm28xxBridge::IndexBusyReads() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_busyReads;
}

void FakeEm28xxBridge::SetControl(DWORD control, DWORD value, bool valid)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_controls[control] = {value, valid};
}

std::vector<FakeEm28xxBridge::Call> FakeEm28xxBridge::Calls() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_calls;
}

void FakeEm28xxBridge::ClearCalls()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_calls.clear();
}

void FakeEm28xxBridge::Fail(ULONG id, HRESULT hr, int after, int times)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_failures.Arrange(static_cast<long>(id), hr, after, times);
}

// --- the driver --------------------------------------------------------------------

STDMETHODIMP FakeEm28xxBridge::Set(ULONG id, void* data)
{
    return Transfer(id, data, true);
}

STDMETHODIMP FakeEm28xxBridge::Get(ULONG id, void* data)
{
    return Transfer(id, data, false);
}

HRESULT FakeEm28xxBridge::Transfer(ULONG id, void* data, bool set)
{
    if (!data)
        return E_POINTER;
    std::lock_guard<std::mutex> hold(m_lock);
    DWORD word = 0;
    bool wordSized = id != EM28XX_REGISTER_DATA && id != EM28XX_I2C_DATA;
    if (wordSized && set)
        memcpy(&word, data, sizeof(word));
    m_calls.push_back({id, set, word});
    HRESULT hr = m_failures.Next(static_cast<long>(id));
    if (hr == S_OK)
        hr = m_failures.Next(0);
    if (hr != S_OK)
        return hr;
    switch (id) {
    case EM28XX_SELECT_REGISTER:
    case EM28XX_SELECT_I2C:
    case EM28XX_SELECT_CONTROL:
        if (!set)
            return E_INVALIDARG;
        (id == EM28XX_SELECT_REGISTER ? m_registerIndex : id == EM28XX_SELECT_I2C ? m_i2cIndex
                                                                                 : m_control) = word;
        return S_OK;
    case EM28XX_REGISTER_DATA:
        return MoveRegisters(static_cast<BYTE*>(data), set);
    case EM28XX_I2C_DATA:
        return MoveI2C(static_cast<BYTE*>(data), set);
    case EM28XX_CONTROL_VALID:
    case EM28XX_CONTROL_VALUE: {
        auto it = m_controls.find(m_control);
        if (set) {
            if (id == EM28XX_CONTROL_VALID)
                return E_INVALIDARG;
            m_controls[m_control] = {word, true};
            return S_OK;
        }
        DWORD value = 0;
        if (it != m_controls.end())
            value = id == EM28XX_CONTROL_VALID ? (it->second.valid ? 1 : 0) : it->second.value;
        memcpy(data, &value, sizeof(value));
        return S_OK;
    }
    case EM28XX_SIGNAL_PRESENT: {
        if (set)
            return E_INVALIDARG;
        DWORD present = m_card->SignalLocked() ? 1 : 0;
        memcpy(data, &present, sizeof(present));
        return S_OK;
    }
    default:
        if (set) {
            m_properties[id] = word;
        } else {
            DWORD value = m_properties.count(id) ? m_properties[id] : 0;
            memcpy(data, &value, sizeof(value));
        }
        return S_OK;
    }
}

HRESULT FakeEm28xxBridge::MoveRegisters(BYTE* data, bool set)
{
    BYTE reg = static_cast<BYTE>(m_registerIndex >> 8);
    BYTE count = static_cast<BYTE>(m_registerIndex);
    if (m_registerIndex == 0 || count == 0 || reg + count > 256)
        return E_INVALIDARG;
    for (int i = 0; i < count; i++) {
        if (set)
            WriteRegisterLocked(static_cast<BYTE>(reg + i), data[i]);
        else
            data[i] = ReadRegisterLocked(static_cast<BYTE>(reg + i));
    }
    return S_OK;
}

BYTE FakeEm28xxBridge::ReadRegisterLocked(BYTE reg)
{
    switch (reg) {
    case EM28XX_GPIO_OUTPUT:
        return static_cast<BYTE>(m_card->GpioOutputs());
    case EM28XX_GPIO_INPUT:
        return static_cast<BYTE>(m_card->ReadGpio());
    case EM28XX_INDEX_BUSY:
        m_busyReads++;
        return m_indexBusy ? 1 : 0;
    default:
        return m_registers[reg];
    }
}

void FakeEm28xxBridge::WriteRegisterLocked(BYTE reg, BYTE value)
{
    switch (reg) {
    case EM28XX_GPIO_OUTPUT:
        m_card->WriteGpio(value, 0xFF);
        break;
    case EM28XX_INDEX: {
        // Bit 7 loads the word at the index into 64-65; else 64-65 are stored there.
        WORD& word = m_indexed[value & 0x7F];
        if (value & 0x80) {
            m_registers[EM28XX_INDEX_DATA] = static_cast<BYTE>(word);
            m_registers[EM28XX_INDEX_DATA + 1] = static_cast<BYTE>(word >> 8);
        } else {
            word = static_cast<WORD>(m_registers[EM28XX_INDEX_DATA] |
                                     (m_registers[EM28XX_INDEX_DATA + 1] << 8));
        }
        m_registers[reg] = value;
        break;
    }
    default:
        m_registers[reg] = value;
        break;
    }
}

HRESULT FakeEm28xxBridge::MoveI2C(BYTE* data, bool set)
{
    if (m_i2cIndex == 0)
        return E_INVALIDARG;
    BYTE address = static_cast<BYTE>(m_i2cIndex >> 16);
    BYTE sub = static_cast<BYTE>(m_i2cIndex >> 8);
    size_t count = static_cast<BYTE>(m_i2cIndex);
    bool hasSub = (m_i2cIndex & 0x01000000) != 0;
    bool ok;
    if (set && hasSub) {
        std::vector<BYTE> message(1, sub);
        message.insert(message.end(), data, data + count);
        ok = m_card->I2CWrite(address, message.data(), message.size());
    } else if (set) {
        ok = m_card->I2CWrite(address, data, count);
    } else {
        ok = (!hasSub || m_card->I2CWrite(address, &sub, 1)) && m_card->I2CRead(address, data, count);
    }
    return ok ? S_OK : E_FAIL;
}
