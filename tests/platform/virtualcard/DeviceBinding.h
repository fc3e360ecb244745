// Finds a registered device by category and FriendlyName through the system
// device enumerator and binds its filter, as the program's graph does.
#pragma once
#include <dshow.h>

HRESULT BindDevice(const GUID& category, const wchar_t* name, IBaseFilter** filter);
