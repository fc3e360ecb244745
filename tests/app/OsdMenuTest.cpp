// The on-screen menu's widgets, rows, panels and host: the answers of each
// layer to the menu's keys as tables, the text cursor of a row of editors,
// the focus wrapping of a panel, the host's walk of the panel tree, and
// the widgets' bars and thumbs drawn into a picture.
#include "graph/WindowMessages.h"
#include "app/M2Button.h"
#include "app/MEdit.h"
#include "app/MFrame.h"
#include "app/MItemWnd.h"
#include "app/MProgress.h"
#include "app/MSelectList.h"
#include "app/MSlider.h"
#include "app/Panel2.h"
#include "resources/Resource.h"
#include "tests/app/FakeOsdEngine.h"
#include "tests/app/ResourceLibrary.h"
#include "tests/support/HandleCount.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A hidden top-level window the widgets and rows are made in.
class Parent : public CWnd
{
public:
    Parent() { CreateEx(0, NULL, "menu parent", WS_POPUP, CRect(0, 0, 700, 400), NULL, 0); }
};

template <class Widget>
std::unique_ptr<Widget> Make(CWnd& parent, const CRect& rect = CRect(0, 0, 200, 40))
{
    std::unique_ptr<Widget> widget(new Widget);
    widget->Create(rect, &parent, 100, "");
    return widget;
}

const UINT kAllKeys[] = {kOsdKeyMenu, kOsdKeyEnter, kOsdKeyLeft, kOsdKeyUp, kOsdKeyRight, kOsdKeyDown, kOsdKeyClose};

TEST(OsdWidgets, EachWidgetAnswersTheMenuKeysAsItsTableSays)
{
    Parent parent;
    // Left, Up, Right, Down, then Enter, the menu key and the close code.
    const UINT keys[] = {kOsdKeyLeft, kOsdKeyUp, kOsdKeyRight, kOsdKeyDown, kOsdKeyEnter, kOsdKeyMenu, kOsdKeyClose};
    struct Case
    {
        const char* name;
        std::unique_ptr<MBasicWnd> widget;
        int answers[7];
    };
    std::unique_ptr<MEdit> edit = Make<MEdit>(parent);
    edit->SetValue(50);
    std::unique_ptr<MSelectList> select = Make<MSelectList>(parent);
    select->AddOption("a");
    select->AddOption("b");
    Case cases[] = {
        {"plain", Make<MBasicWnd>(parent), {2, 2, 2, 2, 2, 2, 2}},
        // Off -> on passes on; the next Left finds it on and takes it.
        {"button", Make<M2Button>(parent), {2, 2, 0, 2, 2, 2, 2}},
        // Off -> on takes it; the next Left finds it on and passes it on.
        {"edit", std::move(edit), {0, 0, 2, 0, 2, 2, 2}},
        {"progress", Make<MProgress>(parent), {0, 2, 0, 2, 2, 2, 2}},
        {"select", std::move(select), {0, 2, 0, 2, 2, 2, 2}},
        {"slider", Make<MSlider>(parent), {0, 2, 0, 2, 2, 2, 2}},
    };
    for (Case& c : cases) {
        for (size_t k = 0; k < 7; ++k)
            EXPECT_EQ(c.answers[k], SendOsdKey(c.widget.get(), keys[k])) << c.name << " key " << keys[k];
        // Switched off, a widget passes every key on without looking at it.
        c.widget->SetActive(FALSE);
        const int state = c.widget->GetState();
        for (UINT key : kAllKeys)
            EXPECT_EQ(kOsdNotHandled, SendOsdKey(c.widget.get(), key)) << c.name << " inactive, key " << key;
        EXPECT_EQ(state, c.widget->GetState()) << c.name;
    }
}

TEST(OsdWidgets, EditorsAndBarsStayInTheirRangesAndSelectorsWrap)
{
    Parent parent;
    std::unique_ptr<MEdit> edit = Make<MEdit>(parent);
    edit->SetRange(1, 12);
    edit->SetValue(12);
    EXPECT_EQ(kOsdHandled, SendOsdKey(edit.get(), kOsdKeyUp));
    EXPECT_EQ(12, edit->GetValue());
    edit->SetValue(1);
    EXPECT_EQ(kOsdHandled, SendOsdKey(edit.get(), kOsdKeyDown));
    EXPECT_EQ(1, edit->GetValue());
    EXPECT_EQ(1, edit->SetValue(40));
    EXPECT_EQ(12, edit->GetValue());
    edit->SetRange(20, 30);
    EXPECT_EQ(20, edit->GetValue());

    // Selectors wrap at both ends, and one without options stays at 0.
    std::unique_ptr<MSelectList> select = Make<MSelectList>(parent);
    for (const char* option : {"a", "b", "c"})
        select->AddOption(option);
    select->SetState(2);
    SendOsdKey(select.get(), kOsdKeyRight);
    EXPECT_EQ(0, select->GetCurSel());
    SendOsdKey(select.get(), kOsdKeyLeft);
    EXPECT_EQ(2, select->GetCurSel());
    EXPECT_EQ("c", std::string(select->GetCurText()));
    select->RemoveOption(2);
    EXPECT_EQ(1, select->GetCurSel()) << "the choice stays on an option";
    select->RemoveOption(7);
    EXPECT_EQ(2, select->GetOptionCount());
    select->ClearOptions();
    for (UINT key : {kOsdKeyRight, kOsdKeyLeft, kOsdKeyRight}) {
        EXPECT_EQ(kOsdHandled, SendOsdKey(select.get(), key));
        EXPECT_EQ(0, select->GetCurSel());
    }
    EXPECT_EQ(0, select->SetState(-5));
    EXPECT_EQ(0, select->GetCurSel());
    EXPECT_EQ("", std::string(select->GetCurText()));

    // Bars step by 2 and sliders by their step, within the range.
    std::unique_ptr<MProgress> bar = Make<MProgress>(parent);
    bar->SetRange(-8, 7);
    bar->SetPos(6);
    SendOsdKey(bar.get(), kOsdKeyRight);
    EXPECT_EQ(7, bar->GetPos());
    bar->SetPos(-7);
    SendOsdKey(bar.get(), kOsdKeyLeft);
    EXPECT_EQ(-8, bar->GetPos());
}

TEST(OsdWidgets, SliderStepsArePartOfTheRangeAndPercentagesSurviveEqualBounds)
{
    Parent parent;
    const long f = 175250;
    std::unique_ptr<MSlider> slider = Make<MSlider>(parent);
    slider->SetRange(f - 2000, f + 2000);
    EXPECT_EQ(1, slider->SetStep(50));
    EXPECT_EQ(50, slider->SetStep(3000)) << "more than half the range is refused";
    EXPECT_EQ(50, slider->GetStep());
    EXPECT_EQ(50, slider->SetStep(2000)) << "half the range is taken";
    slider->SetStep(50);
    slider->SetPos(f);
    EXPECT_EQ(50, slider->GetPercent());
    SendOsdKey(slider.get(), kOsdKeyRight);
    EXPECT_EQ(f + 50, slider->GetPos());
    slider->SetPos(f + 5000);
    EXPECT_EQ(f + 2000, slider->GetPos());
    EXPECT_EQ(100, slider->GetPercent());

    const struct
    {
        int minimum, maximum, position, percent;
    } cases[] = {
        {0, 100, 0, 0}, {0, 100, 100, 100}, {-128, 127, -128, 0}, {-128, 127, 127, 100}, {0, 255, 128, 50},
        {-8, 7, 0, 53}, {5, 5, 5, 0}, {0, 0, 0, 0}, {44000, 870000, 870000, 100},
    };
    for (const auto& c : cases) {
        std::unique_ptr<MProgress> bar = Make<MProgress>(parent);
        bar->SetRange(c.minimum, c.maximum);
        bar->SetPos(c.position);
        EXPECT_EQ(c.percent, bar->GetPercent()) << c.minimum << ".." << c.maximum << " at " << c.position;
    }
    EXPECT_EQ(0, RangePercent(10, 10, 10));
}

// The colour of a widget's picture at a point, drawn over white.
class DrawnWidget
{
public:
    explicit DrawnWidget(MBasicWnd& widget)
    {
        CRect client;
        widget.GetClientRect(&client);
        m_width = client.Width();
        HDC screen = ::GetDC(NULL);
        m_dc.Attach(::CreateCompatibleDC(screen));
        m_bitmap.Attach(::CreateCompatibleBitmap(screen, client.Width(), client.Height()));
        ::ReleaseDC(NULL, screen);
        m_old = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(&client, RGB(255, 255, 255));
        widget.Draw(&m_dc);
    }
    ~DrawnWidget() { m_dc.SelectObject(m_old); }
    COLORREF At(int x, int y) const { return m_dc.GetPixel(x, y); }
    int Width() const { return m_width; }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_old;
    int m_width;
};

TEST(OsdWidgets, BarsFillToTheirPositionAndTheSliderThumbSitsAtItsPlace)
{
    ResourceLibrary library;
    ASSERT_TRUE(library.Loaded());
    Parent parent;
    std::unique_ptr<MProgress> bar = Make<MProgress>(parent);
    ASSERT_TRUE(bar->LoadBitmaps(IDB_OSD_PROGRESS_BACK, IDB_OSD_PROGRESS_FILL));
    bar->SetRange(-128, 127);
    bar->SetPos(-128);
    COLORREF empty, full;
    {
        DrawnWidget drawn(*bar);
        empty = drawn.At(drawn.Width() / 2, 4);
    }
    bar->SetPos(127);
    {
        DrawnWidget drawn(*bar);
        full = drawn.At(drawn.Width() / 2, 4);
        EXPECT_EQ(full, drawn.At(drawn.Width() - 4, 4)) << "a full bar fills to its end";
    }
    EXPECT_NE(empty, full);
    // An empty bar shows its background at the left, where a full one is filled.
    bar->SetPos(-128);
    {
        DrawnWidget drawn(*bar);
        EXPECT_EQ(empty, drawn.At(4, 4));
    }

    std::unique_ptr<MSlider> slider = Make<MSlider>(parent);
    ASSERT_TRUE(slider->LoadBitmaps(IDB_OSD_SLIDER_TRACK, IDB_OSD_SLIDER_THUMB));
    slider->SetRange(175250 - 2000, 175250 + 2000);
    slider->SetPos(175250);
    CRect client;
    slider->GetClientRect(&client);
    const int thumb = slider->GetThumbWidth();
    EXPECT_EQ(client.Width() / 2, slider->ThumbLeft(client.Width()) + thumb / 2);
    slider->SetPos(175250 + 2000);
    EXPECT_EQ(client.Width() - thumb, slider->ThumbLeft(client.Width())) << "the thumb stays on the track";
    // The frequency's digits go beside the thumb wherever it stands, in
    // the wider part of the track.
    for (int position : {175250 - 2000, 175250 - 50, 175250, 175250 + 50, 175250 + 2000}) {
        slider->SetPos(position);
        const int left = slider->ThumbLeft(client.Width());
        const CRect digits = slider->PositionRect(client.Width(), client.Height());
        CRect overlap;
        EXPECT_FALSE(overlap.IntersectRect(digits, CRect(left, 0, left + thumb, client.Height()))) << position;
        EXPECT_GE(digits.Width(), (client.Width() - thumb) / 2) << position;
        EXPECT_EQ(client.Height(), digits.Height());
    }
}

// A row of a label and three number editors with separators, as the
// date rows have it.
struct EditorRow
{
    explicit EditorRow(CWnd& parent)
    {
        row.Create(CRect(0, 0, 620, 45), &parent, 1);
        widgets.push_back(Add<M2Button>());
        for (int i = 0; i < 3; ++i) {
            widgets.push_back(Add<MEdit>());
            widgets.push_back(Add<MBasicWnd>());
        }
    }
    template <class W>
    MBasicWnd* Add()
    {
        std::unique_ptr<W> widget(new W);
        widget->Create(CRect(0, 0, 40, 40), &row, 1, "");
        MBasicWnd* made = widget.get();
        row.AddWidget(std::move(widget));
        return made;
    }
    // The widgets whose state is on, as their places.
    std::vector<int> On() const
    {
        std::vector<int> on;
        for (size_t i = 0; i < widgets.size(); ++i)
            if (widgets[i]->GetState())
                on.push_back((int)i);
        return on;
    }
    MItemWnd row;
    std::vector<MBasicWnd*> widgets;
};

TEST(OsdRows, RightAndLeftMoveATextCursorThroughTheEditorsAndBackToTheLabel)
{
    Parent parent;
    EditorRow r(parent);
    // Each Right: the row's answer, where the cursor is, what is on.
    const struct
    {
        int answer;
        int current;
        std::vector<int> on;
    } steps[] = {
        {kOsdChanged, 1, {0, 1}}, // the label turns on and passes on, the first editor takes it
        {kOsdChanged, 3, {0, 3}},
        {kOsdChanged, 5, {0, 5}},
        {kOsdChanged, 0, {}},     // past the last editor: back to the label, which turns off
        {kOsdChanged, 1, {0, 1}},
    };
    for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
        EXPECT_EQ(steps[i].answer, SendOsdKey(&r.row, kOsdKeyRight)) << "Right " << i;
        EXPECT_EQ(steps[i].current, r.row.GetCurrentWidget()) << "Right " << i;
        EXPECT_EQ(steps[i].on, r.On()) << "Right " << i;
    }
    // Up and Down change the editor under the cursor: a changed value (1).
    MEdit* first = static_cast<MEdit*>(r.widgets[1]);
    first->SetValue(7);
    EXPECT_EQ(kOsdChanged, SendOsdKey(&r.row, kOsdKeyUp));
    EXPECT_EQ(8, first->GetValue());
    EXPECT_EQ(kOsdChanged, SendOsdKey(&r.row, kOsdKeyDown));
    EXPECT_EQ(7, first->GetValue());
    // Left goes back: the editor turns off and passes on, and backwards
    // past the label's wrap the last editor takes it.
    EXPECT_EQ(kOsdChanged, SendOsdKey(&r.row, kOsdKeyLeft));
    EXPECT_EQ(0, r.row.GetCurrentWidget());
    EXPECT_EQ(std::vector<int>{}, r.On());
    // With the cursor on the label, Up and Down are not the row's.
    EXPECT_EQ(kOsdNotHandled, SendOsdKey(&r.row, kOsdKeyUp));
    EXPECT_EQ(kOsdNotHandled, SendOsdKey(&r.row, kOsdKeyEnter));
    EXPECT_EQ(kOsdNotHandled, SendOsdKey(&r.row, kOsdKeyClose));
}

TEST(OsdRows, ARowWhoseWidgetsAllPassOnTriesEachOnceAndPassesOn)
{
    Parent parent;
    MItemWnd row;
    row.Create(CRect(0, 0, 620, 45), &parent, 1);
    EXPECT_EQ(kOsdNotHandled, SendOsdKey(&row, kOsdKeyRight)) << "no widgets";
    for (int i = 0; i < 3; ++i) {
        std::unique_ptr<MBasicWnd> label(new MBasicWnd);
        label->Create(CRect(0, 0, 40, 40), &row, 1, "x");
        row.AddWidget(std::move(label));
    }
    row.SetCurrentWidget(1);
    EXPECT_EQ(kOsdNotHandled, SendOsdKey(&row, kOsdKeyRight));
    EXPECT_EQ(1, row.GetCurrentWidget()) << "three tries step once round";
    EXPECT_EQ(kOsdNotHandled, SendOsdKey(&row, kOsdKeyLeft));
    EXPECT_EQ(1, row.GetCurrentWidget());
    EXPECT_EQ(1, row.SetCurrentWidget(-1));
    EXPECT_EQ(2, row.GetCurrentWidget());
    row.SetCurrentWidget(3);
    EXPECT_EQ(0, row.GetCurrentWidget());
    EXPECT_EQ(nullptr, row.GetWidget(3));
    // The focus highlights every widget.
    row.SetFocused(TRUE);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(row.GetWidget(i)->IsHighlighted());
}

// A panel of rows whose action is recorded.
class RecordingFrame : public MFrame
{
public:
    int OnRowKey(UINT vk, LPARAM lParam) override
    {
        keys.push_back(vk);
        MFrame::OnRowKey(vk, lParam);
        return answer;
    }
    void BuildRows() override
    {
        for (int i = 0; i < 3; ++i) {
            MItemWnd* row = NewRow(1);
            AddLabel(row, 1, IDS_OSD_YES);
            edits.push_back(AddWidget<MEdit>(row, CRect(249, 6, 319, 38), 1));
        }
    }
    std::vector<UINT> keys;
    std::vector<MEdit*> edits;
    int answer = kOsdHandled;
};

TEST(OsdPanels, UpAndDownWrapTheFocusUnlessAnEditorTakesThem)
{
    ResourceLibrary library;
    Parent parent;
    FakeOsdEngine engine;
    RecordingFrame frame;
    frame.Attach(NULL, &engine);
    ASSERT_TRUE(frame.Create(CRect(0, 0, 120, 120), &parent, 1));
    frame.BuildRows();
    EXPECT_EQ(0, frame.GetFocusRow());
    EXPECT_TRUE(frame.GetRow(0)->IsFocused());

    const struct
    {
        UINT key;
        int focus;
        std::vector<UINT> rowKeys;
    } steps[] = {
        {kOsdKeyUp, 2, {}},   // wraps to the last row
        {kOsdKeyDown, 0, {}}, // and back to the first
        {kOsdKeyDown, 1, {}},
        {kOsdKeyEnter, 1, {kOsdKeyEnter}},
        {kOsdKeyRight, 1, {kOsdKeyRight}}, // the cursor onto the editor: a change
        {kOsdKeyUp, 1, {kOsdKeyUp}},       // the editor takes Up: the focus stays
        {kOsdKeyLeft, 1, {kOsdKeyLeft}},   // back to the label
        {kOsdKeyDown, 2, {}},
        {kOsdKeyClose, 2, {kOsdKeyClose}},
    };
    for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
        frame.keys.clear();
        EXPECT_EQ(kOsdHandled, SendOsdKey(&frame, steps[i].key)) << "step " << i;
        EXPECT_EQ(steps[i].focus, frame.GetFocusRow()) << "step " << i;
        EXPECT_EQ(steps[i].rowKeys, frame.keys) << "step " << i;
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(row == steps[i].focus, !!frame.GetRow(row)->IsFocused()) << "step " << i;
    }
    EXPECT_EQ(1, frame.edits[1]->GetValue()) << "Up raised the editor of row 1 once";
    EXPECT_EQ(std::vector<std::string>{"hide menu"}, engine.Take());
    // The menu key is the host's, before the row sees it.
    frame.keys.clear();
    EXPECT_EQ(kOsdNotHandled, SendOsdKey(&frame, kOsdKeyMenu));
    EXPECT_TRUE(frame.keys.empty());
    // The panel is as high as its bands and rows.
    CRect rect;
    frame.GetClientRect(&rect);
    EXPECT_EQ(3 * MFrame::kRowHeight, rect.Height()) << "no bands loaded";
    EXPECT_EQ(2, frame.SetFocusRow(7));
    EXPECT_EQ(2, frame.GetFocusRow()) << "an index past the rows changes nothing";
}

// The host over the fake engine, shown.
class Host : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(library.Loaded());
        ASSERT_TRUE(menu.Create(&parent));
        engine.host = &menu;
        engine.tv.AddChannel(CChannel(1, 175250, "E5", CHANNEL_VALID));
        engine.tv.AddChannel(CChannel(2, 471250, "E21", CHANNEL_VALID));
        engine.tv.SetCurrentIndex(0);
        menu.ShowPanel(TRUE);
    }
    int Current() const
    {
        for (int i = 0; i < CPanel2::kFrameCount; ++i)
            if (menu.GetFrame(i) == menu.GetCurrentFrame())
                return i;
        return -1;
    }
    void Key(UINT vk) { menu.SendMessage(WM_OSD_KEY, vk, 0); }

    ResourceLibrary library;
    Parent parent;
    FakeOsdEngine engine;
    CPanel2 menu{engine};
};

TEST_F(Host, EnterOnARootRowOpensItsPanelAndTheMenuKeyGoesBackThenCloses)
{
    EXPECT_TRUE(menu.IsPanelShown());
    EXPECT_EQ(CPanel2::kRootFrame, Current());
    const int opened[] = {CPanel2::kChannelFrame, CPanel2::kColorFrame, CPanel2::kListFrame,
                          CPanel2::kRecordPropertyFrame, CPanel2::kVideoFrame};
    for (int row = 0; row < 5; ++row) {
        menu.GetFrame(CPanel2::kRootFrame)->SetFocusRow(row);
        Key(kOsdKeyEnter);
        EXPECT_EQ(opened[row], Current()) << "root row " << row;
        EXPECT_TRUE(menu.GetCurrentFrame()->IsWindowVisible());
        EXPECT_FALSE(menu.GetFrame(CPanel2::kRootFrame)->IsWindowVisible());
        // The dialog takes the panel's size.
        CRect dialog, panel;
        menu.GetWindowRect(&dialog);
        menu.GetCurrentFrame()->GetWindowRect(&panel);
        EXPECT_EQ(dialog, panel);
        Key(kOsdKeyMenu);
        EXPECT_EQ(CPanel2::kRootFrame, Current());
        EXPECT_TRUE(menu.IsPanelShown());
    }
    // Two levels down, the menu key comes back one level at a time.
    menu.GetFrame(CPanel2::kRootFrame)->SetFocusRow(4);
    Key(kOsdKeyEnter);
    menu.GetCurrentFrame()->SetFocusRow(5);
    Key(kOsdKeyEnter);
    EXPECT_EQ(CPanel2::kOffFrame, Current());
    Key(kOsdKeyMenu);
    EXPECT_EQ(CPanel2::kVideoFrame, Current());
    Key(kOsdKeyMenu);
    Key(kOsdKeyMenu);
    EXPECT_FALSE(menu.IsPanelShown()) << "the menu key at the root closes the menu";
    // Hidden, the menu key opens it again at the root.
    Key(kOsdKeyMenu);
    EXPECT_TRUE(menu.IsPanelShown());
    EXPECT_EQ(CPanel2::kRootFrame, Current());
}

TEST_F(Host, TheCloseCodeHidesTheMenuFromEveryPanelAndShowingStartsAtTheRoot)
{
    for (int i = 0; i < CPanel2::kFrameCount; ++i) {
        menu.ShowPanel(TRUE);
        // Into panel i by the tree: the panel's own row opens it.
        const struct
        {
            int via;
            int row;
        } path[CPanel2::kFrameCount] = {{-1, 0}, {0, 0}, {1, 0}, {0, 1}, {7, 5}, {0, 3}, {8, 5}, {0, 2}, {0, 4}};
        std::vector<int> chain;
        for (int at = i; at != CPanel2::kRootFrame; at = path[at].via)
            chain.insert(chain.begin(), at);
        // (The list opens the editor from its action row, on "new".)
        for (int step : chain) {
            menu.GetCurrentFrame()->SetFocusRow(path[step].row);
            Key(kOsdKeyEnter);
        }
        EXPECT_EQ(i, Current()) << "panel " << i;
        engine.scanning = FALSE;
        Key(kOsdKeyClose);
        EXPECT_FALSE(menu.IsPanelShown()) << "close code at panel " << i;
    }
    menu.ShowPanel(TRUE);
    EXPECT_EQ(CPanel2::kRootFrame, Current());
}

TEST_F(Host, TheScanPanelFollowsTheScanAndComesBackAtItsEnd)
{
    menu.GetFrame(CPanel2::kRootFrame)->SetFocusRow(0);
    Key(kOsdKeyEnter);
    Key(kOsdKeyEnter); // the scan row: a scan starts, the scan panel opens
    EXPECT_EQ(CPanel2::kSearchFrame, Current());
    EXPECT_EQ(std::vector<std::string>{"start scan tv"}, engine.Take());
    menu.UpdateScanProgress(0, 40, 10);
    EXPECT_EQ(CPanel2::kSearchFrame, Current());
    menu.UpdateScanProgress(0, 40, 40);
    EXPECT_EQ(CPanel2::kChannelFrame, Current()) << "the end of the range goes back";
    menu.OnScanEnd();
    EXPECT_EQ(CPanel2::kChannelFrame, Current()) << "and the scan's end does not go back twice";

    // While a scan runs, Enter on the scan panel stops it and closes the menu.
    engine.scanning = FALSE;
    Key(kOsdKeyEnter);
    EXPECT_EQ(CPanel2::kSearchFrame, Current());
    Key(kOsdKeyEnter);
    EXPECT_FALSE(menu.IsPanelShown());
    EXPECT_EQ((std::vector<std::string>{"start scan tv", "stop scan", "hide menu"}), engine.Take());
    // A scan's end with the scan panel showing goes back to the channel panel.
    menu.ShowPanel(TRUE);
    menu.GetFrame(CPanel2::kRootFrame)->SetFocusRow(0);
    Key(kOsdKeyEnter);
    Key(kOsdKeyEnter);
    engine.scanning = FALSE;
    menu.OnScanEnd();
    EXPECT_EQ(CPanel2::kChannelFrame, Current());
    // With no scan running the menu key on the scan panel goes back.
    Key(kOsdKeyEnter);
    engine.scanning = FALSE;
    Key(kOsdKeyMenu);
    EXPECT_EQ(CPanel2::kChannelFrame, Current());
}

TEST_F(Host, MadeAndDestroyedTheMenuLeavesNoWindowsOrPictures)
{
    menu.DestroyWindow();
    const DWORD before = GdiObjectCount();
    for (int i = 0; i < 3; ++i) {
        CPanel2 another(engine);
        ASSERT_TRUE(another.Create(&parent));
        another.ShowPanel(TRUE);
        another.ShowPanel(FALSE);
    }
    if (before != 0) {
        EXPECT_LE(GdiObjectCount(), before + 4);
    }
}

} // namespace
