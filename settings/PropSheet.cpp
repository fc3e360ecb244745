#include "settings/PropSheet.h"

#include "engine/TVManager.h"
#include "graph/DebugHelper.h"
#include "resources/Resource.h"
#include "settings/SettingsPanel.h"

#include <initializer_list>

namespace {

// The panel's hot keys are off and the sheet known to it while one runs.
INT_PTR RunSheet(CPropSheet& sheet, const SettingsContext& context)
{
    if (sheet.GetPageCount() == 0) {
        DebugHelper("Settings sheet: no page of this arrangement is built\n");
        return -1;
    }
    context.panel.EnableAccelerators(FALSE);
    context.panel.SetOpenSheet(&sheet);
    // Over the picture the settings act on, not over the panel under it.
    sheet.SetPlaceAround(context.manager.GetHardware().GetVideoWindow());
    const INT_PTR result = sheet.DoModal();
    context.panel.SetOpenSheet(nullptr);
    context.panel.EnableAccelerators(TRUE);
    DebugHelper("Settings sheet closed: %d, page %d\n", (int)result, sheet.GetLastActivePage());
    return result;
}

} // namespace

BEGIN_MESSAGE_MAP(CPropSheet, CPropertySheet)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_COMMAND(ID_WIZFINISH, OnWizardFinish)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CPropSheet::CPropSheet(UINT captionId, CWnd* parent, UINT startPage, const SettingsContext& context)
    : CPropertySheet(captionId, parent, startPage), m_manager(context.manager), m_nLastActivePage(0),
      m_bComposeTitle(FALSE)
{
    m_strSheetCaption = m_strCaption;
    // The Apply button shows, Help does not; the title names the page.
    m_psh.dwFlags = (m_psh.dwFlags | PSH_PROPTITLE) & ~(PSH_NOAPPLYNOW | PSH_HASHELP);
    for (int i = 0; i < (int)SettingsPage::Count; ++i) {
        if (SettingsPageMaker make = GetSettingsPageMaker((SettingsPage)i))
            m_pages[i] = make(context);
    }
}

CPropSheet::~CPropSheet()
{
    // The pages' objects go after the sheet's window (DoModal destroyed it).
}

CBasePage* CPropSheet::GetSettingsPage(SettingsPage page) const
{
    const int index = (int)page;
    return index >= 0 && index < (int)SettingsPage::Count ? m_pages[index].get() : nullptr;
}

void CPropSheet::AddSettingsPage(SettingsPage page)
{
    if (CBasePage* made = GetSettingsPage(page))
        AddPage(made);
}

std::vector<SettingsPage> GetSettingsPageOrder(SheetArrangement arrangement, BOOL cardHasFM)
{
    typedef SettingsPage P;
    switch (arrangement) {
    case SheetArrangement::AllPages:
        if (cardHasFM)
            return {P::TVChannels, P::FMChannels, P::Device, P::Record, P::Schedule, P::Interface, P::Video, P::Storage};
        return {P::TVChannels, P::Device, P::Record, P::Schedule, P::Interface, P::Video, P::Storage};
    case SheetArrangement::TVChannel:
        return {P::TVChannels};
    case SheetArrangement::FMChannel:
        return {P::FMChannels};
    case SheetArrangement::Wizard:
        return {P::Device, P::Record, P::TVChannels, P::Video};
    }
    return {};
}

void CPropSheet::AddArrangement(SheetArrangement arrangement)
{
    for (SettingsPage page : GetSettingsPageOrder(arrangement, m_manager.HasFMTuner()))
        AddSettingsPage(page);
    if (arrangement == SheetArrangement::Wizard)
        SetWizardMode();
}

void CPropSheet::AddAllPages()
{
    AddArrangement(SheetArrangement::AllPages);
}

void CPropSheet::AddChannelPage(BOOL fm)
{
    AddArrangement(fm ? SheetArrangement::FMChannel : SheetArrangement::TVChannel);
}

void CPropSheet::AddWizardPages()
{
    AddArrangement(SheetArrangement::Wizard);
}

void CPropSheet::OnSheetCreated()
{
    HINSTANCE module = AfxGetResourceHandle();
    if (HICON big = (HICON)::LoadImageA(module, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, 0, 0,
                                       LR_DEFAULTSIZE | LR_SHARED))
        SetIcon(big, TRUE);
    if (HICON small = (HICON)::LoadImageA(module, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                         ::GetSystemMetrics(SM_CXSMICON),
                                         ::GetSystemMetrics(SM_CYSMICON), LR_SHARED))
        SetIcon(small, FALSE);
    // The FM channel page's tab: the TV page's tab text with FM for TV.
    const int tv = GetPageIndex(GetSettingsPage(SettingsPage::TVChannels));
    const int fm = GetPageIndex(GetSettingsPage(SettingsPage::FMChannels));
    HWND tab = (HWND)SendMessage(PSM_GETTABCONTROL);
    if (tv >= 0 && fm >= 0 && tab != NULL) {
        char text[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        if (::SendMessageA(tab, TCM_GETITEMA, (WPARAM)tv, (LPARAM)&item)) {
            CString label(text);
            label.Replace("TV", "FM");
            item.pszText = (LPSTR)(LPCSTR)label;
            ::SendMessageA(tab, TCM_SETITEMA, (WPARAM)fm, (LPARAM)&item);
        }
    }
    // The first page set the title while the sheet was being made.
    m_bComposeTitle = TRUE;
    CString title;
    GetWindowText(title);
    SetWindowText(title);
}

LRESULT CPropSheet::OnSetText(WPARAM wParam, LPARAM text)
{
    // Once the sheet stands, a text set on it follows the caption.
    if (!m_bComposeTitle || m_strSheetCaption.IsEmpty() || text == 0)
        return DefWindowProc(WM_SETTEXT, wParam, text);
    CString title;
    title.Format("%s - %s", (LPCSTR)m_strSheetCaption, (LPCSTR)text);
    return DefWindowProc(WM_SETTEXT, wParam, (LPARAM)(LPCSTR)title);
}

void CPropSheet::OnWizardFinish()
{
    // Every page applies first; one that refuses keeps the wizard open.
    if (Apply())
        Default();
}

void CPropSheet::OnDestroy()
{
    m_nLastActivePage = GetActiveIndex();
    m_bComposeTitle = FALSE;
    Default();
}

INT_PTR RunSettingsSheet(const SettingsContext& context, CWnd* parent, int& lastPage)
{
    CPropSheet sheet(IDS_SETTINGS, parent, (UINT)(lastPage < 0 ? 0 : lastPage), context);
    sheet.AddAllPages();
    const INT_PTR result = RunSheet(sheet, context);
    if (result != -1)
        lastPage = sheet.GetLastActivePage();
    return result;
}

INT_PTR RunChannelSheet(const SettingsContext& context, CWnd* parent, BOOL fm)
{
    CPropSheet sheet(IDS_SETTINGS, parent, 0, context);
    sheet.AddChannelPage(fm);
    return RunSheet(sheet, context);
}

INT_PTR RunSetupWizard(const SettingsContext& context, CWnd* parent)
{
    CPropSheet sheet(IDS_SETUP_WIZARD, parent, 0, context);
    sheet.AddWizardPages();
    return RunSheet(sheet, context);
}

BOOL RunFirstStartWizard(const SettingsContext& context, CWnd* parent)
{
    if (!context.manager.GetSettings().Run)
        return FALSE;
    RunSetupWizard(context, parent);
    context.manager.Settings().Run = FALSE;
    if (!context.manager.SaveSettings())
        DebugHelper("The settings could not be written after the set-up wizard\n");
    return TRUE;
}
