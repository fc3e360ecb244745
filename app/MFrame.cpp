#include "app/MFrame.h"

#include "graph/WindowMessages.h"
#include "app/M2Button.h"
#include "app/MEdit.h"
#include "app/MProgress.h"
#include "app/MSelectList.h"
#include "app/MSlider.h"
#include "app/OsdEngine.h"
#include "resources/Resource.h"
#include "skin/RectSplitter.h"

BEGIN_MESSAGE_MAP(MFrame, CWnd)
    ON_MESSAGE(WM_OSD_KEY, OnOsdKey)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

namespace {

// The help line: red text from the top-left corner, 20 in from each side
// of the bottom band.
const COLORREF kHelpColour = RGB(255, 0, 0);
const int kHelpInset = 20;

} // namespace

MFrame::MFrame()
    : m_pSharedTop(NULL), m_pSharedBottom(NULL), m_nTopWidth(0), m_nTopHeight(0), m_nBottomWidth(0),
      m_nBottomHeight(0), m_nFocusRow(0), m_pParent(NULL), m_nCurrentSubFrame(0), m_bSharedBackground(FALSE),
      m_pHost(NULL), m_pEngine(NULL)
{
}

MFrame::~MFrame()
{
    // Rows and the help line go before the panel's window.
    m_rows.clear();
    if (m_helpLine.m_hWnd != NULL)
        m_helpLine.DestroyWindow();
}

BOOL MFrame::Create(const RECT& rect, CWnd* parent, UINT id)
{
    if (!CWnd::Create(NULL, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, id))
        return FALSE;
    CString help;
    help.LoadString(IDS_SETTINGS);
    m_helpLine.SetCentred(FALSE);
    m_helpLine.SetTextColor(kHelpColour);
    m_helpLine.SetFontSize(20, 32);
    return m_helpLine.Create(CRect(0, 0, 0, 0), this, id, help);
}

MFrame* MFrame::GetCurrentSubFrame()
{
    return GetSubFrame(m_nFocusRow);
}

MFrame* MFrame::GetSubFrame(int index) const
{
    if (index < 0 || index >= GetSubFrameCount())
        return NULL;
    return m_subFrames[index];
}

MItemWnd* MFrame::GetRow(int index) const
{
    if (index < 0 || index >= GetRowCount())
        return NULL;
    return m_rows[index].get();
}

void MFrame::Show(BOOL show)
{
    if (show) {
        OnShow();
        if (m_hWnd != NULL)
            ShowWindow(SW_SHOW);
    } else {
        OnHide();
        if (m_hWnd != NULL)
            ShowWindow(SW_HIDE);
    }
}

BOOL MFrame::CloseOnCloseKey(UINT vk)
{
    if (vk != kOsdKeyClose)
        return FALSE;
    if (m_pEngine != NULL)
        m_pEngine->HideOsdPanel();
    return TRUE;
}

int MFrame::OnRowKey(UINT vk, LPARAM)
{
    CloseOnCloseKey(vk);
    return kOsdNotHandled;
}

int MFrame::SetFocusRow(int index)
{
    const int previous = m_nFocusRow;
    if (index < 0 || index >= GetRowCount())
        return previous;
    if (MItemWnd* old = GetRow(m_nFocusRow))
        old->SetFocused(FALSE);
    m_nFocusRow = index;
    m_rows[index]->SetFocused(TRUE);
    return previous;
}

BOOL MFrame::Back()
{
    if (m_pParent == NULL)
        return FALSE;
    Show(FALSE);
    m_pParent->Show(TRUE);
    return TRUE;
}

BOOL MFrame::EnterSubFrame()
{
    MFrame* sub = GetSubFrame(m_nCurrentSubFrame);
    if (sub == NULL)
        return FALSE;
    Show(FALSE);
    sub->Show(TRUE);
    return TRUE;
}

int MFrame::FocusPrevRow()
{
    const int previous = m_nFocusRow;
    if (GetRowCount() == 0)
        return previous;
    m_rows[previous]->SetFocused(FALSE);
    m_nFocusRow = previous - 1 < 0 ? GetRowCount() - 1 : previous - 1;
    m_rows[m_nFocusRow]->SetFocused(TRUE);
    return previous;
}

int MFrame::FocusNextRow()
{
    const int previous = m_nFocusRow;
    if (GetRowCount() == 0)
        return previous;
    m_rows[previous]->SetFocused(FALSE);
    m_nFocusRow = previous + 1 >= GetRowCount() ? 0 : previous + 1;
    m_rows[m_nFocusRow]->SetFocused(TRUE);
    return previous;
}

// The menu key is the host's. Every other key goes to the focused row
// first; what the row handled itself ends here. What it changed (1) or
// passed on (2) is the panel's: Up and Down passed on move the focus, the
// rest goes to the panel's row action.
int MFrame::OnKey(UINT vk, LPARAM lParam)
{
    if (vk == kOsdKeyMenu)
        return kOsdNotHandled;
    const int answer = SendOsdKey(GetRow(m_nFocusRow), vk, lParam);
    if (answer != kOsdChanged && answer != kOsdNotHandled)
        return kOsdHandled;
    switch (vk) {
    case kOsdKeyEnter:
    case kOsdKeyLeft:
    case kOsdKeyRight:
    case kOsdKeyClose:
        return OnRowKey(vk, lParam);
    case kOsdKeyUp:
        if (answer == kOsdNotHandled) {
            FocusPrevRow();
            return kOsdHandled;
        }
        return OnRowKey(vk, lParam);
    case kOsdKeyDown:
        if (answer == kOsdNotHandled) {
            FocusNextRow();
            return kOsdHandled;
        }
        return OnRowKey(vk, lParam);
    default:
        return kOsdHandled;
    }
}

MItemWnd* MFrame::NewRow(UINT id)
{
    std::unique_ptr<MItemWnd> row(new MItemWnd);
    const CSize size = RowSize();
    if (!row->Create(CRect(0, 0, size.cx, size.cy), this, id))
        return NULL;
    MItemWnd* made = row.get();
    AddRow(std::move(row));
    return made;
}

M2Button* MFrame::AddLabel(MItemWnd* row, UINT id, UINT textId)
{
    CString text;
    text.LoadString(textId);
    return AddWidget<M2Button>(row, CRect(kLabelLeft, 0, kLabelRight, kRowHeight), id, text);
}

MSelectList* MFrame::AddSelect(MItemWnd* row, const RECT& rect, UINT id, std::initializer_list<UINT> options)
{
    MSelectList* select = AddWidget<MSelectList>(row, rect, id);
    if (select == NULL)
        return NULL;
    select->LoadBitmaps(IDB_OSD_SELECT_LEFT, IDB_OSD_SELECT_LEFT_HIGHLIGHT, IDB_OSD_SELECT_RIGHT,
                        IDB_OSD_SELECT_RIGHT_HIGHLIGHT);
    for (UINT option : options) {
        CString text;
        text.LoadString(option);
        select->AddOption(text);
    }
    return select;
}

MProgress* MFrame::AddProgress(MItemWnd* row, const RECT& rect, UINT id, int minimum, int maximum)
{
    MProgress* bar = AddWidget<MProgress>(row, rect, id);
    if (bar != NULL) {
        bar->LoadBitmaps(IDB_OSD_PROGRESS_BACK, IDB_OSD_PROGRESS_FILL);
        bar->SetRange(minimum, maximum);
    }
    return bar;
}

MSlider* MFrame::AddSlider(MItemWnd* row, const RECT& rect, UINT id)
{
    MSlider* slider = AddWidget<MSlider>(row, rect, id);
    if (slider != NULL)
        slider->LoadBitmaps(IDB_OSD_SLIDER_TRACK, IDB_OSD_SLIDER_THUMB);
    return slider;
}

void MFrame::AddFieldEditors(MItemWnd* row, UINT id, const int (&ranges)[3][2], UINT separatorText,
                             const RECT& editor, const RECT& separator)
{
    const int kPairStep = 110;
    for (int i = 0; i < 3; ++i) {
        CRect place = editor, after = separator;
        place.OffsetRect(kPairStep * i, 0);
        after.OffsetRect(kPairStep * i, 0);
        if (MEdit* field = AddWidget<MEdit>(row, place, id))
            field->SetRange(ranges[i][0], ranges[i][1]);
        // Separators stand between the numbers, none after the last.
        if (i < 2)
            AddText(row, after, id, separatorText);
    }
}

void MFrame::LeaveFields(int row)
{
    MItemWnd* item = GetRow(row);
    if (item == NULL)
        return;
    for (int i = 0; i < item->GetWidgetCount(); ++i)
        if (MBasicWnd* widget = item->GetWidget(i))
            if (dynamic_cast<MEdit*>(widget) != NULL || dynamic_cast<M2Button*>(widget) != NULL)
                widget->SetState(0);
    item->SetCurrentWidget(0);
}

MEdit* MFrame::FieldEditor(int row, int index) const
{
    // The label comes first, then editor and separator pairs.
    return RowWidget<MEdit>(row, 1 + 2 * index);
}

MBasicWnd* MFrame::AddText(MItemWnd* row, const RECT& rect, UINT id, UINT textId)
{
    CString text;
    text.LoadString(textId);
    return AddWidget<MBasicWnd>(row, rect, id, text);
}

void MFrame::AddRow(std::unique_ptr<MItemWnd> row)
{
    if (!row)
        return;
    m_rows.push_back(std::move(row));
    if (GetRowCount() == 1) {
        m_nFocusRow = 0;
        m_rows[0]->SetFocused(TRUE);
    }
    LayoutRows();
}

CSize MFrame::RowSize() const
{
    // Every row is as large as the first (the shared row picture's size).
    if (!m_rows.empty() && m_rows[0]->m_hWnd != NULL) {
        CRect first;
        m_rows[0]->GetClientRect(&first);
        return first.Size();
    }
    return CSize(m_nTopWidth, kRowHeight);
}

// One place for the panel's geometry: the rows stacked under the top band,
// the panel as wide as the top band and as high as both bands and the
// rows, the help line in the bottom band.
void MFrame::LayoutRows()
{
    if (m_hWnd == NULL)
        return;
    const CSize row = RowSize();
    int rowsBottom = m_nTopHeight;
    CRectSplitter stack;
    if (GetRowCount() > 0 && stack.Stack(CPoint(0, m_nTopHeight), row, GetRowCount(), 1)) {
        for (int i = 0; i < GetRowCount(); ++i) {
            CRect place;
            if (stack.GetCell(i, place))
                m_rows[i]->SetWindowPos(NULL, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        rowsBottom = stack.GetGridRect().bottom;
    }
    SetWindowPos(NULL, 0, 0, m_nTopWidth, rowsBottom + m_nBottomHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceHelpLine();
}

void MFrame::PlaceHelpLine()
{
    if (m_helpLine.m_hWnd == NULL)
        return;
    CRect client;
    GetClientRect(&client);
    const int width = client.Width() - 2 * kHelpInset;
    m_helpLine.SetWindowPos(NULL, kHelpInset, client.Height() - m_nBottomHeight, width > 0 ? width : 0,
                            m_nBottomHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MFrame::ShowHelpLine(BOOL show)
{
    if (m_helpLine.m_hWnd != NULL)
        m_helpLine.ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void MFrame::SetHelpText(LPCSTR text)
{
    m_helpLine.SetText(text);
}

void MFrame::TakeBandSizes()
{
    const CSize top = TopBitmap() ? TopBitmap()->GetSize() : CSize(0, 0);
    const CSize bottom = BottomBitmap() ? BottomBitmap()->GetSize() : CSize(0, 0);
    m_nTopWidth = top.cx;
    m_nTopHeight = top.cy;
    m_nBottomWidth = bottom.cx;
    m_nBottomHeight = bottom.cy;
    if (m_hWnd != NULL)
        SetWindowPos(NULL, 0, 0, m_nTopWidth, m_nTopHeight + m_nBottomHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceHelpLine();
}

BOOL MFrame::LoadBackground(UINT topId, UINT bottomId)
{
    m_bmpTop.DeleteObject();
    m_bmpBottom.DeleteObject();
    const BOOL loaded = m_bmpTop.LoadBitmap(topId) && m_bmpBottom.LoadBitmap(bottomId);
    m_bSharedBackground = FALSE;
    TakeBandSizes();
    return loaded;
}

void MFrame::SetSharedBackground(const CBitmap* top, const CBitmap* bottom)
{
    m_pSharedTop = top;
    m_pSharedBottom = bottom;
    m_bSharedBackground = TRUE;
    TakeBandSizes();
}

BOOL MFrame::LoadRowBitmaps(int row, UINT normalId, UINT focusedId)
{
    MItemWnd* item = GetRow(row);
    return item != NULL && item->LoadBitmaps(normalId, focusedId);
}

void MFrame::SetRowSharedBitmaps(int row, const CBitmap* normal, const CBitmap* focused)
{
    if (MItemWnd* item = GetRow(row))
        item->SetSharedBitmaps(normal, focused);
}

void MFrame::SetAllRowsSharedBitmaps(const CBitmap* normal, const CBitmap* focused)
{
    for (const auto& row : m_rows)
        row->SetSharedBitmaps(normal, focused);
}

void MFrame::PaintBackground(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, RGB(20, 26, 36));
    BlitBitmap(dc, TopBitmap(), 0, 0);
    BlitBitmap(dc, BottomBitmap(), 0, client.Height() - m_nBottomHeight);
}

void MFrame::OnPaint()
{
    PaintBuffered(this, [this](CDC* dc) { PaintBackground(dc); });
    if (m_helpLine.m_hWnd != NULL)
        m_helpLine.Invalidate(FALSE);
}

LRESULT MFrame::OnPrintClient(WPARAM dc, LPARAM)
{
    CTempDC target((HDC)dc);
    PaintBackground(&target);
    return 0;
}
