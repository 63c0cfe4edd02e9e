// What the real windows tell the user besides their data: the busy cursor only while the window
// works, and a lock wait the user can cancel.
#include "WindowFixture.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace {

using desktop::FormDialog;

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
