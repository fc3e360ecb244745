#include "platform/virtualcard/Crossbar.h"

#include "platform/dshow/InputPin.h"
#include "platform/dshow/OutputPin.h"
#include "platform/virtualcard/PictureGenerator.h"
#include "platform/virtualcard/VirtualCard.h"
#include "platform/virtualcard/VirtualCardIds.h"

#include <uuids.h>

#include <new>

namespace virtualcard {

namespace {

struct CrossbarPinRow
{
    const wchar_t* name;
    long physicalType;
    long related;      // the pin of the other medium that goes with this one
    bool video;
};

// Inputs in the order the card filters' pin map expects: video tuner,
// composite, S-Video, then the audio of each.
const CrossbarPinRow kInputRows[CCrossbar::kInputs] = {
    {L"0: Video Tuner In", PhysConn_Video_Tuner, 3, true},
    {L"1: Video Composite In", PhysConn_Video_Composite, 4, true},
    {L"2: Video SVideo In", PhysConn_Video_SVideo, 5, true},
    {L"3: Audio Tuner In", PhysConn_Audio_Tuner, 0, false},
    {L"4: Audio Line In", PhysConn_Audio_Line, 1, false},
    {L"5: Audio SVideo Line In", PhysConn_Audio_Line, 2, false},
};
const CrossbarPinRow kOutputRows[CCrossbar::kOutputs] = {
    {L"0: Video Decoder Out", PhysConn_Video_VideoDecoder, 1, true},
    {L"1: Audio Decoder Out", PhysConn_Audio_AudioDecoder, 0, false},
};

HRESULT AnalogType(bool video, CMediaType* mt)
{
    mt->InitMediaType();
    mt->SetType(video ? &MEDIATYPE_AnalogVideo : &MEDIATYPE_AnalogAudio);
    mt->SetSubtype(video ? &MEDIASUBTYPE_AnalogVideo_PAL_B : &GUID_NULL);
    mt->SetFormatType(&FORMAT_None);
    return S_OK;
}

HRESULT CheckAnalogType(bool video, const AM_MEDIA_TYPE* mt)
{
    return mt->majortype == (video ? MEDIATYPE_AnalogVideo : MEDIATYPE_AnalogAudio)
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

bool InputIsVideo(long input)
{
    return input >= 0 && input < CCrossbar::kInputs && kInputRows[input].video;
}

} // namespace

class CCrossbar::CAnalogPin : public dshow::CBaseInputPin
{
public:
    CAnalogPin(CCrossbar* filter, const CrossbarPinRow& row)
        : CBaseInputPin(filter, row.name), m_bVideo(row.video)
    {
    }
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override { return CheckAnalogType(m_bVideo, mt); }
    HRESULT GetMediaType(int index, CMediaType* mt) override
    {
        return index == 0 ? AnalogType(m_bVideo, mt) : VFW_S_NO_MORE_ITEMS;
    }

protected:
    HRESULT OnReceive(IMediaSample*) override { return S_OK; }

private:
    bool m_bVideo;
};

class CCrossbar::CAnalogOutPin : public dshow::CBaseOutputPin
{
public:
    CAnalogOutPin(CCrossbar* filter, const CrossbarPinRow& row)
        : CBaseOutputPin(filter, row.name), m_bVideo(row.video)
    {
    }
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override { return CheckAnalogType(m_bVideo, mt); }
    HRESULT GetMediaType(int index, CMediaType* mt) override
    {
        return index == 0 ? AnalogType(m_bVideo, mt) : VFW_S_NO_MORE_ITEMS;
    }

protected:
    bool CarriesSamples() const override { return false; }

private:
    bool m_bVideo;
};

HRESULT CCrossbar::Create(IUnknown** out)
{
    return Make(CLSID_VirtualCardCrossbar, kCrossbarName, out);
}

HRESULT CCrossbar::CreateBda(IUnknown** out)
{
    return Make(CLSID_VirtualCardBdaCrossbar, kBdaCrossbarName, out);
}

HRESULT CCrossbar::Make(const CLSID& clsid, const wchar_t* name, IUnknown** out)
{
    if (!out)
        return E_POINTER;
    CCrossbar* filter = new (std::nothrow) CCrossbar(clsid, name);
    if (!filter)
        return E_OUTOFMEMORY;
    for (dshow::CBasePin* pin : filter->m_pins) {
        if (!pin) {
            filter->Release();
            return E_OUTOFMEMORY;
        }
    }
    *out = static_cast<IBaseFilter*>(filter);
    return S_OK;
}

CCrossbar::CCrossbar(const CLSID& clsid, const wchar_t* name) : CBaseFilter(clsid, name)
{
    for (int i = 0; i < kInputs; ++i)
        m_pins[i] = new (std::nothrow) CAnalogPin(this, kInputRows[i]);
    for (int i = 0; i < kOutputs; ++i)
        m_pins[kInputs + i] = new (std::nothrow) CAnalogOutPin(this, kOutputRows[i]);
}

CCrossbar::~CCrossbar()
{
    for (dshow::CBasePin* pin : m_pins)
        delete pin;
}

dshow::CBasePin* CCrossbar::GetPin(int index)
{
    return index >= 0 && index < kInputs + kOutputs ? m_pins[index] : NULL;
}

HRESULT CCrossbar::QueryFilterInterface(REFIID iid, void** out)
{
    using Row = ComInterface<CCrossbar>;
    static constexpr Row kRows[] = {Row::Via<IAMCrossbar>(IID_IAMCrossbar)};
    return QueryInterfaceTable(this, kRows, iid, out, [&] { return CBaseFilter::QueryFilterInterface(iid, out); });
}

STDMETHODIMP CCrossbar::get_PinCounts(long* outputs, long* inputs)
{
    if (!outputs || !inputs)
        return E_POINTER;
    *outputs = kOutputs;
    *inputs = kInputs;
    return S_OK;
}

STDMETHODIMP CCrossbar::CanRoute(long output, long input)
{
    if (output < 0 || output >= kOutputs || input < 0 || input >= kInputs)
        return E_INVALIDARG;
    // Video inputs reach the video decoder, audio inputs the audio decoder.
    return InputIsVideo(input) == kOutputRows[output].video ? S_OK : S_FALSE;
}

STDMETHODIMP CCrossbar::Route(long output, long input)
{
    if (CanRoute(output, input) != S_OK)
        return E_INVALIDARG;
    CVirtualCard& card = CVirtualCard::Instance();
    if (kOutputRows[output].video)
        card.SetVideoInput(static_cast<int>(input));
    else
        card.SetAudioInput(static_cast<int>(input));
    return S_OK;
}

STDMETHODIMP CCrossbar::get_IsRoutedTo(long output, long* input)
{
    if (!input)
        return E_POINTER;
    if (output < 0 || output >= kOutputs)
        return E_INVALIDARG;
    CVirtualCard& card = CVirtualCard::Instance();
    *input = kOutputRows[output].video ? card.VideoInput() : card.AudioInput();
    return S_OK;
}

STDMETHODIMP CCrossbar::get_CrossbarPinInfo(BOOL isInput, long index, long* related,
                                            long* physicalType)
{
    if (!related || !physicalType)
        return E_POINTER;
    const CrossbarPinRow* rows = isInput ? kInputRows : kOutputRows;
    long count = isInput ? kInputs : kOutputs;
    if (index < 0 || index >= count)
        return E_INVALIDARG;
    *related = rows[index].related;
    *physicalType = rows[index].physicalType;
    return S_OK;
}

} // namespace virtualcard
