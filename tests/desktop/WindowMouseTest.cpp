// The mouse and the frame on the real windows: rows are chosen whole in their colour, the
// empty area below the rows is no row, and windows grow their grid or list with the frame.
#include "WindowFixture.h"

#include "desktop/QtConvert.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace {

using desktop::FormDialog;

TEST_F(WindowTest, MouseOverTheEmptyAreaOfAShrunkGridDoesNothing) {
    browse([&](FormDialog& d) {
        forms::FlexGrid& g = browseGrid(d);
        QWidget* area = widget<QTableView>(d, "GrdMaster")->viewport();
        const QPoint low(area->width() / 2, area->height() - 8);
        // Over a row near the bottom of what is shown: its text becomes the tool tip.
        const QModelIndex at = widget<QTableView>(d, "GrdMaster")->indexAt(low);
        ASSERT_TRUE(at.isValid());
        QTest::mouseMove(area, low);
        EXPECT_EQ(g.ToolTipText, g.TextMatrix(at.row() + 1, at.column()));
        // The list shrinks to one row; the same place is now empty.
        d.dispatch([&] { g.setRows(2); });
        const std::string tip = g.ToolTipText;
        QTest::mouseMove(area, low - QPoint(0, 2));
        QTest::mouseClick(area, Qt::LeftButton, {}, low - QPoint(0, 4));
        EXPECT_EQ(g.ToolTipText, tip);
        EXPECT_EQ(g.Row(), 1);
    });
    EXPECT_TRUE(host.prompts.empty()) << host.prompts.front();
}

TEST_F(WindowTest, AClickSelectsTheWholeRowInTheRowsColour) {
    browse([&](FormDialog& d) {
        forms::FlexGrid& g = browseGrid(d);
        auto* view = widget<QTableView>(d, "GrdMaster");
        auto selectedColumns = [&] {
            int n = 0;
            for (const QModelIndex& i : view->selectionModel()->selectedIndexes())
                n += i.row() == g.Row() - 1;
            return n;
        };
        auto highlighted = [&](QPalette::ColorGroup group) {
            return view->palette().color(group, QPalette::HighlightedText);
        };
        clickVoucher(d, 156); // cancelled: red
        EXPECT_EQ(g.TextMatrix(g.Row(), 0), "156");
        EXPECT_EQ(selectedColumns(), g.Cols());
        EXPECT_EQ(highlighted(QPalette::Active), QColor(255, 0, 0));
        EXPECT_EQ(highlighted(QPalette::Inactive), QColor(255, 0, 0));
        clickVoucher(d, 145); // posted: green
        EXPECT_EQ(highlighted(QPalette::Active), QColor(0, 128, 0));
        clickVoucher(d, 150); // neither: the style's own
        EXPECT_EQ(selectedColumns(), g.Cols());
        EXPECT_EQ(highlighted(QPalette::Active),
                  QApplication::palette(view).color(QPalette::Active, QPalette::HighlightedText));
    });
}

int shownColumnsWidth(QTableView* view) {
    int sum = 0;
    for (int c = 0; c < view->model()->columnCount(); ++c)
        if (!view->isColumnHidden(c)) sum += view->columnWidth(c);
    return sum;
}

TEST_F(WindowTest, TheBrowseWindowShowsEveryColumnAndGrowsWithItsFrame) {
    browse([&](FormDialog& d) {
        auto* view = widget<QTableView>(d, "GrdMaster");
        auto fillsTheView = [&] {
            EXPECT_LE(shownColumnsWidth(view), view->viewport()->width());
            EXPECT_GE(shownColumnsWidth(view), view->viewport()->width() - 8); // spare width spread
        };
        EXPECT_EQ(view->horizontalHeader()->count() - 1, 7);
        fillsTheView();
        EXPECT_FALSE(view->horizontalScrollBar()->isVisible());

        QWidget* close = d.widgetOf("CmdClose");
        const QPoint closeAt = close->mapTo(&d, QPoint());
        const QSize gridSize = view->size();
        d.resize(d.size() + QSize(300, 200));
        QApplication::processEvents();
        EXPECT_EQ(view->size(), gridSize + QSize(300, 200));
        EXPECT_EQ(close->mapTo(&d, QPoint()), closeAt + QPoint(0, 200)); // buttons keep to the bottom
        fillsTheView();
        // The window's code sees the size the user sees.
        EXPECT_EQ(browseGrid(d).Width, 10920 + 300 * desktop::kTwipsPerPixel);
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
    editVoucher(288, [&](FormDialog& d) {
        QWidget* list = d.widgetOf("lvwJournal");
        const QSize size = list->size();
        d.resize(d.size() + QSize(200, 150));
        QApplication::processEvents();
        EXPECT_EQ(list->size(), size + QSize(200, 150));
        focus(d, "lvwJournal");
        key(Qt::Key_F9);
    });
    EXPECT_EQ(host.shown["frmExchangerate"], 1);
}

} // namespace
