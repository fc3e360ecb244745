// The skins the program ships, on the program's own templates: every control
// of the control panel and the picture dialog is dressed, every section
// builds, each skin draws its own pictures where it says, and the panel
// switches from one skin to the other and back while it is shown.
#include "store/SkinIniFile.h"
#include "skin/SkinSet.h"
#include "resources/Resource.h"
#include "skin/SkinDlg.h"
#include "skin/SkinManager.h"
#include "skin/SkinMultiSlider.h"
#include "skin/SkinSlider.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::string AppFolder()
{
    std::string path = TestModulePath();
    return path.substr(0, path.rfind('\\'));
}

std::string InAppFolder(const char* name) { return AppFolder() + "\\" + name; }

std::set<UINT> ChildIds(HWND dialog)
{
    std::set<UINT> ids;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        ids.insert((UINT)::GetDlgCtrlID(child));
    return ids;
}

int SectionCount(const std::string& ini)
{
    CSkinIniFile file(ini.c_str());
    return file.Load() ? file.GetSectionCount() : -1;
}

// A pixel of a bitmap resource of a library.
COLORREF PictureColour(HMODULE library, UINT id, int x, int y)
{
    HBITMAP bitmap = (HBITMAP)::LoadImageA(library, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    HDC memory = ::CreateCompatibleDC(NULL);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    COLORREF colour = ::GetPixel(memory, x, y);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::DeleteObject(bitmap);
    return colour;
}

class CTemplateDlg : public CDialog
{
public:
    explicit CTemplateDlg(UINT id) : CDialog(id), m_id(id) {}
    BOOL Make(int x, int y)
    {
        if (!Create(m_id))
            return FALSE;
        SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
        return TRUE;
    }

protected:
    // Enter and Esc in a skinned test dialog change nothing.
    void OnOK() override {}
    void OnCancel() override {}

private:
    UINT m_id;
};

// The program's resource library as the resource handle, as at start-up.
class ShippedSkinsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, m_mavrel.Module());
        m_nistle = ::LoadLibraryExA(InAppFolder("Nistle.dll").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        m_orbane = ::LoadLibraryExA(InAppFolder("Orbane.dll").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, m_nistle);
        ASSERT_NE(nullptr, m_orbane);
        ASSERT_TRUE(m_catalogue.Load(InAppFolder("SkinSet.ini").c_str()));
    }
    void TearDown() override
    {
        m_panelSkin.reset();
        m_pictureSkin.reset();
        m_panel.DestroyWindow();
        m_picture.DestroyWindow();
        ::FreeLibrary(m_nistle);
        ::FreeLibrary(m_orbane);
    }
    SkinFiles Files(const char* skin)
    {
        SkinFiles files;
        EXPECT_TRUE(GetSkinFiles(skin, "Default", &m_catalogue, AppFolder().c_str(), files)) << skin;
        return files;
    }
    // Puts the skin on the panel (and, the first time, the picture dialog's
    // on the picture dialog), placing the picture dialog beside the panel.
    void Wear(const char* skin)
    {
        if (m_panel.m_hWnd == NULL) {
            ASSERT_TRUE(m_panel.Make(40, 300));
            ASSERT_TRUE(m_picture.Make(40, 40));
        }
        const SkinFiles files = Files(skin);
        if (!m_pictureSkin) {
            ASSERT_EQ(kSkinLoaded, LoadDialogSkin(&m_picture, m_pictureSkin, files.pictureIni,
                                                  files.pictureLibrary));
        }
        ASSERT_EQ(kSkinLoaded, LoadDialogSkin(&m_panel, m_panelSkin, files.panelIni, files.panelLibrary));
        ASSERT_EQ(m_mavrel.Module(), AfxGetResourceHandle());
        m_panel.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        m_picture.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpFor(50);
    }
    // What the program shows while a channel plays with time shift on.
    void ShowPlaying()
    {
        m_panel.SetDlgItemText(IDC_PANEL_CHANNEL_TEXT, "12 Channel Twelve");
        m_panel.SetDlgItemText(IDC_PANEL_CLOCK, "20:45:10");
        m_panel.SetDlgItemText(IDC_PANEL_FORMAT_TEXT, "VCD  -  time shift");
        CSkinMultiSlider* bar = dynamic_cast<CSkinMultiSlider*>(m_panelSkin->FindControl(IDC_PANEL_TIMESHIFT_BAR));
        ASSERT_NE(nullptr, bar);
        bar->SetRange(0, 1000);
        bar->SetSelection(0, 700);
        bar->SetPos(450);
        PumpFor(50);
    }
    CSize PanelSize()
    {
        CRect r;
        m_panel.GetWindowRect(&r);
        return r.Size();
    }
    // The panel shows its background picture at a point no control covers.
    void ExpectBackgroundAt(UINT pictureId, int x, int y)
    {
        EXPECT_EQ(PictureColour(m_nistle, pictureId, x, y), ClientPixel(m_panel.m_hWnd, x, y))
            << "background " << pictureId << " at " << x << "," << y;
    }
    // A key shows its normal picture.
    void ExpectKeyFace(UINT controlId, UINT normalId)
    {
        HWND key = ::GetDlgItem(m_panel.m_hWnd, (int)controlId);
        EXPECT_EQ(PictureColour(m_nistle, normalId, 15, 13), ClientPixel(key, 15, 13)) << "key " << controlId;
    }

    CResourceModuleInUse m_mavrel;
    HMODULE m_nistle = NULL, m_orbane = NULL;
    CSkinSet m_catalogue;
    CTemplateDlg m_panel{IDD_PANEL};
    CTemplateDlg m_picture{IDD_COLOR};
    std::unique_ptr<CSkinManager> m_panelSkin;
    std::unique_ptr<CSkinManager> m_pictureSkin;
};

} // namespace

TEST_F(ShippedSkinsTest, EveryControlOfBothTemplatesIsDressedAndEverySectionBuilds)
{
    CStringList names;
    ASSERT_TRUE(m_catalogue.GetSkinNames(names));
    ASSERT_EQ(2, (int)names.GetCount()) << "two skins, so switching is real";
    for (POSITION pos = names.GetHeadPosition(); pos != NULL;) {
        const CString name = names.GetNext(pos);
        Wear(name);
        const SkinFiles files = Files(name);
        EXPECT_EQ(SectionCount((LPCSTR)files.panelIni) - 1, m_panelSkin->GetControlCount()) << name;
        ASSERT_NE(nullptr, m_panelSkin->GetSkinDlg()) << name;
        for (UINT id : ChildIds(m_panel.m_hWnd)) {
            CWnd* control = m_panelSkin->FindControl(id);
            ASSERT_NE(nullptr, control) << name << ": control " << id << " has no section";
            EXPECT_EQ(control, CWnd::FromHandlePermanent(::GetDlgItem(m_panel.m_hWnd, (int)id))) << name << " " << id;
        }
    }
    EXPECT_EQ(SectionCount(InAppFolder("ColorSkin.ini")) - 1, m_pictureSkin->GetControlCount());
    for (UINT id : ChildIds(m_picture.m_hWnd))
        EXPECT_NE(nullptr, m_pictureSkin->FindControl(id)) << "picture dialog control " << id;
}

TEST_F(ShippedSkinsTest, ThePanelSwitchesSkinsWhileShown)
{
    Wear("Default");
    EXPECT_EQ(CSize(660, 121), PanelSize());
    ExpectBackgroundAt(1001, 5, 60);
    ExpectBackgroundAt(1001, 620, 118);
    ExpectKeyFace(ID_RECORD, 1100 + 4 * 8 + 1);
    // The time-shift bar's cursor came from the library, which is freed by now.
    HWND bar = ::GetDlgItem(m_panel.m_hWnd, IDC_PANEL_TIMESHIFT_BAR);
    EXPECT_TRUE(::SendMessageA(bar, WM_SETCURSOR, (WPARAM)bar, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    ShowPlaying();
    SaveScreenShot(m_panel.m_hWnd, "shipped_default_panel");
    SaveWindowShot(m_picture.m_hWnd, "shipped_picture_dialog");

    Wear("silver"); // the catalogue's names are read without case
    EXPECT_EQ(CSize(600, 119), PanelSize());
    CRgn shape;
    shape.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(m_panel.m_hWnd, shape));
    EXPECT_FALSE(shape.PtInRegion(1, 1)) << "Silver's rounded corner is cut away";
    EXPECT_TRUE(shape.PtInRegion(300, 60));
    ExpectBackgroundAt(2001, 300, 8);
    ExpectKeyFace(ID_RECORD, 2100 + 4 * 8 + 1);
    // Silver turns the volume across the panel.
    EXPECT_EQ(0u, (DWORD)::GetWindowLongA(::GetDlgItem(m_panel.m_hWnd, IDC_PANEL_VOLUME), GWL_STYLE) & TBS_VERT);
    ShowPlaying();
    SaveScreenShot(m_panel.m_hWnd, "shipped_silver_panel");

    Wear("Default");
    EXPECT_EQ(CSize(660, 121), PanelSize());
    ASSERT_EQ(SIMPLEREGION, ::GetWindowRgn(m_panel.m_hWnd, shape)) << "the Default panel is a plain rectangle";
    EXPECT_TRUE(shape.PtInRegion(1, 1));
    EXPECT_TRUE((DWORD)::GetWindowLongA(::GetDlgItem(m_panel.m_hWnd, IDC_PANEL_VOLUME), GWL_STYLE) & TBS_VERT);
    ExpectKeyFace(ID_RECORD, 1100 + 4 * 8 + 1);
}

TEST_F(ShippedSkinsTest, ThePictureDialogsSlidersAndKeys)
{
    Wear("Default");
    CRect window;
    m_picture.GetWindowRect(&window);
    EXPECT_EQ(CSize(280, 200), window.Size());
    for (int id = IDC_COLOR_BRIGHTNESS; id <= IDC_COLOR_SHARPNESS; ++id) {
        CSkinSlider* slider = dynamic_cast<CSkinSlider*>(m_pictureSkin->FindControl(id));
        ASSERT_NE(nullptr, slider) << id;
        EXPECT_EQ(19, slider->GetThumbLength()) << id;
        slider->SetRange(0, 100);
        slider->SetPos(50);
        slider->Invalidate();
        slider->UpdateWindow();
        CRect thumb;
        slider->GetThumbRect(&thumb);
        EXPECT_EQ(PictureColour(m_orbane, 3002, 4, 9), ClientPixel(slider->m_hWnd, thumb.left + 4, thumb.top + 9)) << id;
    }
    HWND close = ::GetDlgItem(m_picture.m_hWnd, IDC_COLOR_CLOSE);
    EXPECT_EQ(PictureColour(m_orbane, 3105, 38, 10), ClientPixel(close, 38, 10));
    SaveWindowShot(m_picture.m_hWnd, "shipped_picture_dialog_sliders");
}
