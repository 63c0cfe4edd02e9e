// A save that waits for another user's lock: after two seconds a window says so, and its Cancel
// gives the save up, rolled back, with the voucher window still open.
#include "WindowFixture.h"

#include "forms/Controls.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace {

using desktop::FormDialog;

TEST_F(WindowTest, CancelOnALongLockWaitGivesTheSaveUp) {
    auto other = ado::Connection::create();
    other->Open(demo.path());
    const std::string remarks = demo.scalar(
        "SELECT Remarks FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 AND JournalTransID = 291");

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
    host.onShow("frmJournal", [&](FormDialog& d) {
        focus(d, "txtRemarks");
        type(" again");
        // Another user starts changing data now, and keeps at it.
        other->BeginTransImmediate();
        cancelWait.start(100);
        QTest::mouseClick(widget<QPushButton>(d, "cmdOK"), Qt::LeftButton);
        cancelWait.stop();
        editorOpen = d.form().loaded() && !d.finished();
        other->RollbackTrans();
        storedRemarks = demo.scalar("SELECT Remarks FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 "
                                    "AND JournalTransID = 291");
        host.answer = forms::vbNo; // leaving: do not save the changes after all
    });
    browse([&](FormDialog& d) {
        clickVoucher(d, 291);
        focus(d, "GrdMaster");
        key(Qt::Key_Return);
    });
    EXPECT_TRUE(windowShown);
    EXPECT_TRUE(editorOpen);
    EXPECT_EQ(storedRemarks, remarks);
    EXPECT_EQ(demo.conn->TransactionLevel(), 0);
}

} // namespace
