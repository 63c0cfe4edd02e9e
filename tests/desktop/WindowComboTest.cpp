// Combo boxes of the real windows choose their entries by what the user types.
#include "WindowFixture.h"

#include "forms/Controls.h"

#include <QApplication>

namespace {

using desktop::FormDialog;

forms::ComboBox& comboOf(FormDialog& d, const char* name) {
    return static_cast<forms::ComboBox&>(*d.form().find(name));
}

TEST_F(WindowTest, ALetterInSearchOnChoosesItsColumn) {
    browse([&](FormDialog& d) {
        forms::ComboBox& search = comboOf(d, "cboSearch");
        focus(d, "cboSearch");
        type("p");
        EXPECT_EQ(search.Text(), "Posted");
        focus(d, "cboSearch");
        type("C");
        type("c");
        EXPECT_EQ(search.Text(), "Confirmed"); // the next entry with that letter
    });
}

TEST_F(WindowTest, ANameTypedInFullAndEnterChooseTheDepartmentAndAccount) {
    host.onShow("frmJournalDetails", [&](FormDialog& d) {
        forms::ComboBox& department = comboOf(d, "cboDepartment");
        focus(d, "cboDepartment");
        type("export division");
        key(Qt::Key_Return);
        ASSERT_GE(department.ListIndex(), 0);
        EXPECT_EQ(department.List(department.ListIndex()), "Export Division");
        forms::ComboBox& account = comboOf(d, "cboAccountID");
        ASSERT_GT(account.ListCount(), 0);
        const std::string name = account.List(account.ListCount() - 1);
        focus(d, "cboAccountID");
        type(QString::fromStdString(name));
        key(Qt::Key_Tab);
        EXPECT_EQ(account.ListIndex(), account.ListCount() - 1);
    });
    host.onShow("frmJournal", [&](FormDialog& d) {
        d.dispatch([&] { static_cast<forms::Menu&>(*d.form().find("mnuAdd")).choose(); });
    });
    browse([&](FormDialog& d) {
        focus(d, "cmdNew");
        key(Qt::Key_Return);
    });
    EXPECT_EQ(host.shown["frmJournalDetails"], 1);
}

} // namespace
