// The settings and channel files that start-up could not read whole: copied
// aside and named to the user once.
#include "engine/TVManager.h"

#include "graph/DebugHelper.h"
#include "resources/Resource.h"

#include <vector>

namespace {

// How long the box stays before it closes itself: time to read two paths.
const UINT kUnreadBoxSeconds = 30;

} // namespace

int CTVManager::SetAsideUnreadFiles()
{
    struct Source
    {
        CString path;
        CString aside;
        BOOL copied;
    };
    std::vector<Source> sources;
    auto take = [&](auto& owner) {
        Source source;
        source.copied = owner.SetAsideUnread(&source.path, &source.aside);
        if (!source.path.IsEmpty())
            sources.push_back(source);
    };
    if (m_pSettingsIni)
        take(*m_pSettingsIni);
    take(m_tvTable);
    take(m_fmTable);
    if (sources.empty())
        return 0;

    CString text, copied, kept;
    text.LoadString(IDS_UNREAD_FILES);
    copied.LoadString(IDS_UNREAD_FILE_COPIED);
    kept.LoadString(IDS_UNREAD_FILE_KEPT);
    for (const Source& source : sources) {
        CString line;
        if (source.copied)
            line.Format(copied, (LPCSTR)source.path, (LPCSTR)source.aside);
        else
            line.Format(kept, (LPCSTR)source.path);
        DebugHelper("%s\n", (LPCSTR)line);
        text += "\n\n" + line;
    }
    m_pUi->ShowTimedMessage(text, kUnreadBoxSeconds);
    return (int)sources.size();
}
