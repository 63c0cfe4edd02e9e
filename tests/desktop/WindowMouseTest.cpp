// The mouse on the real browse grid: rows are chosen whole, and the empty area below the rows
// is no row at all.
#include "WindowFixture.h"

#include "forms/Controls.h"

#include <QApplication>
#include <QTableView>

namespace {

using desktop::FormDialog;

forms::FlexGrid& gridOf(FormDialog& d) {
    return static_cast<forms::FlexGrid&>(*d.form().find("GrdMaster"));
}

TEST_F(WindowTest, MouseOverTheEmptyAreaOfAShrunkGridDoesNothing) {
    browse([&](FormDialog& d) {
        forms::FlexGrid& g = gridOf(d);
        auto* view = widget<QTableView>(d, "GrdMaster");
        QWidget* area = view->viewport();
        // Over a row near the bottom of what is shown: its text becomes the tool tip.
        const QModelIndex low = view->indexAt(QPoint(area->width() / 2, area->height() - 8));
        ASSERT_TRUE(low.isValid());
        QTest::mouseMove(area, QPoint(area->width() / 2, area->height() - 8));
        EXPECT_EQ(g.ToolTipText, g.TextMatrix(low.row() + 1, low.column()));
        // The list shrinks to one row; the same place is now empty.
        d.dispatch([&] { g.setRows(2); });
        const std::string tip = g.ToolTipText;
        QTest::mouseMove(area, QPoint(area->width() / 2, area->height() - 10));
        QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(area->width() / 2, area->height() - 12));
        EXPECT_EQ(g.ToolTipText, tip);
        EXPECT_EQ(g.Row(), 1);
    });
    EXPECT_TRUE(host.prompts.empty()) << host.prompts.front();
}

TEST_F(WindowTest, AClickSelectsTheWholeRowInTheRowsColour) {
    browse([&](FormDialog& d) {
        forms::FlexGrid& g = gridOf(d);
        auto* view = widget<QTableView>(d, "GrdMaster");
        auto selectedColumns = [&] {
            int n = 0;
            for (const QModelIndex& i : view->selectionModel()->selectedIndexes())
                n += i.row() == g.Row() - 1;
            return n;
        };
        clickVoucher(d, 156); // cancelled: red
        EXPECT_EQ(g.TextMatrix(g.Row(), 0), "156");
        EXPECT_EQ(selectedColumns(), g.Cols());
        EXPECT_EQ(view->palette().color(QPalette::Active, QPalette::HighlightedText), QColor(255, 0, 0));
        EXPECT_EQ(view->palette().color(QPalette::Inactive, QPalette::HighlightedText), QColor(255, 0, 0));
        clickVoucher(d, 145); // posted: green
        EXPECT_EQ(view->palette().color(QPalette::Active, QPalette::HighlightedText), QColor(0, 128, 0));
        clickVoucher(d, 150); // neither: the style's own
        EXPECT_EQ(selectedColumns(), g.Cols());
        EXPECT_EQ(view->palette().color(QPalette::Active, QPalette::HighlightedText),
                  QApplication::palette(view).color(QPalette::Active, QPalette::HighlightedText));
    });
}

} // namespace
