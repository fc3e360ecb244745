// The virtual card's carrier file against damaged copies (see
// tests/support/BadInput.h): every carrier taken is a number within the
// tuners' range, never more than the cap, and never none.
#include "platform/virtualcard/Carriers.h"
#include "tests/support/BadInput.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(BadInput, CarrierFile)
{
    TempFolder dir(badinput::ScratchBase());
    const std::string path = dir.File(virtualcard::kSettingsFileName);
    badinput::Run("VirtualCard.ini", {"[Carriers]\r\n1=175250\r\n2=471250.5\r\n3= 210250 \r\n[Other]\r\nx=1\r\n"},
                  [&](const std::string& bytes) {
        dir.Write(virtualcard::kSettingsFileName, bytes);
        const std::vector<double> carriers = virtualcard::LoadCarriers(path);
        ASSERT_FALSE(carriers.empty());
        ASSERT_LE(carriers.size(), virtualcard::kMaxCarriers);
        for (double kHz : carriers)
            ASSERT_TRUE(std::isfinite(kHz) && kHz >= 40000 && kHz <= 1000000) << kHz;
    });
}
