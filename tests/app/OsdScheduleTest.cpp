// The on-screen schedule list and editor over the timing library in a
// scratch folder: TV items five to a page with other sources among them,
// every TV item once; deleting by the chosen row; the editor's new item,
// edited item, cancel, and the dates and lengths it refuses.
#include "app/MEdit.h"
#include "app/MListFrame.h"
#include "app/MRecordTimeFrame.h"
#include "app/MSelectList.h"
#include "resources/Resource.h"
#include "tests/app/OsdMenuFixture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// One item of the schedule as the library holds it.
struct Stored
{
    _tagTimingParam timing;
    _tagExcuteParam execute;
    HTIMINGITEM item;
};

std::vector<Stored> StoredItems()
{
    std::vector<Stored> items;
    for (HTIMINGITEM item = Timing_GetFirstItem(0); item != NULL; item = Timing_GetNextItem(0, item)) {
        Stored s = {{}, {}, item};
        Timing_GetItemTimingParam(item, &s.timing);
        Timing_GetItemExcuteParam(item, &s.execute, sizeof s.execute);
        items.push_back(s);
    }
    return items;
}

class Schedule : public OsdMenuFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Timing_Initialize(folder.File("Rec.rec").c_str(), 128));
        OsdMenuFixture::SetUp();
    }
    void TearDown() override { Timing_Uninitialize(); }

    // A one-time item `day` days from a fixed future month, one hour long.
    HTIMINGITEM Add(int day, int source, long kHz = 175250)
    {
        _tagTimingParam t = {2090, 3, day, 20, 15, 0, 3600, 1, 0, 0};
        _tagExcuteParam e = {44, 0, 3600, source, 0, kHz, 0, 0, {0, 0, 0}};
        return Timing_InsertItem(0, t, &e);
    }
    MListFrame* OpenList()
    {
        Open(2);
        return dynamic_cast<MListFrame*>(menu.GetCurrentFrame());
    }
    std::string Value(MListFrame* list, int row) { return (LPCSTR)list->GetRow(row)->GetWidget(1)->GetText(); }
    std::string Label(MListFrame* list, int row) { return (LPCSTR)list->GetRow(row)->GetWidget(0)->GetText(); }
    void ChooseAction(MListFrame* list, int row, int action)
    {
        list->SetFocusRow(row);
        Key(kOsdKeyEnter);
        ASSERT_EQ(MListFrame::kActionRow, list->GetFocusRow());
        dynamic_cast<MSelectList*>(list->GetRow(MListFrame::kActionRow)->GetWidget(1))->SetState(action);
        Key(kOsdKeyEnter);
    }

    TempFolder folder;
};

TEST_F(Schedule, PagesRunOverTheTVItemsSoEachShowsOnce)
{
    // Seven TV items with an AV, an S-Video and an FM item among them.
    const int sources[] = {0, 1, 0, 0, 3, 0, 0, 2, 0, 0};
    for (int i = 0; i < 10; ++i)
        ASSERT_NE(nullptr, Add(i + 1, sources[i]));
    MListFrame* list = OpenList();
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(2, list->GetPageCount());

    std::multiset<std::string> listed;
    for (int page = 0; page < 2; ++page) {
        for (int row = 0; row < MListFrame::kRowsPerPage; ++row) {
            if (list->GetRowItem(row) == NULL) {
                EXPECT_EQ("", Value(list, row)) << "page " << page << " row " << row;
                EXPECT_EQ("", Label(list, row));
                continue;
            }
            listed.insert(Value(list, row));
            EXPECT_EQ(0u, Label(list, row).find(std::to_string(row + 1) + "   ")) << Label(list, row);
        }
        list->NextPage();
    }
    // Every TV day once, the others never.
    std::multiset<std::string> expected;
    for (int i = 0; i < 10; ++i)
        if (sources[i] == 0) {
            char text[32];
            snprintf(text, sizeof text, "2090-03-%02d  20:15:00", i + 1);
            expected.insert(text);
        }
    EXPECT_EQ(expected, listed);
    // The second page: items 6 and 7 on rows 1 and 2, three empty rows.
    EXPECT_EQ(1, list->GetPage());
    EXPECT_NE(nullptr, list->GetRowItem(1));
    EXPECT_EQ(nullptr, list->GetRowItem(2));
    EXPECT_EQ("2090-03-10  20:15:00", Value(list, 1));

    // Down on row 4 of the last page wraps to row 0 of that page; Up on row
    // 0 of the first page goes to its row 4.
    list->SetFocusRow(4);
    Key(kOsdKeyDown);
    EXPECT_EQ(0, list->GetFocusRow());
    EXPECT_EQ(1, list->GetPage());
    Key(kOsdKeyUp);
    EXPECT_EQ(4, list->GetFocusRow());
    EXPECT_EQ(0, list->GetPage());
    Key(kOsdKeyUp);
    Key(kOsdKeyUp);
    Key(kOsdKeyUp);
    Key(kOsdKeyUp);
    Key(kOsdKeyUp);
    EXPECT_EQ(4, list->GetFocusRow());
    EXPECT_EQ(0, list->GetPage()) << "no page before the first";
    Key(kOsdKeyDown);
    EXPECT_EQ(1, list->GetPage());
}

TEST_F(Schedule, AnEmptyLibrarySaysSoAndTurnsNoPage)
{
    MListFrame* list = OpenList();
    EXPECT_EQ(0, list->GetPageCount());
    CString empty;
    empty.LoadString(IDS_OSD_LIST_EMPTY);
    EXPECT_EQ(std::string(empty), Label(list, 0));
    for (int row = 0; row < MListFrame::kRowsPerPage; ++row)
        EXPECT_EQ("", Value(list, row));
    list->NextPage();
    list->PrevPage();
    EXPECT_EQ(0, list->GetPage());
    // Edit and delete on a blank row do nothing.
    ChooseAction(list, 0, MListFrame::kActionEdit);
    EXPECT_EQ(list, menu.GetCurrentFrame());
    ChooseAction(list, 0, MListFrame::kActionDelete);
    EXPECT_TRUE(StoredItems().empty());
}

TEST_F(Schedule, DeleteRemovesTheChosenRowsItemAndRemovingAtTheCountDoesNothing)
{
    for (int day = 1; day <= 3; ++day)
        Add(day, day == 2 ? 3 : 0);
    MListFrame* list = OpenList();
    list->RemoveItemAt(3);
    list->RemoveItemAt(17);
    list->RemoveItemAt(-1);
    EXPECT_EQ(3u, StoredItems().size());

    // Row 1 lists day 3 (day 2 is FM): that item goes, the FM one stays.
    ChooseAction(list, 1, MListFrame::kActionDelete);
    const std::vector<Stored> left = StoredItems();
    ASSERT_EQ(2u, left.size());
    EXPECT_EQ(1, left[0].timing.nDay);
    EXPECT_EQ(2, left[1].timing.nDay);
    EXPECT_EQ(list, menu.GetCurrentFrame());
    EXPECT_EQ(1, list->GetFocusRow()) << "the focus back on the chosen row";
    EXPECT_EQ("", Value(list, 1));

    // An item that went from the library after the list was read is not
    // confused with the one now in its place.
    Add(4, 0);
    menu.ShowPanel(TRUE);
    list = OpenList();
    Timing_RemoveItem(list->GetRowItem(0));
    ChooseAction(list, 0, MListFrame::kActionDelete);
    ASSERT_EQ(2u, StoredItems().size());
}

TEST_F(Schedule, TheEditorStoresANewItemAndItsDatesAndLengthAreChecked)
{
    MListFrame* list = OpenList();
    ChooseAction(list, 0, MListFrame::kActionNew);
    MRecordTimeFrame* editor = dynamic_cast<MRecordTimeFrame*>(menu.GetCurrentFrame());
    ASSERT_NE(nullptr, editor);
    // A new item: now, 0:50:00, the current channel, power-off off.
    EXPECT_EQ(CTime::GetCurrentTime().GetYear(), editor->FieldEditor(MRecordTimeFrame::kDateRow, 0)->GetValue());
    EXPECT_EQ(0, editor->FieldEditor(MRecordTimeFrame::kDurationRow, 0)->GetValue());
    EXPECT_EQ(50, editor->FieldEditor(MRecordTimeFrame::kDurationRow, 1)->GetValue());
    MSelectList* channel = dynamic_cast<MSelectList*>(editor->GetRow(MRecordTimeFrame::kChannelRow)->GetWidget(1));
    ASSERT_EQ(3, channel->GetOptionCount());
    EXPECT_EQ("2.E21", std::string(channel->GetCurText()));

    const auto set = [&](int row, int a, int b, int c) {
        editor->FieldEditor(row, 0)->SetValue(a);
        editor->FieldEditor(row, 1)->SetValue(b);
        editor->FieldEditor(row, 2)->SetValue(c);
    };
    set(MRecordTimeFrame::kDateRow, 2091, 2, 31);
    set(MRecordTimeFrame::kStartRow, 21, 0, 0);
    editor->SetFocusRow(MRecordTimeFrame::kStoreRow);
    Key(kOsdKeyEnter);
    EXPECT_EQ((Log{"message " + std::to_string(IDS_OSD_TIME_INVALID)}), engine.Take());
    EXPECT_EQ(editor, menu.GetCurrentFrame()) << "31 February stays in the editor";
    set(MRecordTimeFrame::kDateRow, 2091, 2, 28);
    set(MRecordTimeFrame::kDurationRow, 0, 0, 0);
    Key(kOsdKeyEnter);
    EXPECT_EQ((Log{"message " + std::to_string(IDS_OSD_DURATION_EMPTY)}), engine.Take());
    EXPECT_TRUE(StoredItems().empty());

    // Stored with the channel the option stands for, even when a channel
    // before it has gone from the table since the options were made.
    set(MRecordTimeFrame::kDurationRow, 1, 30, 59);
    channel->SetState(2); // "3.E25"
    delete engine.tv.GetChannel(0);
    engine.tv.RemoveAt(0);
    Key(kOsdKeyEnter);
    EXPECT_TRUE(engine.Take().empty());
    ASSERT_EQ(1u, StoredItems().size());
    const Stored s = StoredItems()[0];
    const _tagTimingParam t = {2091, 2, 28, 21, 0, 0, 5459, 1, 0, 0};
    EXPECT_EQ(0, memcmp(&t, &s.timing, sizeof t));
    EXPECT_EQ(44, s.execute.nSize);
    EXPECT_EQ(5459, s.execute.nDuration);
    EXPECT_EQ(0, s.execute.nSource);
    EXPECT_EQ(503250, s.execute.nFrequency);
    EXPECT_EQ(1, s.execute.nChannel) << "its index in the table now";
    EXPECT_EQ(0, s.execute.bPowerOff);
    EXPECT_EQ(list, menu.GetCurrentFrame());
    EXPECT_EQ("2091-02-28  21:00:00", Value(list, 0));

    // An overlapping one is refused with the conflict message.
    ChooseAction(list, 0, MListFrame::kActionNew);
    set(MRecordTimeFrame::kDateRow, 2091, 2, 28);
    set(MRecordTimeFrame::kStartRow, 21, 30, 0);
    editor->SetFocusRow(MRecordTimeFrame::kStoreRow);
    Key(kOsdKeyEnter);
    EXPECT_EQ((Log{"message " + std::to_string(IDS_SCHEDULE_CONFLICT)}), engine.Take());
    EXPECT_EQ(1u, StoredItems().size());
    // One already over is refused as well.
    ChooseAction(list, 0, MListFrame::kActionNew);
    set(MRecordTimeFrame::kDateRow, 2004, 5, 5);
    editor->SetFocusRow(MRecordTimeFrame::kStoreRow);
    Key(kOsdKeyEnter);
    EXPECT_EQ((Log{"message " + std::to_string(IDS_SCHEDULE_START_PASSED)}), engine.Take());
}

TEST_F(Schedule, EditingShowsTheItemStoresOverItAndCancelLeavesItAlone)
{
    Add(5, 0, 471250);
    _tagTimingParam t = {2090, 4, 1, 6, 0, 0, 600, 0, 0x41, 0};
    _tagExcuteParam e = {44, 0, 600, 0, 0, 503250, 0, 1, {0, 0, 0}};
    ASSERT_NE(nullptr, Timing_InsertItem(0, t, &e)); // weekly, hibernate afterwards
    MListFrame* list = OpenList();

    ChooseAction(list, 1, MListFrame::kActionEdit);
    MRecordTimeFrame* editor = dynamic_cast<MRecordTimeFrame*>(menu.GetCurrentFrame());
    ASSERT_NE(nullptr, editor);
    EXPECT_EQ(list->GetRowItem(1), menu.GetEditedItem());
    EXPECT_EQ(4, editor->FieldEditor(MRecordTimeFrame::kDateRow, 1)->GetValue());
    EXPECT_EQ(10, editor->FieldEditor(MRecordTimeFrame::kDurationRow, 1)->GetValue());
    MSelectList* channel = dynamic_cast<MSelectList*>(editor->GetRow(MRecordTimeFrame::kChannelRow)->GetWidget(1));
    EXPECT_EQ("3.E25", std::string(channel->GetCurText()));

    // Cancel: nothing changes, the edited item is let go.
    const std::vector<Stored> before = StoredItems();
    editor->SetFocusRow(MRecordTimeFrame::kStoreRow);
    dynamic_cast<MSelectList*>(editor->GetRow(MRecordTimeFrame::kStoreRow)->GetWidget(1))->SetState(1);
    Key(kOsdKeyEnter);
    EXPECT_EQ(list, menu.GetCurrentFrame());
    EXPECT_EQ(nullptr, menu.GetEditedItem());
    ASSERT_EQ(before.size(), StoredItems().size());
    EXPECT_EQ(0, memcmp(&before[1].timing, &StoredItems()[1].timing, sizeof t));

    // Store: over the same item, in its place; what the editor does not
    // edit stays (weekly days, hibernation).
    ChooseAction(list, 1, MListFrame::kActionEdit);
    editor->FieldEditor(MRecordTimeFrame::kStartRow, 0)->SetValue(7);
    editor->SetFocusRow(MRecordTimeFrame::kStoreRow);
    Key(kOsdKeyEnter);
    const std::vector<Stored> after = StoredItems();
    ASSERT_EQ(2u, after.size());
    EXPECT_EQ(before[1].item, after[1].item);
    EXPECT_EQ(7, after[1].timing.nHour);
    EXPECT_EQ(0x41, after[1].timing.nWeekMask);
    EXPECT_EQ(0, after[1].timing.nOnce);
    EXPECT_EQ(1, after[1].execute.bHibernate);
    EXPECT_EQ(503250, after[1].execute.nFrequency);
    EXPECT_EQ(nullptr, menu.GetEditedItem());
}

TEST_F(Schedule, TheEditorsNumbersReadAsAClockWithSeparatorsBetweenThemOnly)
{
    MListFrame* list = OpenList();
    ChooseAction(list, 0, MListFrame::kActionNew);
    MRecordTimeFrame* editor = dynamic_cast<MRecordTimeFrame*>(menu.GetCurrentFrame());
    ASSERT_NE(nullptr, editor);
    const struct
    {
        int row;
        int values[3];
        const char* shown;
    } cases[] = {
        {MRecordTimeFrame::kDateRow, {2026, 1, 5}, "2026-01-05"},
        {MRecordTimeFrame::kDateRow, {2091, 12, 31}, "2091-12-31"},
        {MRecordTimeFrame::kStartRow, {15, 4, 9}, "15:04:09"},
        {MRecordTimeFrame::kStartRow, {0, 0, 0}, "00:00:00"},
        {MRecordTimeFrame::kDurationRow, {1, 30, 59}, "01:30:59"},
    };
    for (const auto& c : cases) {
        MItemWnd* row = editor->GetRow(c.row);
        for (int i = 0; i < 3; ++i)
            editor->FieldEditor(c.row, i)->SetValue(c.values[i]);
        // The row as drawn after its label: numbers and separators in turn.
        std::string shown;
        for (int w = 1; w < row->GetWidgetCount(); ++w) {
            MBasicWnd* widget = row->GetWidget(w);
            MEdit* number = dynamic_cast<MEdit*>(widget);
            CString text = number != NULL ? number->GetValueText() : widget->GetText();
            text.Remove(' ');
            shown += (LPCSTR)text;
        }
        EXPECT_EQ(c.shown, shown) << c.row;
    }
}

TEST_F(Schedule, EnterTakesTheCursorOutOfTheNumbersSoUpAndDownMoveBetweenRows)
{
    MListFrame* list = OpenList();
    ChooseAction(list, 0, MListFrame::kActionNew);
    MRecordTimeFrame* editor = dynamic_cast<MRecordTimeFrame*>(menu.GetCurrentFrame());
    ASSERT_NE(nullptr, editor);
    editor->SetFocusRow(MRecordTimeFrame::kStartRow);
    MEdit* hours = editor->FieldEditor(MRecordTimeFrame::kStartRow, 0);
    hours->SetValue(10);
    Key(kOsdKeyRight); // onto the hours
    Key(kOsdKeyUp);
    EXPECT_EQ(11, hours->GetValue());
    EXPECT_EQ(MRecordTimeFrame::kStartRow, editor->GetFocusRow()) << "Up changed the number, not the row";
    Key(kOsdKeyEnter);
    EXPECT_EQ(0, hours->GetState());
    Key(kOsdKeyDown);
    EXPECT_EQ(11, hours->GetValue());
    EXPECT_EQ(MRecordTimeFrame::kDurationRow, editor->GetFocusRow());
    // The next Right starts again at the first number.
    Key(kOsdKeyUp);
    Key(kOsdKeyRight);
    Key(kOsdKeyUp);
    EXPECT_EQ(12, hours->GetValue());
    EXPECT_TRUE(engine.Take().empty());
}

TEST_F(Schedule, TheMenuKeyLeavesAChangedItemOnlyWhenPressedTwice)
{
    CString keepHelp, plainHelp;
    keepHelp.LoadString(IDS_OSD_EDIT_KEEP);
    plainHelp.LoadString(IDS_SETTINGS);
    const struct
    {
        const char* what;
        bool change;
        UINT second; // the key after the first menu key; 0: none
        bool stays;
        size_t stored;
    } cases[] = {
        {"unchanged: back at once", false, 0, false, 0},
        {"changed, then OK: stored and back", true, kOsdKeyEnter, false, 1},
        {"changed, then menu again: dropped and back", true, kOsdKeyMenu, false, 0},
        {"changed, one menu key: stays on the store row", true, 0, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const Stored& s : StoredItems())
            Timing_RemoveItem(s.item);
        MListFrame* list = OpenList();
        ChooseAction(list, 0, MListFrame::kActionNew);
        MRecordTimeFrame* editor = dynamic_cast<MRecordTimeFrame*>(menu.GetCurrentFrame());
        ASSERT_NE(nullptr, editor);
        EXPECT_EQ(plainHelp, editor->GetHelpLine().GetText());
        if (c.change) {
            editor->SetFocusRow(MRecordTimeFrame::kDateRow);
            Key(kOsdKeyRight);
            Key(kOsdKeyUp); // the year, with the cursor in it
            EXPECT_TRUE(editor->IsChanged());
        }
        Key(kOsdKeyMenu);
        if (c.change) {
            EXPECT_EQ(MRecordTimeFrame::kStoreRow, editor->GetFocusRow());
            EXPECT_EQ(keepHelp, editor->GetHelpLine().GetText());
        }
        if (c.second != 0)
            Key(c.second);
        EXPECT_EQ(c.stays ? (MFrame*)editor : (MFrame*)list, menu.GetCurrentFrame());
        EXPECT_EQ(c.stored, StoredItems().size());
        if (c.stored) {
            EXPECT_EQ(CTime::GetCurrentTime().GetYear() + 1, StoredItems()[0].timing.nYear);
        }
        if (!c.stays) {
            EXPECT_EQ(nullptr, menu.GetEditedItem());
        }
        EXPECT_TRUE(engine.Take().empty());
        menu.ShowPanel(FALSE);
    }
}

} // namespace
