#include "forms/FlexGrid.h"

#include "runtime/Convert.h"
#include "runtime/Error.h"

#include <algorithm>
#include <cstdint>

namespace forms {

namespace {
const std::string kEmpty;
}

FlexGrid::FlexGrid(Form& f, std::string name, Control* container)
    : Control(f, std::move(name), Kind::FlexGrid, container) {
    reset();
}

void FlexGrid::reset() {
    Control::reset();
    cols_ = 2;
    cells_.resizeRows(0);
    cells_.clearTexts();
    cells_.setCols(2);
    cells_.resizeRows(2);
    colours_.clear();
    bolds_.clear();
    unsorted();
    widths_.assign(2, -1);
    aligns_.assign(2, flexAlignLeftCenter);
    FixedRows = 1;
    FixedCols = 0;
    row_ = rowSel_ = topRow_ = 1;
    col_ = colSel_ = 0;
    ForeColorSel = vbHighlightText;
    BackColorSel = vbHighlight;
}

void FlexGrid::checkCell(int row, int col) const {
    if (row < 0 || row >= Rows() || col < 0 || col >= cols_)
        rt::raise(rt::errSubscriptOutOfRange, name(), "Subscript out of range");
}

size_t FlexGrid::styleOf(int row) const {
    const uint32_t tag = cells_.tag(static_cast<size_t>(row));
    return tag == CellStore::kNoTag ? SIZE_MAX : size_t{tag} * static_cast<size_t>(cols_);
}

size_t FlexGrid::ownStyle(int row) {
    if (size_t at = styleOf(row); at != SIZE_MAX) return at;
    const size_t at = colours_.size();
    colours_.resize(at + static_cast<size_t>(cols_), 0);
    bolds_.resize(at + static_cast<size_t>(cols_), 0);
    cells_.setTag(static_cast<size_t>(row), static_cast<uint32_t>(at / static_cast<size_t>(cols_)));
    return at;
}

void FlexGrid::clampCurrent() {
    int lastRow = std::max(Rows() - 1, 0), lastCol = std::max(cols_ - 1, 0);
    row_ = std::clamp(row_, 0, lastRow);
    rowSel_ = std::clamp(rowSel_, 0, lastRow);
    topRow_ = std::clamp(topRow_, 0, lastRow);
    col_ = std::clamp(col_, 0, lastCol);
    colSel_ = std::clamp(colSel_, 0, lastCol);
}

void FlexGrid::setRows(int n) {
    if (n < FixedRows) rt::raise(rt::errInvalidProcedureCall, name(), "Invalid Row value");
    // Rows cut off keep their order; new empty rows are not in it.
    if (n > Rows()) unsorted();
    cells_.resizeRows(static_cast<size_t>(n));
    clampCurrent();
    touch();
}

void FlexGrid::reserveRows(int n) {
    if (n > 0) cells_.reserveRows(static_cast<size_t>(n));
}

void FlexGrid::setCols(int n) {
    if (n < 1 || n < FixedCols) rt::raise(rt::errInvalidProcedureCall, name(), "Invalid Col value");
    if (n != cols_) {
        unsorted();
        // Each styled row's entries, cut or padded to the new width.
        const size_t from = static_cast<size_t>(cols_), to = static_cast<size_t>(n),
                     styled = colours_.size() / from;
        std::vector<Colour> colours(styled * to, 0);
        std::vector<uint8_t> bolds(styled * to, 0);
        for (size_t k = 0; k < styled; ++k)
            for (size_t c = 0; c < std::min(from, to); ++c) {
                colours[k * to + c] = colours_[k * from + c];
                bolds[k * to + c] = bolds_[k * from + c];
            }
        colours_.swap(colours);
        bolds_.swap(bolds);
    }
    cols_ = n;
    cells_.setCols(static_cast<size_t>(n));
    widths_.resize(static_cast<size_t>(n), -1);
    aligns_.resize(static_cast<size_t>(n), flexAlignLeftCenter);
    clampCurrent();
    touch();
}

std::string_view FlexGrid::cellText(int row, int col) const {
    checkCell(row, col);
    return cells_.text(static_cast<size_t>(row), static_cast<size_t>(col));
}

void FlexGrid::setTextMatrix(int row, int col, std::string_view text) {
    checkCell(row, col);
    if (row >= FixedRows) unsorted();
    cells_.setText(static_cast<size_t>(row), static_cast<size_t>(col), text);
    touch();
}

void FlexGrid::setRowTexts(int row, const std::vector<std::string_view>& texts) {
    checkCell(row, 0);
    if (row >= FixedRows) unsorted();
    cells_.setRow(static_cast<size_t>(row), texts);
    touch();
}

void FlexGrid::setRow(int r) {
    if (r < 0 || r >= Rows()) rt::raise(rt::errInvalidProcedureCall, name(), "Invalid Row value");
    bool moved = r != row_;
    row_ = rowSel_ = r;
    colSel_ = col_;
    touch();
    if (moved) {
        fire(RowColChange);
        fire(EnterCell);
    }
    fire(SelChange);
}

void FlexGrid::setCol(int c) {
    if (c < 0 || c >= cols_) rt::raise(rt::errInvalidProcedureCall, name(), "Invalid Col value");
    bool moved = c != col_;
    col_ = colSel_ = c;
    rowSel_ = row_;
    touch();
    if (moved) {
        fire(RowColChange);
        fire(EnterCell);
    }
    fire(SelChange);
}

void FlexGrid::setRowSel(int r) {
    if (r < 0 || r >= Rows()) rt::raise(rt::errInvalidProcedureCall, name(), "Invalid Row value");
    rowSel_ = r;
    touch();
    fire(SelChange);
}

void FlexGrid::setColSel(int c) {
    if (c < 0 || c >= cols_) rt::raise(rt::errInvalidProcedureCall, name(), "Invalid Col value");
    colSel_ = c;
    touch();
    fire(SelChange);
}

void FlexGrid::setTopRow(int r) {
    if (r < 0 || r >= Rows()) rt::raise(rt::errInvalidProcedureCall, name(), "Invalid Row value");
    topRow_ = std::max(r, FixedRows);
    touch();
}

int FlexGrid::ColWidth(int col) const {
    if (col < 0 || col >= cols_) rt::raise(rt::errSubscriptOutOfRange, name(), "Subscript out of range");
    int w = widths_[static_cast<size_t>(col)];
    return w < 0 ? 960 : w; // the grid's default column width
}

void FlexGrid::setColWidth(int col, int twips) {
    if (col < 0 || col >= cols_) rt::raise(rt::errSubscriptOutOfRange, name(), "Subscript out of range");
    widths_[static_cast<size_t>(col)] = std::max(twips, 0);
    touch();
}

int FlexGrid::ColAlignment(int col) const {
    if (col < 0 || col >= cols_) rt::raise(rt::errSubscriptOutOfRange, name(), "Subscript out of range");
    return aligns_[static_cast<size_t>(col)];
}

void FlexGrid::setColAlignment(int col, int alignment) {
    if (col < 0 || col >= cols_) rt::raise(rt::errSubscriptOutOfRange, name(), "Subscript out of range");
    aligns_[static_cast<size_t>(col)] = alignment;
    touch();
}

Colour FlexGrid::cellForeColor(int row, int col) const {
    checkCell(row, col);
    const size_t at = styleOf(row);
    return at == SIZE_MAX ? 0 : colours_[at + static_cast<size_t>(col)];
}

Colour FlexGrid::CellForeColor() const {
    return cellForeColor(row_, col_);
}

void FlexGrid::setCellForeColor(Colour c) {
    setCellForeColorAt(row_, col_, c);
}

void FlexGrid::setCellForeColorAt(int row, int col, Colour c) {
    checkCell(row, col);
    colours_[ownStyle(row) + static_cast<size_t>(col)] = c;
    touch();
}

bool FlexGrid::cellFontBold(int row, int col) const {
    checkCell(row, col);
    const size_t at = styleOf(row);
    return at != SIZE_MAX && bolds_[at + static_cast<size_t>(col)];
}

bool FlexGrid::CellFontBold() const {
    return cellFontBold(row_, col_);
}

void FlexGrid::setCellFontBold(bool b) {
    checkCell(row_, col_);
    bolds_[ownStyle(row_) + static_cast<size_t>(col_)] = b;
    touch();
}

void FlexGrid::Clear() {
    cells_.clearTexts();
    colours_.clear();
    bolds_.clear();
    unsorted();
    touch();
}

void FlexGrid::AddItem(const std::string& tabbedText, int index) {
    std::vector<std::string_view> texts;
    const std::string_view all(tabbedText);
    size_t start = 0;
    for (int c = 0; c < cols_; ++c) {
        size_t tab = all.find('\t', start);
        texts.push_back(all.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    const size_t at = index < 0 || index >= Rows() ? cells_.rows() : static_cast<size_t>(index);
    cells_.insertRow(at, texts);
    unsorted();
    touch();
}

void FlexGrid::RemoveItem(int index) {
    if (index < FixedRows || index >= Rows() || Rows() - 1 <= FixedRows)
        rt::raise(rt::errInvalidProcedureCall, name(), "Cannot remove last non-fixed row");
    cells_.eraseRow(static_cast<size_t>(index));
    clampCurrent();
    touch();
}

namespace {
// A cell's sort key. Generic sorting puts empty cells first, then numbers by value, then
// texts; comparing a number with a text by its characters would make the order depend on
// the rows' input order (and is no valid ordering for the sort).
struct SortKey {
    int rank = 0;
    double number = 0;
    std::string text;
};

SortKey sortKey(std::string_view view, int code) {
    const std::string cell(view);
    SortKey k;
    switch (code) {
    case flexSortGenericAscending:
    case flexSortGenericDescending:
        if (rt::Trim(cell).empty()) break;
        if (rt::IsNumeric(rt::Variant(cell))) {
            k.rank = 1;
            k.number = rt::CDbl(rt::Variant(cell));
        } else {
            k.rank = 2;
            k.text = rt::LCase(cell);
        }
        break;
    case flexSortNumericAscending:
    case flexSortNumericDescending:
        k.number = rt::Val(cell);
        break;
    case flexSortStringNoCaseAscending:
    case flexSortStringNoCaseDescending:
        k.text = rt::LCase(cell);
        break;
    default:
        k.text = cell;
        break;
    }
    return k;
}

int compareKeys(const SortKey& a, const SortKey& b) {
    if (a.rank != b.rank) return a.rank < b.rank ? -1 : 1;
    if (a.number != b.number) return a.number < b.number ? -1 : 1;
    return a.text.compare(b.text);
}
} // namespace

void FlexGrid::setSort(int code) {
    if (code == flexSortNone || Rows() <= FixedRows + 1) return;
    const int c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    // A quick search sorts before each look-up; the rows are in that order already.
    const SortState wanted{c0, c1, code, FixedRows};
    if (sortedBy_.code == wanted.code && sortedBy_.c0 == c0 && sortedBy_.c1 == c1 &&
        sortedBy_.fixedRows == FixedRows)
        return;
    const bool desc = code == flexSortGenericDescending || code == flexSortNumericDescending ||
                      code == flexSortStringNoCaseDescending || code == flexSortStringDescending;
    // Keys are made once per row: a year of vouchers would otherwise parse each cell
    // at every comparison.
    const size_t first = static_cast<size_t>(FixedRows), n = cells_.rows() - first;
    const size_t width = static_cast<size_t>(c1 - c0 + 1);
    std::vector<SortKey> keys(n * width);
    for (size_t r = 0; r < n; ++r)
        for (size_t c = 0; c < width; ++c)
            keys[r * width + c] = sortKey(cells_.text(first + r, static_cast<size_t>(c0) + c), code);
    std::vector<size_t> order(n);
    for (size_t r = 0; r < n; ++r)
        order[r] = r;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        for (size_t c = 0; c < width; ++c) {
            int r = compareKeys(keys[a * width + c], keys[b * width + c]);
            if (r != 0) return desc ? r > 0 : r < 0;
        }
        return false;
    });
    cells_.reorder(first, order);
    sortedBy_ = wanted;
    ++sortsMade_;
    touch();
}

rt::Variant FlexGrid::invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) {
    bool put = kind == rt::CallKind::PropertyPut;
    auto intProp = [&](auto get, auto set) -> rt::Variant {
        if (put) {
            set(rt::CLng(args.at(0)));
            return {};
        }
        return static_cast<int32_t>(get());
    };
    if (rt::iequals(member, "Rows")) return intProp([&] { return Rows(); }, [&](int v) { setRows(v); });
    if (rt::iequals(member, "Cols")) return intProp([&] { return Cols(); }, [&](int v) { setCols(v); });
    if (rt::iequals(member, "Row")) return intProp([&] { return Row(); }, [&](int v) { setRow(v); });
    if (rt::iequals(member, "Col")) return intProp([&] { return Col(); }, [&](int v) { setCol(v); });
    if (rt::iequals(member, "Width")) return intProp([&] { return Width; }, [&](int v) { Width = v; });
    if (rt::iequals(member, "ColWidth")) {
        int c = rt::CLng(args.at(0));
        if (put) {
            setColWidth(c, rt::CLng(args.at(1)));
            return {};
        }
        return static_cast<int32_t>(ColWidth(c));
    }
    if (rt::iequals(member, "TextMatrix")) {
        int r = rt::CLng(args.at(0)), c = rt::CLng(args.at(1));
        if (put) {
            setTextMatrix(r, c, rt::CStr(args.at(2)));
            return {};
        }
        return TextMatrix(r, c);
    }
    return Control::invoke(member, kind, args);
}

} // namespace forms
