// CMsgDialog: a modal message box that answers itself after a number of
// seconds (the engine's short notices). Its modal loop runs only its own
// messages: shown in the middle of a timer or a key handler, it never runs
// that handler again underneath itself; other windows' messages wait until
// it closes. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

class CMsgDialog : public CDialog
{
public:
    // `iconId` 0: no icon. Without a Cancel button, Cancel and Escape answer OK.
    CMsgDialog(UINT iconId = 0, BOOL hasCancel = FALSE, CWnd* parent = NULL);
    ~CMsgDialog() override {}

    void SetCaption(LPCSTR caption);
    void SetText(LPCSTR text);
    // A string of the current resource handle.
    void SetTextId(UINT textId);
    // 0 keeps the previous period; a running timer restarts with the new one.
    void SetSeconds(UINT seconds);
    // IDCANCEL answers Cancel; anything else OK.
    void SetDefaultAnswer(int answer);
    UINT GetSeconds() const { return m_seconds; }
    int GetDefaultAnswer() const { return m_defaultAnswer; }
    CString GetCaption() const { return m_caption; }
    CString GetText() const { return m_text; }

    BOOL OnInitDialog() override;
    void OnCancel() override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void StartTimer();
    void FitToText();
    // The size the text takes at most `width` pixels wide, in the text's font.
    CSize TextSizeFor(int width) const;

    CStatic m_iconControl;
    CStatic m_textControl;
    UINT_PTR m_timer; // 0: none
    UINT m_seconds;
    int m_defaultAnswer;
    CString m_caption;
    CString m_text;
    UINT m_iconId;
    BOOL m_hasCancel;
};
