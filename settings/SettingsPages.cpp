// The settings pages the sheet is made of: one maker per page kind. A page
// joins every arrangement of the sheet by naming its maker here.
#include "settings/DevicePage.h"
#include "settings/InterfacePage.h"
#include "settings/PropSheet.h"
#include "settings/SchedulePage.h"
#include "settings/VideoPage.h"

namespace {

template <class Page>
std::unique_ptr<CBasePage> Make(const SettingsContext& context)
{
    return std::unique_ptr<CBasePage>(new Page(context));
}

const SettingsPageMaker kMakers[] = {
    nullptr,             // TV channels
    nullptr,             // FM channels
    &Make<CDevicePage>,  // device
    nullptr,             // record
    &Make<CSchedulePage>, // schedule
    &Make<CVideoPage>,   // video
    nullptr,             // storage
    &Make<CInterfacePage>, // interface
};
static_assert(sizeof(kMakers) / sizeof(kMakers[0]) == (size_t)SettingsPage::Count,
              "one maker slot per page kind");

} // namespace

SettingsPageMaker GetSettingsPageMaker(SettingsPage page)
{
    const int index = (int)page;
    return index >= 0 && index < (int)SettingsPage::Count ? kMakers[index] : nullptr;
}
