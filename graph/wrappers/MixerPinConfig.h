// IMixerPinConfig and IMixerPinConfig2, the Overlay Mixer's input-pin
// interfaces, as DirectShow documents them: mingw-w64 has their ids
// (strmiids) but no declaration.
#pragma once
#include <windows.h>
#include <ddraw.h>
#include <strmif.h>

enum AM_ASPECT_RATIO_MODE
{
    AM_ARMODE_STRETCHED = 0,
    AM_ARMODE_LETTER_BOX = 1,
    AM_ARMODE_CROP = 2,
    AM_ARMODE_STRETCHED_AS_PRIMARY = 3
};

struct IMixerPinConfig : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetRelativePosition(DWORD left, DWORD top, DWORD right, DWORD bottom) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRelativePosition(DWORD* left, DWORD* top, DWORD* right, DWORD* bottom) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetZOrder(DWORD z) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetZOrder(DWORD* z) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetColorKey(COLORKEY* key) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetColorKey(COLORKEY* key, DWORD* paintColor) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBlendingParameter(DWORD value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBlendingParameter(DWORD* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetAspectRatioMode(AM_ASPECT_RATIO_MODE mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetAspectRatioMode(AM_ASPECT_RATIO_MODE* mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetStreamTransparent(BOOL transparent) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetStreamTransparent(BOOL* transparent) = 0;
};

struct IMixerPinConfig2 : public IMixerPinConfig
{
    virtual HRESULT STDMETHODCALLTYPE SetOverlaySurfaceColorControls(DDCOLORCONTROL* colors) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetOverlaySurfaceColorControls(DDCOLORCONTROL* colors) = 0;
};
