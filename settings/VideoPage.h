// CVideoPage: the picture properties of the card or of the overlay, the
// deinterlace options, the capture size and the overlay switches. Each
// change goes to the manager at once; Cancel puts back what was in force
// when the page loaded. The sheet owns the page; UI thread.
#pragma once
#include "settings/BasePage.h"

class CScrollBar;

class CVideoPage : public CBasePage
{
public:
    explicit CVideoPage(const SettingsContext& context);

    // Everything the page edits, as the manager holds it.
    struct Values
    {
        BOOL halfRateOff = TRUE;
        BOOL useOverlay = FALSE;
        BOOL noiseReduce = TRUE;
        int strength = 5;
        BOOL highQuality = FALSE;
        BOOL overlaySet = FALSE; // the sliders edit the overlay's properties
        BOOL desktop = FALSE;
        CSize size;
        int card[5] = {128, 68, 0, 64, 0};
        int overlay[5] = {750, 10000, 0, 10000, 5};
    };
    const Values& GetValues() const { return m_values; }
    const Values& GetSnapshot() const { return m_snapshot; }

    void LoadSettings() override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void OnReset() override;

protected:
    void OnHScroll(UINT code, UINT position, CScrollBar* bar);
    void OnPictureSize();
    void OnUseOverlay();
    void OnDesktop();
    void OnCardSet();
    void OnOverlaySet();
    void OnDefaults();
    void OnNoiseReduction();
    void OnHalfRateOff();
    void OnHighQuality();
    void OnAdvanced();
    DECLARE_MESSAGE_MAP()

private:
    void ReadValues(Values& values) const;
    void ShowRanges();
    void ShowValues();
    void FillSizes();
    void ApplyProperty(int index, int value);
    void ChooseSet(BOOL overlay);
    void EnableForSource();

    Values m_values;
    Values m_snapshot; // taken on loading, put back on Cancel
};
