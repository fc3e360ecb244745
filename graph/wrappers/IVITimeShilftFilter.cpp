#include "graph/wrappers/IVITimeShilftFilter.h"

#include <string.h>


#include "graph/Guids.h"

using zunk::CallSlot;

namespace {

// A COM string from narrow text in the ANSI code page; NULL when it fails.
BSTR AnsiToBstr(const char* text, size_t length)
{
    if (length == 0)
        return SysAllocString(L"");
    int chars = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), NULL, 0);
    if (chars <= 0)
        return NULL;
    BSTR result = SysAllocStringLen(NULL, static_cast<UINT>(chars));
    if (result && MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), result, chars) !=
                      chars) {
        SysFreeString(result);
        return NULL;
    }
    return result;
}

// Clears the settings, freeing their strings, when the scope ends.
class SettingsScope
{
public:
    explicit SettingsScope(IVITimeShiftSettings* settings) : m_settings(settings) {}
    ~SettingsScope() { m_settings->Clear(); }

private:
    IVITimeShiftSettings* m_settings;
};

} // namespace

IVITimeShiftSettings::IVITimeShiftSettings()
    : folder(NULL), fileName(NULL), sizeKiB(512), value128(128), sizeBytes(512 * 1024), mode(0) {}

void IVITimeShiftSettings::Clear()
{
    SysFreeString(folder);
    SysFreeString(fileName);
    folder = NULL;
    fileName = NULL;
    sizeKiB = 0;
    mode = 0;
}

BOOL CIVITimeShilftFilter::Init()
{
    m_pControl.Reset();
    return CRootFilter::Init() &&
           zunk::QueryCodecInterface(m_pFilter, IID_IIVITimeShiftControl, m_pControl);
}

BOOL CIVITimeShilftFilter::SetBuffer(const char* path, LONG mode, LONG rate, LONG duration)
{
    if (!m_pControl || !path)
        return FALSE;
    IVITimeShiftSettings settings;
    SettingsScope scope(&settings);
    if (FAILED(m_pControl->GetSettings(&settings)))
        return FALSE;
    const size_t length = strnlen(path, kMaxPath + 1);
    const char* slash = strrchr(path, '\\');
    if (length > kMaxPath || !slash)
        return FALSE;

    // Computed in 64 bits: a rate and duration whose bytes pass 2 GiB are
    // refused rather than wrapped into another size.
    const LONGLONG kib = static_cast<LONGLONG>(rate) * duration / 8;
    const LONGLONG bytes = kib * 1024;
    if (kib <= 0 || bytes > MAXLONG)
        return FALSE;

    // The strings the filter returned are ours to free before they are replaced.
    BSTR folder = AnsiToBstr(path, static_cast<size_t>(slash - path));
    BSTR fileName = AnsiToBstr(slash + 1, strlen(slash + 1));
    settings.Clear();
    settings.folder = folder;
    settings.fileName = fileName;
    if (!folder || !fileName)
        return FALSE;
    settings.mode = mode;
    settings.sizeKiB = static_cast<LONG>(kib);
    settings.sizeBytes = static_cast<LONG>(bytes);
    return SUCCEEDED(m_pControl->SetSettings(settings)) &&
           SUCCEEDED(m_pControl->SetRate(rate));
}

BOOL CIVITimeShilftFilter::SetBufferPath(const char* path)
{
    if (!path || strnlen(path, kMaxPath + 1) > kMaxPath)
        return FALSE;
    char buffer[kMaxPath + 1] = {};
    memcpy(buffer, path, strlen(path));
    return CallSlot(m_pControl.Get(), &IIVITimeShiftControl::SetBufferPath, buffer);
}

BOOL CIVITimeShilftFilter::Control19()
{
    return CallSlot(m_pControl.Get(), &IIVITimeShiftControl::Control19);
}

BOOL CIVITimeShilftFilter::Control20()
{
    return CallSlot(m_pControl.Get(), &IIVITimeShiftControl::Control20);
}

CODEC_FORWARD_VALUE(CIVITimeShilftFilter, SetControl13, m_pControl, IIVITimeShiftControl::Control13)
CODEC_FORWARD_VALUE(CIVITimeShilftFilter, SetControl15, m_pControl, IIVITimeShiftControl::Control15)
CODEC_FORWARD_VALUE(CIVITimeShilftFilter, SetControl16, m_pControl, IIVITimeShiftControl::Control16)
CODEC_FORWARD_VALUE(CIVITimeShilftFilter, SetControl17, m_pControl, IIVITimeShiftControl::Control17)

BOOL CIVITimeShilftFilter::SetPosition(const LONGLONG* position)
{
    if (!position)
        return FALSE;
    const ULONGLONG value = static_cast<ULONGLONG>(*position);
    return CallSlot(m_pControl.Get(), &IIVITimeShiftControl::SetPosition,
                    static_cast<DWORD>(value), static_cast<DWORD>(value >> 32), 1L);
}
