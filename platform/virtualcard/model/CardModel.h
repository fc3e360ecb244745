// CardModel: a simulated SAA713x-type capture card - its I2C bus with an
// EEPROM and a PLL tuner, its 32-bit register file with GPIO, signal present
// and the auxiliary output, a remote-control receiver, and a record of every
// transaction. Pure C++; the test fakes and the virtual-card filter DLL
// translate their transports into these calls. Every public method takes
// the model's lock, so any thread may call; the object must outlive them.
//
// Typical use:
//   virtualcard::CardModel card;                 // EEPROM at 0xA0, PLL at 0xC0
//   card.SetCarriers({55250, 62250});            // what the antenna receives
//   card.I2CWrite(0xC0, bytes, 4);               // tune
//   bool locked = card.SignalLocked();           // what the decoder sees
//   card.PressRemoteKey(CardModel::GpioRemotePins(0x15), 
//                       CardModel::kGpioRemoteMask, 200);
#pragma once
#include "platform/virtualcard/model/Devices.h"
#include "platform/virtualcard/model/GpioDevice.h"
#include "platform/virtualcard/model/I2CBus.h"

#include <functional>
#include <map>
#include <mutex>

namespace virtualcard {

class CardModel
{
public:
    // SAA713x register addresses the common property set reaches.
    static const uint32_t kGpioMode = 0x1B0;     // GPIO mode word; bit 31 strobes
    static const uint32_t kGpioStatus = 0x1B4;   // pin status (read) / values (write)
    static const uint32_t kDecoderStatus = 0x11F;  // bit 0: signal present
    static const uint32_t kAuxOutput = 0x16C;    // 0xBB on, 0xFF off
    static const uint32_t kTunerResetPin = 0x40000;
    static const uint32_t kGpioReadMode = 0x3000;  // mode word of a pin read

    // GPIO wiring of the remote receiver most cards share: bits 18-20 carry
    // the strobe (0x180000 while a key is down), the low byte the inverted key.
    static const uint32_t kGpioRemoteMask = 0x1C00FF;
    static uint32_t GpioRemotePins(uint8_t key) { return 0x180000u | static_cast<uint8_t>(~key); }

    static const uint8_t kEepromAddress = 0xA0;
    static const uint8_t kTunerAddress = 0xC0;

    // Builds a card with a blank EEPROM at 0xA0 and a PLL tuner at 0xC0
    // decoding with `tuner`. The clock (ms) times key presses; it defaults
    // to the system tick count.
    explicit CardModel(const PllConfig& tuner = PllConfig());

    void SetTickSource(std::function<uint32_t()> ticks);

    // --- configuration, for tests and the filter DLL -----------------------
    void SetCarriers(const std::vector<double>& kHz);
    void SetStations(const std::vector<double>& kHz);
    void SetLockTolerance(double tvKHz, double fmKHz);
    // EEPROM facts the card filters read: tuner maker letter and type at
    // 0x20/0x21, configuration byte at 7, board variant at 160.
    void SetEepromFacts(uint8_t brand, uint8_t tunerType, uint8_t config, uint8_t variant);
    void SetEepromByte(uint8_t offset, uint8_t value);
    void SetBoardId(uint16_t first, uint16_t second);
    // Further chips (demodulators, decoders, silicon tuners). A device added
    // at an address replaces what was there.
    void AddDevice(uint8_t address, std::shared_ptr<I2CDevice> device);
    void RemoveDevice(uint8_t address);
    // Common fittings: an IF demodulator (register chip) at 0x86 for the
    // tuner modules that program one, and the hybrid tuner (TDA8290 at 0x96
    // with a TDA8275A at 0xC2 behind its gate) in place of the PLL.
    std::shared_ptr<RegisterChip> FitIfDemodulator();
    std::shared_ptr<Tda8275a> FitHybridTuner();
    std::shared_ptr<PllTuner> Tuner() const { return m_tuner; }
    std::shared_ptr<Eeprom> GetEeprom() const { return m_eeprom; }
    std::shared_ptr<Air> GetAir() const { return m_air; }

    // The remote receiver presents `pins` (on the bits of `mask`) on the
    // GPIO inputs for `holdMs` from now; a later press replaces it.
    void PressRemoteKey(uint32_t pins, uint32_t mask, uint32_t holdMs);
    // Input levels of pins no key drives (default all low).
    void SetGpioInputs(uint32_t pins);
    // A chip on the GPIO lines (the on-card controller); null removes it.
    void AttachGpioDevice(std::shared_ptr<GpioDevice> device);

    // How the direct GPIO requests (WriteGpio, ReadGpio) reach the pins.
    // Saa713x: a request's mask adds output pins, which stay outputs; the
    // lines no pin drives read the input levels. Cx2388x: the chip's GPIO
    // output-enable register takes each request's mask (only the pins it
    // names drive; the others are released) and its output register the
    // value; the lines are open-drain with pull-ups, so a line reads low when
    // the card or a chip on it pulls it low, and the input levels start all
    // high. The register path (0x1B0/0x1B4) is the SAA713x one either way.
    enum GpioPort { Saa713x, Cx2388x };
    void SetGpioPort(GpioPort port);

    // --- I2C -----------------------------------------------------------
    bool I2CWrite(uint8_t address, const uint8_t* data, size_t length);
    bool I2CRead(uint8_t address, uint8_t* data, size_t length);
    // Register-style byte access: a write of {sub, value}; a write of {sub}
    // then a one-byte read.
    bool I2CWriteByte(uint8_t address, uint8_t sub, uint8_t value);
    bool I2CReadByte(uint8_t address, uint8_t sub, uint8_t* value);
    // Byte-level master, for drivers that drive start, bytes and stop.
    void I2CStart();
    bool I2CWriteRawByte(uint8_t value);
    bool I2CReadRawByte(uint8_t* value);
    void I2CStop();

    // --- registers and GPIO ------------------------------------------------
    bool WriteRegister(uint32_t address, uint32_t value);
    bool ReadRegister(uint32_t address, uint32_t* value);
    // Direct GPIO port access (bridges with a GPIO request of their own):
    // drives the pins of `mask` to `value` (see GpioPort); reads the pin
    // levels.
    void WriteGpio(uint32_t value, uint32_t mask);
    uint32_t ReadGpio();
    uint32_t GpioOutputEnable() const;   // mode word without the strobe bit
    uint32_t GpioOutputs() const;        // last values written
    bool TunerResetLevel() const;
    int TunerResetPulses() const;        // low-to-high edges of the reset pin
    uint32_t AuxOutput() const;
    bool SignalLocked() const;

    // Driver switches with no device behind them (the common set's
    // control ids): recorded, last value kept per id.
    void SetControl(uint32_t id, uint32_t value);
    bool GetControl(uint32_t id, uint32_t* value) const;
    uint16_t BoardIdFirst() const { return m_boardId[0]; }
    uint16_t BoardIdSecond() const { return m_boardId[1]; }

    // --- record ------------------------------------------------------------
    std::vector<Transaction> Record() const;
    // I2C messages only, to or from `address` (either read-bit value).
    std::vector<Transaction> I2CRecord(uint8_t address) const;
    void ClearRecord();

private:
    uint32_t Now() const;
    uint32_t GpioPinsLocked() const;
    void SetResetLevel(bool high);
    void NotifyGpioDevice();

    mutable std::recursive_mutex m_lock;
    std::vector<Transaction> m_record;
    I2CBus m_bus;
    std::shared_ptr<Air> m_air;
    std::shared_ptr<Eeprom> m_eeprom;
    std::shared_ptr<PllTuner> m_tuner;
    std::function<uint32_t()> m_ticks;

    std::map<uint32_t, uint32_t> m_registers;
    std::map<uint32_t, uint32_t> m_controls;
    uint16_t m_boardId[2] = {0x7130, 0};
    GpioPort m_gpioPort = Saa713x;
    uint32_t m_gpioModeWord = 0;  // register 0x1B0 as last written
    uint32_t m_gpioMode = 0;      // pins driven as outputs
    uint32_t m_gpioOutputs = 0;
    uint32_t m_gpioInputs = 0;
    std::shared_ptr<GpioDevice> m_gpioDevice;
    bool m_resetHigh = false;
    int m_resetPulses = 0;
    uint32_t m_keyPins = 0;
    uint32_t m_keyMask = 0;
    uint32_t m_keyUntil = 0;
    bool m_keyDown = false;
};

} // namespace virtualcard
