// CDumpStandin: stands in for the "Dump" sink: writes every sample of its
// "Input" to the file given through IFileSinkFilter, from the start of each
// run. The file is opened when the graph pauses and closed when it stops.
// Control calls come from the graph's threads; samples arrive on the
// upstream streaming thread.
#pragma once
#include "platform/dshow/BaseFilter.h"

#include <string>

namespace standins {

class CDumpStandin : public dshow::CBaseFilter, public IFileSinkFilter
{
public:
    static HRESULT Create(IUnknown** out);

    DSHOW_FILTER_IUNKNOWN

    int GetPinCount() override { return 1; }
    dshow::CBasePin* GetPin(int index) override;

    STDMETHODIMP SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* mt) override;

protected:
    HRESULT QueryFilterInterface(REFIID iid, void** out) override;

private:
    class CDumpPin;
    friend class CDumpPin;
    CDumpStandin();
    ~CDumpStandin();
    HRESULT Open();
    void Close();
    HRESULT Write(IMediaSample* sample);

    CDumpPin* m_pPin;
    CRITICAL_SECTION m_csFile;  // the name and the file
    std::wstring m_name;
    HANDLE m_hFile;
};

} // namespace standins
