// What the real windows tell the user besides their data: every control named for a screen
// reader, the busy cursor only while the window works, and a lock wait the user can cancel.
#include "WindowFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QTimer>

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
    const std::vector<std::string> none;
    host.onShow("frmJournalDetails", [&](FormDialog& d) {
        EXPECT_EQ(unnamed(d), none);
        for (const char* name : {"cmdFirst", "cmdPrevious", "cmdNext", "cmdLast"}) {
            auto* b = widget<QPushButton>(d, name);
            ASSERT_NE(b, nullptr) << name;
            EXPECT_FALSE(b->icon().isNull()) << name;
            EXPECT_FALSE(b->toolTip().isEmpty()) << name;
        }
        QAccessibleInterface* debit = QAccessible::queryAccessibleInterface(widget(d, "optDebit"));
        ASSERT_NE(debit, nullptr);
        EXPECT_EQ(debit->role(), QAccessible::RadioButton);
    });
    host.onShow("frmExchangerate", [&](FormDialog& d) { EXPECT_EQ(unnamed(d), none); });
    host.onShow("frmJournal", [&](FormDialog& d) {
        EXPECT_EQ(unnamed(d), none);
        focus(d, "lvwJournal");
        key(Qt::Key_F9);
        d.dispatch([&] { control<forms::Menu>(d, "mnuAdd").choose(); });
    });
    browse([&](FormDialog& d) {
        EXPECT_EQ(unnamed(d), none);
        focus(d, "cmdNew");
        key(Qt::Key_Return);
    });
    EXPECT_EQ(host.shown["frmJournalDetails"], 1);
    EXPECT_EQ(host.shown["frmExchangerate"], 1);
}

bool busy() {
    const QCursor* c = QApplication::overrideCursor();
    return c && c->shape() == Qt::WaitCursor;
}

TEST_F(WindowTest, BusyWhileWorkingNotWhileANestedWindowWaits) {
    bool busyInClick = false, busyInEditor = true, busyAfter = true;
    host.onShow("frmJournal", [&](FormDialog&) { busyInEditor = busy(); });
    browse([&](FormDialog& d) {
        forms::FlexGrid& grid = browseGrid(d);
        const auto click = grid.Click;
        grid.Click = [&] {
            busyInClick = busy();
            if (click) click();
        };
        clickVoucher(d, 288);
        focus(d, "GrdMaster");
        key(Qt::Key_Return); // opens the editor
        busyAfter = busy();
        grid.Click = click; // the window outlives this test
    });
    EXPECT_TRUE(busyInClick);
    EXPECT_EQ(host.shown["frmJournal"], 1);
    EXPECT_FALSE(busyInEditor);
    EXPECT_FALSE(busyAfter);
}

// A save that waits for another user's lock: after two seconds a window says so, and its
// Cancel gives the save up, rolled back, with the voucher window still open.
TEST_F(WindowTest, CancelOnALongLockWaitGivesTheSaveUp) {
    auto other = ado::Connection::create();
    other->Open(demo.path());
    const std::string remarksQuery =
        "SELECT Remarks FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND JournalTransID = 291";
    const std::string remarks = demo.scalar(remarksQuery);

    bool windowShown = false, editorOpen = false;
    std::string storedRemarks;
    QTimer cancelWait;
    QObject::connect(&cancelWait, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "lockWait" && w->isVisible()) {
                windowShown = true;
                QTest::mouseClick(w->findChild<QPushButton*>("cmdCancelWait"), Qt::LeftButton);
            }
    });
    editVoucher(291, [&](FormDialog& d) {
        focus(d, "txtRemarks");
        type(" again");
        // Another user starts changing data now, and keeps at it.
        other->BeginTransImmediate();
        cancelWait.start(100);
        QTest::mouseClick(widget<QPushButton>(d, "cmdOK"), Qt::LeftButton);
        cancelWait.stop();
        editorOpen = d.form().loaded() && !d.finished();
        other->RollbackTrans();
        storedRemarks = demo.scalar(remarksQuery);
        host.answer = forms::vbNo; // leaving: do not save the changes after all
    });
    EXPECT_TRUE(windowShown);
    EXPECT_TRUE(editorOpen);
    EXPECT_EQ(storedRemarks, remarks);
    EXPECT_EQ(demo.conn->TransactionLevel(), 0);
}

} // namespace
