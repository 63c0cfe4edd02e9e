#pragma once
// A grid model with the flexible grid's properties: rows and columns of text cells, a fixed
// header row, current cell and selection, per-cell text colours, widths, alignment and sorting.
// Rows are stored compactly so a year of vouchers (100,000 rows) stays cheap.
#include "forms/CellStore.h"
#include "forms/Control.h"

#include <string>
#include <vector>

namespace forms {

class FlexGrid : public Control {
  public:
    FlexGrid(Form& f, std::string name, Control* container = nullptr);
    void reset() override;
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    int Rows() const { return static_cast<int>(cells_.rows()); }
    void setRows(int n);
    // Room for n rows, so filling a long list does not move the rows again and again.
    void reserveRows(int n);
    int Cols() const { return cols_; }
    void setCols(int n);
    int FixedRows = 1;
    int FixedCols = 0;

    std::string TextMatrix(int row, int col) const { return std::string(cellText(row, col)); }
    void setTextMatrix(int row, int col, std::string_view text);
    // A cell's text without a copy; valid until the grid's cells next change.
    std::string_view cellText(int row, int col) const;
    // Every cell of a row at once, as a fill writes them.
    void setRowTexts(int row, const std::vector<std::string_view>& texts);
    // Text of the current cell.
    std::string Text() const { return TextMatrix(row_, col_); }
    void setText(std::string_view t) { setTextMatrix(row_, col_, t); }

    // Current cell; moving it collapses the selection to it and raises RowColChange and SelChange.
    int Row() const { return row_; }
    int Col() const { return col_; }
    void setRow(int r);
    void setCol(int c);
    int RowSel() const { return rowSel_; }
    int ColSel() const { return colSel_; }
    void setRowSel(int r);
    void setColSel(int c);
    int TopRow() const { return topRow_; }
    void setTopRow(int r);

    int ColWidth(int col) const;
    void setColWidth(int col, int twips);
    int ColAlignment(int col) const;
    void setColAlignment(int col, int alignment);

    // Text colour of the current cell; 0 means the default colour.
    Colour CellForeColor() const;
    void setCellForeColor(Colour c);
    Colour cellForeColor(int row, int col) const;
    // Colours one cell without moving the current cell (no RowColChange for each cell).
    void setCellForeColorAt(int row, int col, Colour c);
    bool CellFontBold() const;
    void setCellFontBold(bool b);
    bool cellFontBold(int row, int col) const;
    Colour ForeColorSel = vbHighlightText;
    Colour BackColorSel = vbHighlight;
    int SelectionMode = flexSelectionFree; // as designed

    // Clears every cell's text and colour, keeping rows and columns.
    void Clear();
    // Adds a row from tab-separated cell texts, at the end or before `index`.
    void AddItem(const std::string& tabbedText, int index = -1);
    void RemoveItem(int index);
    // Sorts the data rows on the current column (to ColSel) by a sort code. Sorting again by
    // the same columns and code with no cell changed since does nothing.
    void setSort(int code);
    // How many sorts were actually made.
    int sortsMade() const { return sortsMade_; }

    // Where the mouse is, set by the front end before MouseMove.
    int MouseRow = 0, MouseCol = 0;

    std::function<void()> RowColChange, SelChange, EnterCell, Scroll;

  private:
    void clampCurrent();
    void checkCell(int row, int col) const;
    // Where a row's colours and bold flags start in colours_ and bolds_ (SIZE_MAX: none yet).
    size_t styleOf(int row) const;
    size_t ownStyle(int row);
    void unsorted() { sortedBy_.code = -1; }

    CellStore cells_;
    // Cols() entries for each row with a styled cell, made when the first one is styled.
    std::vector<Colour> colours_;
    std::vector<uint8_t> bolds_;
    struct SortState {
        int c0 = 0, c1 = 0, code = -1, fixedRows = 0;
    } sortedBy_;
    int sortsMade_ = 0;
    int cols_ = 2;
    std::vector<int> widths_;
    std::vector<int> aligns_;
    int row_ = 1, col_ = 0, rowSel_ = 1, colSel_ = 0, topRow_ = 1;
};

} // namespace forms
