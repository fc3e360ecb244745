// COsdEx: an on-screen text of several lines, split at line feeds; each
// line is shaped on its own and stacked under the one before. UI thread.
#pragma once
#include "app/Osd.h"

class COsdEx : public COsd
{
protected:
    void CreateShape() override;
};
