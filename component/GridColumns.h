#pragma once
// The column contracts the windows share: the browse grid's columns and the voucher editor's
// line-list sub-items. Readers and writers of either name a column here, never by number.

namespace idj {

// The browse grid's columns, numbered as the full list shows them.
enum BrowseColumn : int {
    kBrowseId = 0, // hidden: the voucher identifier
    kBrowseJournalNo,
    kBrowseDate,
    kBrowseType,
    kBrowseTypeSerialNo,
    kBrowseCancelled,
    kBrowsePosted,
    kBrowseConfirmed,
};

// The full list has every column; the table search lists only identifier, number, date,
// cancelled and posted, in that order.
constexpr int kBrowseFullCols = 8;
constexpr int kBrowseSearchCols = 5;

// Where a column sits in a grid of `gridCols` columns, or -1 when that layout lacks it.
constexpr int browseGridIndex(BrowseColumn column, int gridCols) {
    if (gridCols != kBrowseSearchCols) return column < gridCols ? column : -1;
    switch (column) {
    case kBrowseId:
    case kBrowseJournalNo:
    case kBrowseDate:
        return column;
    case kBrowseCancelled:
        return 3;
    case kBrowsePosted:
        return 4;
    default:
        return -1;
    }
}

// The column a grid index of a layout shows (the inverse of browseGridIndex).
constexpr BrowseColumn browseColumnAt(int index, int gridCols) {
    if (gridCols == kBrowseSearchCols && index >= 3) return index == 3 ? kBrowseCancelled : kBrowsePosted;
    return static_cast<BrowseColumn>(index);
}

// Sub-items of a line-list row (the row text itself is the serial number "SlNo.").
enum LineColumn : int {
    kLineDepartment = 1,
    kLineAccountHead,
    kLineDescription,
    kLineDebit,
    kLineCredit,
    kLineAccountId,
    kLinePayrollNo,
    kLineDepartmentId,
};

} // namespace idj
