// The settings pages the sheet is made of: one maker per page kind. A page
// joins every arrangement of the sheet by naming its maker here.
#include "settings/ChannelPage.h"
#include "settings/DevicePage.h"
#include "settings/InterfacePage.h"
#include "settings/PropSheet.h"
#include "settings/RecordPage.h"
#include "settings/SchedulePage.h"
#include "settings/StoragePage.h"
#include "settings/VideoPage.h"

namespace {

template <class Page>
std::unique_ptr<CBasePage> Make(const SettingsContext& context)
{
    return std::unique_ptr<CBasePage>(new Page(context));
}

template <BOOL fm>
std::unique_ptr<CBasePage> MakeChannelPage(const SettingsContext& context)
{
    return std::unique_ptr<CBasePage>(new CChannelPage(context, fm));
}

const SettingsPageMaker kMakers[] = {
    &MakeChannelPage<FALSE>, // TV channels
    &MakeChannelPage<TRUE>,  // FM channels
    &Make<CDevicePage>,  // device
    &Make<CRecordPage>,  // record
    &Make<CSchedulePage>, // schedule
    &Make<CVideoPage>,   // video
    &Make<CStoragePage>, // storage
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
