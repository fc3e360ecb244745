// FilterCreatorRecord: which wrapper class the graph makes for a class id or
// for a device category and FriendlyName. Each wrapper class holds one static
// record; each library lists its records in one registration function that
// start-up calls, so no record depends on the order
// of static construction and none is dropped by the linker. UI thread only.
#pragma once
#include <windows.h>
#include <strmif.h>

#include <new>

#include "graph/NameText.h"

class CRootFilter;
class CRootGraph;
struct FilterCreatorRecord;

// Makes the wrapper for a record (never adds it to the graph, never runs
// Init). existing is NULL except when wrapping a filter already in a graph.
typedef CRootFilter* (*FilterCreatorFn)(CRootGraph* graph, BOOL firstMatch,
                                        const FilterCreatorRecord& record, IBaseFilter* existing);

// The FriendlyName of a record that answers to any device of its category.
#define CLASS_FILTER_NAME "CLASS_FILTER"

// A record's initialiser: constant, so every record is complete before any
// code of the program runs.
#define FILTER_CREATOR_RECORD(clsid, category, name, creator) \
    { (clsid), (category), name, (creator), NULL, FALSE, name }

struct FilterCreatorRecord
{
    const CLSID* clsid;      // NULL for records found by category and name
    const GUID* category;    // NULL for records found by class id
    char name[zunk::kNameSize];  // FriendlyName, CLASS_FILTER_NAME, or the usual name
    FilterCreatorFn creator;
    FilterCreatorRecord* next;
    BOOL matchedByName;      // how the record was last tested; read by the creator
    char askedName[zunk::kNameSize];  // the name it was last matched with

    // Class-id test; clears matchedByName.
    BOOL IsCLSID(const CLSID* id);
    // Category and exact name (or wildcard) test; sets matchedByName and
    // keeps friendlyName in askedName.
    BOOL IsMatch(const GUID* cat, const char* friendlyName);
    BOOL IsWildcard() const;

    // Links a record into the program-wide list (most recent first). A record
    // already in the list stays where it is.
    static void Register(FilterCreatorRecord* record);
    static void RegisterAll(FilterCreatorRecord* const* records, size_t count);
    // Unlinks a record (tests, and a module that goes away).
    static void Unregister(FilterCreatorRecord* record);
    static FilterCreatorRecord* Head();

    // Lookups. A record for the exact name wins over a wildcard record of the
    // same category whatever their registration order; among records of the
    // same kind the most recently registered wins.
    static FilterCreatorRecord* FindByCLSID(const CLSID* id);
    static FilterCreatorRecord* FindByName(const GUID* cat, const char* friendlyName);

    // The program-wide 0-based index among devices of one name.
    static void SetDeviceIndex(int index);
    static int GetDeviceIndex();
};

// The creator of wrapper class T: the by-name constructor when the record
// was matched by name, else the class-id constructor; for a filter already
// in a graph, T is made without an object and takes the existing one.
template <class T>
CRootFilter* CreateFilterWrapper(CRootGraph* graph, BOOL firstMatch,
                                 const FilterCreatorRecord& record, IBaseFilter* existing)
{
    if (existing) {
        T* wrapper = new (std::nothrow) T(graph, static_cast<const CLSID*>(NULL));
        if (wrapper)
            wrapper->AttachFilter(existing);
        return wrapper;
    }
    if (record.matchedByName)
        return new (std::nothrow) T(graph, record.category, record.askedName, firstMatch);
    return new (std::nothrow) T(graph, record.clsid);
}
