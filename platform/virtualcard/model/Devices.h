// Chips of the simulated card that sit on its I2C bus: the card EEPROM and a
// PLL tuner can, plus the "air" they share - the carriers and stations a
// tuner can lock to. Created and owned by CardModel (or by a test that adds
// them); every call arrives under the model's lock.
#pragma once
#include "platform/virtualcard/model/I2CBus.h"

#include <array>

namespace virtualcard {

// What reaches the antenna: TV picture carriers and FM stations (kHz), and
// which frequency the card's tuner was last set to. The video decoder's
// lock and the tuners' status bytes are answered from here.
class Air
{
public:
    std::vector<double> carriers;  // TV picture carriers, kHz
    std::vector<double> stations;  // FM stations, kHz
    // The decoder locks within this distance of a carrier: less than one
    // 125 kHz search step, allowing for the PLL's 62.5 kHz rounding.
    double tvLockKHz = 75.0;
    double fmLockKHz = 50.0;       // an FM station is heard within this distance

    // Called by a tuner when it is programmed; the decoder follows it.
    void NoteTuned(double kHz, bool fm);
    bool IsTuned() const { return m_tuned; }
    double TunedKHz() const { return m_tunedKHz; }
    bool TunedFM() const { return m_tunedFM; }

    // Offset of `kHz` from the nearest carrier (fm: station), false when the
    // list is empty.
    bool NearestOffset(double kHz, bool fm, double* offset) const;
    // The decoder's horizontal lock (TV) or the radio's stereo/station
    // indication (FM) at the frequency last tuned.
    bool SignalLocked() const;

private:
    bool m_tuned = false;
    double m_tunedKHz = 0;
    bool m_tunedFM = false;
};

// 256-byte serial EEPROM (24C02 style): a write sets the word address from
// its first byte and stores the rest with auto-increment; a read continues
// from the current address.
class Eeprom : public I2CDevice
{
public:
    Eeprom() { m_data.fill(0xFF); }

    bool Write(const uint8_t* data, size_t length) override;
    bool Read(uint8_t* data, size_t length) override;

    void Set(uint8_t offset, uint8_t value) { m_data[offset] = value; }
    uint8_t Get(uint8_t offset) const { return m_data[offset]; }

private:
    std::array<uint8_t, 256> m_data;
    uint8_t m_pointer = 0;
};

// A chip of sub-addressed 8-bit registers (an IF demodulator, a decoder):
// a write stores from the sub-address in its first byte on; a read returns
// the status byte when one is set, else continues from the sub-address.
class RegisterChip : public I2CDevice
{
public:
    RegisterChip() { m_regs.fill(0); }

    bool Write(const uint8_t* data, size_t length) override;
    bool Read(uint8_t* data, size_t length) override;

    void SetStatus(uint8_t value) { m_status = value; m_hasStatus = true; }
    void ClearStatus() { m_hasStatus = false; }
    uint8_t Reg(uint8_t sub) const { return m_regs[sub]; }
    void SetReg(uint8_t sub, uint8_t value) { m_regs[sub] = value; }

private:
    std::array<uint8_t, 256> m_regs;
    uint8_t m_pointer = 0;
    bool m_hasStatus = false;
    uint8_t m_status = 0;
};

// TDA8290 analogue IF demodulator: a register file whose register 0x21
// opens (bit 6) the I2C gate to the tuner behind it; register 1 holds the
// standard byte that fixes the IF. Lock and AGC registers (0x1A, 0x1B,
// 0x1D) read what the test sets.
class Tda8290 : public RegisterChip
{
public:
    static const uint8_t kAddress = 0x96;
    bool GateOpen() const { return (Reg(0x21) & 0x40) != 0; }
    // IF of the standard byte in register 1, Hz.
    double IfHz() const;
};

// TDA8275A silicon tuner, reachable only while its demodulator's gate is
// open. Registers at sub-addresses 0x00-0xC0; the final write of a tuning
// (sub-address 0x80 with bit 3) latches the frequency for the decoder.
class Tda8275a : public RegisterChip
{
public:
    static const uint8_t kAddress = 0xC2;
    Tda8275a(std::shared_ptr<Tda8290> gate, std::shared_ptr<Air> air)
        : m_gate(std::move(gate)), m_air(std::move(air)) {}

    bool Present() const override { return m_gate->GateOpen(); }
    bool Write(const uint8_t* data, size_t length) override;
    // Picture carrier the registers decode to: N x 16 MHz / (64 x post
    // divider) less the demodulator's IF.
    double FrequencyKHz() const;
    std::shared_ptr<Tda8290> Gate() const { return m_gate; }

private:
    std::shared_ptr<Tda8290> m_gate;
    std::shared_ptr<Air> m_air;
};

// Where a PLL tuner's programming bytes come from and how they decode.
struct PllConfig
{
    double ifKHz = 38900;       // picture IF added by the driver before division
    double stepKHz = 62.5;      // TV reference step
    double fmIfKHz = 10700;
    double fmStepKHz = 31.25;
    int fmControl = -1;         // control byte that selects the radio (-1: none)
    int fmBand = -1;            // and band byte, when it must match too (-1: any)
    uint8_t lockFlag = 0x40;    // status bit set once the PLL has locked
    // AFC codes by offset from the nearest carrier: far below, below, on,
    // above, far above (the base tuner's default codes).
    std::array<uint8_t, 5> afc{{4, 3, 2, 1, 0}};
    double afcOnKHz = 31.25;    // |offset| within this reads "on"
    double afcNearKHz = 93.75;  // within this reads "below"/"above"
    double afcRangeKHz = 1000;  // beyond this no carrier is seen: "far below"
};

// A PLL tuner can: write {div hi, div lo, control, band[, aux]} (or
// {control, band} when the first byte has bit 7 set); read returns the
// status byte (lock flag | AFC code) for every byte asked.
class PllTuner : public I2CDevice
{
public:
    PllTuner(std::shared_ptr<Air> air, const PllConfig& config);

    bool Write(const uint8_t* data, size_t length) override;
    bool Read(uint8_t* data, size_t length) override;

    // Forces the radio decoding for modules whose FM and TV messages look
    // alike (the card's TV/FM switch would tell the real tuner).
    void SetRadio(bool on) { m_forceFM = on; }

    uint16_t Divider() const { return m_divider; }
    uint8_t Control() const { return m_control; }
    uint8_t Band() const { return m_band; }
    // Frequency the last programming decodes to (kHz), and whether FM.
    double FrequencyKHz() const;
    bool IsFM() const;
    uint8_t StatusByte() const;

private:
    std::shared_ptr<Air> m_air;
    PllConfig m_config;
    bool m_forceFM = false;
    bool m_programmed = false;
    uint16_t m_divider = 0;
    uint8_t m_control = 0;
    uint8_t m_band = 0;
};

} // namespace virtualcard
