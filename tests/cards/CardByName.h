// Card and crossbar wrappers made for tests the way the filter-creator
// registry makes them for a device name, over a fake driver filter, then
// SetDefaults and Init once. NULL when no record answers the name or the
// record makes another class.
#pragma once
#include "cards/TVCardFilter.h"
#include "graph/FilterCreatorRecord.h"

#include <uuids.h>

#include <memory>

template <class T = CTVCardFilter>
std::unique_ptr<T> MakeCardByName(const char* name, IBaseFilter* filter, CRootGraph* graph = NULL,
                                  const GUID& category = CLSID_VideoInputDeviceCategory)
{
    FilterCreatorRecord* record = FilterCreatorRecord::FindByName(&category, name);
    if (!record)
        return nullptr;
    std::unique_ptr<CRootFilter> made(record->creator(graph, FALSE, *record, filter));
    T* card = dynamic_cast<T*>(made.get());
    if (!card)
        return nullptr;
    made.release();
    card->InitOnce();
    return std::unique_ptr<T>(card);
}
