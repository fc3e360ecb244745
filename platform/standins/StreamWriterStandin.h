// CStreamWriterStandin: a file writer whose input pin also offers IStream,
// through which a multiplexer (the AVI Mux) writes its file and goes back
// to fill in headers and the index; samples that arrive by IMemInputPin
// are written at the byte offset their start time carries. The file is
// opened when the graph pauses and kept open until the filter goes or is
// given another name, since the multiplexer writes its index after the
// writer has stopped. Control calls come from the graph's threads, writes
// from the multiplexer's.
#pragma once
#include "platform/standins/FileSinkStandin.h"


namespace standins {

class CStreamWriterStandin : public CFileSinkStandin
{
public:
    static HRESULT Create(IUnknown** out);

    int GetPinCount() override { return 1; }
    dshow::CBasePin* GetPin(int index) override;

private:
    class CWriterPin;
    friend class CWriterPin;
    CStreamWriterStandin();
    ~CStreamWriterStandin();
    HRESULT Open();
    HRESULT WriteAt(ULONGLONG offset, const void* data, ULONG size, ULONG* written);
    HRESULT Seek(LONGLONG move, DWORD origin, ULARGE_INTEGER* position);

    CWriterPin* m_pPin;
    ULONGLONG m_position;  // under m_csFile
};

} // namespace standins
