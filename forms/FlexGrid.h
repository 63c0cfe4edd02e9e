#pragma once
// A grid model with the flexible grid's properties: rows and columns of text cells, a fixed
// header row, current cell and selection, per-cell text colours, widths, alignment and sorting.
// Rows are stored compactly so a year of vouchers (100,000 rows) stays cheap.
#include "forms/Control.h"

#include <string>
#include <vector>

namespace forms {

class FlexGrid : public Control {
  public:
    FlexGrid(Form& f, std::string name, Control* container = nullptr);
    void reset() override;
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override;

    int Rows() const { return static_cast<int>(cells_.size()); }
    void setRows(int n);
    // Room for n rows, so filling a long list does not move the rows again and again.
    void reserveRows(int n);
    int Cols() const { return cols_; }
    void setCols(int n);
    int FixedRows = 1;
    int FixedCols = 0;

    const std::string& TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, std::string text);
    // Text of the current cell.
    const std::string& Text() const { return TextMatrix(row_, col_); }
    void setText(std::string t) { setTextMatrix(row_, col_, std::move(t)); }

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
    // Sorts the data rows on the current column (to ColSel) by a sort code.
    void setSort(int code);

    // Where the mouse is, set by the front end before MouseMove.
    int MouseRow = 0, MouseCol = 0;

    std::function<void()> RowColChange, SelChange, EnterCell, Scroll;

  private:
    struct RowData {
        std::vector<std::string> text;
        std::vector<Colour> colour; // empty until a cell is coloured
        std::vector<bool> bold;
    };
    void clampCurrent();
    RowData& rowAt(int r);
    const RowData& rowAt(int r) const;

    std::vector<RowData> cells_;
    int cols_ = 2;
    std::vector<int> widths_;
    std::vector<int> aligns_;
    int row_ = 1, col_ = 0, rowSel_ = 1, colSel_ = 0, topRow_ = 1;
};

} // namespace forms
