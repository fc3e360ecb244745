// Geometry as gtest shows it in a failure.
#pragma once
#include "platform/mfc/AfxWin.h"

#include <ostream>

// Geometry as gtest shows it in a failure.
inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
inline void PrintTo(const CPoint& p, std::ostream* os) { *os << "(" << p.x << "," << p.y << ")"; }
inline void PrintTo(const CSize& s, std::ostream* os) { *os << s.cx << " x " << s.cy; }
