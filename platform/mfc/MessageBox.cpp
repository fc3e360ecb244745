#include "platform/mfc/MessageBox.h"

#include "platform/mfc/Resource.h"
#include "platform/mfc/String.h"

#include <atomic>

namespace {

std::atomic<AfxMessageBoxHook> g_hook(NULL);

} // namespace

AfxMessageBoxHook AfxSetMessageBoxHook(AfxMessageBoxHook hook)
{
    return g_hook.exchange(hook);
}

int AfxShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    AfxMessageBoxHook hook = g_hook.load();
    if (hook)
        return hook(owner, text ? text : "", caption ? caption : "", type);
    return ::MessageBoxA(owner, text ? text : "", caption ? caption : "", type);
}

int AfxMessageBox(LPCSTR text, UINT type, UINT /*helpId*/)
{
    return AfxShowMessageBox(::GetActiveWindow(), text, AfxGetAppName(), type);
}

int AfxMessageBox(UINT textId, UINT type, UINT /*helpId*/)
{
    CString text;
    text.LoadString(textId);
    return AfxMessageBox(text, type, 0);
}
