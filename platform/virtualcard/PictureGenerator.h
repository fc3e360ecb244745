// CPictureGenerator: draws the virtual card's picture - colour bars with
// what the card is doing written under them (input, frequency and lock,
// standard, proc-amp values) and a box that moves from frame to frame, or
// snow when the tuner is off every carrier. The proc-amp values are applied
// to the pixels; sharpness works across the bars' edges (a horizontal
// sharpen or soften on luma, neutral at its default). One generator per
// output pin, called on that pin's streaming thread only.
#pragma once
#include <windows.h>
#include <strmif.h>

#include <cstdint>
#include <string>
#include <vector>

namespace virtualcard {

enum VideoInput
{
    kInputTuner = 0,
    kInputComposite = 1,
    kInputSVideo = 2
};

// What the picture shows; a snapshot taken once per frame.
struct PictureState
{
    int input = kInputTuner;
    bool tuned = false;       // the tuner has been programmed
    double kHz = 0;           // picture carrier (or FM station) it was set to
    bool fm = false;
    bool locked = false;      // the decoder sees a carrier there
    long standard = 0;        // one AnalogVideoStandard bit
    long brightness = 128, contrast = 64, hue = 0, saturation = 64, sharpness = 0; // the proc amp's units

    bool operator==(const PictureState& o) const
    {
        return input == o.input && tuned == o.tuned && kHz == o.kHz && fm == o.fm && locked == o.locked &&
               standard == o.standard && brightness == o.brightness && contrast == o.contrast && hue == o.hue &&
               saturation == o.saturation && sharpness == o.sharpness;
    }
    bool operator!=(const PictureState& o) const { return !(*this == o); }
};

// Where the three text lines sit, for the generator and for readers.
struct TextLayout
{
    int scale;      // pixels per font pixel
    int left;
    int top[3];
    int boxTop;     // the moving box's band
    int boxSize;
};
TextLayout LayoutText(int width, int height);
// The lines the picture writes for `state`.
void DescribeState(const PictureState& state, std::string lines[3]);
// The rows of colour bars (the rest is the text band).
int BarsHeight(int height);

class CPictureGenerator
{
public:
    CPictureGenerator();

    // Draws one frame for `time` (stream time; frames `interval` apart)
    // into `out`, laid out as `bmi` says: YUY2, or RGB24/RGB32 (bottom-up
    // when biHeight is positive). E_INVALIDARG when `size` is too small.
    HRESULT Render(const PictureState& state, REFERENCE_TIME time, REFERENCE_TIME interval,
                   const BITMAPINFOHEADER& bmi, BYTE* out, size_t size);

private:
    void RenderYuy2(const PictureState& state, REFERENCE_TIME time, REFERENCE_TIME interval,
                    int width, int height, BYTE* dst);
    void FillNoise(BYTE* dst, int width, int height);
    void FillBars(BYTE* dst, int width, int height);
    void DrawText(BYTE* dst, int width, int height, int x, int y, int scale, const std::string& text);
    void FillLuma(BYTE* dst, int width, int height, int x, int y, int w, int h, BYTE luma);
    void SetProcAmp(const PictureState& state);
    void SharpenRow(BYTE* row, int width);

    uint32_t m_noise;             // xorshift state
    BYTE m_luma[256];             // proc-amp applied to a luma value
    int m_chromaGain;             // saturation, 1/64 steps
    int m_hueCos, m_hueSin;       // hue rotation, 1/1024 steps
    int m_sharpGain;              // luma edge gain, 1/32 steps; 0 is neutral
    std::vector<BYTE> m_rowLuma;  // the bars row's luma before sharpening
    std::vector<BYTE> m_scratch;  // the YUY2 frame behind an RGB output
    // The state the proc-amp tables and the text lines were made for: they
    // are made again only when it changes, not every frame.
    PictureState m_shown;
    bool m_haveShown;
    std::string m_lines[3];
};

} // namespace virtualcard
