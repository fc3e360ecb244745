// The file name of a filter that writes its own file, through its
// IFileSinkFilter, in the program's narrow ANSI text. The graph's thread.
#pragma once
#include <windows.h>
#include <strmif.h>

namespace zunk {

// SetFileName with the path converted to UTF-16 and no media type: its
// HRESULT; E_POINTER without a sink or a path.
HRESULT SetSinkFileName(IFileSinkFilter* sink, const char* path);

// GetCurFile, the name converted to ANSI into name (size bytes, always
// terminated): GetCurFile's HRESULT, E_POINTER without a sink or a buffer,
// and HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER), with name left empty,
// when the name does not fit. The filter's copy of the name is freed.
HRESULT GetSinkFileName(IFileSinkFilter* sink, char* name, int size);

// The same through a sink asked of the filter for this one call.
HRESULT SetFilterFileName(IBaseFilter* filter, const char* path);
HRESULT GetFilterFileName(IBaseFilter* filter, char* name, int size);

} // namespace zunk
