#include "platform/virtualcard/TVAudioFilter.h"

#include "platform/virtualcard/VirtualCard.h"
#include "platform/virtualcard/VirtualCardIds.h"

#include <new>

namespace virtualcard {

namespace {

// What the card's sound decoder can do: mono, stereo and the two languages
// of a dual-sound broadcast.
const long kSupportedModes = AMTVAUDIO_MODE_MONO | AMTVAUDIO_MODE_STEREO |
                             AMTVAUDIO_MODE_LANG_A | AMTVAUDIO_MODE_LANG_B | AMTVAUDIO_MODE_LANG_C;

} // namespace

HRESULT CTVAudioFilter::Create(IUnknown** out)
{
    if (!out)
        return E_POINTER;
    CTVAudioFilter* filter = new (std::nothrow) CTVAudioFilter();
    if (!filter)
        return E_OUTOFMEMORY;
    *out = static_cast<IBaseFilter*>(filter);
    return S_OK;
}

CTVAudioFilter::CTVAudioFilter()
    : CBaseFilter(CLSID_VirtualCardBdaTVAudio, kBdaTVAudioName)
{
}

HRESULT CTVAudioFilter::QueryFilterInterface(REFIID iid, void** out)
{
    using Row = ComInterface<CTVAudioFilter>;
    static constexpr Row kRows[] = {Row::Via<IAMTVAudio>(IID_IAMTVAudio)};
    return QueryInterfaceTable(this, kRows, iid, out, [&] { return CBaseFilter::QueryFilterInterface(iid, out); });
}

STDMETHODIMP CTVAudioFilter::GetHardwareSupportedTVAudioModes(long* modes)
{
    if (!modes)
        return E_POINTER;
    *modes = kSupportedModes;
    return S_OK;
}

STDMETHODIMP CTVAudioFilter::GetAvailableTVAudioModes(long* modes)
{
    // The simulated broadcast carries every mode.
    return GetHardwareSupportedTVAudioModes(modes);
}

STDMETHODIMP CTVAudioFilter::get_TVAudioMode(long* mode)
{
    if (!mode)
        return E_POINTER;
    *mode = CVirtualCard::Instance().TVAudioMode();
    return S_OK;
}

STDMETHODIMP CTVAudioFilter::put_TVAudioMode(long mode)
{
    // One sound mode at a time, and one the decoder has.
    if (mode == 0 || (mode & ~kSupportedModes) != 0 || (mode & (mode - 1)) != 0)
        return E_INVALIDARG;
    CVirtualCard::Instance().SetTVAudioMode(mode);
    return S_OK;
}

STDMETHODIMP CTVAudioFilter::RegisterNotificationCallBack(IAMTunerNotification*, long)
{
    return E_NOTIMPL;
}

STDMETHODIMP CTVAudioFilter::UnRegisterNotificationCallBack(IAMTunerNotification*)
{
    return E_NOTIMPL;
}

} // namespace virtualcard
