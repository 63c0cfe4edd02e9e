#include "TestForms.h"

namespace {

using formstest::errorOf;
using formstest::FormsTest;
using namespace forms;

class LinesForm : public Form {
  public:
    LinesForm() : Form("frmLines") {
        lvw.designHeaders = {formstest::column("SlNo."), formstest::column("Department"),
                             formstest::column("Debit", 1200, lvwColumnRight)};
        mnuAdd.Click = [this] { chosen.push_back("mnuAdd"); };
        mnuEdit.Click = [this] { chosen.push_back("mnuEdit"); };
        mnuDelete.Click = [this] { chosen.push_back("mnuDelete"); };
    }
    ListView lvw{*this, "lvw"};
    Menu mnuPopup{*this, "mnuPopup", "PopupMenu"};
    Menu mnuAdd{*this, "mnuAdd", "&Add", &mnuPopup};
    Menu mnuEdit{*this, "mnuEdit", "&Edit", &mnuPopup};
    Menu mnuSep1{*this, "mnuSep1", "-", &mnuPopup};
    Menu mnuDelete{*this, "mnuDelete", "&Delete", &mnuPopup};
    std::vector<std::string> chosen;

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

TEST_F(Lines, AddSelectsTheFirstItemAndSubItemsGrow) {
    EXPECT_EQ(lvw.SelectedItem(), nullptr);
    EXPECT_EQ(lvw.headerCount(), 3);
    EXPECT_EQ(lvw.header(3).Text, "Debit");
    ListItem& first = lvw.Add("1");
    EXPECT_EQ(lvw.selectedIndex(), 1);
    EXPECT_EQ(first.SubItem(8), "");
    first.setSubItem(8, "12");
    EXPECT_EQ(first.subItemCount(), 8);
    EXPECT_EQ(first.SubItem(8), "12");
    EXPECT_EQ(first.SubItem(4), "");
    first.ListSubItems(8).ToolTipText = "tip";
    EXPECT_EQ(errorOf([&] { first.ListSubItems(9); }), rt::errInvalidProcedureCall);
    EXPECT_EQ(errorOf([&] { first.setSubItem(0, "x"); }), rt::errInvalidProcedureCall);
    lvw.Add("2");
    EXPECT_EQ(lvw.selectedIndex(), 1);
    EXPECT_EQ(errorOf([&] { lvw.Item(3); }), rt::errInvalidProcedureCall);
    EXPECT_EQ(errorOf([&] { lvw.header(4); }), rt::errInvalidProcedureCall);
}

TEST_F(Lines, RemoveKeepsTheSelectionOnAnItem) {
    for (int i = 0; i < 4; ++i)
        f->addLine("D" + std::to_string(i + 1), "0.00");
    lvw.select(3);
    ListItem* selected = lvw.SelectedItem();
    lvw.Remove(1);
    EXPECT_EQ(lvw.SelectedItem(), selected); // the same line, one place up
    EXPECT_EQ(lvw.selectedIndex(), 2);
    lvw.Remove(2); // the selected line itself
    ASSERT_NE(lvw.SelectedItem(), nullptr);
    EXPECT_LE(lvw.selectedIndex(), lvw.Count());
    EXPECT_EQ(f->column(1), (Strings{"D2", "D4"}));
    lvw.select(2);
    lvw.Remove(2);
    EXPECT_EQ(lvw.selectedIndex(), 1);
    lvw.Remove(1);
    EXPECT_EQ(lvw.SelectedItem(), nullptr);
    EXPECT_EQ(errorOf([&] { lvw.Remove(1); }), rt::errInvalidProcedureCall);
    EXPECT_EQ(errorOf([&] { lvw.select(1); }), rt::errInvalidProcedureCall);
    lvw.select(0);
}

TEST_F(Lines, SortByNumbersOrText) {
    f->addLine("sales", "100.00");
    f->addLine("Admin", "9.50");
    f->addLine("cash", "1000.00");
    f->addLine("Bank", "0.00");
    lvw.select(3); // "cash"
    lvw.sortBy(2, false, true);
    EXPECT_EQ(f->column(2), (Strings{"0.00", "9.50", "100.00", "1000.00"}));
    EXPECT_EQ(lvw.SelectedItem()->SubItem(1), "cash"); // the selection goes with its item
    EXPECT_EQ(lvw.SortKey, 2);
    lvw.sortBy(2, true, true);
    EXPECT_EQ(f->column(2), (Strings{"1000.00", "100.00", "9.50", "0.00"}));
    EXPECT_TRUE(lvw.SortDescending);
    lvw.sortBy(1, false, false);
    EXPECT_EQ(f->column(1), (Strings{"Admin", "Bank", "cash", "sales"}));
    lvw.sortBy(0, false, true);
    EXPECT_EQ(f->column(0), (Strings{"1", "2", "3", "4"}));
    lvw.Clear();
    EXPECT_EQ(lvw.Count(), 0);
    EXPECT_EQ(lvw.SelectedItem(), nullptr);
}

TEST_F(Lines, PopupMenuChoicesAreScripted) {
    host.choose("mnuEdit");
    host.choose("");
    host.choose("mnuDelete");
    host.choose("mnuSep1");
    f->PopupMenu(f->mnuPopup);
    f->PopupMenu(f->mnuPopup);
    f->mnuDelete.Enabled = false;
    f->PopupMenu(f->mnuPopup); // a disabled item cannot be chosen
    f->PopupMenu(f->mnuPopup);
    f->PopupMenu(f->mnuPopup); // nothing queued: dismissed
    EXPECT_EQ(f->chosen, Strings{"mnuEdit"});
    EXPECT_EQ(host.popups, Strings(5, "mnuPopup"));
}

TEST_F(FormsTest, MessagesAreRecordedWithTheirAnswers) {
    EXPECT_EQ(MsgBox("Data missing in ASETTINGS", vbCritical, "Corvella"), vbOK);
    host.answer(vbNo);
    EXPECT_EQ(MsgBox("Save Changes?", vbYesNoCancel + vbQuestion, "Corvella"), vbNo);
    EXPECT_EQ(MsgBox("Save Changes?", vbYesNoCancel + vbQuestion, "Corvella"), vbYes);
    EXPECT_EQ(MsgBox("untitled"), vbOK);
    ASSERT_EQ(host.messages.size(), 4u);
    EXPECT_EQ(host.messages[0].prompt, "Data missing in ASETTINGS");
    EXPECT_EQ(host.messages[0].buttons, vbCritical);
    EXPECT_EQ(host.messages[0].title, "Corvella");
    EXPECT_EQ(host.messages[1].answer, vbNo);
    EXPECT_EQ(host.messages[2].answer, vbYes);
    EXPECT_EQ(host.messages[3].title, appTitle());
    EXPECT_EQ(host.lastMessage(), "untitled");
}

TEST(DefaultAnswer, IsTheDefaultButtonOfTheStyle) {
    EXPECT_EQ(defaultAnswer(vbOKOnly), vbOK);
    EXPECT_EQ(defaultAnswer(vbInformation), vbOK);
    EXPECT_EQ(defaultAnswer(vbOKCancel + vbDefaultButton2), vbCancel);
    EXPECT_EQ(defaultAnswer(vbYesNo), vbYes);
    EXPECT_EQ(defaultAnswer(vbYesNo + vbDefaultButton2 + vbCritical), vbNo);
    EXPECT_EQ(defaultAnswer(vbYesNoCancel + vbQuestion), vbYes);
    EXPECT_EQ(defaultAnswer(vbYesNoCancel + vbDefaultButton3), vbCancel);
    EXPECT_EQ(defaultAnswer(vbRetryCancel + vbDefaultButton2), vbCancel);
    EXPECT_EQ(defaultAnswer(vbAbortRetryIgnore + vbDefaultButton3), vbIgnore);
    EXPECT_EQ(defaultAnswer(vbYesNo + vbDefaultButton3), vbNo); // past the last button: the last
    ScriptedHost fresh;
    EXPECT_EQ(fresh.lastMessage(), "");
}

} // namespace
