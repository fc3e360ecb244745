// A text picture of an ini model for the engine's tests: "[name]{k=v;k=v}"
// per section in list order, keys sorted, so an expectation does not depend
// on the map's walk order. Header only; test thread.
#pragma once
#include "store/SkinIniFile.h"

#include <algorithm>
#include <string>
#include <vector>

inline std::string Dump(const CSkinIniFile& ini)
{
    std::string out;
    for (POSITION pos = ini.GetFirstSectionPosition(); pos;) {
        const CSkinSection* s = ini.GetNextSection(pos);
        std::vector<std::string> pairs;
        for (POSITION v = s->Values().GetStartPosition(); v;) {
            CString key, value;
            s->Values().GetNextAssoc(v, key, value);
            pairs.push_back(std::string(key.GetString(), key.GetLength()) + "=" +
                            std::string(value.GetString(), value.GetLength()));
        }
        std::sort(pairs.begin(), pairs.end());
        out += "[" + std::string(s->GetName().GetString(), s->GetName().GetLength()) + "]{";
        for (size_t i = 0; i < pairs.size(); ++i)
            out += (i ? ";" : "") + pairs[i];
        out += "}";
    }
    return out;
}
