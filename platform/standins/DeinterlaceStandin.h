// CDeinterlaceStandin: stands in for the maker's deinterlace filter where
// it is not installed (the test and run Wine prefixes). "Input" takes the
// card's YUY2 or RGB32 picture; "Preview" and "Capture" pass it on
// unchanged (no deinterlacing is done), in the input's format or as RGB32.
// Its control interface (graph/wrappers/HelperInterfaces.h) keeps the
// settings the engine gives it and saves the next picture as a bitmap or
// JPEG file (a picture is copied only when one is asked for). Control calls come from
// the graph's threads; samples arrive on the card's streaming thread.
#pragma once
#include "graph/wrappers/HelperInterfaces.h"
#include "platform/standins/PassThroughFilter.h"

#include <vector>

namespace standins {

class CDeinterlaceStandin : public CPassThroughFilter, public IDeinterlaceControl
{
public:
    static HRESULT Create(IUnknown** out);
    // Ten frame times at 25 a second.
    static const DWORD kSnapshotWaitMs = 400;

    DSHOW_FILTER_IUNKNOWN

    HRESULT CheckInputType(CForwardInputPin* pin, const AM_MEDIA_TYPE* mt) override;
    HRESULT GetExtraOutputType(CForwardOutputPin* pin, int index, CMediaType* mt) override;
    HRESULT CheckOutputType(CForwardOutputPin* pin, const AM_MEDIA_TYPE* mt) override;
    HRESULT OnSample(CForwardInputPin* pin, IMediaSample* sample) override;

    // The places the outside filter's interface has and the program never
    // calls.
    STDMETHODIMP Reserved3() override { return E_NOTIMPL; }
    STDMETHODIMP Reserved12() override { return E_NOTIMPL; }
    STDMETHODIMP SetDeinterlace(int mode) override;
    STDMETHODIMP GetNoiseReduce(short* on) override;
    STDMETHODIMP SetNoiseReduce(short on) override;
    STDMETHODIMP GetHalfRate(short* on) override;
    STDMETHODIMP SetHalfRate(short on) override;
    STDMETHODIMP GetReduceValue(int* level) override;
    STDMETHODIMP SetReduceValue(int level) override;
    // Saves the next picture to pass (waiting for it at most
    // kSnapshotWaitMs; VFW_E_WRONG_STATE when none comes): format 1 as a
    // 24-bit bitmap, 2 as a JPEG file of that quality (0-100).
    STDMETHODIMP TakeSnapshot(const wchar_t* path, int format, int quality) override;
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
    CRITICAL_SECTION m_csSnapshot;  // one snapshot at a time
    CRITICAL_SECTION m_csPicture;   // the request and the picture copied for it
    bool m_bPictureWanted;
    std::vector<BYTE> m_picture;
    HANDLE m_hPictureTaken;         // set by the streaming thread once it copied one
};

} // namespace standins
