// CFileSinkStandin: the part the stand-ins that write a file share: the
// file name given through IFileSinkFilter, and the file opened for writing
// under one lock. The concrete filter has the pin and decides when the file
// opens and closes. Control calls come from the graph's threads; writes
// from the streaming thread, under m_csFile.
#pragma once
#include "platform/dshow/BaseFilter.h"

#include <string>

namespace standins {

class CFileSinkStandin : public dshow::CBaseFilter, public IFileSinkFilter
{
public:
    DSHOW_FILTER_IUNKNOWN

    // A new name closes a file still open under the old one.
    STDMETHODIMP SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* mt) override;

protected:
    CFileSinkStandin(const CLSID& clsid, const wchar_t* name);
    ~CFileSinkStandin();
    HRESULT QueryFilterInterface(REFIID iid, void** out) override;
    // Creates (or empties) the named file; E_FAIL without a name.
    HRESULT OpenFile();
    void CloseFile();

    CRITICAL_SECTION m_csFile;  // the name and the file
    std::wstring m_name;
    HANDLE m_hFile;
};

} // namespace standins
