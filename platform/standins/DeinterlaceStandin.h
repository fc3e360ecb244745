// CDeinterlaceStandin: stands in for the maker's deinterlace filter where
// it is not installed (the test and run Wine prefixes). "Input" takes the
// card's YUY2 or RGB32 picture; "Preview" and "Capture" pass it on
// unchanged (no deinterlacing is done), in the input's format or as RGB32.
// Its control interface keeps the settings the engine gives it and saves
// the latest picture as a bitmap file. Control calls come from the graph's
// threads; samples arrive on the card's streaming thread.
#pragma once
#include "platform/standins/PassThroughFilter.h"

#include <vector>

namespace standins {

// The control interface as the wrapper calls it (graph/wrappers/
// HelperSlots.h): methods in slot order from 3. Booleans are 16-bit.
struct IDeinterlaceControl : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE GetDeinterlace(int* mode) = 0;          // 3
    virtual HRESULT STDMETHODCALLTYPE SetDeinterlace(int mode) = 0;           // 4
    virtual HRESULT STDMETHODCALLTYPE GetNoiseReduce(short* on) = 0;          // 5
    virtual HRESULT STDMETHODCALLTYPE SetNoiseReduce(short on) = 0;           // 6
    virtual HRESULT STDMETHODCALLTYPE GetHalfRate(short* on) = 0;             // 7
    virtual HRESULT STDMETHODCALLTYPE SetHalfRate(short on) = 0;              // 8
    virtual HRESULT STDMETHODCALLTYPE GetReduceValue(int* level) = 0;         // 9
    virtual HRESULT STDMETHODCALLTYPE SetReduceValue(int level) = 0;          // 10
    virtual HRESULT STDMETHODCALLTYPE TakeSnapshot(const wchar_t* path, int format, int quality) = 0;  // 11
    virtual HRESULT STDMETHODCALLTYPE GetCaptureOption(short* on) = 0;        // 12
    virtual HRESULT STDMETHODCALLTYPE SetCaptureOption(short on) = 0;         // 13
};

class CDeinterlaceStandin : public CPassThroughFilter, public IDeinterlaceControl
{
public:
    static HRESULT Create(IUnknown** out);

    DSHOW_FILTER_IUNKNOWN

    HRESULT CheckInputType(CForwardInputPin* pin, const AM_MEDIA_TYPE* mt) override;
    HRESULT GetExtraOutputType(CForwardOutputPin* pin, int index, CMediaType* mt) override;
    HRESULT CheckOutputType(CForwardOutputPin* pin, const AM_MEDIA_TYPE* mt) override;
    HRESULT OnSample(CForwardInputPin* pin, IMediaSample* sample) override;

    STDMETHODIMP GetDeinterlace(int* mode) override;
    STDMETHODIMP SetDeinterlace(int mode) override;
    STDMETHODIMP GetNoiseReduce(short* on) override;
    STDMETHODIMP SetNoiseReduce(short on) override;
    STDMETHODIMP GetHalfRate(short* on) override;
    STDMETHODIMP SetHalfRate(short on) override;
    STDMETHODIMP GetReduceValue(int* level) override;
    STDMETHODIMP SetReduceValue(int level) override;
    // Format 1 saves the latest picture as a 24-bit bitmap; JPEG (2) is
    // not available here and answers E_NOTIMPL.
    STDMETHODIMP TakeSnapshot(const wchar_t* path, int format, int quality) override;
    STDMETHODIMP GetCaptureOption(short* on) override;
    STDMETHODIMP SetCaptureOption(short on) override;

protected:
    HRESULT QueryFilterInterface(REFIID iid, void** out) override;

private:
    CDeinterlaceStandin();
    ~CDeinterlaceStandin();
    HRESULT CopyTo(CForwardOutputPin* out, IMediaSample* sample, const BYTE* data, long length);

    CForwardInputPin* m_pInput;
    CRITICAL_SECTION m_csSettings;  // the settings below
    int m_nMode;
    short m_nNoiseReduce, m_nHalfRate, m_nCaptureOption;
    int m_nReduceValue;
    CRITICAL_SECTION m_csPicture;   // the latest picture; taken by the streaming thread
    std::vector<BYTE> m_picture;
};

} // namespace standins
