#include "TestForms.h"

namespace {

using formstest::FormsTest;
using namespace forms;

class LinesForm : public Form {
  public:
    LinesForm() : Form("frmLines") {
        lvw.designHeaders = {formstest::column("SlNo."), formstest::column("Department"),
                             formstest::column("Debit", 1200, lvwColumnRight)};
    }
    ListView lvw{*this, "lvw"};

    // Rows "1".."n" with a department and a debit amount.
    void addLine(const std::string& dept, const std::string& debit) {
        ListItem& it = lvw.Add(std::to_string(lvw.Count() + 1));
        it.setSubItem(1, dept);
        it.setSubItem(2, debit);
    }
    std::vector<std::string> column(int c) {
        std::vector<std::string> out;
        for (int i = 1; i <= lvw.Count(); ++i)
            out.push_back(c == 0 ? lvw.Item(i).Text : lvw.Item(i).SubItem(c));
        return out;
    }
};

struct Lines : FormsTest {
    std::shared_ptr<LinesForm> f = std::make_shared<LinesForm>();
    ListView& lvw = f->lvw;
    void SetUp() override {
        FormsTest::SetUp();
        f->Load();
    }
};

using Strings = std::vector<std::string>;

// The order itself is the voucher's line list test's; here what goes with it.
TEST_F(Lines, TheSelectionGoesWithItsItemAndTextSortsIgnoreCase) {
    f->addLine("sales", "100.00");
    f->addLine("Admin", "9.50");
    f->addLine("cash", "1000.00");
    f->addLine("Bank", "0.00");
    lvw.select(3); // "cash"
    lvw.sortBy(2, true, true);
    EXPECT_EQ(lvw.SelectedItem()->SubItem(1), "cash");
    EXPECT_EQ(lvw.SortKey, 2);
    EXPECT_TRUE(lvw.SortDescending);
    lvw.sortBy(1, false, false);
    EXPECT_EQ(f->column(1), (Strings{"Admin", "Bank", "cash", "sales"}));
    EXPECT_EQ(lvw.SelectedItem()->SubItem(1), "cash");
}

// The styles the windows ask with.
TEST(DefaultAnswer, IsTheDefaultButtonOfTheStyle) {
    EXPECT_EQ(defaultAnswer(vbInformation), vbOK);
    EXPECT_EQ(defaultAnswer(vbYesNo + vbDefaultButton2 + vbCritical), vbNo);
    EXPECT_EQ(defaultAnswer(vbYesNoCancel + vbQuestion), vbYes);
}

} // namespace
