// Filling the browse grid: rows from a statement, headers from the suite's column catalogue,
// widths that fit the texts, colours by voucher status.
#include "automation/Automation.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "component/ReportError.h"
#include "runtime/Convert.h"

#include <climits>
#include <cmath>

namespace idj {

namespace {
// The loading flag is cleared however GridPopulate ends.
struct LoadingFlag {
    bool& flag;
    explicit LoadingFlag(bool& f) : flag(f) { flag = true; }
    ~LoadingFlag() { flag = false; }
};

// "No current record" is passed over and the fill goes on with the next step.
template <class F> void resumeOnNoRecord(F&& step) {
    try {
        step();
    } catch (const rt::Error& e) {
        if (e.number() != rt::errNoCurrentRecord) throw;
    }
}

int roundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}
} // namespace

void FrmMaster::GridPopulate(const std::string& strSql, const std::string& strTableMain,
                             const std::string& strTableRelation, const ado::Params& params) {
    LoadingFlag loadingFlag(blnLoading_);
    try {
        strGridSql_ = strSql;
        strTableMain_ = strTableMain;
        strTableRelation_ = strTableRelation;
        gridParams_ = params;

        forms::FlexGrid& g = GrdMaster;
        g.Clear();
        g.FixedRows = 1;
        g.FixedCols = 0;
        g.setColWidth(0, 960);
        g.setCols(1);
        g.setRows(2);

        // Read once, front to back: the grid keeps the only copy of the rows.
        auto rs = ado::Recordset::create();
        rs->Open(strSql, adocon, ado::adOpenForwardOnly, ado::adLockReadOnly, params);
        const int fields = rs->FieldCount();
        std::vector<int> lengths(static_cast<size_t>(fields), 0);
        std::vector<std::string_view> texts(static_cast<size_t>(fields));
        std::vector<std::string> converted(static_cast<size_t>(fields));
        if (rs->eof())
            g.setCols(fields);
        else
            resumeOnNoRecord([&] { rs->MoveFirst(); });

        int row = 0;
        while (!rs->eof()) {
            resumeOnNoRecord([&] {
                ++row;
                if (row == 1)
                    g.setCols(fields);
                else
                    g.setRows(row + 1);
                for (int i = 0; i < fields; ++i) {
                    const auto k = static_cast<size_t>(i);
                    const std::string_view text = rt::TrimView(rs->textAt(i, converted[k]));
                    texts[k] = text;
                    if (static_cast<int>(text.size()) > lengths[k])
                        lengths[k] = static_cast<int>(text.size());
                }
                g.setRowTexts(row, texts);
            });
            rs->MoveNext();
        }
        for (int i = 0; i < fields; ++i)
            g.setColAlignment(i, forms::flexAlignLeftTop);

        // The user's saved layout is the full list's; the search's five columns neither take
        // it nor replace it.
        if (!searchLayout()) {
            const Context& c = ctx();
            automation::callv(automation::CreateObject("ColumnLayout.clsColumnLayout"), "fnGridSettings",
                              c.intuserid, c.intCompanyID, GrdMaster.ref(), rt::ObjectPtr(adocon));
        }
        FillColumnHeaders(strTableMain, lengths);

        for (BrowseColumn flag : {kBrowseCancelled, kBrowsePosted, kBrowseConfirmed})
            if (int col = browseGridIndex(flag, g.Cols()); col >= 0) g.setColWidth(col, 1290);
        g.setColWidth(0, 0);
        rs->Close();
    } catch (const rt::Error& e) {
        blnLoading_ = false;
        reportTrapped("FrmMaster", "GridPopulate", e);
    }
}

void FrmMaster::FillColumnHeaders(const std::string& strTableMain, std::vector<int>& lengths) {
    forms::FlexGrid& g = GrdMaster;
    cboColNames.Clear();
    cboSearch.Clear();

    auto addHeader = [&](int k, const std::string& header) {
        g.setTextMatrix(0, k, header);
        cboColNames.AddItem(header);
        cboColNames.setItemData(cboColNames.NewIndex(), k);
        cboSearch.AddItem(header);
        cboSearch.setItemData(cboSearch.NewIndex(), k);
        if (static_cast<size_t>(k) >= lengths.size()) lengths.resize(static_cast<size_t>(k) + 1, 0);
        lengths[static_cast<size_t>(k)] =
            std::max(lengths[static_cast<size_t>(k)], static_cast<int>(header.size()));
    };

    int catalogueRows = 0;
    if (searchLayout()) {
        // The catalogue describes the full list; the search's columns have headers of their own,
        // and only they can be sorted or searched on.
        static const char* const kSearchHeaders[] = {"Journal No", "Date", "Cancelled", "Posted"};
        for (const char* header : kSearchHeaders)
            addHeader(++catalogueRows, header);
        ++catalogueRows; // the hidden identifier column
    } else {
        auto rs = ado::Recordset::create();
        rs->Open("select tc.columnheader,tc.columnname from atables t,atablecolumns tc where t.tableid = "
                 "tc.tableid and tablename ='" +
                     strTableMain + "'",
                 adocon, ado::adOpenStatic, ado::adLockReadOnly);
        for (; !rs->eof(); rs->MoveNext(), ++catalogueRows) {
            if (catalogueRows == 0) continue; // the hidden identifier column
            // A grid narrower than the catalogue has no column to head or to choose.
            if (catalogueRows < g.Cols()) addHeader(catalogueRows, rt::TextOf((*rs)["columnheader"]));
        }
        rs->Close();
    }

    // Widths only grow, to fit the longest text of each column.
    for (int j = 0; j < std::min(catalogueRows, g.Cols()); ++j) {
        int wanted = 130 * (static_cast<size_t>(j) < lengths.size() ? lengths[static_cast<size_t>(j)] : 0);
        if (wanted > g.ColWidth(j)) g.setColWidth(j, wanted);
    }

    // The spare width of the control is spread over the visible columns.
    const int last = g.Cols() - 1;
    long sum = 0;
    for (int j = 1; j <= last; ++j)
        sum += g.ColWidth(j);
    if (last >= 1 && g.Width > sum) {
        int spare = roundHalfEven(static_cast<double>(g.Width - sum + 1815));
        int share = roundHalfEven(static_cast<double>(spare) / last);
        for (int j = 1; j <= last; ++j)
            g.setColWidth(j, g.ColWidth(j) + share);
    }

    if (!searchLayout()) {
        const Context& c = ctx();
        automation::callv(automation::CreateObject("ColumnLayout.clsColumnLayout"), "fnGridSettings",
                          c.intuserid, c.intCompanyID, GrdMaster.ref(), rt::ObjectPtr(adocon), true);
    }

    g.setRow(g.Rows() - 1);
    g.setTopRow(g.Row());
    g.setCol(0);
    g.setColSel(g.Cols() - 1);
}

int32_t FrmMaster::selectedVoucherId() const {
    const double id = rt::Val(GrdMaster.TextMatrix(GrdMaster.Row(), kBrowseId));
    return id >= 1 && id <= INT32_MAX ? static_cast<int32_t>(id) : 0;
}

std::string FrmMaster::cell(BrowseColumn column) const {
    const int col = browseGridIndex(column, GrdMaster.Cols());
    return col < 0 ? std::string() : GrdMaster.TextMatrix(GrdMaster.Row(), col);
}

void FrmMaster::ColourStatusRows() {
    trapped("FrmMaster", "ColourStatusRows", [this] {
        forms::FlexGrid& g = GrdMaster;
        const int cols = std::min(g.Cols(), kBrowseFullCols);
        const int cancelled = browseGridIndex(kBrowseCancelled, g.Cols());
        const int posted = browseGridIndex(kBrowsePosted, g.Cols());
        if (cancelled < 0 || posted < 0) return;
        for (int r = g.FixedRows; r < g.Rows(); ++r) {
            forms::Colour colour;
            if (g.cellText(r, cancelled) == "Yes")
                colour = forms::vbRed;
            else if (g.cellText(r, posted) == "Yes")
                colour = forms::rgb(0, 128, 0);
            else
                continue;
            for (int col = 0; col < cols; ++col)
                g.setCellForeColorAt(r, col, colour);
        }
    });
}

void FrmMaster::grdMaster_SelChange() {
    trapped("FrmMaster", "grdMaster_SelChange", [this] {
        if (blnLoading_) return;
        forms::FlexGrid& g = GrdMaster;
        if (g.RowSel() == g.Row()) {
            forms::Colour cell = g.CellForeColor();
            g.ForeColorSel = (cell != 0 && cell != forms::vbWindowText) ? cell : forms::vbHighlightText;
        } else {
            g.ForeColorSel = forms::vbCyan;
        }
        g.touch();
    });
}

} // namespace idj
