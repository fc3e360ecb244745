// TunerModelTable: display names of the tuner modules by model id (the
// tuner type code read from the card). Filled once per process on first
// use (from the UI thread when the first card opens), read-only afterwards.
#pragma once
#include <string>
#include <utility>
#include <vector>

class TunerModelTable
{
public:
    static TunerModelTable& Instance();

    void Add(int id, const char* name) { m_pairs.emplace_back(id, name); }
    // Adds the known pairs once; does nothing when the table holds pairs.
    void Fill();
    // The name of `id`, or NULL when no module carries that id.
    const char* Find(int id) const;
    size_t Size() const { return m_pairs.size(); }
    const std::vector<std::pair<int, std::string>>& Pairs() const { return m_pairs; }

private:
    std::vector<std::pair<int, std::string>> m_pairs;  // insertion order
};
