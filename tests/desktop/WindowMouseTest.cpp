// The mouse and the frame on the browse window: rows are chosen whole in their colour, every
// column fits and the grid grows with the frame, and the empty area below the rows is no row.
#include "WindowFixture.h"

#include "desktop/QtConvert.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace {

using desktop::FormDialog;

int shownColumnsWidth(QTableView* view) {
    int sum = 0;
    for (int c = 0; c < view->model()->columnCount(); ++c)
        if (!view->isColumnHidden(c)) sum += view->columnWidth(c);
    return sum;
}

TEST_F(WindowTest, TheBrowseGridUnderTheMouseAndTheFrame) {
    browse([&](FormDialog& d) {
        forms::FlexGrid& g = browseGrid(d);
        auto* view = widget<QTableView>(d, "GrdMaster");
        {
            SCOPED_TRACE("a click selects the whole row in the row's colour");
            auto selectedColumns = [&] {
                int n = 0;
                for (const QModelIndex& i : view->selectionModel()->selectedIndexes())
                    n += i.row() == g.Row() - 1;
                return n;
            };
            auto highlighted = [&](QPalette::ColorGroup group) {
                return view->palette().color(group, QPalette::HighlightedText);
            };
            clickVoucher(d, db::demo::kCancelledPostedVoucher); // red, posted or not
            EXPECT_EQ(g.TextMatrix(g.Row(), 0), std::to_string(db::demo::kCancelledPostedVoucher));
            EXPECT_EQ(selectedColumns(), g.Cols());
            EXPECT_EQ(highlighted(QPalette::Active), QColor(255, 0, 0));
            EXPECT_EQ(highlighted(QPalette::Inactive), QColor(255, 0, 0));
            clickVoucher(d, 145); // posted: green
            EXPECT_EQ(highlighted(QPalette::Active), QColor(0, 128, 0));
            clickVoucher(d, 150); // neither: the style's own
            EXPECT_EQ(selectedColumns(), g.Cols());
            EXPECT_EQ(highlighted(QPalette::Active),
                      QApplication::palette(view).color(QPalette::Active, QPalette::HighlightedText));
        }
        {
            SCOPED_TRACE("every column fits and the grid grows with the frame");
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
            EXPECT_EQ(g.Width, 10920 + 300 * desktop::kTwipsPerPixel);
        }
        {
            SCOPED_TRACE("the mouse over the empty area of a shrunk grid does nothing");
            QWidget* area = view->viewport();
            const QPoint low(area->width() / 2, area->height() - 8);
            // Over a row near the bottom of what is shown: its text becomes the tool tip.
            const QModelIndex at = view->indexAt(low);
            ASSERT_TRUE(at.isValid());
            QTest::mouseMove(area, low);
            EXPECT_EQ(g.ToolTipText, g.TextMatrix(at.row() + 1, at.column()));
            d.dispatch([&] { g.setRows(2); });
            const std::string tip = g.ToolTipText;
            QTest::mouseMove(area, low - QPoint(0, 2));
            QTest::mouseClick(area, Qt::LeftButton, {}, low - QPoint(0, 4));
            EXPECT_EQ(g.ToolTipText, tip);
            EXPECT_EQ(g.Row(), 1);
        }
    });
    EXPECT_TRUE(host.prompts.empty()) << host.prompts.front();
}

} // namespace
