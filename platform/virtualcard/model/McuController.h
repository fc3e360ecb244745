// McuController: the small microcontroller some cards carry on their GPIO
// lines. It keeps a power-on time in minutes and an armed flag, takes a
// byte with a tag each time its strobe line rises, and answers commands on
// lines the card reads as inputs (a ready line held low while the reply
// stands). Attached to a CardModel, which owns it; calls arrive under the
// model's lock. Tests read its state after the card's calls have returned.
#pragma once
#include "platform/virtualcard/model/GpioDevice.h"

namespace virtualcard {

// How the controller is wired: which GPIO lines carry the byte, the tags,
// the strobe and the ready line. The tags are the same both ways.
struct McuPins
{
    enum DataLines
    {
        LowByte,     // bits 0-7
        SplitByte,   // bits 0-4 on 19-23, bits 5-7 on 25-27
        ThirdByte,   // bits 16-23
    };
    DataLines data;
    uint32_t strobe;      // active low; the word is taken as it rises
    uint32_t tagMask;
    uint32_t commandTag;
    uint32_t highTag;     // high byte of the time
    uint32_t lowTag;      // low byte of the time
    uint32_t ready;       // low while a reply stands

    // Boards with the byte on bits 0-7 and the tags on bits 19-20.
    static const McuPins kLowByteBoard;
    // Boards with the byte split around bit 24 and the tags on bits 9-10.
    static const McuPins kSplitByteBoard;
    // CX2388x boards: the byte on bits 16-23, the tags on bits 9-10.
    static const McuPins kThirdByteBoard;
};

class McuController : public GpioDevice
{
public:
    // Commands the controller knows and its acknowledges.
    static const uint8_t kReadHigh = 0x01;
    static const uint8_t kReadLow = 0x10;
    static const uint8_t kArm = 0x33;
    static const uint8_t kDisarm = 0x11;
    static const uint8_t kArmAck = 0xCA;
    static const uint8_t kDisarmAck = 0xBA;
    // How long a reply stands on the lines: longer than the slowest card
    // (120 ms) keeps its last pin word before it reads the port.
    static const uint32_t kReplyHoldMs = 150;

    explicit McuController(const McuPins& pins);

    void OnPinsWritten(uint32_t levels, uint32_t driven, uint32_t now) override;
    uint32_t DrivenPins(uint32_t now, uint32_t* levels) const override;

    uint16_t Minutes() const { return m_minutes; }
    void SetMinutes(uint16_t minutes) { m_minutes = minutes; }
    bool Armed() const { return m_armed; }
    int Commands() const { return m_commands; }
    // Faults for the card's error paths: never answer; answer an arm with
    // the disarm acknowledge.
    void SetSilent(bool silent) { m_silent = silent; }
    void SetWrongAcknowledge(bool wrong) { m_wrongAck = wrong; }
    // Tag lines the arm and disarm replies carry beside the acknowledge
    // (none by default).
    void SetAcknowledgeTag(uint32_t tag) { m_ackTag = tag; }

private:
    uint32_t PlaceByte(uint8_t byte) const;
    uint8_t TakeByte(uint32_t word) const;
    uint32_t LinesMask() const;
    void Take(uint32_t word, uint32_t now);
    void Reply(uint32_t tag, uint8_t byte, uint32_t now);

    McuPins m_pins;
    bool m_strobeLow = false;
    uint32_t m_latched = 0;
    uint16_t m_minutes = 0;
    uint8_t m_pendingHigh = 0;
    bool m_armed = false;
    int m_commands = 0;
    bool m_silent = false;
    bool m_wrongAck = false;
    uint32_t m_ackTag = 0;
    bool m_replying = false;
    uint32_t m_reply = 0;
    uint32_t m_replyUntil = 0;
};

} // namespace virtualcard
