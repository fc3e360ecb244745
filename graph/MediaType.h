// Media-type helpers: the free functions of the DirectShow media-type
// conventions and CMediaType, an AM_MEDIA_TYPE that owns its format block and
// its pUnk reference. Any thread; no shared state.
#pragma once
#include <windows.h>
#include <mmreg.h>
#include <strmif.h>
#include <uuids.h>

void FreeMediaType(AM_MEDIA_TYPE& mt);
void DeleteMediaType(AM_MEDIA_TYPE* mt);
HRESULT CopyMediaType(AM_MEDIA_TYPE* dst, const AM_MEDIA_TYPE* src);
AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* src);
HRESULT CreateAudioMediaType(const WAVEFORMATEX* wfx, AM_MEDIA_TYPE* mt, BOOL setFormat);

// The media subtype whose first field is a four-character code:
// {XXXXXXXX-0000-0010-8000-00AA00389B71}.
GUID FOURCCMap(DWORD fourcc);

class CMediaType : public AM_MEDIA_TYPE
{
public:
    CMediaType();
    explicit CMediaType(const GUID& majorType);
    CMediaType(const AM_MEDIA_TYPE& src, HRESULT* result = NULL);
    CMediaType(const CMediaType& src, HRESULT* result = NULL);
    ~CMediaType();

    CMediaType& operator=(const AM_MEDIA_TYPE& src);
    CMediaType& operator=(const CMediaType& src);
    // The assignment's result, for callers that must see a failed copy.
    HRESULT Set(const AM_MEDIA_TYPE& src);

    bool operator==(const CMediaType& other) const;
    bool operator!=(const CMediaType& other) const { return !(*this == other); }

    BOOL IsValid() const;
    const GUID* Type() const { return &majortype; }
    const GUID* Subtype() const { return &subtype; }
    const GUID* FormatType() const { return &formattype; }
    BYTE* Format() const { return pbFormat; }
    ULONG FormatLength() const { return cbFormat; }

    void SetType(const GUID* type) { majortype = *type; }
    void SetSubtype(const GUID* type) { subtype = *type; }
    void SetFormatType(const GUID* type) { formattype = *type; }
    void SetSampleSize(ULONG size);
    void SetVariableSize() { bFixedSizeSamples = FALSE; }
    void SetTemporalCompression(BOOL compressed) { bTemporalCompression = compressed; }
    ULONG GetSampleSize() const;

    BYTE* AllocFormatBuffer(ULONG length);
    BYTE* ReallocFormatBuffer(ULONG length);
    BOOL SetFormat(const BYTE* format, ULONG length);
    void ResetFormatBuffer();
    void InitMediaType();

    BOOL IsPartiallySpecified() const;
    BOOL MatchesPartial(const CMediaType* partial) const;

private:
    BYTE* ResizeFormatBuffer(ULONG length, bool keepContents);
};
