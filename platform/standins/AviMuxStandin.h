// CAviMuxStandin: an AVI multiplexer for the run prefix, where Wine's AVI
// Mux takes no sound. Its inputs take video (VIDEOINFOHEADER) and audio
// (WAVEFORMATEX) streams, one each, in the order they were connected; its
// "AVI Out" pin writes the file (CAviWriter) through the IStream of the
// file writer it is connected to. The file is begun by the first sample
// after a pause and finished when the filter stops. It answers the AVI
// Mux's configuration interfaces, keeping what it is told. Control calls
// come from the graph's threads, samples from each input's streaming
// thread.
#pragma once
#include "platform/dshow/BaseFilter.h"
#include "platform/standins/AviWriter.h"

#include <dshow.h>

namespace standins {

// {7B1E2D64-3C5A-4F08-9D27-61E4A8B0C954}, our choice: the tests make the
// stand-in by this id; the run prefix serves it under the AVI Mux's.
const CLSID CLSID_AviMuxStandin = {0x7b1e2d64, 0x3c5a, 0x4f08, {0x9d, 0x27, 0x61, 0xe4, 0xa8, 0xb0, 0xc9, 0x54}};

class CAviMuxStandin : public dshow::CBaseFilter, public IConfigAviMux, public IConfigInterleaving
{
public:
    static HRESULT Create(IUnknown** out);
    // Inputs a graph can connect; one always stays free for the next.
    static const int kInputCount = 8;

    DSHOW_FILTER_IUNKNOWN

    int GetPinCount() override { return kInputCount + 1; }
    dshow::CBasePin* GetPin(int index) override;

    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;

    // IConfigAviMux
    STDMETHODIMP SetMasterStream(LONG stream) override;
    STDMETHODIMP GetMasterStream(LONG* stream) override;
    STDMETHODIMP SetOutputCompatibilityIndex(BOOL oldIndex) override;
    STDMETHODIMP GetOutputCompatibilityIndex(BOOL* oldIndex) override;
    // IConfigInterleaving
    STDMETHODIMP put_Mode(InterleavingMode mode) override;
    STDMETHODIMP get_Mode(InterleavingMode* mode) override;
    STDMETHODIMP put_Interleaving(const REFERENCE_TIME* interleave, const REFERENCE_TIME* preroll) override;
    STDMETHODIMP get_Interleaving(REFERENCE_TIME* interleave, REFERENCE_TIME* preroll) override;

protected:
    HRESULT QueryFilterInterface(REFIID iid, void** out) override;

private:
    class CInputPin;
    class COutputPin;
    friend class CInputPin;
    CAviMuxStandin();
    ~CAviMuxStandin();
    HRESULT Receive(CInputPin* pin, IMediaSample* sample);
    HRESULT BeginFile();

    CInputPin* m_inputs[kInputCount];
    COutputPin* m_pOutput;
    CRITICAL_SECTION m_csFile;      // the writer and the stream list
    CAviWriter m_writer;
    CInputPin* m_streams[kInputCount];  // the connected inputs in connection order
    int m_nStreams;
    bool m_bRunning;                // paused or running: samples are written
    CRITICAL_SECTION m_csConfig;    // the settings below
    LONG m_lMasterStream;
    BOOL m_bOldIndex;
    InterleavingMode m_mode;
    REFERENCE_TIME m_tInterleave, m_tPreroll;
};

} // namespace standins
