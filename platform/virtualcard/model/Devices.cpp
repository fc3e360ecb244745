#include "platform/virtualcard/model/Devices.h"

#include <cmath>

namespace virtualcard {

void Air::NoteTuned(double kHz, bool fm)
{
    m_tuned = true;
    m_tunedKHz = kHz;
    m_tunedFM = fm;
}

bool Air::NearestOffset(double kHz, bool fm, double* offset) const
{
    const std::vector<double>& list = fm ? stations : carriers;
    bool found = false;
    for (double carrier : list) {
        double d = kHz - carrier;
        if (!found || std::fabs(d) < std::fabs(*offset)) {
            *offset = d;
            found = true;
        }
    }
    return found;
}

bool Air::SignalLocked() const
{
    double offset = 0;
    if (!m_tuned || !NearestOffset(m_tunedKHz, m_tunedFM, &offset))
        return false;
    return std::fabs(offset) <= (m_tunedFM ? fmLockKHz : tvLockKHz);
}

bool Eeprom::Write(const uint8_t* data, size_t length)
{
    if (length == 0)
        return true;
    m_pointer = data[0];
    for (size_t i = 1; i < length; ++i)
        m_data[m_pointer++] = data[i];
    return true;
}

bool Eeprom::Read(uint8_t* data, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        data[i] = m_data[m_pointer++];
    return true;
}

bool RegisterChip::Write(const uint8_t* data, size_t length)
{
    if (length == 0)
        return true;
    m_pointer = data[0];
    for (size_t i = 1; i < length; ++i)
        m_regs[m_pointer++] = data[i];
    return true;
}

bool RegisterChip::Read(uint8_t* data, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        data[i] = m_hasStatus ? m_status : m_regs[m_pointer++];
    return true;
}

double Tda8290::IfHz() const
{
    switch (Reg(0x01) & 0x7F) {
    case 0x01: return 5750000;
    case 0x40: return 1750000;
    case 0x04: case 0x08: case 0x10: case 0x20: return 7750000;
    default: return 6750000;
    }
}

bool Tda8275a::Write(const uint8_t* data, size_t length)
{
    RegisterChip::Write(data, length);
    if (length >= 2 && data[0] == 0x80 && (data[1] & 0x08) && m_air)
        m_air->NoteTuned(FrequencyKHz(), false);
    return true;
}

double Tda8275a::FrequencyKHz() const
{
    unsigned n = (Reg(0x00) << 6) | (Reg(0x10) >> 2);
    unsigned code = Reg(0x40) >> 5;
    double m = code < 4 ? static_cast<double>(1u << code) : 16.0;
    double hz = n * 16000000.0 / (64.0 * m);
    return (hz - m_gate->IfHz()) / 1000.0;
}

PllTuner::PllTuner(std::shared_ptr<Air> air, const PllConfig& config)
    : m_air(std::move(air)), m_config(config)
{
}

bool PllTuner::Write(const uint8_t* data, size_t length)
{
    size_t i = 0;
    if (length >= 2 && !(data[0] & 0x80)) {
        m_divider = static_cast<uint16_t>(((data[0] & 0x7F) << 8) | data[1]);
        i = 2;
    }
    if (length >= i + 2) {
        m_control = data[i];
        m_band = data[i + 1];
    }
    if (length < 2)
        return true;  // acknowledged, but nothing to latch
    m_programmed = true;
    if (m_air)
        m_air->NoteTuned(FrequencyKHz(), IsFM());
    return true;
}

bool PllTuner::IsFM() const
{
    if (m_forceFM)
        return true;
    if (m_config.fmControl < 0 || m_control != m_config.fmControl)
        return false;
    return m_config.fmBand < 0 || m_band == m_config.fmBand;
}

double PllTuner::FrequencyKHz() const
{
    if (IsFM())
        return m_divider * m_config.fmStepKHz - m_config.fmIfKHz;
    return m_divider * m_config.stepKHz - m_config.ifKHz;
}

uint8_t PllTuner::StatusByte() const
{
    if (!m_programmed)
        return 0;
    uint8_t status = m_config.lockFlag;
    double offset = 0;
    bool fm = IsFM();
    if (!m_air || !m_air->NearestOffset(FrequencyKHz(), fm, &offset) ||
        std::fabs(offset) > m_config.afcRangeKHz)
        return static_cast<uint8_t>(status | m_config.afc[0]);
    int index;
    if (std::fabs(offset) <= m_config.afcOnKHz)
        index = 2;
    else if (std::fabs(offset) <= m_config.afcNearKHz)
        index = offset < 0 ? 1 : 3;
    else
        index = offset < 0 ? 0 : 4;
    return static_cast<uint8_t>(status | m_config.afc[index]);
}

bool PllTuner::Read(uint8_t* data, size_t length)
{
    uint8_t status = StatusByte();
    for (size_t i = 0; i < length; ++i)
        data[i] = status;
    return true;
}

} // namespace virtualcard
