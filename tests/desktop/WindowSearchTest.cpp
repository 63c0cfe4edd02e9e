// Searching and sorting on the real browse window: the table search's grid is headed and
// chosen by its own columns, leaves the user's full layout alone, and the buttons follow the
// voucher that a sort or a quick search brings into the current row.
#include "WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>

namespace {

using desktop::FormDialog;

using Texts = std::vector<std::string>;

Texts shownHeaders(QTableView* view) {
    Texts headers;
    for (int c = 0; c < view->model()->columnCount(); ++c)
        if (!view->isColumnHidden(c) && view->columnWidth(c) > 0)
            headers.push_back(view->model()->headerData(c, Qt::Horizontal).toString().toStdString());
    return headers;
}

Texts items(QComboBox* box) {
    Texts all;
    for (int i = 0; i < box->count(); ++i)
        all.push_back(box->itemText(i).toStdString());
    return all;
}

TEST_F(WindowTest, SearchAllHeadsAndOffersOnlyItsOwnColumnsAndReopeningRestoresTheFullLayout) {
    Texts headers;
    std::vector<int> widths;
    auto layout = [](FormDialog& d, Texts& h, std::vector<int>& w) {
        auto* view = widget<QTableView>(d, "GrdMaster");
        h = shownHeaders(view);
        for (int c = 0; c < view->model()->columnCount(); ++c)
            w.push_back(view->columnWidth(c));
    };
    browse([&](FormDialog& d) {
        layout(d, headers, widths);
        searchAll(d, "j", "IDJ");
        ASSERT_EQ(browseGrid(d).Cols(), 5);
        auto* view = widget<QTableView>(d, "GrdMaster");
        const Texts own{"Journal No", "Date", "Cancelled", "Posted"};
        EXPECT_EQ(shownHeaders(view), own);
        EXPECT_EQ(items(widget<QComboBox>(d, "cboSearch")), own);
        EXPECT_EQ(items(widget<QComboBox>(d, "cboColNames")), own);
        forms::FlexGrid& g = browseGrid(d);
        for (const char* column : {"Cancelled", "Posted"}) {
            choose(d, "cboColNames", column);
            const int col = static_cast<int>(std::find(own.begin(), own.end(), column) - own.begin()) + 1;
            Texts shown;
            for (int r = 1; r < g.Rows(); ++r)
                shown.push_back(g.TextMatrix(r, col));
            EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end())) << column;
            EXPECT_NE(shown.front(), shown.back()) << column; // both answers are listed
        }
        // A quick search among the listed vouchers, on a column only this grid has there.
        auto* all = widget<QCheckBox>(d, "chkSearchAll");
        QTest::mouseClick(all, Qt::LeftButton, {}, all->rect().center());
        focus(d, "cboSearch");
        type("c");
        ASSERT_EQ(widget<QComboBox>(d, "cboSearch")->currentText(), "Cancelled");
        focus(d, "txtsearch");
        key(Qt::Key_A, Qt::ControlModifier); // the typed text replaces the last search's
        type("Y");
        EXPECT_EQ(g.TextMatrix(g.Row(), 3), "Yes");
        EXPECT_FALSE(d.widgetOf("CmdDelete")->isEnabled());
        QTest::mouseClick(d.widgetOf("CmdClose"), Qt::LeftButton);
    });
    EXPECT_TRUE(host.prompts.empty()) << host.prompts.front();
    EXPECT_EQ(headers,
              Texts({"JournalNo", "Date", "Type", "Type Serial No", "Cancelled", "Posted", "Confirmed"}));
    Texts reopenedHeaders;
    std::vector<int> reopenedWidths;
    browse([&](FormDialog& d) { layout(d, reopenedHeaders, reopenedWidths); });
    EXPECT_EQ(reopenedHeaders, headers);
    EXPECT_EQ(reopenedWidths, widths);
}

TEST_F(WindowTest, ButtonsFollowTheVoucherASortOrQuickSearchBringsIntoTheRow) {
    browse([&](FormDialog& d) {
        forms::FlexGrid& g = browseGrid(d);
        auto enabled = [&](const char* button) { return d.widgetOf(button)->isEnabled(); };
        auto column = [&](const std::string& header) {
            int c = 1;
            while (c < g.Cols() && g.TextMatrix(0, c) != header)
                ++c;
            return c;
        };
        const int cancelled = column("Cancelled"), posted = column("Posted");
        ASSERT_LT(posted, g.Cols());
        // Each row's voucher and whether only un-posting is open to it.
        auto sortOnPosted = [&](const char* direction) {
            QWidget* option = d.widgetOf(direction);
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
            choose(d, "cboColNames", "Posted");
            std::vector<std::pair<std::string, bool>> rows{{}};
            for (int r = 1; r < g.Rows(); ++r)
                rows.emplace_back(g.TextMatrix(r, 0),
                                  g.TextMatrix(r, cancelled) == "No" && g.TextMatrix(r, posted) == "Yes");
            return rows;
        };
        const auto down = sortOnPosted("optDescend");
        sortOnPosted("optAscend");
        // A row that the descending sort fills with a posted voucher in place of an open one.
        int row = 1;
        while (row < g.Rows() && !(down[row].second && g.TextMatrix(row, cancelled) == "No" &&
                                   g.TextMatrix(row, posted) == "No"))
            ++row;
        ASSERT_LT(row, g.Rows());
        clickRow(d, row);
        ASSERT_EQ(g.TextMatrix(row, posted), "No");
        EXPECT_FALSE(enabled("cmdUpdate"));

        sortOnPosted("optDescend");
        ASSERT_EQ(g.Row(), row);
        ASSERT_EQ(g.TextMatrix(row, 0), down[row].first);
        EXPECT_TRUE(enabled("cmdUpdate"));
        EXPECT_FALSE(enabled("CmdDelete"));
        EXPECT_TRUE(enabled("CmdEdit"));

        // A quick search moves the row to the voucher typed.
        focus(d, "cboSearch");
        type("j");
        focus(d, "txtsearch");
        type("IDJ/292"); // neither posted nor cancelled
        EXPECT_EQ(g.TextMatrix(g.Row(), 0), std::to_string(db::demo::kPlainVoucher));
        EXPECT_FALSE(enabled("cmdUpdate"));
        EXPECT_TRUE(enabled("CmdDelete"));
    });
    EXPECT_TRUE(host.prompts.empty()) << host.prompts.front();
}

} // namespace
