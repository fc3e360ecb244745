// MFrame: one panel of the on-screen menu: a page of rows between a top and
// a bottom band, one row focused, with a help line in the bottom band.
// Panels form a tree (a parent, sub-panels) that the host walks. The host
// owns every panel and the panel its rows; it hands each panel the engine's
// door and itself. UI thread.
#pragma once
#include "app/MBasicWnd.h"
#include "app/MItemWnd.h"

#include <initializer_list>
#include <memory>
#include <vector>

class CPanel2;
class IOsdEngine;

class MFrame : public CWnd
{
public:
    // The row layout the panels share, in row coordinates.
    static constexpr int kLabelLeft = 20;
    static constexpr int kLabelRight = 229;
    static constexpr int kRowHeight = 45;

    MFrame();
    ~MFrame() override;

    // Hooks run before the panel is hidden and shown; panels read their
    // values from the program here.
    virtual void OnHide() {}
    virtual void OnShow() {}
    virtual MFrame* GetParentFrame() const { return m_pParent; }
    // The sub-panel at the focused row's index; none past the sub-panels.
    virtual MFrame* GetCurrentSubFrame();
    // OnShow and shown, or OnHide and hidden.
    virtual void Show(BOOL show);
    // The panel's action on a row's key: the close code closes the menu;
    // every key answers 2 here.
    virtual int OnRowKey(UINT vk, LPARAM lParam);
    virtual void BuildRows() {}
    // The previous index; nothing changes for an index past the rows.
    virtual int SetFocusRow(int index);
    // Hides this panel and shows the parent; FALSE without one.
    virtual BOOL Back();
    // Hides this panel and shows the first sub-panel; FALSE without one.
    virtual BOOL EnterSubFrame();
    // Each returns the previous index; both wrap.
    virtual int FocusPrevRow();
    virtual int FocusNextRow();
    // A child of the host, with the help line in it.
    virtual BOOL Create(const RECT& rect, CWnd* parent, UINT id);
    virtual void PaintBackground(CDC* dc);
    // The panel's answer to a key (see the .cpp).
    virtual int OnKey(UINT vk, LPARAM lParam);

    // The row is placed under the rows already there; the first gets the focus.
    void AddRow(std::unique_ptr<MItemWnd> row);
    void AddSubFrame(MFrame* frame) { m_subFrames.push_back(frame); }
    void SetParentFrame(MFrame* frame) { m_pParent = frame; }
    int GetFocusRow() const { return m_nFocusRow; }
    int GetRowCount() const { return (int)m_rows.size(); }
    // None when out of range.
    MItemWnd* GetRow(int index) const;
    int GetSubFrameCount() const { return (int)m_subFrames.size(); }
    MFrame* GetSubFrame(int index) const;
    void ShowHelpLine(BOOL show);
    void SetHelpText(LPCSTR text);
    MBasicWnd& GetHelpLine() { return m_helpLine; }
    BOOL LoadBackground(UINT topId, UINT bottomId);
    void SetSharedBackground(const CBitmap* top, const CBitmap* bottom);
    BOOL LoadRowBitmaps(int row, UINT normalId, UINT focusedId);
    void SetRowSharedBitmaps(int row, const CBitmap* normal, const CBitmap* focused);
    void SetAllRowsSharedBitmaps(const CBitmap* normal, const CBitmap* focused);
    // The panel sized to its bands and rows, the rows stacked under the top band.
    void LayoutRows();

    // Number editor i (0 to 2) of a row of AddFieldEditors.
    class MEdit* FieldEditor(int row, int index) const;
    // Takes the text cursor of a row of AddFieldEditors back to its label,
    // so that Up and Down move between rows again.
    void LeaveFields(int row);

    // The host and the engine's door (not owned), set by the host.
    void Attach(CPanel2* host, IOsdEngine* engine) { m_pHost = host; m_pEngine = engine; }
    CPanel2* GetHost() const { return m_pHost; }

protected:
    // A row of the panel's control id, not yet shown in place (LayoutRows
    // places it), and a widget made in it.
    MItemWnd* NewRow(UINT id);
    template <class Widget>
    Widget* AddWidget(MItemWnd* row, const RECT& rect, UINT id, LPCSTR text = "");
    // The usual label at the start of a row.
    class M2Button* AddLabel(MItemWnd* row, UINT id, UINT textId);
    // The value widgets with their bitmaps: a selector of the options'
    // string ids, a bar over a range, a slider.
    class MSelectList* AddSelect(MItemWnd* row, const RECT& rect, UINT id, std::initializer_list<UINT> options);
    class MProgress* AddProgress(MItemWnd* row, const RECT& rect, UINT id, int minimum, int maximum);
    class MSlider* AddSlider(MItemWnd* row, const RECT& rect, UINT id);
    // Three number editors with a separator text between each two, the
    // first editor and separator at the rectangles given and each next pair
    // 110 pixels further right; `ranges` the editors' minimum and maximum.
    void AddFieldEditors(MItemWnd* row, UINT id, const int (&ranges)[3][2], UINT separatorText, const RECT& editor,
                         const RECT& separator);
    // A plain label of a resource string.
    MBasicWnd* AddText(MItemWnd* row, const RECT& rect, UINT id, UINT textId);
    // The value widget of a row (the widget after its label), as its class.
    template <class Widget>
    Widget* RowWidget(int row, int index = 1) const
    {
        MItemWnd* item = GetRow(row);
        return item ? dynamic_cast<Widget*>(item->GetWidget(index)) : NULL;
    }
    // The menu closes on the close code from any panel.
    BOOL CloseOnCloseKey(UINT vk);
    // The size every row takes.
    CSize RowSize() const;

    LRESULT OnOsdKey(WPARAM vk, LPARAM lParam) { return OnKey((UINT)vk, lParam); }
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    LRESULT OnPrintClient(WPARAM dc, LPARAM);
    DECLARE_MESSAGE_MAP()

    CBitmap m_bmpTop;
    CBitmap m_bmpBottom;
    const CBitmap* m_pSharedTop;    // the host's; not owned
    const CBitmap* m_pSharedBottom; // the host's; not owned
    int m_nTopWidth;
    int m_nTopHeight;
    int m_nBottomWidth;
    int m_nBottomHeight;
    std::vector<std::unique_ptr<MItemWnd>> m_rows;
    int m_nFocusRow;
    MFrame* m_pParent;                // not owned: the host owns every panel
    std::vector<MFrame*> m_subFrames; // not owned
    int m_nCurrentSubFrame;
    MBasicWnd m_helpLine;
    BOOL m_bSharedBackground;
    CPanel2* m_pHost;       // not owned
    IOsdEngine* m_pEngine;  // not owned

private:
    const CBitmap* TopBitmap() const { return m_bSharedBackground ? m_pSharedTop : &m_bmpTop; }
    const CBitmap* BottomBitmap() const { return m_bSharedBackground ? m_pSharedBottom : &m_bmpBottom; }
    void TakeBandSizes();
    void PlaceHelpLine();
};

template <class Widget>
Widget* MFrame::AddWidget(MItemWnd* row, const RECT& rect, UINT id, LPCSTR text)
{
    std::unique_ptr<Widget> widget(new Widget);
    if (!widget->Create(rect, row, id, text))
        return NULL;
    Widget* made = widget.get();
    row->AddWidget(std::move(widget));
    return made;
}
