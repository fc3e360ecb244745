#include "engine/ScanPlans.h"

#include <array>
#include <iterator>

namespace ScanPlans {
namespace {

// ---------------------------------------------------------------------------
// Building plan blocks at compile time.
//
// A plan is written as bands of channels in the order of their slots: a run of
// `count` picture carriers spaced `step` apart, a single carrier, or a hole
// (slots without a channel). MakePlan lays the bands out from the first
// channel on (slots below it stay 0) and refuses, at compile time, bands that
// do not fill the slots first..last exactly. Plans whose slots are not channel
// numbers but a list of carriers merged from several rasters are sorted by
// frequency (holes stay).
// ---------------------------------------------------------------------------

constexpr int32_t MHz(double mhz)
{
    return static_cast<int32_t>(mhz * 1000000.0 + 0.5);
}

struct Band
{
    int count;
    int32_t firstHz;   // 0: the slots hold no channel
    int32_t stepHz;
};

constexpr Band Run(int count, double firstMHz, double stepMHz)
{
    return Band{ count, MHz(firstMHz), MHz(stepMHz) };
}

constexpr Band One(double mhz)
{
    return Band{ 1, MHz(mhz), 0 };
}

constexpr Band Hole(int count)
{
    return Band{ count, 0, 0 };
}

enum class Order { AsListed, ByFrequency };

template <int First, int Last, size_t N>
constexpr std::array<int32_t, 3 + Last> MakePlan(double ifMHz, const Band (&bands)[N],
                                                 Order order = Order::AsListed)
{
    static_assert(First >= 1 && First <= Last, "a plan needs at least one channel");
    std::array<int32_t, 3 + Last> words{};
    words[0] = First;
    words[1] = Last;
    words[2] = MHz(ifMHz);
    int slot = First;
    for (size_t b = 0; b < N; ++b) {
        for (int i = 0; i < bands[b].count; ++i) {
            if (slot > Last)
                throw "the bands run past the last channel";
            words[2 + slot] = bands[b].firstHz == 0 ? 0 : bands[b].firstHz + i * bands[b].stepHz;
            ++slot;
        }
    }
    if (slot != Last + 1)
        throw "the bands leave channels before the last one unfilled";
    if (order == Order::ByFrequency) {
        // Insertion sort over the occupied slots only.
        for (int a = First; a <= Last; ++a) {
            if (words[2 + a] == 0)
                continue;
            for (int b = a + 1; b <= Last; ++b) {
                if (words[2 + b] != 0 && words[2 + b] < words[2 + a]) {
                    const int32_t t = words[2 + a];
                    words[2 + a] = words[2 + b];
                    words[2 + b] = t;
                }
            }
        }
    }
    return words;
}

template <size_t Size>
constexpr FrequencyPlan View(const char* name, const std::array<int32_t, Size>& words)
{
    return FrequencyPlan{ name, words.data(), words.size() };
}

// ---------------------------------------------------------------------------
// North America: 6 MHz channels, IF 45.75 MHz.
// ---------------------------------------------------------------------------

// Off-air channels 2-69 by channel number.
constexpr auto kUsBroadcastWords = MakePlan<2, 69>(45.75, {
    Run(3, 55.25, 6),     // 2-4
    Run(2, 77.25, 6),     // 5-6
    Run(7, 175.25, 6),    // 7-13
    Run(56, 471.25, 6),   // 14-69
});

// The same channels without channel 37, which is kept for radio astronomy and
// carries no station; slots 37-68 hold channels 38-69.
constexpr auto kUsBroadcastNo37Words = MakePlan<2, 68>(45.75, {
    Run(3, 55.25, 6),     // 2-4
    Run(2, 77.25, 6),     // 5-6
    Run(7, 175.25, 6),    // 7-13
    Run(23, 471.25, 6),   // 14-36
    Run(32, 615.25, 6),   // 38-69
});

// Cable, standard plan, channels 1-125 by channel number (the numbering is
// not in frequency order: 1 sits above 4, 14-22 are the mid band, 95-99 the
// low band below channel 7).
constexpr auto kUsCableStdWords = MakePlan<1, 125>(45.75, {
    One(73.25),           // 1
    Run(3, 55.25, 6),     // 2-4
    Run(2, 77.25, 6),     // 5-6
    Run(7, 175.25, 6),    // 7-13
    Run(9, 121.25, 6),    // 14-22
    Run(72, 217.25, 6),   // 23-94
    Run(5, 91.25, 6),     // 95-99
    Run(26, 649.25, 6),   // 100-125
});

// Cable, incrementally related carriers: as the standard plan but channels 5
// and 6 moved onto the 6 MHz grid.
constexpr auto kUsCableIrcWords = MakePlan<1, 125>(45.75, {
    One(73.25),           // 1
    Run(3, 55.25, 6),     // 2-4
    Run(2, 79.25, 6),     // 5-6
    Run(7, 175.25, 6),    // 7-13
    Run(9, 121.25, 6),    // 14-22
    Run(72, 217.25, 6),   // 23-94
    Run(5, 91.25, 6),     // 95-99
    Run(26, 649.25, 6),   // 100-125
});

// Cable, harmonically related carriers: every carrier a multiple of 6 MHz,
// 1.25 MHz below the incrementally related one; channels 1-158.
constexpr auto kUsCableHrcWords = MakePlan<1, 158>(45.75, {
    One(72.00),           // 1
    Run(3, 54.00, 6),     // 2-4
    Run(2, 78.00, 6),     // 5-6
    Run(7, 174.00, 6),    // 7-13
    Run(9, 120.00, 6),    // 14-22
    Run(72, 216.00, 6),   // 23-94
    Run(5, 90.00, 6),     // 95-99
    Run(59, 648.00, 6),   // 100-158
});

// ---------------------------------------------------------------------------
// Japan: 6 MHz channels; the tuner is driven with the 45.75 MHz IF here too.
// ---------------------------------------------------------------------------

// Off-air channels 1-62 by channel number (channel 8 overlaps 7 by 2 MHz).
constexpr auto kJapanBroadcastWords = MakePlan<1, 62>(45.75, {
    Run(3, 91.25, 6),     // 1-3
    Run(4, 171.25, 6),    // 4-7
    Run(5, 193.25, 6),    // 8-12
    Run(50, 471.25, 6),   // 13-62
});

// Cable: the off-air VHF channels, cable channels C13-C63 and the first
// twelve UHF channels, in frequency order.
constexpr auto kJapanCableWords = MakePlan<1, 75>(45.75, {
    Run(3, 91.25, 6),     // 1-3
    Run(4, 171.25, 6),    // 4-7
    Run(5, 193.25, 6),    // 8-12
    Run(9, 109.25, 6),    // C13-C21
    One(165.25),          // C22
    One(223.25),          // C23
    Run(4, 231.25, 6),    // C24-C27
    Run(36, 253.25, 6),   // C28-C63
    Run(12, 471.25, 6),   // UHF 13-24
}, Order::ByFrequency);

// ---------------------------------------------------------------------------
// Western Europe, B/G: 7 MHz VHF (E2-E12), 8 MHz UHF (E21-E69), IF 38.90 MHz.
// Cable adds E2A, the special channels S01-S05 and S1-S20 on the 7 MHz grid
// and the hyperband S21-S41 on the 8 MHz grid.
// ---------------------------------------------------------------------------

// Off-air E2-E12 and E21-E69 by channel number, and a channel 70 at
// 863.25 MHz just above band V, which some tuners list.
constexpr auto kCcirBroadcastWords = MakePlan<2, 70>(38.90, {
    Run(3, 48.25, 7),     // E2-E4
    Run(8, 175.25, 7),    // E5-E12
    Hole(8),              // 13-20 do not exist
    Run(49, 471.25, 8),   // E21-E69
    One(863.25),          // 70
});

// Off-air E2-E12 and E21-E69 by channel number.
constexpr auto kCcirBroadcast69Words = MakePlan<2, 69>(38.90, {
    Run(3, 48.25, 7),     // E2-E4
    Run(8, 175.25, 7),    // E5-E12
    Hole(8),              // 13-20 do not exist
    Run(49, 471.25, 8),   // E21-E69
});

// Off-air with E2A: slots 1-4 hold E2, E2A, E3 and E4, then by channel number.
constexpr auto kCcirBroadcastE2AWords = MakePlan<1, 69>(38.90, {
    One(48.25),           // E2
    One(49.75),           // E2A
    Run(2, 55.25, 7),     // E3-E4
    Run(8, 175.25, 7),    // E5-E12
    Hole(8),
    Run(49, 471.25, 8),   // E21-E69
});

// Off-air from E2A up: E2 is left out (slot 2), the rest by channel number.
constexpr auto kCcirBroadcastFromE2AWords = MakePlan<1, 69>(38.90, {
    One(49.75),           // E2A
    Hole(1),
    Run(2, 55.25, 7),     // E3-E4
    Run(8, 175.25, 7),    // E5-E12
    Hole(8),
    Run(49, 471.25, 8),   // E21-E69
});

// Cable: the whole cable raster E2 ... S41 in frequency order (58 carriers),
// then E40 in the last slot.
constexpr auto kCcirCableWords = MakePlan<2, 60>(38.90, {
    One(48.25),           // E2
    One(49.75),           // E2A
    One(55.25),           // E3
    Run(6, 62.25, 7),     // E4, S01-S05
    Run(28, 105.25, 7),   // S1-S10, E5-E12, S11-S20
    Run(21, 303.25, 8),   // S21-S41
    One(623.25),          // E40
});

// India: off-air as kCcirBroadcast. Cable: E2-E4, S02-S05, S1-S20 with
// E5-E12, S21-S41 and E21 up to channel 70, in frequency order.
constexpr auto kIndiaCableWords = MakePlan<1, 106>(38.90, {
    Run(3, 48.25, 7),     // E2-E4
    Run(4, 76.25, 7),     // S02-S05
    Run(28, 105.25, 7),   // S1-S10, E5-E12, S11-S20
    Run(21, 303.25, 8),   // S21-S41
    Run(50, 471.25, 8),   // E21-E69, 70
});

// Italy: off-air VHF channels A, B, C, D, E, F, G, H, H1, H2 in slots 1-10,
// UHF by channel number.
constexpr auto kItalyBroadcastWords = MakePlan<1, 69>(38.90, {
    One(53.75),           // A
    One(62.25),           // B
    One(82.25),           // C
    One(175.25),          // D
    One(183.75),          // E
    One(192.25),          // F
    One(201.25),          // G
    One(210.25),          // H
    One(217.25),          // H1
    One(224.25),          // H2
    Hole(10),
    Run(49, 471.25, 8),   // 21-69
});

// Italy, cable: A and C with the cable raster from E3 up, in frequency order.
constexpr auto kItalyCableWords = MakePlan<1, 58>(38.90, {
    One(53.75),           // A
    One(82.25),           // C
    One(55.25),           // E3
    Run(6, 62.25, 7),     // E4 (B), S01-S05
    Run(28, 105.25, 7),   // S1-S10, E5-E12, S11-S20
    Run(21, 303.25, 8),   // S21-S41
}, Order::ByFrequency);

// New Zealand: off-air 1 (45.25), 2-3 (55.25, 62.25), 4-11 on the 7 MHz grid
// from 175.25, UHF by channel number.
constexpr auto kNewZealandBroadcastWords = MakePlan<1, 69>(38.90, {
    One(45.25),           // 1
    Run(2, 55.25, 7),     // 2-3
    Run(8, 175.25, 7),    // 4-11
    Hole(9),
    Run(49, 471.25, 8),   // 21-69
});

// New Zealand, cable: channel 1 followed by the cable raster E2A ... S41.
constexpr auto kNewZealandCableWords = MakePlan<1, 58>(38.90, {
    One(45.25),
    One(49.75),           // E2A
    One(55.25),           // E3
    Run(6, 62.25, 7),     // E4, S01-S05
    Run(28, 105.25, 7),   // S1-S10, E5-E12, S11-S20
    Run(21, 303.25, 8),   // S21-S41
});

// Australia: the VHF channels 0, 1, 2, 3, 4, 5, 5A, 6, 7, 8, 9, 9A, 10, 11,
// 12 in slots 1-15; UHF on the 8 MHz grid from 471.25 in slots 25-73.
constexpr auto kAustraliaBroadcastWords = MakePlan<1, 73>(38.90, {
    One(46.25),           // 0
    One(57.25),           // 1
    One(64.25),           // 2
    One(86.25),           // 3
    One(95.25),           // 4
    One(102.25),          // 5
    One(138.25),          // 5A
    Run(5, 175.25, 7),    // 6-9, 9A
    One(209.25),          // 10
    One(216.25),          // 11
    One(223.25),          // 12
    Hole(9),
    Run(49, 471.25, 8),
});

// Australia, cable: channel 0 followed by the cable raster E2A ... S41.
constexpr auto kAustraliaCableWords = MakePlan<1, 58>(38.90, {
    One(46.25),           // 0
    One(49.75),           // E2A
    One(55.25),           // E3
    Run(6, 62.25, 7),     // E4, S01-S05
    Run(28, 105.25, 7),   // S1-S10, E5-E12, S11-S20
    Run(21, 303.25, 8),   // S21-S41
});

// Rows whose lowest carrier is 44.25 MHz (off-air) or 41.25 MHz (cable): that
// carrier in slot 1, then the CCIR channels.
constexpr auto kLow44BroadcastWords = MakePlan<1, 69>(38.90, {
    One(44.25),
    Run(3, 48.25, 7),     // E2-E4
    Run(8, 175.25, 7),    // E5-E12
    Hole(8),
    Run(49, 471.25, 8),   // E21-E69
});

constexpr auto kLow41Cable58Words = MakePlan<1, 58>(38.90, {
    One(41.25),
    One(49.75),           // E2A
    One(55.25),           // E3
    Run(6, 62.25, 7),     // E4, S01-S05
    Run(28, 105.25, 7),   // S1-S10, E5-E12, S11-S20
    Run(21, 303.25, 8),   // S21-S41
});

constexpr auto kLow41Cable65Words = MakePlan<1, 65>(38.90, {
    One(41.25),
    Hole(6),
    One(48.25),           // E2
    One(49.75),           // E2A
    One(55.25),           // E3
    Run(6, 62.25, 7),     // E4, S01-S05
    Run(28, 105.25, 7),   // S1-S10, E5-E12, S11-S20
    Run(21, 303.25, 8),   // S21-S41
});

// 41.25 MHz, the upper part of the 7 MHz cable grid, the hyperband and UHF up
// to E49.
constexpr auto kLow41Cable75Words = MakePlan<1, 75>(38.90, {
    One(41.25),
    Run(24, 133.25, 7),   // S5-S10, E5-E12, S11-S20
    Run(21, 303.25, 8),   // S21-S41
    Run(29, 471.25, 8),   // E21-E49
});

// Off-air E2-E12 and E21-E68 by channel number, and 851.00 MHz in slot 81.
constexpr auto kCcirBroadcast81Words = MakePlan<2, 81>(38.90, {
    Run(3, 48.25, 7),     // E2-E4
    Run(8, 175.25, 7),    // E5-E12
    Hole(8),
    Run(48, 471.25, 8),   // E21-E68
    Hole(12),
    One(851.00),
});

// Cable: E2, S01-S05, S1-S20 with E5-E12, S21-S41.
constexpr auto kCcirCable56Words = MakePlan<2, 56>(38.90, {
    One(48.25),           // E2
    Run(5, 69.25, 7),     // S01-S05
    Run(28, 105.25, 7),   // S1-S10, E5-E12, S11-S20
    Run(21, 303.25, 8),   // S21-S41
});

// Cable: OIRT SK1 (111.25 MHz) and the UHF grid from E33 up to 943.25 MHz.
constexpr auto kUhfCableWords = MakePlan<1, 49>(38.90, {
    One(111.25),
    Run(48, 567.25, 8),   // E33-E80
});

// ---------------------------------------------------------------------------
// I: Ireland, United Kingdom, South Africa, Hong Kong. 8 MHz channels.
// ---------------------------------------------------------------------------

// Ireland: off-air A-C (45.75, 53.75, 61.75) and D-J (175.25-215.25) in slots
// 1-9, UHF by channel number.
constexpr auto kIrelandBroadcastWords = MakePlan<1, 69>(38.90, {
    Run(3, 45.75, 8),     // A-C
    Run(6, 175.25, 8),    // D-J
    Hole(11),
    Run(49, 471.25, 8),   // 21-69
});

// Ireland, cable: S01 then S7-S20 with E5-E12 and the hyperband.
constexpr auto kIrelandCableWords = MakePlan<1, 44>(38.90, {
    One(69.25),           // S01
    Run(22, 147.25, 7),   // S7-S10, E5-E12, S11-S20
    Run(21, 303.25, 8),   // S21-S41
});

// Off-air for the I countries: Irish A-C in slots 2-4, band III on the 8 MHz
// grid 175.25-247.25 in slots 5-14 (Irish D-J, South African 4-13), UHF by
// channel number (the United Kingdom and Hong Kong use UHF only).
constexpr auto kPalIBroadcastWords = MakePlan<2, 69>(38.90, {
    Run(3, 45.75, 8),     // A-C
    Run(10, 175.25, 8),   // D-J / 4-13
    Hole(6),
    Run(49, 471.25, 8),   // 21-69
});

// Cable for the I countries: the cable raster E2A ... S41 (as Hong Kong's
// cable nets use it), empty slots, then UHF E21 up to 943.25 MHz.
constexpr auto kPalICableWords = MakePlan<2, 131>(38.90, {
    One(49.75),           // E2A
    One(55.25),           // E3
    Run(6, 62.25, 7),     // E4, S01-S05
    Run(28, 105.25, 7),   // S1-S10, E5-E12, S11-S20
    Run(21, 303.25, 8),   // S21-S41
    Hole(13),
    Run(60, 471.25, 8),   // E21-E80
});

// ---------------------------------------------------------------------------
// D/K: China, and the former OIRT countries. 8 MHz channels.
// ---------------------------------------------------------------------------

// China's off-air DS1-DS57 and OIRT R2, in frequency order.
constexpr auto kDkBroadcastWords = MakePlan<1, 58>(38.90, {
    Run(3, 49.75, 8),     // DS1-DS3 (DS1 = R1)
    Run(2, 77.25, 8),     // DS4-DS5 (= R3, R4)
    One(59.25),           // R2
    Run(7, 168.25, 8),    // DS6-DS12
    Run(12, 471.25, 8),   // DS13-DS24
    Run(33, 607.25, 8),   // DS25-DS57
}, Order::ByFrequency);

// China's cable plan up to DS67 (109 carriers) with the OIRT channels it
// misses: R2, R5, cable SK1-SK8, R6-R12 and SK11-SK15; in frequency order.
constexpr auto kDkCableWords = MakePlan<1, 131>(38.90, {
    Run(3, 49.75, 8),     // DS1-DS3
    Run(2, 77.25, 8),     // DS4-DS5
    Run(7, 168.25, 8),    // DS6-DS12
    Run(7, 112.25, 8),    // Z1-Z7
    Run(30, 224.25, 8),   // Z8-Z37
    Run(12, 471.25, 8),   // DS13-DS24
    Run(5, 567.25, 8),    // Z38-Z42
    Run(43, 607.25, 8),   // DS25-DS67
    One(59.25),           // R2
    One(93.25),           // R5
    Run(8, 111.25, 8),    // SK1-SK8
    Run(7, 175.25, 8),    // R6-R12
    Run(5, 231.25, 8),    // SK11-SK15
}, Order::ByFrequency);

// OIRT off-air: 45.75 MHz in slot 3, R1-R12 in slots 4-15, UHF by channel
// number.
constexpr auto kOirtBroadcastWords = MakePlan<3, 69>(38.90, {
    One(45.75),
    One(49.75),           // R1
    One(59.25),           // R2
    Run(3, 77.25, 8),     // R3-R5
    Run(7, 175.25, 8),    // R6-R12
    Hole(5),
    Run(49, 471.25, 8),   // 21-69
});

// OIRT cable: SK1-SK8 and SK11-SK40.
constexpr auto kOirtCableWords = MakePlan<1, 38>(38.90, {
    Run(8, 111.25, 8),    // SK1-SK8
    Run(30, 231.25, 8),   // SK11-SK40
});

// ---------------------------------------------------------------------------
// L: France. 8 MHz channels, band I with the inverted L' carriers.
// ---------------------------------------------------------------------------

// Off-air 1-4 and 5-10 in slots 1-10, UHF 21-69 in slots 24-72.
constexpr auto kFranceBroadcastWords = MakePlan<1, 72>(38.90, {
    One(47.75),           // 1
    One(55.75),           // 2
    One(60.50),           // 3
    One(63.75),           // 4
    Run(6, 176.00, 8),    // 5-10
    Hole(13),
    Run(49, 471.25, 8),   // 21-69
});

// Cable: the off-air VHF channels and the cable carriers on the 12 MHz grid
// (128.00 ... 296.00) in slots 1-20, UHF by channel number.
constexpr auto kFranceCableWords = MakePlan<1, 69>(38.90, {
    One(47.75),
    One(55.75),
    One(60.50),
    One(63.75),
    Run(6, 176.00, 8),
    Run(2, 128.00, 12),
    One(188.00),
    Run(7, 224.00, 12),
    Run(49, 471.25, 8),   // 21-69
}, Order::ByFrequency);

constexpr FrequencyPlan kUsBroadcast = View("North America off-air 2-69", kUsBroadcastWords);
constexpr FrequencyPlan kUsBroadcastNo37 = View("North America off-air without 37", kUsBroadcastNo37Words);
constexpr FrequencyPlan kUsCableStd = View("North America cable (standard)", kUsCableStdWords);
constexpr FrequencyPlan kUsCableIrc = View("North America cable (IRC)", kUsCableIrcWords);
constexpr FrequencyPlan kUsCableHrc = View("North America cable (HRC)", kUsCableHrcWords);
constexpr FrequencyPlan kJapanBroadcast = View("Japan off-air", kJapanBroadcastWords);
constexpr FrequencyPlan kJapanCable = View("Japan cable", kJapanCableWords);
constexpr FrequencyPlan kCcirBroadcast = View("Western Europe off-air 2-70", kCcirBroadcastWords);
constexpr FrequencyPlan kCcirBroadcast69 = View("Western Europe off-air 2-69", kCcirBroadcast69Words);
constexpr FrequencyPlan kCcirBroadcastE2A = View("Western Europe off-air with E2A", kCcirBroadcastE2AWords);
constexpr FrequencyPlan kCcirBroadcastFromE2A = View("Western Europe off-air from E2A", kCcirBroadcastFromE2AWords);
constexpr FrequencyPlan kCcirBroadcast81 = View("Western Europe off-air 2-81", kCcirBroadcast81Words);
constexpr FrequencyPlan kCcirCable = View("Western Europe cable", kCcirCableWords);
constexpr FrequencyPlan kCcirCable56 = View("Western Europe cable 2-56", kCcirCable56Words);
constexpr FrequencyPlan kIndiaCable = View("India cable", kIndiaCableWords);
constexpr FrequencyPlan kItalyBroadcast = View("Italy off-air", kItalyBroadcastWords);
constexpr FrequencyPlan kItalyCable = View("Italy cable", kItalyCableWords);
constexpr FrequencyPlan kNewZealandBroadcast = View("New Zealand off-air", kNewZealandBroadcastWords);
constexpr FrequencyPlan kNewZealandCable = View("New Zealand cable", kNewZealandCableWords);
constexpr FrequencyPlan kAustraliaBroadcast = View("Australia off-air", kAustraliaBroadcastWords);
constexpr FrequencyPlan kAustraliaCable = View("Australia cable", kAustraliaCableWords);
constexpr FrequencyPlan kLow44Broadcast = View("off-air from 44.25 MHz", kLow44BroadcastWords);
constexpr FrequencyPlan kLow41Cable58 = View("cable from 41.25 MHz, 58 channels", kLow41Cable58Words);
constexpr FrequencyPlan kLow41Cable65 = View("cable from 41.25 MHz, 65 channels", kLow41Cable65Words);
constexpr FrequencyPlan kLow41Cable75 = View("cable from 41.25 MHz, 75 channels", kLow41Cable75Words);
constexpr FrequencyPlan kUhfCable = View("cable 111.25 MHz and upper UHF", kUhfCableWords);
constexpr FrequencyPlan kIrelandBroadcast = View("Ireland off-air", kIrelandBroadcastWords);
constexpr FrequencyPlan kIrelandCable = View("Ireland cable", kIrelandCableWords);
constexpr FrequencyPlan kPalIBroadcast = View("I off-air", kPalIBroadcastWords);
constexpr FrequencyPlan kPalICable = View("I cable", kPalICableWords);
constexpr FrequencyPlan kDkBroadcast = View("D/K off-air", kDkBroadcastWords);
constexpr FrequencyPlan kDkCable = View("D/K cable", kDkCableWords);
constexpr FrequencyPlan kOirtBroadcast = View("OIRT off-air", kOirtBroadcastWords);
constexpr FrequencyPlan kOirtCable = View("OIRT cable", kOirtCableWords);
constexpr FrequencyPlan kFranceBroadcast = View("France off-air", kFranceBroadcastWords);
constexpr FrequencyPlan kFranceCable = View("France cable", kFranceCableWords);

// ---------------------------------------------------------------------------
// Tables.
// ---------------------------------------------------------------------------

constexpr int kBuiltInCountries[] = {
    93, 355, 213, 244, 54, 61, 43, 242, 973, 880, 246, 32, 441, 591, 267, 55, 673, 359, 226,
    257, 855, 237, 107, 345, 56, 86, 57, 506, 53, 357, 420, 45, 253, 809, 593, 20, 503, 240,
    372, 251, 679, 358, 33, 689, 241, 220, 49, 233, 350, 30, 299, 590, 671, 502, 594, 592, 504,
    852, 36, 354, 91, 62, 98, 964, 353, 972, 39, 225, 876, 81, 962, 254, 850, 82, 965, 371, 961,
    231, 218, 370, 352, 261, 265, 60, 223, 356, 596, 222, 230, 52, 377, 976, 212, 258, 264, 977,
    31, 599, 687, 64, 505, 234, 47, 968, 92, 507, 595, 51, 63, 48, 351, 787, 974, 262, 40, 7,
    250, 966, 221, 248, 232, 65, 421, 252, 27, 34, 94, 249, 597, 268, 46, 41, 963, 886, 255, 66,
    228, 868, 216, 90, 256, 971, 44, 598, 1, 58, 84, 967, 381, 243, 260, 263, 0, 0,
};
static_assert(std::size(kBuiltInCountries) == 154, "the channel page lists 154 entries");

constexpr AnalogVideoStandard NTSC_M = AnalogVideo_NTSC_M;
constexpr AnalogVideoStandard NTSC_M_J = AnalogVideo_NTSC_M_J;
constexpr AnalogVideoStandard PAL_B = AnalogVideo_PAL_B;
constexpr AnalogVideoStandard PAL_D = AnalogVideo_PAL_D;
constexpr AnalogVideoStandard PAL_I = AnalogVideo_PAL_I;
constexpr AnalogVideoStandard PAL_M = AnalogVideo_PAL_M;
constexpr AnalogVideoStandard PAL_N = AnalogVideo_PAL_N;
constexpr AnalogVideoStandard SECAM_B = AnalogVideo_SECAM_B;
constexpr AnalogVideoStandard SECAM_D = AnalogVideo_SECAM_D;
constexpr AnalogVideoStandard SECAM_G = AnalogVideo_SECAM_G;
constexpr AnalogVideoStandard SECAM_K = AnalogVideo_SECAM_K;
constexpr AnalogVideoStandard SECAM_L = AnalogVideo_SECAM_L;

constexpr CountryStandardRow kCountryStandards[] = {
    // Other standards also broadcast in these countries; the country's own
    // row further down overrides each of them (a later row decides).
    {61, PAL_B}, {30, PAL_B}, {36, PAL_D}, {48, PAL_D}, {359, PAL_D}, {20, PAL_B},
    {370, SECAM_D}, {372, SECAM_D}, {961, PAL_B}, {216, PAL_B}, {352, SECAM_L},
    {377, SECAM_L}, {371, PAL_B}, {966, PAL_B}, {250, SECAM_K}, {964, PAL_B}, {218, PAL_B},
    // NTSC_M
    {1, NTSC_M}, {2, NTSC_M}, {51, NTSC_M}, {52, NTSC_M}, {53, NTSC_M}, {56, NTSC_M},
    {57, NTSC_M}, {58, NTSC_M}, {61, NTSC_M}, {63, NTSC_M}, {82, NTSC_M}, {84, NTSC_M},
    {95, NTSC_M}, {107, NTSC_M}, {238, NTSC_M}, {245, NTSC_M}, {246, NTSC_M}, {247, NTSC_M},
    {265, NTSC_M}, {269, NTSC_M}, {290, NTSC_M}, {291, NTSC_M}, {297, NTSC_M}, {299, NTSC_M},
    {376, NTSC_M}, {501, NTSC_M}, {502, NTSC_M}, {503, NTSC_M}, {504, NTSC_M}, {505, NTSC_M},
    {506, NTSC_M}, {507, NTSC_M}, {509, NTSC_M}, {590, NTSC_M}, {593, NTSC_M}, {597, NTSC_M},
    {599, NTSC_M}, {670, NTSC_M}, {671, NTSC_M}, {674, NTSC_M}, {676, NTSC_M}, {677, NTSC_M},
    {678, NTSC_M}, {679, NTSC_M}, {680, NTSC_M}, {683, NTSC_M}, {684, NTSC_M}, {688, NTSC_M},
    {690, NTSC_M}, {691, NTSC_M}, {692, NTSC_M}, {871, NTSC_M}, {872, NTSC_M}, {873, NTSC_M},
    {874, NTSC_M}, {886, NTSC_M}, {975, NTSC_M},
    // NTSC_M_J
    {81, NTSC_M_J},
    // PAL_B
    {31, PAL_B}, {32, PAL_B}, {34, PAL_B}, {39, PAL_B}, {41, PAL_B}, {42, PAL_B}, {43, PAL_B},
    {45, PAL_B}, {46, PAL_B}, {47, PAL_B}, {49, PAL_B}, {60, PAL_B}, {62, PAL_B}, {64, PAL_B},
    {65, PAL_B}, {66, PAL_B}, {90, PAL_B}, {91, PAL_B}, {92, PAL_B}, {93, PAL_B}, {94, PAL_B},
    {213, PAL_B}, {231, PAL_B}, {232, PAL_B}, {233, PAL_B}, {234, PAL_B}, {235, PAL_B},
    {236, PAL_B}, {237, PAL_B}, {239, PAL_B}, {248, PAL_B}, {249, PAL_B}, {250, PAL_B},
    {251, PAL_B}, {252, PAL_B}, {254, PAL_B}, {255, PAL_B}, {256, PAL_B}, {258, PAL_B},
    {260, PAL_B}, {263, PAL_B}, {268, PAL_B}, {298, PAL_B}, {350, PAL_B}, {351, PAL_B},
    {352, PAL_B}, {354, PAL_B}, {355, PAL_B}, {356, PAL_B}, {357, PAL_B}, {358, PAL_B},
    {370, PAL_B}, {372, PAL_B}, {378, PAL_B}, {381, PAL_B}, {385, PAL_B}, {386, PAL_B},
    {387, PAL_B}, {389, PAL_B}, {672, PAL_B}, {673, PAL_B}, {675, PAL_B}, {682, PAL_B},
    {685, PAL_B}, {686, PAL_B}, {855, PAL_B}, {856, PAL_B}, {880, PAL_B}, {960, PAL_B},
    {962, PAL_B}, {965, PAL_B}, {967, PAL_B}, {968, PAL_B}, {971, PAL_B}, {972, PAL_B},
    {973, PAL_B}, {974, PAL_B}, {977, PAL_B},
    // PAL_D
    {40, PAL_D}, {86, PAL_D},
    // PAL_I
    {0, PAL_I}, {27, PAL_I}, {44, PAL_I}, {244, PAL_I}, {264, PAL_I}, {266, PAL_I},
    {353, PAL_I}, {500, PAL_I}, {852, PAL_I}, {853, PAL_I},
    // PAL_M
    {55, PAL_M},
    // PAL_N
    {54, PAL_N}, {591, PAL_N}, {595, PAL_N}, {598, PAL_N},
    // SECAM_B
    {20, SECAM_B}, {30, SECAM_B}, {98, SECAM_B}, {212, SECAM_B}, {216, SECAM_B}, {218, SECAM_B},
    {222, SECAM_B}, {230, SECAM_B}, {240, SECAM_B}, {961, SECAM_B}, {963, SECAM_B},
    {964, SECAM_B}, {966, SECAM_B},
    // SECAM_D
    {7, SECAM_D}, {36, SECAM_D}, {48, SECAM_D}, {242, SECAM_D}, {359, SECAM_D}, {371, SECAM_D},
    {373, SECAM_D}, {374, SECAM_D}, {375, SECAM_D}, {380, SECAM_D}, {850, SECAM_D},
    {976, SECAM_D}, {994, SECAM_D}, {995, SECAM_D},
    // SECAM_G
    {377, SECAM_G},
    // SECAM_K
    {220, SECAM_K}, {221, SECAM_K}, {223, SECAM_K}, {224, SECAM_K}, {225, SECAM_K},
    {226, SECAM_K}, {227, SECAM_K}, {228, SECAM_K}, {229, SECAM_K}, {241, SECAM_K},
    {243, SECAM_K}, {253, SECAM_K}, {257, SECAM_K}, {261, SECAM_K}, {262, SECAM_K},
    {267, SECAM_K}, {508, SECAM_K}, {592, SECAM_K}, {594, SECAM_K}, {596, SECAM_K},
    {681, SECAM_K}, {687, SECAM_K}, {689, SECAM_K},
    // SECAM_L
    {33, SECAM_L},
};
static_assert(std::size(kCountryStandards) == 222, "one row per country and standard");

constexpr CountryScanRow kCountryScans[] = {
    {12, &kAustraliaBroadcast, &kAustraliaCable},
    {48, &kOirtBroadcast, &kOirtCable},
    {22, &kLow44Broadcast, &kLow41Cable65},
    {96, &kPalIBroadcast, &kPalICable},
    {108, &kCcirBroadcast69, &kLow41Cable75},
    {109, &kItalyBroadcast, &kItalyCable},
    {156, &kNewZealandBroadcast, &kNewZealandCable},
    {172, &kOirtBroadcast, &kOirtCable},
    {194, &kIrelandBroadcast, &kIrelandCable},
    {206, &kLow44Broadcast, &kLow41Cable58},
    {146, &kCcirBroadcastE2A, &kLow41Cable65},
    {152, &kCcirBroadcast81, &kCcirCable56},
    {179, &kCcirBroadcastFromE2A, &kUhfCable},
    {114, &kCcirBroadcastFromE2A, &kUhfCable},
    {118, &kCcirBroadcastFromE2A, &kUhfCable},
    {209, &kCcirBroadcastFromE2A, &kUhfCable},
    {219, &kCcirBroadcastFromE2A, &kUhfCable},
    {229, &kCcirBroadcastFromE2A, &kUhfCable},
    {1, &kUsBroadcastNo37, &kUsCableIrc},
    // Hidden by the next row, which the search meets first.
    {0, &kUsBroadcastNo37, &kUsCableHrc},
    {0, &kDkBroadcast, &kDkCable},
    {91, &kCcirBroadcast, &kIndiaCable},
};
static_assert(std::size(kCountryScans) == 22, "22 country rows");

constexpr StandardScanRow kStandardScans[] = {
    {NTSC_M, &kUsBroadcast, &kUsCableStd},
    {AnalogVideo_None, &kUsBroadcast, &kUsCableStd},
    {PAL_N, &kUsBroadcast, &kUsCableStd},
    {PAL_M, &kUsBroadcast, &kUsCableStd},
    {PAL_B, &kCcirBroadcast, &kCcirCable},
    {SECAM_B, &kCcirBroadcast, &kCcirCable},
    {SECAM_G, &kCcirBroadcast, &kCcirCable},
    {SECAM_K, &kDkBroadcast, &kDkCable},
    {SECAM_D, &kDkBroadcast, &kDkCable},
    {PAL_D, &kDkBroadcast, &kDkCable},
    {PAL_I, &kPalIBroadcast, &kPalICable},
    {SECAM_L, &kFranceBroadcast, &kFranceCable},
    {NTSC_M_J, &kJapanBroadcast, &kJapanCable},
};
static_assert(std::size(kStandardScans) == 13, "13 standard rows");

// Last row first, first match wins.
template <typename Row, typename Match>
const Row* FindLast(const Row* rows, size_t count, Match match)
{
    for (size_t i = count; i-- > 0;) {
        if (match(rows[i]))
            return &rows[i];
    }
    return nullptr;
}

} // namespace

Rows<int> BuiltInCountryCodes()
{
    return { kBuiltInCountries, std::size(kBuiltInCountries) };
}

Rows<CountryStandardRow> CountryStandardTable()
{
    return { kCountryStandards, std::size(kCountryStandards) };
}

Rows<CountryScanRow> CountryScanTable()
{
    return { kCountryScans, std::size(kCountryScans) };
}

Rows<StandardScanRow> StandardScanTable()
{
    return { kStandardScans, std::size(kStandardScans) };
}

bool GetDefaultVideoStandard(int countryCode, AnalogVideoStandard& standard)
{
    const CountryStandardRow* row = FindLast(kCountryStandards, std::size(kCountryStandards),
        [countryCode](const CountryStandardRow& r) { return r.countryCode == countryCode; });
    if (!row)
        return false;
    standard = row->standard;
    return true;
}

const FrequencyPlan* FindCountryPlan(int countryCode, bool antenna)
{
    const CountryScanRow* row = FindLast(kCountryScans, std::size(kCountryScans),
        [countryCode](const CountryScanRow& r) { return r.countryCode == countryCode; });
    if (!row)
        return nullptr;
    return antenna ? row->antenna : row->cable;
}

const FrequencyPlan* FindStandardPlan(AnalogVideoStandard standard, bool antenna)
{
    const StandardScanRow* row = FindLast(kStandardScans, std::size(kStandardScans),
        [standard](const StandardScanRow& r) { return r.standard == standard; });
    if (!row)
        return nullptr;
    return antenna ? row->antenna : row->cable;
}

const FrequencyPlan* FindBuiltInScanPlan(int countryCode, bool antenna)
{
    if (const FrequencyPlan* plan = FindCountryPlan(countryCode, antenna))
        return plan;
    AnalogVideoStandard standard = AnalogVideo_NTSC_M;
    GetDefaultVideoStandard(countryCode, standard);
    return FindStandardPlan(standard, antenna);
}

std::vector<float> ToMHzList(const FrequencyPlan& plan)
{
    const int last = plan.LastChannel();
    std::vector<float> list;
    if (last < 1 || plan.wordCount != static_cast<size_t>(last) + 3)
        return list;
    list.reserve(static_cast<size_t>(last));
    for (int channel = 1; channel <= last; ++channel) {
        const uint32_t hz = static_cast<uint32_t>(plan.CarrierHz(channel));
        list.push_back(static_cast<float>(hz / 1000000.0));
    }
    return list;
}

} // namespace ScanPlans
