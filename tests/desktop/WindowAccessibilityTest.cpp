// What a screen reader and a sighted user find on the real windows: every control named,
// option buttons announced as radio buttons, the line editor's navigation buttons drawn.
#include "WindowFixture.h"

#include "forms/Controls.h"

#include <QAccessible>
#include <QPushButton>

namespace {

using desktop::FormDialog;

// The controls of a window that a screen reader announces without a name.
std::vector<std::string> unnamed(FormDialog& d) {
    std::vector<std::string> out;
    for (forms::Control* c : d.form().controls()) {
        QWidget* w = d.widgetOf(*c);
        if (!w || c->kind() == forms::Kind::Label || c->kind() == forms::Kind::PictureBox) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty()) out.push_back(c->name());
    }
    return out;
}

TEST_F(WindowTest, EveryControlIsNamedAndTheLineButtonsAreDrawn) {
    host.onShow("frmJournalDetails", [&](FormDialog& d) {
        EXPECT_EQ(unnamed(d), std::vector<std::string>{});
        for (const char* name : {"cmdFirst", "cmdPrevious", "cmdNext", "cmdLast"}) {
            auto* b = widget<QPushButton>(d, name);
            ASSERT_NE(b, nullptr) << name;
            EXPECT_FALSE(b->icon().isNull()) << name;
            EXPECT_FALSE(b->toolTip().isEmpty()) << name;
        }
        EXPECT_EQ(widget(d, "cmdFirst")->accessibleName(), "First line");
        QAccessibleInterface* debit = QAccessible::queryAccessibleInterface(widget(d, "optDebit"));
        ASSERT_NE(debit, nullptr);
        EXPECT_EQ(debit->role(), QAccessible::RadioButton);
    });
    host.onShow("frmExchangerate", [&](FormDialog& d) { EXPECT_EQ(unnamed(d), std::vector<std::string>{}); });
    host.onShow("frmJournal", [&](FormDialog& d) {
        EXPECT_EQ(unnamed(d), std::vector<std::string>{});
        focus(d, "lvwJournal");
        key(Qt::Key_F9);
        d.dispatch([&] { static_cast<forms::Menu&>(*d.form().find("mnuAdd")).choose(); });
    });
    browse([&](FormDialog& d) {
        EXPECT_EQ(unnamed(d), std::vector<std::string>{});
        EXPECT_EQ(widget(d, "cboSearch")->accessibleName(), "Search On");
        focus(d, "cmdNew");
        key(Qt::Key_Return);
    });
    EXPECT_EQ(host.shown["frmJournalDetails"], 1);
    EXPECT_EQ(host.shown["frmExchangerate"], 1);
}

} // namespace
