#include "graph/wrappers/FileSinkName.h"

#include <string>

#include "graph/ComPtr.h"
#include "graph/MediaType.h"
#include "graph/NameText.h"

namespace zunk {

HRESULT SetSinkFileName(IFileSinkFilter* sink, const char* path)
{
    if (!sink || !path)
        return E_POINTER;
    int chars = MultiByteToWideChar(CP_ACP, 0, path, -1, NULL, 0);
    if (chars <= 0)
        return E_INVALIDARG;
    std::wstring wide(chars, L'\0');
    if (!AnsiToWide(path, &wide[0], chars))
        return E_INVALIDARG;
    return sink->SetFileName(wide.c_str(), NULL);
}

HRESULT GetSinkFileName(IFileSinkFilter* sink, char* name, int size)
{
    if (!sink || !name || size <= 0)
        return E_POINTER;
    name[0] = 0;
    LPOLESTR wide = NULL;
    // Some sinks fill the media type without testing for NULL; the type
    // frees what they put in it.
    CMediaType mt;
    HRESULT hr = sink->GetCurFile(&wide, &mt);
    if (SUCCEEDED(hr) && (!wide || !WideToAnsi(wide, name, size)))
        hr = wide ? HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER) : E_UNEXPECTED;
    CoTaskMemFree(wide);
    return hr;
}

HRESULT SetFilterFileName(IBaseFilter* filter, const char* path)
{
    ComPtr<IFileSinkFilter> sink;
    HRESULT hr = sink.QueryFrom(filter, IID_IFileSinkFilter);
    return FAILED(hr) ? hr : SetSinkFileName(sink.Get(), path);
}

HRESULT GetFilterFileName(IBaseFilter* filter, char* name, int size)
{
    if (name && size > 0)
        name[0] = 0;
    ComPtr<IFileSinkFilter> sink;
    HRESULT hr = sink.QueryFrom(filter, IID_IFileSinkFilter);
    return FAILED(hr) ? hr : GetSinkFileName(sink.Get(), name, size);
}

} // namespace zunk
