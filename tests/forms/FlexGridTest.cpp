#include "TestForms.h"

#include <algorithm>

namespace {

using formstest::errorOf;
using namespace forms;

class GridForm : public Form {
  public:
    GridForm() : Form("frmGrid") {}
    FlexGrid grd{*this, "grd"};
};

struct Grid : formstest::FormsTest {
    std::shared_ptr<GridForm> f = std::make_shared<GridForm>();
    FlexGrid& g = f->grd;
    void SetUp() override {
        FormsTest::SetUp();
        f->Load();
    }
    // Data rows from tab-separated lines, under a header row.
    void fill(std::initializer_list<const char*> rows, int cols = 2) {
        g.setCols(cols);
        g.setRows(1);
        for (const char* r : rows)
            g.AddItem(r);
    }
    std::vector<std::string> column(int c) const {
        std::vector<std::string> out;
        for (int r = g.FixedRows; r < g.Rows(); ++r)
            out.push_back(g.TextMatrix(r, c));
        return out;
    }
};

using Strings = std::vector<std::string>;

TEST_F(Grid, ResizingKeepsTheContentAndCellsOutsideRaise9) {
    g.setTextMatrix(0, 1, "Header");
    g.setRows(5);
    g.setCols(4);
    g.setTextMatrix(4, 3, "corner");
    g.setRow(4);
    g.setCol(3);
    g.setRows(3);
    g.setCols(2);
    EXPECT_EQ(g.Row(), 2); // the current cell moves inside the grid
    EXPECT_EQ(g.Col(), 1);
    g.setRows(5);
    g.setCols(4);
    EXPECT_EQ(g.TextMatrix(4, 3), ""); // cut rows come back empty
    EXPECT_EQ(g.TextMatrix(0, 1), "Header");
    EXPECT_EQ(errorOf([&] { g.setRows(0); }), rt::errInvalidProcedureCall);
    EXPECT_EQ(errorOf([&] { g.setCols(0); }), rt::errInvalidProcedureCall);
    g.setRows(2);
    g.setCols(2);
    EXPECT_EQ(errorOf([&] { g.TextMatrix(2, 0); }), rt::errSubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { g.TextMatrix(0, 2); }), rt::errSubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { g.setTextMatrix(1, -1, "x"); }), rt::errSubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { g.setRow(2); }), rt::errInvalidProcedureCall);
    std::vector<rt::Variant> args{rt::Variant(1), rt::Variant(7)};
    EXPECT_EQ(errorOf([&] { g.invoke("TextMatrix", rt::CallKind::PropertyGet, args); }),
              rt::errSubscriptOutOfRange);
}

TEST_F(Grid, AddItemSplitsAtTabs) {
    fill({"1\tIDJ/001\t01/04/2025", "2\tonly two", "3\ta\tb\textra fields are dropped"}, 3);
    g.AddItem("0\tfirst", 1);
    EXPECT_EQ(column(0), (Strings{"0", "1", "2", "3"}));
    EXPECT_EQ(g.TextMatrix(3, 2), "");
    EXPECT_EQ(g.TextMatrix(4, 2), "b");
}

TEST_F(Grid, SortsWholeRowsNumbersAsNumbersAndTextByCase) {
    fill({"10\tx", "9\ty", "100\tz", "-1\tw", "2.5\tv"});
    g.setTextMatrix(0, 0, "JournalTransID");
    g.setCol(0);
    g.setSort(flexSortGenericAscending);
    EXPECT_EQ(column(0), (Strings{"-1", "2.5", "9", "10", "100"}));
    EXPECT_EQ(column(1), (Strings{"w", "v", "y", "x", "z"})); // whole rows move
    EXPECT_EQ(g.TextMatrix(0, 0), "JournalTransID");
    g.setSort(flexSortGenericDescending);
    EXPECT_EQ(column(0), (Strings{"100", "10", "9", "2.5", "-1"}));

    // A string sort is case sensitive.
    fill({"b", "A", "a", "B", "10", "9"}, 1);
    g.setSort(flexSortStringAscending);
    EXPECT_EQ(column(0), (Strings{"10", "9", "A", "B", "a", "b"}));
    g.setSort(flexSortStringDescending);
    EXPECT_EQ(column(0), (Strings{"b", "a", "B", "A", "9", "10"}));

    // The selected columns are the keys, lower column first; equal keys keep their order.
    fill({"b\t2", "a\t2", "c\t1"});
    g.setCol(1);
    g.setColSel(0);
    g.setSort(flexSortStringAscending);
    EXPECT_EQ(column(0), (Strings{"a", "b", "c"}));
    g.setCol(1);
    g.setSort(flexSortGenericAscending);
    EXPECT_EQ(column(0), (Strings{"c", "a", "b"}));
}

TEST_F(Grid, GenericSortOfMixedTextIsAConsistentOrder) {
    // Numbers and texts together must still give one order, whatever the input order.
    Strings cells{"2", "10", "1a", "b", "", "B2", "3"};
    std::sort(cells.begin(), cells.end());
    Strings expected;
    do {
        g.setCols(1);
        g.setRows(1);
        for (const std::string& c : cells)
            g.AddItem(c);
        g.setCol(0);
        g.setSort(flexSortGenericAscending);
        if (expected.empty()) expected = column(0);
        ASSERT_EQ(column(0), expected);
    } while (std::next_permutation(cells.begin(), cells.end()));
    EXPECT_EQ(expected, (Strings{"", "2", "3", "10", "1a", "b", "B2"}));
}

TEST_F(Grid, CellColoursFollowTheirRows) {
    fill({"2\tposted", "1\tcancelled", "3\tplain"});
    g.setRow(1);
    g.setCellForeColor(rgb(0, 128, 0));
    g.setRow(2);
    for (int c = 0; c < 2; ++c) {
        g.setCol(c);
        g.setCellForeColor(vbRed);
    }
    EXPECT_EQ(g.CellForeColor(), vbRed);
    EXPECT_EQ(g.cellForeColor(3, 0), 0u); // untouched cells have the default
    g.setCol(0);
    g.setSort(flexSortGenericAscending);
    EXPECT_EQ(g.cellForeColor(1, 1), vbRed);
    EXPECT_EQ(g.cellForeColor(2, 0), rgb(0, 128, 0));
    EXPECT_EQ(g.cellForeColor(2, 1), 0u);

    // Colouring by position leaves the current cell and raises nothing.
    int moves = 0;
    g.RowColChange = [&] { ++moves; };
    g.SelChange = [&] { ++moves; };
    g.setRow(1);
    moves = 0;
    g.setCellForeColorAt(3, 1, vbCyan);
    EXPECT_EQ(g.cellForeColor(3, 1), vbCyan);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(moves, 0);
    EXPECT_EQ(errorOf([&] { g.setCellForeColorAt(3, 2, vbCyan); }), rt::errSubscriptOutOfRange);

    // Columns added or cut keep the colours and bold of the cells that stay.
    g.setRow(2);
    g.setCol(0);
    g.setCellFontBold(true);
    g.setCols(3);
    EXPECT_EQ(g.cellForeColor(1, 1), vbRed);
    EXPECT_EQ(g.cellForeColor(3, 1), vbCyan);
    EXPECT_TRUE(g.cellFontBold(2, 0));
    EXPECT_EQ(g.cellForeColor(1, 2), 0u);
    g.setCols(1);
    EXPECT_EQ(g.cellForeColor(2, 0), rgb(0, 128, 0));
    EXPECT_TRUE(g.cellFontBold(2, 0));
    g.Clear();
    EXPECT_EQ(g.cellForeColor(2, 0), 0u);
    EXPECT_FALSE(g.cellFontBold(2, 0));
}

TEST_F(Grid, SortingAgainSortsOnlyWhatChanged) {
    fill({"b\t2", "a\t3", "c\t1"});
    g.setCol(0);
    g.setColSel(0);
    g.setSort(flexSortStringAscending);
    g.setSort(flexSortStringAscending);
    EXPECT_EQ(g.sortsMade(), 1);
    EXPECT_EQ(column(0), (Strings{"a", "b", "c"}));
    // A changed data cell, another code or another column each call for a real sort.
    g.setTextMatrix(1, 0, "d");
    g.setSort(flexSortStringAscending);
    EXPECT_EQ(column(0), (Strings{"b", "c", "d"}));
    g.setSort(flexSortStringDescending);
    EXPECT_EQ(column(0), (Strings{"d", "c", "b"}));
    g.setCol(1);
    g.setColSel(1);
    g.setSort(flexSortStringDescending);
    EXPECT_EQ(column(1), (Strings{"3", "2", "1"}));
    EXPECT_EQ(g.sortsMade(), 4);
    // The header is no data: changing it leaves the order standing.
    g.setTextMatrix(0, 1, "Amount");
    g.setSort(flexSortStringDescending);
    EXPECT_EQ(g.sortsMade(), 4);
    g.AddItem("e\t9");
    g.setSort(flexSortStringDescending);
    EXPECT_EQ(column(1), (Strings{"9", "3", "2", "1"}));
    EXPECT_EQ(g.sortsMade(), 5);
}

TEST_F(Grid, RewrittenCellsKeepEveryOtherText) {
    // Enough rewrites that the text store compacts itself several times.
    g.setCols(3);
    g.setRows(201);
    for (int r = 1; r <= 200; ++r)
        g.setRowTexts(r, {"id", "", "x"});
    for (int round = 0; round < 20; ++round)
        for (int r = 1; r <= 200; ++r)
            g.setTextMatrix(r, 1, std::string(200, static_cast<char>('a' + round % 26)) + std::to_string(r));
    for (int r = 1; r <= 200; ++r) {
        EXPECT_EQ(g.TextMatrix(r, 0), "id");
        EXPECT_EQ(g.TextMatrix(r, 1), std::string(200, 't') + std::to_string(r));
        EXPECT_EQ(g.TextMatrix(r, 2), "x");
    }
    g.setCols(2);
    g.setCols(4);
    EXPECT_EQ(g.TextMatrix(200, 1), std::string(200, 't') + "200");
    EXPECT_EQ(g.TextMatrix(200, 2), "");
    g.RemoveItem(1);
    EXPECT_EQ(g.TextMatrix(1, 1), std::string(200, 't') + "2");
}

} // namespace
