// Refreshing one voucher's row of the browse grid after a save or a deletion, instead of
// reloading the whole list.
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "component/ReportError.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"

namespace idj {

void UpdateEditedRow(const std::string& condition, int32_t id) {
    trapped("basJournal", "UpdateEditedRow", [&] {
        FrmMaster& master = FrmMaster::instance();
        forms::FlexGrid& grid = master.GrdMaster;
        const int cols = grid.Cols();

        std::string sql = master.lastGridSql();
        if (size_t p = rt::InStr(sql, "order by", true)) sql = sql.substr(0, p - 1);
        sql += rt::InStr(sql, "where", true) ? " and " : " where ";
        sql += condition;

        auto rs = ado::Recordset::create();
        rs->Open(sql, master.adocon, ado::adOpenKeyset, ado::adLockReadOnly, master.lastGridParams());
        if (!rs->eof()) {
            auto text = [&](int i) { return i < rs->FieldCount() ? rt::TextOf((*rs)[i]) : std::string(); };
            if (ctx().GStrMasterNewEditFlag == "E") {
                for (int i = 1; i < cols; ++i)
                    grid.setTextMatrix(grid.Row(), i, text(i));
            } else if (grid.Rows() == 2 && grid.TextMatrix(1, kBrowseId).empty()) {
                for (int i = 0; i < cols; ++i)
                    grid.setTextMatrix(1, i, text(i));
            } else {
                std::string row = std::to_string(id);
                for (int i = 1; i < cols; ++i)
                    row += "\t" + text(i);
                grid.AddItem(row);
                grid.setRow(grid.Rows() - 1);
                grid.setTopRow(grid.Row());
                grid.setCol(0);
                grid.setColSel(grid.Cols() - 1);
            }
        }
        rs->Close();
    });
}

} // namespace idj
