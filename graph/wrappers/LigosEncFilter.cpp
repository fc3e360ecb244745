#include "graph/wrappers/LigosEncFilter.h"

#include "graph/Guids.h"
#include "graph/wrappers/FileSinkName.h"

using zunk::ForwardSlot;

namespace {

// Table values that stand for the preset's argument.
const LONG kArg = -1;         // the argument itself
const LONG kArgGop = -2;      // 12 when the argument is 1, else 15

const int kPresetCount = 7;

struct PresetWord
{
    int word;
    LONG value[kPresetCount];  // presets 1 to 7
};

// Words no row names stay 0; word 39 (the frame rate, a float) is 30.0 in
// every preset and set apart.
constexpr PresetWord kPresetWords[] = {
    {0, {1, 12, 15, kArgGop, 15, 6, 15}},
    {1, {1, 3, 3, 3, 3, 3, 3}},
    {2, {6, 1, 0, 4, 7, 3, 3}},
    {3, {3, 4, 4, 3, 0, 3, 3}},
    {4, {2520000, 4000000, 2000000, 220000, 3000000, 4500000, 7200000}},  // bit/s
    {5, {3, 8, 8, 8, 16, 8, 8}},
    {6, {4, 4, 4, 4, 4, 4, 4}},
    {7, {8, 8, 8, 8, 5, 8, 8}},
    {8, {2, 1, 2, 2, 3, 2, 2}},
    {9, {1, kArg, kArg, kArg, kArg, kArg, kArg}},
    {11, {1, 1, 1, 1, 1, 1, 1}},
    {12, {3, 3, 6, 6, 128, 9, 9}},
    {13, {44100, 44100, 44100, 44100, 44100, 48000, 48000}},  // Hz
    {14, {0, 0, 0, 0, 0, 1, 1}},
    {15, {1, 1, 2, 2, 1, 2, 2}},
    {16, {1, 1, 5, 5, 4, 5, 5}},
    {17, {6, 3, 3, 3, 6, 3, 3}},
    {18, {2, 8000000, 8000000, 2520000, 8000000, 8000000, 8000000}},  // bit/s
    {19, {1, 4500000, 6500000, 1500000, 4000000, 7000000, 7000000}},  // bit/s
    {20, {2, 6000000, 4000000, 2000000, 0, 7000000, 7000000}},        // bit/s
    {21, {1, 2000000, 2000000, 1000000, 0, 3000000, 3000000}},        // bit/s
    {22, {999999999, 999999999, 999999999, 999999999, 999999999, 999999999, 999999999}},
    {23, {1, 0, 0, 1, 0, 1, 1}},
    {24, {32, 32, 32, 32, 32, 48, 48}},
    {25, {32, 32, 32, 32, 32, 48, 48}},
    {26, {16, 16, 16, 8, 16, 32, 32}},
    {27, {16, 16, 16, 8, 16, 32, 32}},
    {30, {1, 1, 0, 1, 0, 1, 1}},
    {31, {720, 720, 720, 720, 0, 720, 720}},  // pixels
    {32, {512, 480, 576, 480, 0, 480, 480}},  // lines
    {37, {0, 1, 1, 0, 1, 0, 0}},
    {38, {1, 1, 1, 1, 1, 1, 1}},
    {43, {5, 5, 5, 5, 0, 5, 5}},
    {56, {1, 2, 2, 2, 2, 2, 2}},
};

const float kFrameRate = 30.0f;
const int kPresetResults[kPresetCount] = {1, 1, 1, 2, 1, 1, 1};

int FillPreset(int preset, LigosEncSettings* block, LONG arg)
{
    if (!block)
        return 0;
    *block = LigosEncSettings();
    for (const PresetWord& row : kPresetWords) {
        LONG value = row.value[preset - 1];
        if (value == kArg)
            value = arg;
        else if (value == kArgGop)
            value = arg == 1 ? 12 : 15;
        block->word[row.word] = value;
    }
    block->SetFrameRate(kFrameRate);
    return kPresetResults[preset - 1];
}

} // namespace

BOOL CLigosEncFilter::Init()
{
    m_pControl.Reset();
    return m_pFilter && zunk::QueryCodecInterface(m_pFilter, IID_ILigosEncControl, m_pControl);
}

#define PRESET(n)                                                        \
    int CLigosEncFilter::FillPreset##n(LigosEncSettings* block, LONG arg) \
    {                                                                    \
        return FillPreset(n, block, arg);                                \
    }
PRESET(1)
PRESET(2)
PRESET(3)
PRESET(4)
PRESET(5)
PRESET(6)
PRESET(7)
#undef PRESET

HRESULT CLigosEncFilter::CallWithBlock(BlockSlot slot, LigosEncSettings* block)
{
    if (!block)
        return E_POINTER;
    return ForwardSlot(m_pControl.Get(), slot, block,
                       &block->word[LigosEncSettings::kFirstValueWord],
                       &block->word[LigosEncSettings::kSecondValueWord]);
}

HRESULT CLigosEncFilter::CallEncoder3(LigosEncSettings* block)
{
    return CallWithBlock(&ILigosEncControl::Call3, block);
}

HRESULT CLigosEncFilter::CallEncoder4(LigosEncSettings* block)
{
    return CallWithBlock(&ILigosEncControl::Call4, block);
}

HRESULT CLigosEncFilter::CallEncoder5(LONG a, LONG b)
{
    return ForwardSlot(m_pControl.Get(), &ILigosEncControl::Call5, a, b);
}

HRESULT CLigosEncFilter::CallEncoder6(LONG value)
{
    return ForwardSlot(m_pControl.Get(), &ILigosEncControl::Call6, value);
}

HRESULT CLigosEncFilter::CallEncoder7(const LONG words[3])
{
    if (!words)
        return E_POINTER;
    return ForwardSlot(m_pControl.Get(), &ILigosEncControl::Call7, words[0], words[1], words[2]);
}

HRESULT CLigosEncFilter::CallEncoder8(LONG value)
{
    return ForwardSlot(m_pControl.Get(), &ILigosEncControl::Call8, value);
}

HRESULT CLigosEncFilter::GetTwoValues(LONG* first, LONG* second)
{
    if (!first || !second)
        return E_POINTER;
    // A whole settings block, though the encoder is known to fill 220 bytes
    // of it here: the outside method's reach stays inside our memory.
    LigosEncSettings scratch = {};
    LONG a = 0, b = 0;
    HRESULT hr = ForwardSlot(m_pControl.Get(), &ILigosEncControl::Call4, &scratch, &a, &b);
    if (FAILED(hr))
        return hr;
    m_pControl->Call3(&scratch, static_cast<LONG*>(NULL), static_cast<LONG*>(NULL));
    hr = m_pControl->Call4(&scratch, &a, &b);
    if (SUCCEEDED(hr)) {
        *first = a;
        *second = b;
    }
    return hr;
}

HRESULT CLigosEncFilter::SetFileName(const char* path)
{
    return zunk::SetFilterFileName(m_pFilter, path);
}

HRESULT CLigosEncFilter::GetFileName(char* name, int size)
{
    return zunk::GetFilterFileName(m_pFilter, name, size);
}
