#include "graph/MediaType.h"

#include <cstring>

void FreeMediaType(AM_MEDIA_TYPE& mt)
{
    if (mt.cbFormat != 0) {
        CoTaskMemFree(mt.pbFormat);
        mt.cbFormat = 0;
        mt.pbFormat = NULL;
    }
    if (mt.pUnk) {
        mt.pUnk->Release();
        mt.pUnk = NULL;
    }
}

void DeleteMediaType(AM_MEDIA_TYPE* mt)
{
    if (!mt)
        return;
    FreeMediaType(*mt);
    CoTaskMemFree(mt);
}

HRESULT CopyMediaType(AM_MEDIA_TYPE* dst, const AM_MEDIA_TYPE* src)
{
    *dst = *src;
    if (src->cbFormat != 0 && src->pbFormat) {
        dst->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(src->cbFormat));
        if (!dst->pbFormat) {
            dst->cbFormat = 0;
            dst->pUnk = NULL;  // the copy holds no reference it could release
            return E_OUTOFMEMORY;
        }
        memcpy(dst->pbFormat, src->pbFormat, src->cbFormat);
    } else {
        // No block to copy: the copy owns none either.
        dst->cbFormat = 0;
        dst->pbFormat = NULL;
    }
    if (dst->pUnk)
        dst->pUnk->AddRef();
    return S_OK;
}

AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* src)
{
    AM_MEDIA_TYPE* mt = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!mt)
        return NULL;
    if (FAILED(CopyMediaType(mt, src))) {
        CoTaskMemFree(mt);
        return NULL;
    }
    return mt;
}

GUID FOURCCMap(DWORD fourcc)
{
    GUID guid = { fourcc, 0x0000, 0x0010, { 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 } };
    return guid;
}

HRESULT CreateAudioMediaType(const WAVEFORMATEX* wfx, AM_MEDIA_TYPE* mt, BOOL setFormat)
{
    memset(mt, 0, sizeof(*mt));
    mt->majortype = MEDIATYPE_Audio;
    // The extensible format names its sub-format only when its extension is
    // there: cbSize must cover the 22 bytes after the base structure.
    const ULONG extensibleExtra = sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX);
    if (wfx->wFormatTag == WAVE_FORMAT_EXTENSIBLE && wfx->cbSize >= extensibleExtra)
        mt->subtype = reinterpret_cast<const WAVEFORMATEXTENSIBLE*>(wfx)->SubFormat;
    else
        mt->subtype = FOURCCMap(wfx->wFormatTag);
    mt->formattype = FORMAT_WaveFormatEx;
    mt->bFixedSizeSamples = TRUE;
    mt->bTemporalCompression = FALSE;
    mt->lSampleSize = wfx->nBlockAlign;
    mt->pUnk = NULL;
    if (!setFormat)
        return S_OK;

    const bool pcm = wfx->wFormatTag == WAVE_FORMAT_PCM;
    const ULONG size = sizeof(WAVEFORMATEX) + (pcm ? 0 : wfx->cbSize);
    mt->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(size));
    if (!mt->pbFormat)
        return E_OUTOFMEMORY;
    mt->cbFormat = size;
    memcpy(mt->pbFormat, wfx, size);
    if (pcm)
        reinterpret_cast<WAVEFORMATEX*>(mt->pbFormat)->cbSize = 0;
    return S_OK;
}

// ---------------------------------------------------------------------------

CMediaType::CMediaType()
{
    InitMediaType();
}

CMediaType::CMediaType(const GUID& majorType)
{
    InitMediaType();
    majortype = majorType;
}

CMediaType::CMediaType(const AM_MEDIA_TYPE& src, HRESULT* result)
{
    HRESULT hr = CopyMediaType(this, &src);
    if (result)
        *result = hr;
}

CMediaType::CMediaType(const CMediaType& src, HRESULT* result)
    : CMediaType(static_cast<const AM_MEDIA_TYPE&>(src), result)
{
}

CMediaType::~CMediaType()
{
    FreeMediaType(*this);
}

HRESULT CMediaType::Set(const AM_MEDIA_TYPE& src)
{
    if (&src == this)
        return S_OK;
    FreeMediaType(*this);
    return CopyMediaType(this, &src);
}

CMediaType& CMediaType::operator=(const AM_MEDIA_TYPE& src)
{
    Set(src);
    return *this;
}

CMediaType& CMediaType::operator=(const CMediaType& src)
{
    Set(src);
    return *this;
}

bool CMediaType::operator==(const CMediaType& other) const
{
    if (!IsEqualGUID(majortype, other.majortype) || !IsEqualGUID(subtype, other.subtype) ||
        !IsEqualGUID(formattype, other.formattype) || cbFormat != other.cbFormat)
        return false;
    if (cbFormat == 0)
        return true;
    if (!pbFormat || !other.pbFormat)
        return false;
    return memcmp(pbFormat, other.pbFormat, cbFormat) == 0;
}

BOOL CMediaType::IsValid() const
{
    return !IsEqualGUID(majortype, GUID_NULL);
}

void CMediaType::SetSampleSize(ULONG size)
{
    if (size == 0) {
        SetVariableSize();
    } else {
        bFixedSizeSamples = TRUE;
        lSampleSize = size;
    }
}

ULONG CMediaType::GetSampleSize() const
{
    return bFixedSizeSamples ? lSampleSize : 0;
}

BYTE* CMediaType::ResizeFormatBuffer(ULONG length, bool keepContents)
{
    if (cbFormat == length && (pbFormat || length == 0))
        return pbFormat;
    BYTE* block = static_cast<BYTE*>(CoTaskMemAlloc(length));
    if (!block)
        return cbFormat >= length ? pbFormat : NULL;
    if (keepContents && pbFormat)
        memcpy(block, pbFormat, cbFormat < length ? cbFormat : length);
    if (cbFormat != 0)
        CoTaskMemFree(pbFormat);
    pbFormat = block;
    cbFormat = length;
    return block;
}

BYTE* CMediaType::AllocFormatBuffer(ULONG length)
{
    return ResizeFormatBuffer(length, false);
}

BYTE* CMediaType::ReallocFormatBuffer(ULONG length)
{
    return ResizeFormatBuffer(length, true);
}

BOOL CMediaType::SetFormat(const BYTE* format, ULONG length)
{
    if (!AllocFormatBuffer(length))
        return FALSE;
    if (length)
        memcpy(pbFormat, format, length);
    return TRUE;
}

void CMediaType::ResetFormatBuffer()
{
    if (cbFormat != 0)
        CoTaskMemFree(pbFormat);
    cbFormat = 0;
    pbFormat = NULL;
}

void CMediaType::InitMediaType()
{
    memset(static_cast<AM_MEDIA_TYPE*>(this), 0, sizeof(AM_MEDIA_TYPE));
    bFixedSizeSamples = TRUE;
    lSampleSize = 1;
}

BOOL CMediaType::IsPartiallySpecified() const
{
    return IsEqualGUID(majortype, GUID_NULL) || IsEqualGUID(formattype, GUID_NULL);
}

BOOL CMediaType::MatchesPartial(const CMediaType* partial) const
{
    if (!IsEqualGUID(partial->majortype, GUID_NULL) && !IsEqualGUID(majortype, partial->majortype))
        return FALSE;
    if (!IsEqualGUID(partial->subtype, GUID_NULL) && !IsEqualGUID(subtype, partial->subtype))
        return FALSE;
    if (!IsEqualGUID(partial->formattype, GUID_NULL)) {
        if (!IsEqualGUID(formattype, partial->formattype) || cbFormat != partial->cbFormat)
            return FALSE;
        if (cbFormat != 0 && (!pbFormat || !partial->pbFormat ||
                              memcmp(pbFormat, partial->pbFormat, cbFormat) != 0))
            return FALSE;
    }
    return TRUE;
}
