#include "app/ChannelEntry.h"

CChannelEntry::Step CChannelEntry::Enter(int digit, DWORD now)
{
    digit = digit < 0 ? 0 : digit % 10;
    m_lastDigitAt = now;
    if (!m_fixed) {
        if (m_places[kUnits] >= 0) {
            if (m_places[kTens] >= 0)
                m_places[kHundreds] = m_places[kTens];
            m_places[kTens] = m_places[kUnits];
        }
        m_places[kUnits] = digit;
        return kShow;
    }
    // A fixed entry fills its places from the left; the units complete it.
    const int first = kUnits - m_mode;
    for (int place = first; place < kUnits; ++place) {
        if (m_places[place] < 0) {
            m_places[place] = digit;
            return kShow;
        }
    }
    m_places[kUnits] = digit;
    return kTuneNow;
}

int CChannelEntry::Number() const
{
    const int first = m_fixed ? kUnits - m_mode : kHundreds;
    int number = 0;
    bool any = false;
    for (int place = first; place <= kUnits; ++place) {
        if (m_places[place] < 0) {
            if (m_fixed)
                return -1;
            continue;
        }
        number = number * 10 + m_places[place];
        any = true;
    }
    return any ? number : -1;
}

std::string CChannelEntry::Text() const
{
    std::string text;
    const int first = m_fixed ? kUnits - m_mode : kHundreds;
    for (int place = first; place <= kUnits; ++place) {
        if (m_places[place] >= 0)
            text += (char)('0' + m_places[place]);
        else if (m_fixed)
            text += '-';
    }
    return text;
}
