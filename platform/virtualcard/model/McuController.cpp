#include "platform/virtualcard/model/McuController.h"

namespace virtualcard {

const McuPins McuPins::kLowByteBoard = {
    McuPins::LowByte, 0x100, 0x180000, 0x180000, 0x080000, 0x100000, 0x040000};
const McuPins McuPins::kSplitByteBoard = {
    McuPins::SplitByte, 0x8000, 0x600, 0x600, 0x400, 0x200, 0x800};
const McuPins McuPins::kThirdByteBoard = {
    McuPins::ThirdByte, 0x8000, 0x600, 0x600, 0x400, 0x200, 0x800};

McuController::McuController(const McuPins& pins) : m_pins(pins) {}

uint32_t McuController::PlaceByte(uint8_t byte) const
{
    switch (m_pins.data) {
    case McuPins::LowByte: return byte;
    case McuPins::ThirdByte: return static_cast<uint32_t>(byte) << 16;
    default:
        return (static_cast<uint32_t>(byte & 0x1F) << 19) | (static_cast<uint32_t>(byte >> 5) << 25);
    }
}

uint8_t McuController::TakeByte(uint32_t word) const
{
    switch (m_pins.data) {
    case McuPins::LowByte: return static_cast<uint8_t>(word);
    case McuPins::ThirdByte: return static_cast<uint8_t>(word >> 16);
    default: return static_cast<uint8_t>(((word >> 19) & 0x1F) | (((word >> 25) & 0x7) << 5));
    }
}

uint32_t McuController::LinesMask() const
{
    return PlaceByte(0xFF) | m_pins.tagMask | m_pins.ready;
}

void McuController::OnPinsWritten(uint32_t levels, uint32_t driven, uint32_t now)
{
    if (!(driven & m_pins.strobe))
        return;
    if (!(levels & m_pins.strobe)) {
        m_strobeLow = true;
        m_latched = levels;
        return;
    }
    if (m_strobeLow) {
        m_strobeLow = false;
        Take(m_latched, now);
    }
}

void McuController::Take(uint32_t word, uint32_t now)
{
    const uint32_t tag = word & m_pins.tagMask;
    const uint8_t byte = TakeByte(word);
    if (tag == m_pins.highTag) {
        m_pendingHigh = byte;
    } else if (tag == m_pins.lowTag) {
        m_minutes = static_cast<uint16_t>((m_pendingHigh << 8) | byte);
    } else if (tag == m_pins.commandTag) {
        ++m_commands;
        switch (byte) {
        case kReadHigh: Reply(m_pins.highTag, static_cast<uint8_t>(m_minutes >> 8), now); break;
        case kReadLow: Reply(m_pins.lowTag, static_cast<uint8_t>(m_minutes), now); break;
        case kArm:
            m_armed = true;
            Reply(m_ackTag, m_wrongAck ? kDisarmAck : kArmAck, now);
            break;
        case kDisarm:
            m_armed = false;
            Reply(m_ackTag, kDisarmAck, now);
            break;
        default: break;
        }
    }
}

void McuController::Reply(uint32_t tag, uint8_t byte, uint32_t now)
{
    if (m_silent)
        return;
    m_replying = true;
    m_reply = tag | PlaceByte(byte);  // ready low
    m_replyUntil = now + kReplyHoldMs;
}

uint32_t McuController::DrivenPins(uint32_t now, uint32_t* levels) const
{
    if (m_replying && static_cast<int32_t>(m_replyUntil - now) > 0)
        *levels = m_reply;
    else
        *levels = m_pins.ready;  // idle: the ready line pulled high
    return LinesMask();
}

} // namespace virtualcard
