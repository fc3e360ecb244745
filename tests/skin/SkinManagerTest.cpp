// A skin built from small ini files (bitmaps by resource id and as files)
// and put on a dialog made from a test template: what each section builds,
// the places, styles and shapes it gives, and that taking it off (or
// switching to another and back) leaves the dialog as its template made it,
// with no GDI object left behind.
#include "store/SkinIniFile.h"
#include "skin/SkinSet.h"
#include "skin/SkinBtn.h"
#include "skin/SkinCtrlFactory.h"
#include "skin/SkinDlg.h"
#include "skin/SkinManager.h"
#include "skin/SkinMultiSlider.h"
#include "skin/SkinSlider.h"
#include "skin/SkinText.h"
#include "tests/skin/SkinTestIds.h"
#include "tests/skin/SkinTestSupport.h"
#include "tests/support/BadInput.h"
#include "tests/support/HandleCount.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Skin A: bitmaps of the test's own resources, a see-through dialog.
const char kSkinA[] =
    "[Back]\r\nTYPE=Dialog\r\nID=0\r\nSTYLE=2\r\nTRANSPARENT=1\r\nBACKBMP=400\r\n"
    "[Play]\r\nTYPE=BUTTON\r\nID=421\r\nPOSITION=14,24\r\nBMPNAME=300\r\nTRANSPARENT=1\r\n"
    "[Mute]\r\nTYPE=button\r\nID=422\r\nSTYLE=1\r\nPOSITION=44,24\r\nBMPNAME=300\r\n"
    "[Volume]\r\nTYPE=SLIDER\r\nID=423\r\nPOSITION=14,44\r\nTRANSPARENT=1\r\nSLIDERBMP=401\r\nTHUMBBMP=402\r\n"
    "[Range]\r\nTYPE=MULTISLIDER\r\nID=424\r\nPOSITION=14,68\r\nTRANSPARENT=0\r\nSLIDERBMP=401\r\n"
    "THUMBBMP=404\r\nSTARTEDGE=5\r\nENDEDGE=95\r\nMIDDLELINE=10\r\nMIDDLEHEI=4\r\nCURSOR=410\r\n"
    "[Text]\r\nTYPE=STATIC\r\nID=425\r\nSTYTLE=1\r\nPOSITION=80,26\r\nSIZE=60,12\r\nTEXTCOLOR=255,255,255\r\n"
    "BACKCOLOR=0\r\nTEXT=Hello\r\n";

// Skin B: bitmap files of its folder, a plain coloured dialog of its own
// size; it leaves the volume trackbar undressed.
const char kSkinB[] =
    "[Back]\r\nTYPE=Dialog\r\nID=0\r\nSTYLE=1\r\nBACKCOLOR=4210752\r\nSIZE=220,130\r\n"
    "[Play]\r\nTYPE=BUTTON\r\nID=421\r\nPOSITION=100,80\r\nLOADFROM=1\r\nBMPNAME=Play\r\n"
    "[Mute]\r\nTYPE=BUTTON\r\nID=422\r\nPOSITION=130,80\r\nLOADFROM=1\r\nBMPNAME=Play\r\n"
    "[Range]\r\nTYPE=MULTISLIDER\r\nID=424\r\nPOSITION=10,10\r\nTRANSPARENT=1\r\nLOADFROM=1\r\n"
    "SLIDERBMP=Track\r\nTHUMBBMP=Knob\r\nSTARTEDGE=2\r\nENDEDGE=38\r\nMIDDLELINE=4\r\nMIDDLEHEI=2\r\n"
    "[Text]\r\nTYPE=STATIC\r\nID=425\r\nSTYTLE=2\r\nPOSITION=10,40\r\nSIZE=1,1\r\nLOADFROM=1\r\nBACKBMP=Label\r\n";

// The test template's dialog, modeless, shown at a fixed place.
class CSkinTestDlg : public CDialog
{
public:
    CSkinTestDlg() : CDialog(IDD_SKIN_TEST) {}
    BOOL Make(int x, int y)
    {
        if (!Create(IDD_SKIN_TEST))
            return FALSE;
        SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        UpdateWindow();
        return TRUE;
    }
};

// What a window shows of itself to the rest of the program.
struct Look
{
    DWORD style;
    CRect rect; // in the parent's client area, or the screen for a dialog
    std::string shape; // the region's data, empty without one

    bool operator==(const Look& o) const { return style == o.style && rect == o.rect && shape == o.shape; }
};

std::string ShapeOf(HWND hWnd)
{
    CRgn region;
    region.CreateRectRgn(0, 0, 0, 0);
    if (::GetWindowRgn(hWnd, region) == ERROR)
        return std::string();
    DWORD size = ::GetRegionData(region, 0, NULL);
    std::string data(size, '\0');
    ::GetRegionData(region, size, (RGNDATA*)&data[0]);
    return data;
}

Look LookOf(HWND hWnd)
{
    Look look;
    look.style = (DWORD)::GetWindowLongA(hWnd, GWL_STYLE);
    ::GetWindowRect(hWnd, &look.rect);
    if (HWND parent = (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd) : NULL)
        ::MapWindowPoints(NULL, parent, (LPPOINT)&look.rect, 2);
    look.shape = ShapeOf(hWnd);
    return look;
}

const int kControls[] = {IDC_SKIN_PLAY, IDC_SKIN_MUTE, IDC_SKIN_VOLUME, IDC_SKIN_RANGE, IDC_SKIN_TEXT};

std::vector<Look> LooksOf(CWnd& dialog)
{
    std::vector<Look> looks{LookOf(dialog.m_hWnd)};
    for (int id : kControls)
        looks.push_back(LookOf(::GetDlgItem(dialog.m_hWnd, id)));
    return looks;
}

class SkinManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Make(60, 60));
        ASSERT_TRUE(dir.Write("A.ini", kSkinA));
        ASSERT_TRUE(dir.Write("B.ini", kSkinB));
        for (const char* state : {"H", "U", "D", "X"})
            ASSERT_TRUE(dir.Write(std::string("Play") + state + ".bmp", SolidBitmapFile(20, 12, kPressedColour)));
        ASSERT_TRUE(dir.Write("Track.bmp", SolidBitmapFile(40, 8, RGB(0, 0, 200))));
        ASSERT_TRUE(dir.Write("Knob.bmp", PatternBitmapFile({"GRRG", "RRRR", "RRRR", "GRRG"})));
        ASSERT_TRUE(dir.Write("Label.bmp", SolidBitmapFile(50, 16, RGB(255, 255, 0))));
    }
    std::string Ini(const char* name) { return dir.File(name); }
    HWND Item(int id) { return ::GetDlgItem(dialog.m_hWnd, id); }
    CRect ItemRect(int id) { return LookOf(Item(id)).rect; }
    void Paint()
    {
        dialog.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpFor(20);
    }
    // Builds the skin of `text` and counts what it made.
    std::unique_ptr<CSkinManager> Built(const std::string& text, BOOL* loaded = NULL)
    {
        EXPECT_TRUE(dir.Write("Case.ini", text));
        auto manager = std::make_unique<CSkinManager>();
        BOOL ok = manager->LoadSkin(Ini("Case.ini").c_str());
        if (loaded)
            *loaded = ok;
        return manager;
    }

    TempFolder dir;
    CSkinTestDlg dialog;
};

} // namespace

TEST_F(SkinManagerTest, BuildsOneObjectPerUsableSectionInFileOrder)
{
    CSkinManager manager;
    ASSERT_TRUE(manager.LoadSkin(Ini("A.ini").c_str()));
    ASSERT_EQ(5, manager.GetControlCount());
    const UINT ids[] = {IDC_SKIN_PLAY, IDC_SKIN_MUTE, IDC_SKIN_VOLUME, IDC_SKIN_RANGE, IDC_SKIN_TEXT};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ids[i], manager.GetControlId(i));
    EXPECT_NE(nullptr, dynamic_cast<CSkinBtn*>(manager.GetControl(1))) << "the type is read without case";
    EXPECT_EQ(1, static_cast<CSkinBtn*>(manager.GetControl(1))->GetStyle());
    EXPECT_NE(nullptr, dynamic_cast<CSkinSlider*>(manager.GetControl(2)));
    EXPECT_NE(nullptr, dynamic_cast<CSkinMultiSlider*>(manager.GetControl(3)));
    EXPECT_STREQ("Hello", static_cast<CSkinText*>(manager.GetControl(4))->GetText());
    ASSERT_NE(nullptr, manager.GetSkinDlg());
    EXPECT_EQ(CSize(160, 100), manager.GetSkinDlg()->GetSize());
}

TEST_F(SkinManagerTest, SkipsASectionThatCannotBeBuiltAndBuildsTheRest)
{
    const std::string kept = "[Kept]\r\nTYPE=BUTTON\r\nID=421\r\nPOSITION=1,1\r\nBMPNAME=300\r\n";
    struct
    {
        const char* fault;
        std::string section;
    } cases[] = {
        {"no ID", "[S]\r\nTYPE=BUTTON\r\nPOSITION=1,1\r\nBMPNAME=300\r\n"},
        {"no TYPE", "[S]\r\nID=421\r\nPOSITION=1,1\r\nBMPNAME=300\r\n"},
        {"a TYPE outside the five", "[S]\r\nTYPE=EDIT\r\nID=421\r\nPOSITION=1,1\r\nBMPNAME=300\r\n"},
        {"no POSITION", "[S]\r\nTYPE=BUTTON\r\nID=421\r\nBMPNAME=300\r\n"},
        {"a bitmap that is not there", "[S]\r\nTYPE=BUTTON\r\nID=421\r\nPOSITION=1,1\r\nBMPNAME=900\r\n"},
        {"an id beyond a resource number", "[S]\r\nTYPE=BUTTON\r\nID=421\r\nPOSITION=1,1\r\nBMPNAME=70000\r\n"},
        {"a place beyond any screen", "[S]\r\nTYPE=BUTTON\r\nID=421\r\nPOSITION=99999,1\r\nBMPNAME=300\r\n"},
        {"a button file missing", "[S]\r\nTYPE=BUTTON\r\nID=421\r\nPOSITION=1,1\r\nLOADFROM=1\r\nBMPNAME=Half\r\n"},
        {"STYLE where STYTLE belongs", "[S]\r\nTYPE=STATIC\r\nID=425\r\nSTYLE=1\r\nPOSITION=1,1\r\nSIZE=5,5\r\n"},
        {"a text without SIZE", "[S]\r\nTYPE=STATIC\r\nID=425\r\nSTYTLE=0\r\nPOSITION=1,1\r\n"},
        {"a text background missing", "[S]\r\nTYPE=STATIC\r\nID=425\r\nSTYTLE=2\r\nPOSITION=1,1\r\nSIZE=5,5\r\n"},
        {"a slider without TRANSPARENT", "[S]\r\nTYPE=SLIDER\r\nID=423\r\nPOSITION=1,1\r\nSLIDERBMP=401\r\nTHUMBBMP=402\r\n"},
        {"a range bar without a track", "[S]\r\nTYPE=MULTISLIDER\r\nID=424\r\nPOSITION=1,1\r\nTRANSPARENT=0\r\n"
                                        "SLIDERBMP=401\r\nTHUMBBMP=404\r\nSTARTEDGE=7\r\nENDEDGE=7\r\n"},
    };
    ASSERT_TRUE(dir.Write("HalfH.bmp", SolidBitmapFile(4, 4, kNormalColour)));
    ASSERT_TRUE(dir.Write("HalfU.bmp", SolidBitmapFile(4, 4, kNormalColour)));
    ASSERT_TRUE(dir.Write("HalfD.bmp", SolidBitmapFile(4, 4, kNormalColour)));
    for (const auto& c : cases) {
        BOOL loaded = FALSE;
        auto manager = Built(c.section + kept, &loaded);
        EXPECT_TRUE(loaded) << c.fault;
        EXPECT_EQ(1, manager->GetControlCount()) << c.fault;
    }
}

TEST_F(SkinManagerTest, TheLastDialogSectionThatBuildsIsTheSkinDialog)
{
    auto manager = Built("[A]\r\nTYPE=Dialog\r\nID=0\r\nSTYLE=1\r\nBACKCOLOR=255\r\nSIZE=50,40\r\n"
                         "[B]\r\nTYPE=dialog\r\nID=0\r\nSTYLE=1\r\nBACKCOLOR=65280\r\nSIZE=70,60\r\n"
                         "[C]\r\nTYPE=Dialog\r\nID=0\r\nSTYLE=2\r\nBACKBMP=999\r\n"
                         "[D]\r\nTYPE=Dialog\r\nSTYLE=1\r\nBACKCOLOR=0\r\nSIZE=90,90\r\n");
    ASSERT_NE(nullptr, manager->GetSkinDlg());
    EXPECT_EQ(CSize(70, 60), manager->GetSkinDlg()->GetSize());
}

TEST_F(SkinManagerTest, AnUnreadableIniFailsAndAnEmptyBuildSucceeds)
{
    CSkinManager manager;
    EXPECT_FALSE(manager.LoadSkin(Ini("Missing.ini").c_str()));
    ASSERT_TRUE(dir.Write("Wide.ini", std::string("\xFF\xFE[\0A\0]\0", 8)));
    EXPECT_FALSE(manager.LoadSkin(Ini("Wide.ini").c_str()));
    BOOL loaded = FALSE;
    auto empty = Built("[S]\r\nTYPE=BUTTON\r\n", &loaded);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(0, empty->GetControlCount());
    EXPECT_EQ(nullptr, empty->GetSkinDlg());
}

TEST_F(SkinManagerTest, DressesTheDialogsControlsWhereTheSkinSays)
{
    CSkinManager manager;
    ASSERT_TRUE(manager.LoadSkin(Ini("A.ini").c_str()));
    manager.AttachToDialog(&dialog);
    Paint();
    EXPECT_EQ(CRect(14, 24, 38, 40), ItemRect(IDC_SKIN_PLAY));
    EXPECT_EQ(CRect(44, 24, 68, 40), ItemRect(IDC_SKIN_MUTE));
    EXPECT_EQ(CRect(14, 44, 114, 64), ItemRect(IDC_SKIN_VOLUME));
    EXPECT_EQ(CRect(14, 68, 114, 88), ItemRect(IDC_SKIN_RANGE));
    EXPECT_EQ(CRect(80, 26, 140, 38), ItemRect(IDC_SKIN_TEXT));
    EXPECT_EQ((DWORD)BS_OWNERDRAW, LookOf(Item(IDC_SKIN_PLAY)).style & BS_TYPEMASK);
    EXPECT_TRUE(LookOf(Item(IDC_SKIN_VOLUME)).style & TBS_FIXEDLENGTH);
    EXPECT_FALSE(LookOf(Item(IDC_SKIN_VOLUME)).style & TBS_VERT);
    EXPECT_TRUE(LookOf(Item(IDC_SKIN_RANGE)).style & SS_NOTIFY);
    EXPECT_EQ(CWnd::FromHandlePermanent(Item(IDC_SKIN_RANGE)), manager.FindControl(IDC_SKIN_RANGE));

    // The dialog: the background's size, its green corners cut away.
    CRect window;
    dialog.GetWindowRect(&window);
    EXPECT_EQ(CSize(160, 100), window.Size());
    CRgn shape;
    shape.CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(dialog.m_hWnd, shape));
    CRect box;
    shape.GetRgnBox(&box);
    EXPECT_EQ(CRect(0, 0, 160, 100), box);
    EXPECT_FALSE(shape.PtInRegion(5, 5));
    EXPECT_FALSE(shape.PtInRegion(155, 95));
    EXPECT_TRUE(shape.PtInRegion(12, 5));
    // Pixel probes: background, text field, button face.
    EXPECT_EQ(RGB(90, 110, 160), ClientPixel(dialog.m_hWnd, 100, 10));
    EXPECT_EQ(RGB(40, 40, 60), ClientPixel(dialog.m_hWnd, 150, 60));
    EXPECT_EQ(RGB(0, 0, 0), ClientPixel(dialog.m_hWnd, 138, 36));
    EXPECT_EQ(kNormalColour, ClientPixel(dialog.m_hWnd, 14 + 12, 24 + 8));
    SaveWindowShot(dialog.m_hWnd, "skin_manager_a");
    manager.DetachFromDialog();
}

TEST_F(SkinManagerTest, SkinAToBToALeavesNoTrace)
{
    const std::vector<Look> plain = LooksOf(dialog);
    // A first round lets the system make what it keeps for good (fonts,
    // brushes of the controls' classes) before objects are counted.
    {
        std::unique_ptr<CSkinManager> warmUp;
        ASSERT_EQ(kSkinLoaded, LoadDialogSkin(&dialog, warmUp, Ini("A.ini").c_str(), TestModulePath().c_str()));
        warmUp.reset();
        Paint();
    }
    ASSERT_TRUE(LooksOf(dialog) == plain);
    const DWORD gdiBefore = GdiObjectCount();

    std::unique_ptr<CSkinManager> manager;
    ASSERT_EQ(kSkinLoaded, LoadDialogSkin(&dialog, manager, Ini("A.ini").c_str(), TestModulePath().c_str()));
    const std::vector<Look> dressedA = LooksOf(dialog);
    Paint();
    ASSERT_EQ(kSkinLoaded, LoadDialogSkin(&dialog, manager, Ini("B.ini").c_str(), TestModulePath().c_str()));
    Paint();
    EXPECT_EQ(CSize(220, 130), LookOf(dialog.m_hWnd).rect.Size());
    EXPECT_TRUE(LookOf(Item(IDC_SKIN_VOLUME)) == plain[3]) << "B leaves the trackbar as its template made it";
    EXPECT_EQ(RGB(64, 64, 64), ClientPixel(dialog.m_hWnd, 200, 120));
    EXPECT_EQ(kPressedColour, ClientPixel(dialog.m_hWnd, 105, 85));
    SaveWindowShot(dialog.m_hWnd, "skin_manager_b");
    ASSERT_EQ(kSkinLoaded, LoadDialogSkin(&dialog, manager, Ini("A.ini").c_str(), TestModulePath().c_str()));
    Paint();
    EXPECT_TRUE(LooksOf(dialog) == dressedA);
    manager.reset(); // taken off with its manager
    Paint();
    EXPECT_TRUE(LooksOf(dialog) == plain);
    EXPECT_EQ(gdiBefore, GdiObjectCount()) << "GDI objects left behind";
    if (gdiBefore == 0)
        GTEST_SKIP() << "this system does not tell a process's GDI object count";
}

TEST_F(SkinManagerTest, TakingASkinOffKeepsWhatTheProgramChangedSince)
{
    CSkinManager manager;
    ASSERT_TRUE(manager.LoadSkin(Ini("A.ini").c_str()));
    manager.AttachToDialog(&dialog);
    ::EnableWindow(Item(IDC_SKIN_MUTE), FALSE);
    ::ShowWindow(Item(IDC_SKIN_TEXT), SW_HIDE);
    manager.DetachFromDialog();
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_SKIN_MUTE)));
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_SKIN_TEXT)));
    EXPECT_EQ((DWORD)BS_PUSHBUTTON, LookOf(Item(IDC_SKIN_MUTE)).style & BS_TYPEMASK);
}

TEST_F(SkinManagerTest, ADialogSectionWithoutASizeKeepsTheTemplatesSize)
{
    CRect before;
    dialog.GetWindowRect(&before);
    auto manager = Built("[Back]\r\nTYPE=Dialog\r\nID=0\r\nSTYLE=1\r\nBACKCOLOR=255\r\n");
    manager->AttachToDialog(&dialog);
    Paint();
    CRect after;
    dialog.GetWindowRect(&after);
    EXPECT_EQ(before.Size(), after.Size());
    EXPECT_EQ(RGB(255, 0, 0), ClientPixel(dialog.m_hWnd, 3, before.Height() - 3));
    manager->DetachFromDialog();
}

TEST_F(SkinManagerTest, EveryLoadReleasesWhatTheLastBuildMadeEvenWithoutControls)
{
    const std::string backOnly = "[Back]\r\nTYPE=Dialog\r\nID=0\r\nSTYLE=2\r\nBACKBMP=400\r\n";
    CSkinManager manager;
    ASSERT_TRUE(dir.Write("Back.ini", backOnly));
    ASSERT_TRUE(manager.LoadSkin(Ini("Back.ini").c_str()));
    const DWORD gdiBefore = GdiObjectCount();
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(manager.LoadSkin(Ini("Back.ini").c_str()));
    EXPECT_EQ(gdiBefore, GdiObjectCount());
    if (gdiBefore == 0)
        GTEST_SKIP() << "this system does not tell a process's GDI object count";
}

TEST_F(SkinManagerTest, AManagerGoingAwayGivesTheControlsBackWhole)
{
    auto manager = std::make_unique<CSkinManager>();
    ASSERT_TRUE(manager->LoadSkin(Ini("A.ini").c_str()));
    manager->AttachToDialog(&dialog);
    manager.reset();
    for (int id : kControls) {
        EXPECT_TRUE(::IsWindow(Item(id))) << id;
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(Item(id))) << id;
    }
}

TEST_F(SkinManagerTest, ADialogDestroyedInItsSkinLeavesTheManagerSafe)
{
    CSkinManager manager;
    ASSERT_TRUE(manager.LoadSkin(Ini("A.ini").c_str()));
    manager.AttachToDialog(&dialog);
    dialog.DestroyWindow();
    EXPECT_EQ(nullptr, manager.GetSkinDlg()->GetSafeHwnd());
    manager.ReleaseSkin();
}

TEST_F(SkinManagerTest, TwoDialogsComeOutOfTheirSkinsInAnyOrder)
{
    CSkinTestDlg second;
    ASSERT_TRUE(second.Make(260, 60));
    const LONG_PTR ownProcedure = ::GetWindowLongPtrA(dialog.m_hWnd, GWLP_WNDPROC);
    CSkinManager first, other;
    ASSERT_TRUE(first.LoadSkin(Ini("A.ini").c_str()));
    ASSERT_TRUE(other.LoadSkin(Ini("A.ini").c_str()));
    first.AttachToDialog(&dialog);
    other.AttachToDialog(&second);
    first.DetachFromDialog();
    EXPECT_EQ(ownProcedure, ::GetWindowLongPtrA(dialog.m_hWnd, GWLP_WNDPROC));
    // The other still paints its skin and answers its own messages.
    second.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(RGB(90, 110, 160), ClientPixel(second.m_hWnd, 100, 10));
    CString title;
    second.GetWindowText(title);
    EXPECT_STREQ("Skin test", title);
    other.DetachFromDialog();
    EXPECT_EQ(::GetWindowLongPtrA(dialog.m_hWnd, GWLP_WNDPROC), ::GetWindowLongPtrA(second.m_hWnd, GWLP_WNDPROC));
}

TEST_F(SkinManagerTest, ASkinChangeNeedsBothFilesAndAReadableIni)
{
    std::unique_ptr<CSkinManager> manager;
    ASSERT_EQ(kSkinLoaded, LoadDialogSkin(&dialog, manager, Ini("A.ini").c_str(), TestModulePath().c_str()));
    CSkinManager* const worn = manager.get();
    ASSERT_TRUE(dir.Write("NotALibrary.dll", "MZ but nothing more"));
    ASSERT_TRUE(dir.Write("Wide.ini", std::string("\xFF\xFE[\0A\0]\0", 8)));
    EXPECT_EQ(kSkinFilesMissing, LoadDialogSkin(&dialog, manager, Ini("None.ini").c_str(), TestModulePath().c_str()));
    EXPECT_EQ(kSkinFilesMissing, LoadDialogSkin(&dialog, manager, Ini("B.ini").c_str(), Ini("None.dll").c_str()));
    EXPECT_EQ(kSkinLibraryFailed, LoadDialogSkin(&dialog, manager, Ini("B.ini").c_str(), Ini("NotALibrary.dll").c_str()));
    EXPECT_EQ(kSkinUnreadable, LoadDialogSkin(&dialog, manager, Ini("Wide.ini").c_str(), TestModulePath().c_str()));
    EXPECT_EQ(worn, manager.get()) << "the skin worn stays";
    EXPECT_TRUE(manager->IsAttached());
    EXPECT_EQ(AfxGetInstanceHandle(), AfxGetResourceHandle()) << "the resource module is given back";
}

TEST(SkinFiles, DefaultSkinCatalogueSkinsAndUnknownNames)
{
    TempFolder dir;
    ASSERT_TRUE(dir.Write("SkinSet.ini", "[General]\r\nTotal=2\r\nSkin-0=Silver\r\nSkin-1=Far\r\n"
                                         "[Silver]\r\nIni=Skins\\Silver\\Skin.ini\r\nDll=Skins\\Silver\\Nistle.dll\r\n"
                                         "[Far]\r\nIni=D:\\Other\\Far.ini\r\nDll=D:\\Other\\Far.dll\r\n"));
    CSkinSet catalogue;
    ASSERT_TRUE(catalogue.Load(dir.File("SkinSet.ini").c_str()));
    SkinFiles files;
    ASSERT_TRUE(GetSkinFiles("default", "Default", &catalogue, "C:\\App", files));
    EXPECT_STREQ("C:\\App\\Skin.ini", files.panelIni);
    EXPECT_STREQ("C:\\App\\Nistle.dll", files.panelLibrary);
    EXPECT_STREQ("C:\\App\\ColorSkin.ini", files.pictureIni);
    EXPECT_STREQ("C:\\App\\Orbane.dll", files.pictureLibrary);
    ASSERT_TRUE(GetSkinFiles("Silver", "Default", &catalogue, "C:\\App", files));
    EXPECT_STREQ("C:\\App\\Skins\\Silver\\Skin.ini", files.panelIni);
    EXPECT_STREQ("C:\\App\\Skins\\Silver\\Nistle.dll", files.panelLibrary);
    EXPECT_STREQ("C:\\App\\Skins\\Silver\\ColorSkin.ini", files.pictureIni);
    ASSERT_TRUE(GetSkinFiles("far", "Default", &catalogue, "C:\\App", files)) << "names are read without case";
    EXPECT_STREQ("D:\\Other\\Far.ini", files.panelIni);
    EXPECT_FALSE(GetSkinFiles("Unknown", "Default", &catalogue, "C:\\App", files));
    EXPECT_FALSE(catalogue.GetIniFile()->HasSection("Unknown")) << "the catalogue is not asked for names it lacks";
    EXPECT_FALSE(GetSkinFiles("Silver", "Default", NULL, "C:\\App", files));
}

TEST(BadInput, SkinFile)
{
    TempFolder dir(badinput::ScratchBase());
    CSkinTestDlg dialog;
    ASSERT_TRUE(dialog.Make(60, 60));
    const std::vector<Look> plain = LooksOf(dialog);
    int round = 0;
    badinput::Run("SkinFile", {kSkinA, kSkinB}, [&](const std::string& bytes) {
        ASSERT_TRUE(dir.Write("Skin.ini", bytes));
        CSkinManager manager;
        if (!manager.LoadSkin(dir.File("Skin.ini").c_str()))
            return;
        CSkinIniFile ini(dir.File("Skin.ini").c_str());
        ASSERT_TRUE(ini.Load());
        EXPECT_LE(manager.GetControlCount(), ini.GetSectionCount());
        // Putting a skin on a window costs more than reading it: every tenth.
        if (++round % 10 != 0)
            return;
        manager.AttachToDialog(&dialog);
        manager.DetachFromDialog();
        EXPECT_TRUE(LooksOf(dialog) == plain);
    });
}
