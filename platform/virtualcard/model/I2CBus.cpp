#include "platform/virtualcard/model/I2CBus.h"

namespace virtualcard {

void AppendTransaction(std::vector<Transaction>& record, Transaction t)
{
    if (record.size() >= kMaxRecordedTransactions)
        record.erase(record.begin(), record.begin() + kMaxRecordedTransactions / 2);
    record.push_back(std::move(t));
}

void I2CBus::Attach(uint8_t address, std::shared_ptr<I2CDevice> device)
{
    m_devices[static_cast<uint8_t>(address & 0xFE)] = std::move(device);
}

void I2CBus::Detach(uint8_t address)
{
    m_devices.erase(static_cast<uint8_t>(address & 0xFE));
}

I2CDevice* I2CBus::Find(uint8_t address) const
{
    auto it = m_devices.find(static_cast<uint8_t>(address & 0xFE));
    if (it == m_devices.end() || !it->second->Present())
        return nullptr;
    return it->second.get();
}

void I2CBus::Log(Transaction::Kind kind, uint8_t address, const uint8_t* data, size_t length,
                 bool ok)
{
    if (!m_record)
        return;
    Transaction t{kind, address, {}, 0, ok};
    if (ok && length)
        t.bytes.assign(data, data + length);
    AppendTransaction(*m_record, std::move(t));
}

bool I2CBus::Write(uint8_t address, const uint8_t* data, size_t length)
{
    address &= 0xFE;
    I2CDevice* device = Find(address);
    bool ok = device && device->Write(data, length);
    Log(Transaction::I2CWrite, address, data, length, ok);
    return ok;
}

bool I2CBus::Read(uint8_t address, uint8_t* data, size_t length)
{
    address |= 1;
    I2CDevice* device = Find(address);
    bool ok = device && device->Read(data, length);
    Log(Transaction::I2CRead, address, data, length, ok);
    return ok;
}

void I2CBus::FlushWrite()
{
    // A write message ends at a repeated start or a stop; a read address
    // with no bytes read yet has nothing to deliver.
    if (m_haveAddress && !(m_address & 1) && m_addressAcked)
        Write(m_address, m_pending.data(), m_pending.size());
    m_pending.clear();
    m_haveAddress = false;
    m_addressAcked = false;
}

void I2CBus::Start()
{
    if (m_started)
        FlushWrite();
    m_started = true;
}

bool I2CBus::WriteByte(uint8_t value)
{
    if (!m_started)
        return false;
    if (!m_haveAddress) {
        m_haveAddress = true;
        m_address = value;
        m_addressAcked = Find(value) != nullptr;
        if (!m_addressAcked)
            Log((value & 1) ? Transaction::I2CRead : Transaction::I2CWrite, value, nullptr, 0,
                false);
        return m_addressAcked;
    }
    if (!m_addressAcked || (m_address & 1))
        return false;
    m_pending.push_back(value);
    return true;
}

bool I2CBus::ReadByte(uint8_t* value)
{
    if (!m_started || !m_haveAddress || !m_addressAcked || !(m_address & 1))
        return false;
    return Read(m_address, value, 1);
}

void I2CBus::Stop()
{
    if (m_started)
        FlushWrite();
    m_started = false;
}

} // namespace virtualcard
