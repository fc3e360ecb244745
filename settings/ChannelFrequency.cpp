#include "settings/ChannelFrequency.h"

CString CChannelFrequency::Format(long kHz)
{
    CString text;
    text.Format("%g", kHz / 1000.0);
    return text;
}

BOOL CChannelFrequency::Parse(LPCSTR text, long minKHz, long maxKHz, long& kHz)
{
    if (!text)
        return FALSE;
    CString value(text);
    value.Trim();
    const int length = value.GetLength();
    int at = 0;
    long mhz = 0;
    int wholeDigits = 0;
    for (; at < length && value[at] >= '0' && value[at] <= '9'; ++at) {
        if (++wholeDigits > kMaxMHzDigits)
            return FALSE;
        mhz = mhz * 10 + (value[at] - '0');
    }
    long fraction = 0; // in kHz
    int fractionDigits = 0;
    if (at < length && value[at] == '.') {
        for (++at; at < length && value[at] >= '0' && value[at] <= '9'; ++at, ++fractionDigits)
            if (fractionDigits < 3)
                fraction = fraction * 10 + (value[at] - '0');
    }
    if (at != length || wholeDigits + fractionDigits == 0)
        return FALSE;
    for (int d = fractionDigits; d < 3; ++d)
        fraction *= 10;
    const long result = mhz * 1000 + fraction;
    if (result < minKHz || result > maxKHz)
        return FALSE;
    kHz = result;
    return TRUE;
}
