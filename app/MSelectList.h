// MSelectList: an on-screen menu selector that shows one of its options
// between a left and a right arrow bitmap; Left and Right step through the
// options, wrapping at both ends. Its state is the chosen option. Owned by
// its row; UI thread.
#pragma once
#include "app/MBasicWnd.h"
#include "platform/mfc/Array.h"

class MSelectList : public MBasicWnd
{
public:
    MSelectList();

    // Left: the previous option; Right: the next; handled.
    int OnKey(UINT vk, LPARAM lParam) override;
    void Draw(CDC* dc) override;
    // Chooses an option, wrapping: below 0 the last, past the last the
    // first; 0 without options. The previous index.
    int SetState(int index) override;

    void AddOption(LPCSTR text);
    void AddOptions(const CStringArray& texts);
    void AddOptions(const LPCSTR* texts, int count);
    // Ignored out of range; the chosen index stays a valid one.
    void RemoveOption(int index);
    // Also chooses index 0.
    void ClearOptions();
    int GetCurSel() const { return m_nState; }
    // Empty without options.
    CString GetCurText() const;
    int GetOptionCount() const { return (int)m_options.GetSize(); }
    CString GetOptionText(int index) const;
    // Each returns the previous index and redraws the row.
    int Prev();
    int Next();
    // The four arrows: normal and highlighted left, normal and highlighted
    // right. The insets take the normal arrows' widths, the widget their
    // height; FALSE when one does not load (then none is drawn).
    BOOL LoadBitmaps(UINT leftId, UINT leftHighlightedId, UINT rightId, UINT rightHighlightedId);

private:
    CBitmap m_bmpLeft;
    CBitmap m_bmpLeftHighlighted;
    CBitmap m_bmpRight;
    CBitmap m_bmpRightHighlighted;
    int m_nLeftInset;
    int m_nRightInset;
    CStringArray m_options;
};
