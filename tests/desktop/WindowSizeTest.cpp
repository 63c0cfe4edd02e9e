// Sizes of the real windows: every column in view at the opening size, and a window with a
// grid or list grows with its frame.
#include "WindowFixture.h"

#include "desktop/QtConvert.h"
#include "forms/Controls.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTreeWidget>

namespace {

using desktop::FormDialog;

int shownColumnsWidth(QTableView* view) {
    int sum = 0;
    for (int c = 0; c < view->model()->columnCount(); ++c)
        if (!view->isColumnHidden(c)) sum += view->columnWidth(c);
    return sum;
}

TEST_F(WindowTest, TheBrowseWindowShowsEveryColumnAndGrowsWithItsFrame) {
    browse([&](FormDialog& d) {
        auto* view = widget<QTableView>(d, "GrdMaster");
        EXPECT_EQ(view->horizontalHeader()->count() - 1, 7);
        EXPECT_LE(shownColumnsWidth(view), view->viewport()->width());
        EXPECT_GE(shownColumnsWidth(view), view->viewport()->width() - 8);
        EXPECT_FALSE(view->horizontalScrollBar()->isVisible());

        QWidget* close = d.widgetOf("CmdClose");
        const QPoint closeAt = close->mapTo(&d, QPoint());
        const QSize gridSize = view->size();
        d.resize(d.size() + QSize(300, 200));
        QApplication::processEvents();
        EXPECT_EQ(view->size(), gridSize + QSize(300, 200));
        EXPECT_EQ(close->mapTo(&d, QPoint()), closeAt + QPoint(0, 200)); // buttons keep to the bottom
        EXPECT_LE(shownColumnsWidth(view), view->viewport()->width());
        EXPECT_GE(shownColumnsWidth(view), view->viewport()->width() - 8); // spare width spread
        // The window's code sees the size the user sees.
        auto& grid = static_cast<forms::FlexGrid&>(*d.form().find("GrdMaster"));
        EXPECT_EQ(grid.Width, 10920 + 300 * desktop::kTwipsPerPixel);
    });
}

TEST_F(WindowTest, TheVoucherAndRateWindowsGrowTheirListAndGrid) {
    host.onShow("frmExchangerate", [&](FormDialog& d) {
        QWidget* grid = d.widgetOf("mfgitem");
        QWidget* ok = d.widgetOf("cmdOk");
        const QSize size = grid->size();
        const QPoint okAt = ok->pos();
        d.resize(d.size() + QSize(120, 80));
        QApplication::processEvents();
        EXPECT_EQ(grid->size(), size + QSize(120, 80));
        EXPECT_EQ(ok->pos(), okAt + QPoint(0, 80));
    });
    host.onShow("frmJournal", [&](FormDialog& d) {
        QWidget* list = d.widgetOf("lvwJournal");
        const QSize size = list->size();
        d.resize(d.size() + QSize(200, 150));
        QApplication::processEvents();
        EXPECT_EQ(list->size(), size + QSize(200, 150));
        focus(d, "lvwJournal");
        key(Qt::Key_F9);
    });
    browse([&](FormDialog& d) {
        clickVoucher(d, 288);
        focus(d, "GrdMaster");
        key(Qt::Key_Return);
    });
    EXPECT_EQ(host.shown["frmExchangerate"], 1);
}

} // namespace
