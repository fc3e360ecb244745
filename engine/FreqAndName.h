// CFreqAndName: the country channel-name tables of "ChannelAddress.ini" —
// per country, named tables of (name, frequency) pairs that name the
// channels a scan found. Owned by the manager; UI thread.
#pragma once
#include "engine/ChannelTable.h"
#include "store/SkinIniFile.h"

class CFreqAndName
{
public:
    CFreqAndName() {}
    virtual ~CFreqAndName() {}
    CFreqAndName(const CFreqAndName&) = delete;
    CFreqAndName& operator=(const CFreqAndName&) = delete;

    // Empties the model and reads the file; the ini model's result.
    BOOL Load(LPCSTR path);
    // Appends the country's "Table-<i>" names; TRUE when at least one.
    BOOL GetTableNames(int countryCode, CStringArray& names) const;
    // Adds map[frequency] = name for every "Channel-<i>" of the table (the
    // country's "<code>-Default" table when the name is empty) whose value
    // is "name,kHz" with a name that is not blank and a whole number of at
    // least 1 kHz; the map is not emptied first. TRUE when one was added.
    BOOL LoadTable(int countryCode, LPCSTR tableName, CFreqNameMap& names) const;

    // Counts read from the file are bounded by this before any loop.
    static constexpr int kMaxEntries = 4096;

private:
    CSkinIniFile m_ini;
};
