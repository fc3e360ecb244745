// CRecordPage: the record format and display quality, the MPEG-4 picture
// size, the snapshot format and JPEG quality, the snapshot and record
// folders (chosen with the folder browser), the encoder's motion search and
// the time-shift buffer. Most choices reach the manager at once; Cancel puts
// back the MPEG-4 and time-shift values. The sheet owns the page; UI thread.
#pragma once
#include "settings/BasePage.h"

class CRecordPage : public CBasePage
{
public:
    explicit CRecordPage(const SettingsContext& context);

    void LoadSettings() override;
    BOOL SaveSettings() override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void OnReset() override;

    // The time-shift combo's row for a buffer of `seconds` (rows are 10 to
    // 60 minutes).
    static int TimeShiftRow(int seconds);

    static constexpr int kFormatMpeg4 = 3;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnFormatChanged();
    void OnQualityChanged();
    void OnMpeg4SizeChanged();
    void OnMpeg4AudioChanged();
    void OnSnapshotFormat(UINT id);
    void OnBrowseSnapshots();
    void OnBrowseRecordings();
    void OnTimeShiftLength();
    void OnTimeShiftReserve();
    // The MPEG-4 codec's own settings; a missing codec or dialog is said.
    void OnCodecSetup();
    void OnMotionSearch(UINT id);
    void OnHScroll(UINT code, UINT position, CScrollBar* bar);
    DECLARE_MESSAGE_MAP()

private:
    void ShowMpeg4Controls();
    void ShowQuality();
    // The folder, or the default when it neither exists nor can be made.
    static CString UsableFolder(const CString& folder, const CString& fallback);

    CComboBox m_mpeg4Size, m_mpeg4Audio, m_format, m_quality;
    CSliderCtrl m_jpegQuality;
    CString m_snapFolder;
    CString m_recordFolder;
    int m_snapFormat;   // 0 BMP, 1 JPEG
    int m_motionRadio;  // 0-2 for 0, 1, 3
    int m_jpeg;
    int m_displayQuality;
    int m_recordFormat;
    CString m_savedAudio;
    CSize m_savedSize;
    int m_savedReserved;
    int m_savedTime;
};
