#include "graph/FilterCreatorRecord.h"

#include <string.h>

namespace {

// The list and the device index are touched on the UI thread only.
FilterCreatorRecord* g_pHead = NULL;
int g_nDeviceIndex = 0;

} // namespace

BOOL FilterCreatorRecord::IsCLSID(const CLSID* id)
{
    matchedByName = FALSE;
    return clsid && id && IsEqualGUID(*clsid, *id);
}

BOOL FilterCreatorRecord::IsMatch(const GUID* cat, const char* friendlyName)
{
    matchedByName = TRUE;
    if (!category || !cat || !IsEqualGUID(*category, *cat) || !friendlyName)
        return FALSE;
    zunk::CopyName(askedName, sizeof(askedName), friendlyName);
    return IsWildcard() || strcmp(name, friendlyName) == 0;
}

BOOL FilterCreatorRecord::IsWildcard() const
{
    return strcmp(name, CLASS_FILTER_NAME) == 0;
}

void FilterCreatorRecord::Register(FilterCreatorRecord* record)
{
    if (!record)
        return;
    for (FilterCreatorRecord* r = g_pHead; r; r = r->next) {
        if (r == record)
            return;  // linking it twice would make the list a cycle
    }
    record->next = g_pHead;
    g_pHead = record;
}

void FilterCreatorRecord::RegisterAll(FilterCreatorRecord* const* records, size_t count)
{
    for (size_t i = 0; i < count; i++)
        Register(records[i]);
}

void FilterCreatorRecord::Unregister(FilterCreatorRecord* record)
{
    for (FilterCreatorRecord** link = &g_pHead; *link; link = &(*link)->next) {
        if (*link == record) {
            *link = record->next;
            record->next = NULL;
            return;
        }
    }
}

FilterCreatorRecord* FilterCreatorRecord::Head()
{
    return g_pHead;
}

FilterCreatorRecord* FilterCreatorRecord::FindByCLSID(const CLSID* id)
{
    for (FilterCreatorRecord* r = g_pHead; r; r = r->next) {
        if (r->IsCLSID(id))
            return r;
    }
    return NULL;
}

FilterCreatorRecord* FilterCreatorRecord::FindByName(const GUID* cat, const char* friendlyName)
{
    // Two passes: records for an exact name first, then the category's
    // wildcard, so precedence never rests on the order of registration.
    for (int pass = 0; pass < 2; pass++) {
        const BOOL wildcards = pass == 1;
        for (FilterCreatorRecord* r = g_pHead; r; r = r->next) {
            if (r->IsWildcard() == wildcards && r->IsMatch(cat, friendlyName))
                return r;
        }
    }
    return NULL;
}

void FilterCreatorRecord::SetDeviceIndex(int index)
{
    g_nDeviceIndex = index;
}

int FilterCreatorRecord::GetDeviceIndex()
{
    return g_nDeviceIndex;
}
