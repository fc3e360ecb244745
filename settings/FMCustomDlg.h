// CFMCustomDlg: edits a copy of the user-defined FM record formats (a name
// and an audio compressor each); OK puts the copy in place of the
// program-wide list. The FM record format stays on the format the user
// chose, or on none once that format is deleted. Modal, UI thread.
#pragma once
#include "engine/CustomFMFormat.h"
#include "platform/mfc/AfxWin.h"

#include <functional>

class CTVManager;

class CFMCustomDlg : public CDialog
{
public:
    // Lists the audio compressors the formats may use.
    typedef std::function<void(CStringArray& names)> CompressorLister;

    // `lister` NULL: the system's audio compressors, through the manager's
    // hardware object.
    CFMCustomDlg(CTVManager& manager, CWnd* parent = NULL, CompressorLister lister = nullptr);

    // The dialog's own copy of the list (the program-wide one changes on OK).
    const CCustomFMFormat& GetFormats() const { return m_formats; }

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void OnFormatChosen();
    void OnNameChanged();
    void OnAdd();
    void OnModify();
    void OnDelete();
    DECLARE_MESSAGE_MAP()

private:
    void FillFormats();
    void ShowFormat(const FMParam* format);
    // The name without leading blanks and the chosen compressor; FALSE
    // when no compressor is chosen.
    BOOL ReadControls(FMParam& format) const;
    void UpdateButtons();
    // The index of a format named `name` (any case) other than `except`, or -1.
    int FindName(const CString& name, int except) const;

    CTVManager& m_manager;
    CompressorLister m_lister;
    CCustomFMFormat m_formats;
};
