// The busy cursor: shown while the window works on the user's input, never while a window it
// opened waits for the user.
#include "WindowFixture.h"

#include "forms/Controls.h"

#include <QApplication>

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
        auto& grid = static_cast<forms::FlexGrid&>(*d.form().find("GrdMaster"));
        auto click = grid.Click;
        grid.Click = [&, click] {
            busyInClick = busy();
            if (click) click();
        };
        clickVoucher(d, 288);
        focus(d, "GrdMaster");
        key(Qt::Key_Return); // opens the editor
        busyAfter = busy();
    });
    EXPECT_TRUE(busyInClick);
    EXPECT_EQ(host.shown["frmJournal"], 1);
    EXPECT_FALSE(busyInEditor);
    EXPECT_FALSE(busyAfter);
}

} // namespace
