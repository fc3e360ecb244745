// The simulated card's I2C bus: addressed devices, a NAK for every address
// nobody answers, and a record of every message. Owned by CardModel, which
// serialises all calls; the bus itself takes no lock.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace virtualcard {

// One entry of the card's transaction record. I2C messages carry the 8-bit
// bus address (read bit in bit 0) and the bytes that crossed the bus: those
// written after the address, or those read. A message a device did not
// acknowledge is recorded with ok = false and no bytes.
struct Transaction
{
    enum Kind { I2CWrite, I2CRead, RegisterWrite, RegisterRead, Control };
    Kind kind;
    uint32_t address;            // I2C bus address, register address or control id
    std::vector<uint8_t> bytes;  // I2C only
    uint32_t value;              // register value or control value
    bool ok;
};

// The record keeps the most recent transactions only: a card that runs for
// hours must not grow without bound. Past the limit the older half goes.
constexpr size_t kMaxRecordedTransactions = 65536;
void AppendTransaction(std::vector<Transaction>& record, Transaction t);

// A chip on the bus. Write gets the bytes of one write message after the
// address byte; Read fills the bytes of one read message. Returning false is
// a NAK. Present() lets a device hide behind a gate (a tuner reachable only
// while its demodulator's I2C gate is open).
class I2CDevice
{
public:
    virtual ~I2CDevice() {}
    virtual bool Present() const { return true; }
    virtual bool Write(const uint8_t* data, size_t length) = 0;
    virtual bool Read(uint8_t* data, size_t length) = 0;
};

class I2CBus
{
public:
    explicit I2CBus(std::vector<Transaction>* record) : m_record(record) {}

    // Places a device at an 8-bit address (either bit 0 value names the
    // same device). A later Attach at the same address replaces it.
    void Attach(uint8_t address, std::shared_ptr<I2CDevice> device);
    void Detach(uint8_t address);
    bool Acknowledges(uint8_t address) const { return Find(address) != nullptr; }

    // Whole messages. `address` carries the read bit as given; Write clears
    // it and Read sets it, as the bus would drive the line.
    bool Write(uint8_t address, const uint8_t* data, size_t length);
    bool Read(uint8_t address, uint8_t* data, size_t length);

    // Byte-level master (the Bt878 driver's start / byte / stop operations).
    // The bytes between two starts or a start and a stop form one message;
    // the first byte after a start is the address.
    void Start();
    bool WriteByte(uint8_t value);
    bool ReadByte(uint8_t* value);
    void Stop();

private:
    I2CDevice* Find(uint8_t address) const;
    void FlushWrite();
    void Log(Transaction::Kind kind, uint8_t address, const uint8_t* data, size_t length, bool ok);

    std::map<uint8_t, std::shared_ptr<I2CDevice>> m_devices;  // keyed by address & 0xFE
    std::vector<Transaction>* m_record;                       // the card's record

    // Byte-level state: the address after a start, and the bytes written so far.
    bool m_started = false;
    bool m_haveAddress = false;
    bool m_addressAcked = false;
    uint8_t m_address = 0;
    std::vector<uint8_t> m_pending;
};

} // namespace virtualcard
