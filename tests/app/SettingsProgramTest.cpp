// The settings windows in the running program under Xvfb on the virtual
// card: a scan started from the channel page fills its list from the
// card's carriers while the video window shows the scan's strip; the first
// start without a settings file runs the set-up wizard with the panel's hot
// keys off and leaves the settings written; a schedule item added through
// the schedule dialog reaches "Rec.rec".
#include "tests/app/ProgramFixture.h"

#include "app/Osd.h"
#include "engine/ScanListener.h"
#include "platform/timing/Timing.h"
#include "resources/Resource.h"
#include "settings/ChannelPage.h"
#include "settings/PropSheet.h"
#include "settings/ScheduleDlg.h"
#include "settings/SchedulePage.h"
#include "tests/engine/ScreenPicture.h"
#include "tests/support/MessageBoxCapture.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

// Questions are answered as a user going on would: OK, Yes.
int GoOn(const MessageBoxCapture::Box& box)
{
    const UINT buttons = box.type & MB_TYPEMASK;
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
}

CRect WindowRect(HWND window)
{
    CRect r;
    ::GetWindowRect(window, &r);
    return r;
}

// The frequency column of a channel page's rows, in row order.
std::vector<std::string> FrequencyColumn(CChannelPage& page)
{
    std::vector<std::string> rows;
    CListCtrl& list = page.GetList();
    for (int r = 0; r < list.GetItemCount(); ++r)
        rows.push_back(std::string(list.GetItemText(r, 2)));
    return rows;
}

// Told after the channel page (it is added later): what the page's list
// and the video window look like as each channel is found.
class ScanWatch : public IScanListener
{
public:
    ScanWatch(CChannelPage& page, HWND video, HWND panel) : m_page(page), m_video(video), m_panel(panel) {}
    void OnScanChannelFound(const CChannel& channel) override
    {
        found.push_back(channel.Frequency);
        rows.push_back(m_page.GetList().GetItemCount());
        heights.push_back(WindowRect(m_video).Height());
        panelGaps.push_back(WindowRect(m_panel).top - WindowRect(m_video).bottom);
    }
    void OnScanProgress(int) override {}
    void OnScanFinished() override { ++ends; }

    std::vector<long> found;
    std::vector<int> rows;
    std::vector<int> heights;
    std::vector<int> panelGaps;
    int ends = 0;

private:
    CChannelPage& m_page;
    HWND m_video;
    HWND m_panel;
};

class SettingsProgram : public ::testing::Test
{
protected:
    MessageBoxCapture boxes{&GoOn};
    Program program;
};

} // namespace

TEST_F(SettingsProgram, AScanStartedFromTheChannelPageFillsItsListFromTheCard)
{
    // Four points: two on the card's carriers, two where there is nothing.
    program.folder.Write("ChannelPoint.ini", "[49,1,4,Germany]\r\n1=175.25\r\n2=180.0\r\n3=471.25\r\n4=520.0\r\n");
    CRect before, after, panelBefore, panelAfter;
    bool progressShown = false;
    std::unique_ptr<ScanWatch> watch;
    std::vector<std::string> listed;
    RunInMainLoop(program, [&]() {
        HWND video = program.video.m_hWnd;
        before = WindowRect(video);
        panelBefore = WindowRect(program.control.m_hWnd);
        RunWhen([]() { return CChannelPage::GetOpenPage() != NULL && CChannelPage::GetOpenPage()->m_hWnd != NULL; },
                [&]() {
                    CChannelPage& page = *CChannelPage::GetOpenPage();
                    watch.reset(new ScanWatch(page, video, program.control.m_hWnd));
                    program.manager.AddScanListener(watch.get());
                    page.SendDlgItemMessage(IDC_CHANNELPAGE_SCAN, BM_CLICK);
                    EXPECT_TRUE(program.manager.IsScanning()) << "the page's Scan started nothing";
                    PumpUntil([&]() { return watch->found.size() >= 1; }, 20000);
                    // Aside, so that the picture and its scan strip show.
                    program.control.GetOpenSheet()->SetWindowPos(NULL, 700, 0, 0, 0,
                                                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                    PreviewHost::Pump(500);
                    COsd* progress = program.video.GetOsd(CTVVideoWnd::kOsdScan);
                    progressShown = progress != NULL && progress->IsWindowVisible();
                    ShotOfScreen("channel_page_scanning");
                    EXPECT_TRUE(PumpUntil([&]() { return watch->ends > 0 && !program.manager.IsScanning(); },
                                          30000))
                        << "the scan did not end";
                    PreviewHost::Pump(300);
                    listed = FrequencyColumn(page);
                    ShotOfScreen("channel_page_scanned");
                    program.manager.RemoveScanListener(watch.get());
                    program.control.GetOpenSheet()->PressButton(PSBTN_OK);
                });
        program.control.SendMessage(WM_COMMAND, ID_CHANNEL_SETTINGS);
        after = WindowRect(video);
        panelAfter = WindowRect(program.control.m_hWnd);
    });
    program.Run();

    ASSERT_TRUE(watch);
    // Every point came to the table; the page listed the locked ones as
    // they came, in a list the scan had emptied.
    EXPECT_EQ(std::vector<long>({175250, 180000, 471250, 520000}), watch->found);
    EXPECT_EQ(std::vector<int>({1, 1, 2, 2}), watch->rows);
    EXPECT_EQ(std::vector<std::string>({"175.25", "471.25"}), listed);
    // The window grew its strip for the scan, with the progress in it and
    // the panel kept under it, and gave it back after.
    EXPECT_TRUE(progressShown);
    for (int height : watch->heights)
        EXPECT_EQ(before.Height() + CTVVideoWnd::kScanStripHeight, height);
    for (int gap : watch->panelGaps)
        EXPECT_EQ(panelBefore.top - before.bottom, gap);
    EXPECT_EQ(before, after);
    EXPECT_EQ(panelBefore, panelAfter);
    // OK kept the scanned table.
    const std::string saved = program.folder.Read("TVChannel.tvc");
    EXPECT_NE(std::string::npos, saved.find("175250")) << saved;
    EXPECT_EQ(std::string::npos, saved.find("520000")) << saved;
    const std::vector<MessageBoxCapture::Box> shown = BoxesBesideTheSoundQuestion(boxes);
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ(MB_OKCANCEL, shown[0].type & MB_TYPEMASK); // the question
    EXPECT_EQ("The channel scan has finished.", shown[1].text);
}

TEST_F(SettingsProgram, AFirstStartRunsTheWizardWithTheHotKeysOffAndLeavesTheSettings)
{
    ::DeleteFileA(program.folder.File("TVParam.ini").c_str());
    int pages = 0;
    BOOL mutedBefore = FALSE, mutedAfterKey = FALSE;
    bool finished = false;
    CPropertySheet* wizard = NULL;
    // The wizard runs from the video window's start, before the main loop.
    RunWhen([&]() { return (wizard = program.control.GetOpenSheet()) != NULL && wizard->m_hWnd != NULL; },
            [&]() {
                // The mute hot key (F8) is refused by nothing but the switch.
                mutedBefore = program.control.IsMuted();
                MSG key = {program.control.m_hWnd, WM_KEYDOWN, VK_F8, 1, 0, {0, 0}};
                program.control.PreTranslateMessage(&key);
                mutedAfterKey = program.control.IsMuted();
                for (; pages < 4; ++pages) {
                    PreviewHost::Pump(300);
                    ShotOfScreen(("first_start_wizard_" + std::to_string(pages + 1)).c_str());
                    wizard->PressButton(pages < 3 ? PSBTN_NEXT : PSBTN_FINISH);
                }
                finished = true;
            });
    BOOL settingsWritten = FALSE;
    RunInMainLoop(
        program,
        [&]() {
            settingsWritten =
                ::GetFileAttributesA(program.folder.File("TVParam.ini").c_str()) != INVALID_FILE_ATTRIBUTES;
            PreviewHost::Pump(750);
            ShotOfScreen("first_start_after_wizard");
        },
        [&]() { return finished && program.control.GetOpenSheet() == NULL; });
    program.Run();

    EXPECT_EQ(4, pages);
    EXPECT_EQ(mutedBefore, mutedAfterKey) << "a hot key acted while the wizard ran";
    EXPECT_TRUE(settingsWritten) << "no settings file once the wizard had run";
    EXPECT_EQ(0, (int)::GetPrivateProfileIntA("Runonce", "Run", 1, program.folder.File("TVParam.ini").c_str()));
    for (const MessageBoxCapture::Box& box : BoxesBesideTheSoundQuestion(boxes))
        ADD_FAILURE() << "message box: " << box.text;
}

// OK writes where the video window stands and whether it stays on top,
// as they are then: a run that ends without its exit keeps them.
TEST_F(SettingsProgram, OkInTheSettingsWritesTheWindowsPlaceAndTopMostStateAsTheyAre)
{
    CRect placed;
    char place[64] = {};
    int topMost = -1;
    // Wine without a window manager may keep the window from the top; the
    // file must say what the window is.
    bool isTopMost = false;
    RunInMainLoop(program, [&]() {
        program.video.SetWindowPos(NULL, 120, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        program.control.SendMessage(WM_COMMAND, ID_TOPMOST);
        placed = WindowRect(program.video.m_hWnd);
        RunWhen([&]() { return program.control.GetOpenSheet() != NULL && program.control.GetOpenSheet()->m_hWnd; },
                [&]() {
                    isTopMost = (program.video.GetExStyle() & WS_EX_TOPMOST) != 0;
                    program.control.GetOpenSheet()->PressButton(PSBTN_OK);
                });
        program.control.SendMessage(WM_COMMAND, ID_SETTINGS);
        const std::string settings = program.folder.File("TVParam.ini");
        ::GetPrivateProfileStringA("Window", "VideoWnd", "", place, sizeof place, settings.c_str());
        topMost = (int)::GetPrivateProfileIntA("Window", "TopMost", -1, settings.c_str());
    });
    program.Run();

    char expected[64];
    snprintf(expected, sizeof expected, "%ld,%ld,%ld,%ld", placed.left, placed.top, placed.right, placed.bottom);
    EXPECT_EQ(120, placed.left);
    EXPECT_STREQ(expected, place);
    EXPECT_EQ(isTopMost ? 1 : 0, topMost);
}

// The schedule dialog as the page runs it, with a step that sets its
// start two hours on (so that the item does not start while the test runs)
// and presses OK once it shows.
static INT_PTR RunScheduleDialog(CScheduleDlg& dialog)
{
    RunWhen([&dialog]() { return dialog.m_hWnd != NULL && dialog.IsWindowVisible(); },
            [&dialog]() {
                PreviewHost::Pump(300);
                ShotOfScreen("schedule_dialog");
                SYSTEMTIME start;
                ::GetLocalTime(&start);
                start.wHour = (WORD)((start.wHour + 2) % 24);
                dialog.SendDlgItemMessage(IDC_SCHEDULEDLG_START, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&start);
                dialog.SendMessage(WM_COMMAND, IDOK);
            });
    return dialog.DoModal();
}

TEST_F(SettingsProgram, AnItemAddedThroughTheScheduleDialogReachesTheScheduleFile)
{
    int rows = -1;
    CSchedulePage::SetDialogRunner(&RunScheduleDialog);
    RunInMainLoop(program, [&]() {
        RunWhen([&]() { return program.control.GetOpenSheet() != NULL && program.control.GetOpenSheet()->m_hWnd; },
                [&]() {
                    CPropSheet* sheet = dynamic_cast<CPropSheet*>(program.control.GetOpenSheet());
                    ASSERT_NE(nullptr, sheet);
                    CBasePage* page = sheet->GetSettingsPage(SettingsPage::Schedule);
                    sheet->SetActivePage(page);
                    page->SendDlgItemMessage(IDC_SCHEDULEPAGE_ADD, BM_CLICK);
                    rows = static_cast<CSchedulePage*>(page)->GetRowCount();
                    PreviewHost::Pump(300);
                    ShotOfScreen("schedule_page_item");
                    sheet->PressButton(PSBTN_OK);
                });
    program.control.SendMessage(WM_COMMAND, ID_SETTINGS);
    });
    program.Run();
    CSchedulePage::SetDialogRunner(NULL);

    EXPECT_EQ(1, rows);
    // The program closed its schedule: the file alone holds the item now.
    ASSERT_TRUE(Timing_Initialize(program.folder.File("Rec.rec").c_str(), CTVControl::kScheduleItems));
    HTIMINGITEM item = Timing_GetFirstItem(0);
    ASSERT_NE((HTIMINGITEM)NULL, item) << "Rec.rec holds no item";
    _tagTimingParam timing = {};
    _tagExcuteParam execute = {};
    EXPECT_TRUE(Timing_GetItemTimingParam(item, &timing));
    EXPECT_TRUE(Timing_GetItemExcuteParam(item, &execute, sizeof execute));
    EXPECT_EQ(50 * 60, timing.nDuration);
    EXPECT_EQ(0, execute.nSource);
    EXPECT_EQ(175250, execute.nFrequency);
    EXPECT_EQ((HTIMINGITEM)NULL, Timing_GetNextItem(0, item));
    Timing_Uninitialize();
    for (const MessageBoxCapture::Box& box : BoxesBesideTheSoundQuestion(boxes))
        ADD_FAILURE() << "message box: " << box.text;
}

namespace {

// The program's own self-closing boxes as they come up on the test thread:
// what each says, whether it stood on top of every other window of the
// program where it showed, and what the program had open then. Each box is
// looked at once it shows and then answered, so that start-up goes on.
class TimedBoxWatch
{
public:
    struct Seen
    {
        std::string text;
        bool whole = false; // every line of the text fits its place
        bool onTop = false;
        bool sheetOpen = false;
    };

    explicit TimedBoxWatch(CTVControl& control)
    {
        Instance() = this;
        m_control = &control;
        m_hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, &OnMessage, NULL, ::GetCurrentThreadId());
    }
    ~TimedBoxWatch()
    {
        if (m_hook != NULL)
            ::UnhookWindowsHookEx(m_hook);
        Instance() = nullptr;
    }

    std::vector<Seen> seen;

private:
    static const UINT_PTR kLookTimer = 0x5EE;

    static TimedBoxWatch*& Instance()
    {
        static TimedBoxWatch* instance = nullptr;
        return instance;
    }
    static LRESULT CALLBACK OnMessage(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        // A box of its own, not a page that happens to use the same id.
        if (code == HC_ACTION && call->message == WM_SHOWWINDOW && call->wParam &&
            !(::GetWindowLongA(call->hwnd, GWL_STYLE) & WS_CHILD) && ::GetDlgItem(call->hwnd, IDC_MSGBOX_TEXT) != NULL)
            // The box's own queue is the one its modal loop runs.
            ::SetTimer(call->hwnd, kLookTimer, 300, &Look);
        return ::CallNextHookEx(NULL, code, wParam, lParam);
    }
    static void CALLBACK Look(HWND box, UINT, UINT_PTR id, DWORD)
    {
        ::KillTimer(box, id);
        TimedBoxWatch* self = Instance();
        if (self == nullptr)
            return;
        Seen seen;
        char text[2048] = {};
        ::GetDlgItemTextA(box, IDC_MSGBOX_TEXT, text, sizeof text);
        seen.text = text;
        seen.whole = ShowsWhole(box, ::GetDlgItem(box, IDC_MSGBOX_TEXT));
        // Every corner and the middle of the box are the box's own.
        CRect r;
        ::GetWindowRect(box, &r);
        seen.onTop = ::IsWindowVisible(box) != FALSE;
        const POINT points[] = {{r.left + 4, r.top + 4}, {r.right - 5, r.top + 4}, {r.left + 4, r.bottom - 5},
                                {r.right - 5, r.bottom - 5}, {r.CenterPoint().x, r.CenterPoint().y}};
        for (POINT p : points)
            seen.onTop = seen.onTop && ::GetAncestor(::WindowFromPoint(p), GA_ROOT) == box;
        seen.sheetOpen = self->m_control->GetOpenSheet() != NULL;
        ShotOfScreen(("unread_files_box_" + std::to_string(self->seen.size() + 1)).c_str());
        self->seen.push_back(seen);
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    }

    // The text as its static control breaks it, measured in its font,
    // within the control, and the control within the box.
    static bool ShowsWhole(HWND box, HWND control)
    {
        char text[2048] = {};
        ::GetWindowTextA(control, text, sizeof text);
        RECT client = {}, inBox = {}, boxClient = {};
        ::GetClientRect(control, &client);
        ::GetWindowRect(control, &inBox);
        ::MapWindowPoints(NULL, box, (POINT*)&inBox, 2);
        ::GetClientRect(box, &boxClient);
        HDC dc = ::GetDC(control);
        HGDIOBJ old = ::SelectObject(dc, (HGDIOBJ)::SendMessageA(control, WM_GETFONT, 0, 0));
        RECT needed = {0, 0, client.right, 0};
        UINT format = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_CALCRECT;
        if (::GetWindowLongA(control, GWL_STYLE) & SS_EDITCONTROL)
            format |= DT_EDITCONTROL;
        ::DrawTextA(dc, text, -1, &needed, format);
        ::SelectObject(dc, old);
        ::ReleaseDC(control, dc);
        return needed.right <= client.right && needed.bottom <= client.bottom && inBox.left >= 0 &&
               inBox.top >= 0 && inBox.right <= boxClient.right && inBox.bottom <= boxClient.bottom;
    }

    HHOOK m_hook = NULL;
    CTVControl* m_control = nullptr;
};

} // namespace

TEST_F(SettingsProgram, DamagedSettingsAndChannelFilesAreNamedWithTheirCopiesBeforeTheWizard)
{
    const char bytes[] = "\x01\x02garbage\xff\xfe\x00\x03 not a settings file\x80\x81";
    const std::string garbage(bytes, sizeof bytes - 1);
    program.folder.Write("TVParam.ini", garbage);
    program.folder.Write("TVChannel.tvc", garbage);
    TimedBoxWatch boxes(program.control);
    size_t boxesBeforeWizard = 0;
    bool wizardRan = false;
    RunWhen([&]() { return program.control.GetOpenSheet() != NULL && program.control.GetOpenSheet()->m_hWnd; },
            [&]() {
                boxesBeforeWizard = boxes.seen.size();
                wizardRan = true;
                CPropertySheet* wizard = program.control.GetOpenSheet();
                for (int page = 0; page < 4; ++page) {
                    PreviewHost::Pump(200);
                    wizard->PressButton(page < 3 ? PSBTN_NEXT : PSBTN_FINISH);
                }
            });
    RunInMainLoop(
        program, []() {}, [&]() { return wizardRan && program.control.GetOpenSheet() == NULL; });
    program.Run();

    ASSERT_TRUE(wizardRan) << "a start without readable settings is a first start";
    ASSERT_EQ(1u, boxes.seen.size());
    EXPECT_EQ(1u, boxesBeforeWizard) << "the message came after the wizard";
    const TimedBoxWatch::Seen& box = boxes.seen[0];
    EXPECT_TRUE(box.whole) << "the message was cut";
    EXPECT_TRUE(box.onTop) << "the message was hidden";
    EXPECT_FALSE(box.sheetOpen);
    for (const char* name : {"TVParam.ini", "TVChannel.tvc"}) {
        const std::string file = program.folder.File(name);
        const std::string copy = file + ".unread";
        EXPECT_NE(std::string::npos, box.text.find(file + "\n")) << box.text;
        EXPECT_NE(std::string::npos, box.text.find(copy)) << box.text;
        EXPECT_EQ(garbage, program.folder.Read((std::string(name) + ".unread").c_str())) << name;
    }
}
