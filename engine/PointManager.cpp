#include "engine/PointManager.h"

#include "store/TextFileReader.h"

#include <cstdio>
#include <cstdlib>

void CPointManager::RemoveAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    CTypedPtrArray<CPtrArray, CPointTable*>::RemoveAll();
}

BOOL CPointManager::Load(LPCSTR path)
{
    CTextFileReader reader;
    if (reader.Open(path) != CTextFileReader::kOpened)
        return FALSE;
    RemoveAll();
    CPointTable* row = NULL;
    CString line;
    while (reader.ReadLine(line)) {
        line.Trim();
        if (line.IsEmpty() || line[0] == ';' || line.Left(2) == "//" || line.Left(2) == "\\\\")
            continue;
        if (line[0] == '[') {
            // "[code,input,count,name]": every header ends the row before it.
            row = NULL;
            char bracket, sep1, sep2;
            int code = 0, input = 0, count = 0;
            if (sscanf(line, "%c%d%c%d%c%d", &bracket, &code, &sep1, &input, &sep2, &count) != 6 ||
                count < 1 || count > CPointTable::kMaxPoints || GetSize() >= kMaxTables)
                continue;
            CString name = line.Mid(line.ReverseFind(',') + 1);
            name.TrimRight(']');
            row = new CPointTable(code, input, count, name);
            Add(row);
            continue;
        }
        if (!row)
            continue;
        CString value = line;
        int equals = value.ReverseFind('=');
        if (equals >= 0)
            value = value.Mid(equals + 1);
        if (value.IsEmpty() || value[0] < '0' || value[0] > '9')
            continue;
        // Tested in double: 1e99 would turn into an infinite float.
        const double mhz = atof(value);
        if (mhz >= 0 && mhz <= CPointTable::kMaxPointMHz)
            row->Put((float)mhz);
    }
    // Rows before a refused line stay; the load says the file was not read whole.
    return !reader.LeftUnread();
}

BOOL CPointManager::FindTable(int countryCode, LPCSTR countryName, int inputType, const float*& values,
                              int& count) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        const CPointTable* row = GetAt(i);
        if (row->GetInputType() != inputType)
            continue;
        const bool nameMatches = countryName && *countryName && row->GetName().CompareNoCase(countryName) == 0;
        if (row->GetCountryCode() == countryCode || nameMatches) {
            values = row->GetValues();
            count = row->GetCount();
            return TRUE;
        }
    }
    return FALSE;
}
