// How a card family lists its filter-creator records: capture filters,
// crossbars, TV-audio and encoder filters found by category and device
// name only, each made by its wrapper class, in one table per family that
// the family's registration function links in (and tests take out again).
// UI thread.
#pragma once
#include "graph/FilterCreatorRecord.h"

#include <ks.h>
#include <ksmedia.h>
#include <uuids.h>

#define CAPTURE_RECORD(name, Class) \
    FILTER_CREATOR_RECORD(NULL, &CLSID_VideoInputDeviceCategory, name, CreateFilterWrapper<Class>)
#define CROSSBAR_RECORD(name, Class) \
    FILTER_CREATOR_RECORD(NULL, &AM_KSCATEGORY_CROSSBAR, name, CreateFilterWrapper<Class>)
#define TVAUDIO_RECORD(name, Class) \
    FILTER_CREATOR_RECORD(NULL, &AM_KSCATEGORY_TVAUDIO, name, CreateFilterWrapper<Class>)
#define ENCODER_RECORD(name, Class) \
    FILTER_CREATOR_RECORD(NULL, &KSCATEGORY_ENCODER, name, CreateFilterWrapper<Class>)

template <size_t N>
void RegisterRecords(FilterCreatorRecord (&records)[N])
{
    for (FilterCreatorRecord& record : records)
        FilterCreatorRecord::Register(&record);
}

template <size_t N>
void UnregisterRecords(FilterCreatorRecord (&records)[N])
{
    for (FilterCreatorRecord& record : records)
        FilterCreatorRecord::Unregister(&record);
}
