#include "platform/virtualcard/model/CardModel.h"

#include <windows.h>

namespace virtualcard {

typedef std::lock_guard<std::recursive_mutex> Hold;

CardModel::CardModel(const PllConfig& tuner)
    : m_bus(&m_record), m_air(std::make_shared<Air>()), m_eeprom(std::make_shared<Eeprom>()),
      m_tuner(std::make_shared<PllTuner>(m_air, tuner)),
      m_ticks([] { return static_cast<uint32_t>(::GetTickCount()); })
{
    m_bus.Attach(kEepromAddress, m_eeprom);
    m_bus.Attach(kTunerAddress, m_tuner);
}

void CardModel::SetTickSource(std::function<uint32_t()> ticks)
{
    Hold hold(m_lock);
    m_ticks = std::move(ticks);
}

uint32_t CardModel::Now() const
{
    return m_ticks();
}

void CardModel::SetCarriers(const std::vector<double>& kHz)
{
    Hold hold(m_lock);
    m_air->carriers = kHz;
}

void CardModel::SetStations(const std::vector<double>& kHz)
{
    Hold hold(m_lock);
    m_air->stations = kHz;
}

void CardModel::SetLockTolerance(double tvKHz, double fmKHz)
{
    Hold hold(m_lock);
    m_air->tvLockKHz = tvKHz;
    m_air->fmLockKHz = fmKHz;
}

void CardModel::SetEepromFacts(uint8_t brand, uint8_t tunerType, uint8_t config, uint8_t variant)
{
    Hold hold(m_lock);
    m_eeprom->Set(0x20, brand);
    m_eeprom->Set(0x21, tunerType);
    m_eeprom->Set(7, config);
    m_eeprom->Set(160, variant);
}

void CardModel::SetEepromByte(uint8_t offset, uint8_t value)
{
    Hold hold(m_lock);
    m_eeprom->Set(offset, value);
}

void CardModel::SetBoardId(uint16_t first, uint16_t second)
{
    Hold hold(m_lock);
    m_boardId[0] = first;
    m_boardId[1] = second;
}

void CardModel::AddDevice(uint8_t address, std::shared_ptr<I2CDevice> device)
{
    Hold hold(m_lock);
    m_bus.Attach(address, std::move(device));
}

void CardModel::RemoveDevice(uint8_t address)
{
    Hold hold(m_lock);
    m_bus.Detach(address);
}

std::shared_ptr<RegisterChip> CardModel::FitIfDemodulator()
{
    auto chip = std::make_shared<RegisterChip>();
    AddDevice(0x86, chip);
    return chip;
}

std::shared_ptr<Tda8275a> CardModel::FitHybridTuner()
{
    Hold hold(m_lock);
    auto demod = std::make_shared<Tda8290>();
    auto tuner = std::make_shared<Tda8275a>(demod, m_air);
    m_bus.Attach(Tda8290::kAddress, demod);
    m_bus.Attach(Tda8275a::kAddress, tuner);
    m_bus.Detach(kTunerAddress);
    return tuner;
}

void CardModel::PressRemoteKey(uint32_t pins, uint32_t mask, uint32_t holdMs)
{
    Hold hold(m_lock);
    m_keyPins = pins & mask;
    m_keyMask = mask;
    m_keyUntil = Now() + holdMs;
    m_keyDown = true;
}

void CardModel::SetGpioInputs(uint32_t pins)
{
    Hold hold(m_lock);
    m_gpioInputs = pins;
}

bool CardModel::I2CWrite(uint8_t address, const uint8_t* data, size_t length)
{
    Hold hold(m_lock);
    return m_bus.Write(address, data, length);
}

bool CardModel::I2CRead(uint8_t address, uint8_t* data, size_t length)
{
    Hold hold(m_lock);
    return m_bus.Read(address, data, length);
}

bool CardModel::I2CWriteByte(uint8_t address, uint8_t sub, uint8_t value)
{
    uint8_t message[2] = {sub, value};
    Hold hold(m_lock);
    return m_bus.Write(address, message, 2);
}

bool CardModel::I2CReadByte(uint8_t address, uint8_t sub, uint8_t* value)
{
    Hold hold(m_lock);
    return m_bus.Write(address, &sub, 1) && m_bus.Read(address, value, 1);
}

void CardModel::I2CStart()
{
    Hold hold(m_lock);
    m_bus.Start();
}

bool CardModel::I2CWriteRawByte(uint8_t value)
{
    Hold hold(m_lock);
    return m_bus.WriteByte(value);
}

bool CardModel::I2CReadRawByte(uint8_t* value)
{
    Hold hold(m_lock);
    return m_bus.ReadByte(value);
}

void CardModel::I2CStop()
{
    Hold hold(m_lock);
    m_bus.Stop();
}

void CardModel::SetResetLevel(bool high)
{
    if (high && !m_resetHigh)
        ++m_resetPulses;
    m_resetHigh = high;
}

void CardModel::AttachGpioDevice(std::shared_ptr<GpioDevice> device)
{
    Hold hold(m_lock);
    m_gpioDevice = std::move(device);
}

void CardModel::NotifyGpioDevice()
{
    if (m_gpioDevice)
        m_gpioDevice->OnPinsWritten(m_gpioOutputs, m_gpioMode, Now());
}

void CardModel::SetGpioPort(GpioPort port)
{
    Hold hold(m_lock);
    m_gpioPort = port;
    m_gpioInputs = port == Cx2388x ? 0xFFFFFFFFu : 0;
}

uint32_t CardModel::GpioPinsLocked() const
{
    uint32_t pins;
    if (m_gpioPort == Cx2388x) {
        // Open-drain lines: low when anything on them pulls low.
        pins = m_gpioInputs & (m_gpioOutputs | ~m_gpioMode);
        if (m_gpioDevice) {
            uint32_t levels = 0;
            uint32_t lines = m_gpioDevice->DrivenPins(Now(), &levels);
            pins &= levels | ~lines;
        }
    } else {
        pins = (m_gpioOutputs & m_gpioMode) | (m_gpioInputs & ~m_gpioMode);
        if (m_gpioDevice) {
            // The device drives only the lines the card leaves as inputs.
            uint32_t levels = 0;
            uint32_t lines = m_gpioDevice->DrivenPins(Now(), &levels) & ~m_gpioMode;
            pins = (pins & ~lines) | (levels & lines);
        }
    }
    if (m_keyDown && static_cast<int32_t>(m_keyUntil - Now()) > 0)
        pins = (pins & ~m_keyMask) | m_keyPins;
    return pins;
}

void CardModel::WriteGpio(uint32_t value, uint32_t mask)
{
    Hold hold(m_lock);
    if (m_gpioPort == Cx2388x)
        m_gpioMode = mask;
    else
        m_gpioMode |= mask & 0x7FFFFFFF;
    m_gpioModeWord = m_gpioMode;
    m_gpioOutputs = (m_gpioOutputs & ~mask) | (value & mask);
    if (m_gpioMode & kTunerResetPin)
        SetResetLevel((m_gpioOutputs & kTunerResetPin) != 0);
    NotifyGpioDevice();
}

uint32_t CardModel::ReadGpio()
{
    Hold hold(m_lock);
    return GpioPinsLocked();
}

uint32_t CardModel::GpioOutputEnable() const
{
    Hold hold(m_lock);
    return m_gpioMode;
}

uint32_t CardModel::GpioOutputs() const
{
    Hold hold(m_lock);
    return m_gpioOutputs;
}

bool CardModel::TunerResetLevel() const
{
    Hold hold(m_lock);
    return m_resetHigh;
}

int CardModel::TunerResetPulses() const
{
    Hold hold(m_lock);
    return m_resetPulses;
}

uint32_t CardModel::AuxOutput() const
{
    Hold hold(m_lock);
    auto it = m_registers.find(kAuxOutput);
    return it == m_registers.end() ? 0xFF : it->second;
}

bool CardModel::SignalLocked() const
{
    Hold hold(m_lock);
    return m_air->SignalLocked();
}

bool CardModel::WriteRegister(uint32_t address, uint32_t value)
{
    Hold hold(m_lock);
    AppendTransaction(m_record, {Transaction::RegisterWrite, address, {}, value, true});
    switch (address) {
    case kGpioMode:
        // Bit 31 is the driver's strobe; the rest says which pins drive.
        m_gpioModeWord = value;
        m_gpioMode = value & 0x7FFFFFFF;
        break;
    case kGpioStatus:
        m_gpioOutputs = value;
        if (m_gpioMode & kTunerResetPin)
            SetResetLevel((value & kTunerResetPin) != 0);
        NotifyGpioDevice();
        break;
    default:
        m_registers[address] = value;
        break;
    }
    return true;
}

bool CardModel::ReadRegister(uint32_t address, uint32_t* value)
{
    Hold hold(m_lock);
    uint32_t v;
    switch (address) {
    case kGpioMode:
        v = m_gpioModeWord;
        break;
    case kGpioStatus:
        v = GpioPinsLocked();
        break;
    case kDecoderStatus & ~3u: {
        // 0x11F is the top byte lane of the word at 0x11C.
        auto it = m_registers.find(address);
        v = it == m_registers.end() ? 0 : it->second;
        v = (v & 0x00FFFFFF) | (m_air->SignalLocked() ? 0x01000000u : 0);
        break;
    }
    case kDecoderStatus:
        v = m_air->SignalLocked() ? 1 : 0;
        break;
    default: {
        auto it = m_registers.find(address);
        v = it == m_registers.end() ? 0 : it->second;
        break;
    }
    }
    *value = v;
    AppendTransaction(m_record, {Transaction::RegisterRead, address, {}, v, true});
    return true;
}

void CardModel::SetControl(uint32_t id, uint32_t value)
{
    Hold hold(m_lock);
    m_controls[id] = value;
    AppendTransaction(m_record, {Transaction::Control, id, {}, value, true});
}

bool CardModel::GetControl(uint32_t id, uint32_t* value) const
{
    Hold hold(m_lock);
    auto it = m_controls.find(id);
    if (it == m_controls.end())
        return false;
    *value = it->second;
    return true;
}

std::vector<Transaction> CardModel::Record() const
{
    Hold hold(m_lock);
    return m_record;
}

std::vector<Transaction> CardModel::I2CRecord(uint8_t address) const
{
    Hold hold(m_lock);
    std::vector<Transaction> out;
    for (const Transaction& t : m_record) {
        bool i2c = t.kind == Transaction::I2CWrite || t.kind == Transaction::I2CRead;
        if (i2c && (t.address & 0xFE) == (address & 0xFE))
            out.push_back(t);
    }
    return out;
}

void CardModel::ClearRecord()
{
    Hold hold(m_lock);
    m_record.clear();
}

} // namespace virtualcard
