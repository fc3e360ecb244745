// CDumpStandin: stands in for the "Dump" sink: writes every sample of its
// "Input" to the file given through IFileSinkFilter, from the start of each
// run. The file is opened when the graph pauses and closed when it stops.
// Control calls come from the graph's threads; samples arrive on the
// upstream streaming thread.
#pragma once
#include "platform/standins/FileSinkStandin.h"

namespace standins {

class CDumpStandin : public CFileSinkStandin
{
public:
    static HRESULT Create(IUnknown** out);

    int GetPinCount() override { return 1; }
    dshow::CBasePin* GetPin(int index) override;

private:
    class CDumpPin;
    friend class CDumpPin;
    CDumpStandin();
    ~CDumpStandin();
    HRESULT Write(IMediaSample* sample);

    CDumpPin* m_pPin;
};

} // namespace standins
