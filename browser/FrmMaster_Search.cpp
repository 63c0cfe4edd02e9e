// Sorting and searching the browse grid: a sort on a chosen column, a quick search among the
// rows already listed, and a table search that lists the vouchers matching a condition.
#include "automation/Automation.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "component/ReportError.h"
#include "forms/ComboText.h"
#include "runtime/Convert.h"
#include "runtime/Utf8.h"

namespace idj {

namespace {

constexpr int kSortGenericAscending = 1, kSortGenericDescending = 2;
constexpr int kSortStringAscending = 7, kSortStringDescending = 8;

int compareNoCase(const std::string& a, const std::string& b) {
    return rt::UCase(a).compare(rt::UCase(b));
}

// The toolkit completes the typed text to a list entry; it may change the key.
void matchComboItem(const rt::ObjectPtr& toolkit, forms::ComboBox& combo, int& keyCode) {
    std::vector<rt::Variant> args{rt::Variant(combo.ref()), rt::Variant(static_cast<int32_t>(keyCode))};
    automation::call(toolkit, "matchcomboitem", args);
    keyCode = rt::CLng(args[1]);
}

void selectColumn(forms::FlexGrid& g, int col) {
    g.setCol(col);
    g.setColSel(col);
}

// The table search takes the text literally: LIKE's wildcards typed by the user are escaped
// (the bracket too, a wildcard on the suite's server).
std::string containsPattern(const std::string& text) {
    std::string pattern = "%";
    for (char ch : text) {
        if (ch == '%' || ch == '_' || ch == '[' || ch == '\\') pattern += '\\';
        pattern += ch;
    }
    return pattern + "%";
}

// Longer than any voucher number or date text: such a search cannot find anything.
constexpr size_t kMaxSearchText = 50;

} // namespace

BrowseColumn FrmMaster::entryColumn(const forms::ComboBox& combo) const {
    return browseColumnAt(combo.ItemData(combo.ListIndex()), GrdMaster.Cols());
}

void FrmMaster::wireSearchEvents() {
    cboColNames.Click = [this] {
        trapped("FrmMaster", "cboColNames_Click", [this] {
            if (cboColNames.ListIndex() < 0) return;
            MousePointer = forms::vbHourglass;
            forms::FlexGrid& g = GrdMaster;
            const std::string& entry = cboColNames.List(cboColNames.ListIndex());
            const BrowseColumn column = entryColumn(cboColNames);
            // Numbers and dates sort as entered: by the hidden identifier.
            const bool byEntry = column == kBrowseJournalNo || column == kBrowseDate ||
                                 rt::InStr(entry, "JournalNo", true) > 0 ||
                                 rt::InStr(entry, "date", true) > 0;
            selectColumn(g, byEntry ? 0 : cboColNames.ItemData(cboColNames.ListIndex()));
            const bool numeric = rt::IsNumeric(rt::Variant(g.TextMatrix(g.Row(), g.Col())));
            if (optDescend.Value())
                g.setSort(numeric ? kSortGenericDescending : kSortStringDescending);
            else
                g.setSort(numeric ? kSortGenericAscending : kSortStringAscending);
            // Another voucher now stands in the current row.
            EnableOrDisableButtons();
            MousePointer = forms::vbDefault;
        });
    };
    cboColNames.KeyUp = [this](int& keyCode, int) {
        trapped("FrmMaster", "cboColNames_KeyUp",
                [&] { matchComboItem(objUiToolkit_, cboColNames, keyCode); });
    };
    cboSearch.KeyPress = [this](int& keyAscii) {
        trapped("FrmMaster", "cboSearch_KeyPress", [&] {
            // The typed letter chooses its column before the focus moves on.
            forms::chooseByLetter(cboSearch, keyAscii);
            tabToNext();
        });
    };
    cboSearch.KeyUp = [this](int& keyCode, int) {
        trapped("FrmMaster", "cboSearch_KeyUp", [&] { matchComboItem(objUiToolkit_, cboSearch, keyCode); });
    };
    optAscend.Click = [this] {
        trapped("FrmMaster", "optAscend_Click", [this] { cboColNames.setListIndex(-1); });
    };
    optDescend.Click = [this] {
        trapped("FrmMaster", "optDescend_Click", [this] { cboColNames.setListIndex(-1); });
    };
    txtsearch.KeyUp = [this](int& keyCode, int) {
        trapped("FrmMaster", "txtsearch_KeyUp", [&] {
            if (keyCode == forms::vbKeyUp) GrdMaster.SetFocus();
            const bool chosen = cboSearch.ListIndex() >= 0;
            if (!rt::Trim(txtsearch.Text()).empty() && chkSearchAll.Value() == 0 && chosen) {
                SeekInGrid();
                EnableOrDisableButtons();
            } else if (chkSearchAll.Value() == 1 && keyCode == forms::vbKeyReturn && chosen) {
                // The refill clears the lists' selection, and may change the lists themselves.
                const BrowseColumn column = entryColumn(cboSearch);
                SearchTheWordFromTable();
                for (int i = 0; i < cboSearch.ListCount(); ++i)
                    if (browseColumnAt(cboSearch.ItemData(i), GrdMaster.Cols()) == column) {
                        cboSearch.setListIndex(i);
                        break;
                    }
            }
        });
    };
}

void FrmMaster::SeekInGrid() {
    if (cboSearch.ListIndex() < 0) return;
    forms::FlexGrid& g = GrdMaster;
    const int col = cboSearch.ItemData(cboSearch.ListIndex());
    selectColumn(g, col);
    g.setSort(kSortStringAscending);

    const std::string wanted = rt::Trim(txtsearch.Text());
    int low = 1, high = g.Rows() - 1, found = 0;
    const bool numeric = rt::IsNumeric(rt::Variant(g.TextMatrix((low + high) / 2, col)));
    // The first row whose text, cut to the length of the wanted text, is not below it.
    while (low <= high) {
        const int mid = (low + high) / 2;
        const std::string part = rt::Trim(g.TextMatrix(mid, col)).substr(0, wanted.size());
        const bool notBelow = numeric ? rt::Val(part) >= rt::Val(wanted) : compareNoCase(part, wanted) >= 0;
        if (notBelow) {
            found = mid;
            high = mid - 1;
        } else {
            low = mid + 1;
        }
    }
    if (found == 0) return;
    g.setRow(found);
    g.setCol(0);
    g.setColSel(g.Cols() - 1);
    g.setTopRow(found);
}

void FrmMaster::SearchTheWordFromTable() {
    trapped("FrmMaster", "SearchTheWordFromTable", [this] {
        const Context& c = ctx();
        const std::string& text = txtsearch.Text();
        if (rt::charCount(text) > kMaxSearchText) {
            forms::MsgBox("The search text is too long: at most " + std::to_string(kMaxSearchText) +
                              " characters can be searched for.",
                          forms::vbInformation, c.strMsgboxCaption);
            return;
        }
        std::string condition;
        ado::Params params;
        if (!text.empty() && cboSearch.ListIndex() >= 0) {
            const BrowseColumn column = entryColumn(cboSearch);
            if (column == kBrowseJournalNo) {
                condition = " and JournalNo like ? escape '\\'";
                params.emplace_back(containsPattern(text));
            } else if (column == kBrowseDate) {
                const std::string style = rt::InStr(text, "-") > 0 ? "105" : "103";
                condition = "  and convert(varchar(20),JournalTransDate," + style + ") like ? escape '\\'";
                params.emplace_back(containsPattern(rt::Trim(text)));
            } else if (column == kBrowseCancelled || column == kBrowsePosted) {
                const std::string answer = rt::UCase(rt::Trim(text));
                std::string flag;
                if (rt::InStr(answer, "Y") > 0)
                    flag = "1";
                else if (rt::InStr(answer, "N") > 0)
                    flag = "0";
                else
                    return; // neither yes nor no: the list stays as it is
                condition = " and " + std::string(column == kBrowseCancelled ? "cancelled" : "posted") +
                            " = '" + flag + "'";
            }
        }

        std::string sql = "SELECT h.JournalTransID, h.JournalNo, h.JournalTransDate, "
                          "case h.cancelled when 1 then 'Yes' else 'No' end cancelled , "
                          " case h.posted when 1 then 'Yes' else 'No' end posted From "
                          "InterDivisionJournalTransHeader h (nolock) "
                          " where  h.Companyid= " +
                          std::to_string(c.intCompanyID) +
                          " and h.FinancialID = " + std::to_string(c.intFinancialID);
        if (c.intdepartmentid != 0) sql += " and h.DepartmentID=" + std::to_string(c.intdepartmentid);
        // Without a text the look-back period limits the list; with one the whole year is searched.
        if (text.empty())
            sql += " and h.JournalTransDate >= '" +
                   rt::toYmd(rt::addDays(c.dtProcessDate, -c.NoOfPreviousDays)) + "'";
        sql += condition + " ORDER BY h.JournalTransID DESC";

        GridPopulate(sql, "InterDivisionJournalTransHeader", "", params);
        selectColumn(GrdMaster, 0);
        GrdMaster.setSort(kSortGenericAscending);
        EnableOrDisableButtons();
        grdMaster_SelChange();
    });
}

} // namespace idj
