// Data exchange both ways over a template with one control of each kind the
// pages exchange, and what a refused value does to the rest of the exchange.
#include "platform/mfc/AfxWin.h"
#include "tests/platform/mfc/WindowTestIds.h"
#include "tests/support/MessageBoxCapture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CExchangeDialog : public CDialog
{
public:
    CExchangeDialog() : CDialog(IDD_EXCHANGE) {}

    int number = 0;
    CString name;
    double real = 0;
    int check = 0;
    int radio = -1;
    int choice = -1;
    int level = 0;
    CTime when;
    CButton drawn;

    BOOL OnInitDialog() override
    {
        CComboBox* combo = (CComboBox*)GetDlgItem(IDC_CHOICE);
        for (const char* item : {"zero", "one", "two"})
            combo->AddString(item);
        ((CSliderCtrl*)GetDlgItem(IDC_LEVEL))->SetRange(0, 100);
        return CDialog::OnInitDialog();
    }

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_OWNERDRAWN, drawn);
        DDX_Text(dx, IDC_NUMBER, number);
        DDV_MinMaxInt(dx, number, 0, 24);
        DDX_Text(dx, IDC_NAME, name);
        DDV_MaxChars(dx, name, 20);
        DDX_Text(dx, IDC_REAL, real);
        DDX_Check(dx, IDC_CHECK, check);
        DDX_Radio(dx, IDC_RADIO_FIRST, radio);
        DDX_CBIndex(dx, IDC_CHOICE, choice);
        DDX_Slider(dx, IDC_LEVEL, level);
        DDX_DateTimeCtrl(dx, IDC_WHEN, when);
    }
};

class DataExchangeTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Create(IDD_EXCHANGE)); }
    void TearDown() override { dialog.DestroyWindow(); }

    std::string Text(int id)
    {
        CString text;
        dialog.GetDlgItemText(id, text);
        return (LPCSTR)text;
    }

    CExchangeDialog dialog;
};

} // namespace

TEST_F(DataExchangeTest, MembersGoIntoTheControlsAndComeBack)
{
    dialog.number = 12;
    dialog.name = "Channel";
    dialog.real = 471.25;
    dialog.check = 1;
    dialog.radio = 2;
    dialog.choice = 1;
    dialog.level = 40;
    dialog.when = CTime(2024, 3, 5, 10, 20, 30);
    CheckDlgButton(dialog.m_hWnd, IDC_AFTER_RADIOS, BST_CHECKED);
    ASSERT_TRUE(dialog.UpdateData(FALSE));

    EXPECT_EQ("12", Text(IDC_NUMBER));
    EXPECT_EQ("Channel", Text(IDC_NAME));
    EXPECT_EQ("471.25", Text(IDC_REAL));
    EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(IDC_CHECK));
    EXPECT_EQ(IDC_RADIO_THIRD, dialog.GetCheckedRadioButton(IDC_RADIO_FIRST, IDC_RADIO_THIRD));
    EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(IDC_AFTER_RADIOS)) << "the group ends before it";
    EXPECT_EQ(20, dialog.SendDlgItemMessage(IDC_NAME, EM_GETLIMITTEXT)) << "DDV_MaxChars limits the edit";

    dialog.number = 0;
    dialog.name.Empty();
    dialog.real = 0;
    dialog.check = dialog.choice = dialog.level = 0;
    dialog.radio = -1;
    dialog.when = CTime();
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(12, dialog.number);
    EXPECT_STREQ("Channel", dialog.name);
    EXPECT_DOUBLE_EQ(471.25, dialog.real);
    EXPECT_EQ(1, dialog.check);
    EXPECT_EQ(2, dialog.radio);
    EXPECT_EQ(1, dialog.choice);
    EXPECT_EQ(40, dialog.level);
    EXPECT_EQ(CTime(2024, 3, 5, 10, 20, 30), dialog.when);
    EXPECT_EQ(dialog.GetDlgItem(IDC_OWNERDRAWN)->m_hWnd, dialog.drawn.m_hWnd);
    EXPECT_EQ(&dialog.drawn, CWnd::FromHandlePermanent(dialog.drawn.m_hWnd)) << "subclassed once, kept";
}

TEST_F(DataExchangeTest, NoRadioCheckedReadsMinusOne)
{
    dialog.radio = -1;
    ASSERT_TRUE(dialog.UpdateData(FALSE));
    dialog.radio = 1;
    ASSERT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(-1, dialog.radio);
}

TEST_F(DataExchangeTest, RefusedValuesAreToldAndStopTheExchange)
{
    struct
    {
        const char* number;
        const char* name;
        const char* real;
        const char* message; // NULL: accepted
        int focus;
    } cases[] = {
        {"7", "x", "1", NULL, 0},
        {" 24 ", "x", "1", NULL, 0},
        {"25", "x", "1", "Please enter an integer between 0 and 24.", IDC_NUMBER},
        {"-1", "x", "1", "Please enter an integer between 0 and 24.", IDC_NUMBER},
        {"12a", "x", "1", "Please enter an integer.", IDC_NUMBER},
        {"", "x", "1", "Please enter an integer.", IDC_NUMBER},
        {"99999999999", "x", "1", "Please enter an integer.", IDC_NUMBER},
        {"3", "twenty-one characters", "1", "Please enter no more than 20 characters.", IDC_NAME},
        {"3", "x", "471,25", "Please enter a number.", IDC_REAL},
    };
    for (const auto& c : cases) {
        MessageBoxCapture boxes;
        dialog.name = "before";
        dialog.check = 0;
        dialog.SendDlgItemMessage(IDC_NAME, EM_LIMITTEXT, 100);
        dialog.SetDlgItemText(IDC_NUMBER, c.number);
        dialog.SetDlgItemText(IDC_NAME, c.name);
        dialog.SetDlgItemText(IDC_REAL, c.real);
        dialog.CheckDlgButton(IDC_CHECK, BST_CHECKED);
        BOOL ok = dialog.UpdateData(TRUE);
        EXPECT_EQ(c.message == NULL, ok) << c.number << " " << c.name << " " << c.real;
        if (c.message == NULL) {
            EXPECT_TRUE(boxes.Boxes().empty());
            EXPECT_EQ(1, dialog.check);
            continue;
        }
        ASSERT_EQ(1u, boxes.Boxes().size()) << c.message;
        EXPECT_EQ(c.message, boxes.Boxes()[0].text);
        EXPECT_EQ(0, dialog.check) << "exchanges after the refused one do not run";
        EXPECT_EQ(dialog.GetDlgItem(c.focus)->m_hWnd, ::GetFocus()) << c.message;
    }
}
