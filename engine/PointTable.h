// CPointTable: one table of "ChannelPoint.ini" — the frequencies a scan
// tries for one country and tuner input type. Owned by CPointManager.
#pragma once
#include "platform/mfc/String.h"

#include <vector>

class CPointTable
{
public:
    CPointTable(int countryCode, int inputType, int count, LPCSTR name)
        : m_values((size_t)count, 0.0f), m_nInputType(inputType), m_nCountryCode(countryCode), m_strName(name) {}
    virtual ~CPointTable() {}

    const float* GetValues() const { return m_values.empty() ? NULL : &m_values[0]; }
    int GetCount() const { return (int)m_values.size(); }
    int GetInputType() const { return m_nInputType; }
    int GetCountryCode() const { return m_nCountryCode; }
    const CString& GetName() const { return m_strName; }

    // Stores at the next position; past the declared count the table grows,
    // up to kMaxPoints (further values are dropped).
    void Put(float value)
    {
        if (m_next < m_values.size())
            m_values[m_next] = value;
        else if (m_values.size() < (size_t)kMaxPoints)
            m_values.push_back(value);
        else
            return;
        ++m_next;
    }

    // No country's scan list comes near this many frequencies.
    static constexpr int kMaxPoints = 1024;
    // Above every tuner's range (the cable plans end below 1 GHz); 0 marks a
    // channel a plan does not have.
    static constexpr double kMaxPointMHz = 1000.0;

private:
    std::vector<float> m_values; // as read: the scan builder's MHz
    size_t m_next = 0;
    int m_nInputType;            // 0 cable, 1 antenna
    int m_nCountryCode;
    CString m_strName;
};
