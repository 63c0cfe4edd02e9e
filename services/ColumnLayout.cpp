#include "services/ColumnLayout.h"

#include "ado/Transaction.h"
#include "automation/Automation.h"
#include "forms/Form.h"
#include "runtime/Convert.h"
#include "services/Args.h"

namespace services {

namespace {

void restore(int16_t user, int16_t company, forms::FlexGrid& grid, const ado::ConnectionPtr& connection) {
    auto rs = ado::Recordset::create();
    rs->Open("SELECT ColumnIndex, ColumnWidth FROM aGridColumnLayout "
             "WHERE UserID = ? AND CompanyID = ? AND GridName = ? ORDER BY ColumnIndex",
             connection, ado::adOpenForwardOnly, ado::adLockReadOnly,
             {user, company, ColumnLayout::gridName(grid)});
    for (; !rs->eof(); rs->MoveNext()) {
        int column = rt::CLng((*rs)[0]);
        if (column >= 0 && column < grid.Cols()) grid.setColWidth(column, rt::CLng((*rs)[1]));
    }
    rs->Close();
}

void save(int16_t user, int16_t company, const forms::FlexGrid& grid, const ado::ConnectionPtr& connection) {
    const std::string name = ColumnLayout::gridName(grid);
    // Half a layout is worse than the old one.
    ado::rollBackOnError(connection, [&] {
        connection->BeginTrans();
        connection->Execute(
            "DELETE FROM aGridColumnLayout WHERE UserID = ? AND CompanyID = ? AND GridName = ?",
            {user, company, name});
        for (int c = 0; c < grid.Cols(); ++c)
            connection->Execute("INSERT INTO aGridColumnLayout (UserID, CompanyID, GridName, ColumnIndex, "
                                "ColumnWidth) VALUES (?, ?, ?, ?, ?)",
                                {user, company, name, c, grid.ColWidth(c)});
        connection->CommitTrans();
    });
}

} // namespace

std::string ColumnLayout::gridName(const forms::FlexGrid& grid) {
    return grid.form().name() + "." + grid.name();
}

bool ColumnLayout::fnGridSettings(int16_t user, int16_t company, forms::FlexGrid& grid,
                                  const ado::ConnectionPtr& connection, bool saveWidths) {
    if (!connection) rt::raise(rt::errObjectNotSet, "clsColumnLayout");
    if (saveWidths)
        save(user, company, grid, connection);
    else
        restore(user, company, grid, connection);
    return true;
}

rt::Variant ColumnLayout::invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) {
    const std::string cls = className();
    if (rt::iequals(member, "fnGridSettings")) {
        auto grid = objectArg<forms::FlexGrid>(args, 2, cls, member);
        auto connection = objectArg<ado::Connection>(args, 3, cls, member);
        return fnGridSettings(rt::CInt(arg(args, 0, cls, member)), rt::CInt(arg(args, 1, cls, member)), *grid,
                              connection, given(args, 4) && rt::CBool(args[4]));
    }
    return rt::Object::invoke(member, kind, args);
}

namespace {
[[maybe_unused]] const bool registered = [] {
    automation::registerClass(ColumnLayout::kProgId, [] { return std::make_shared<ColumnLayout>(); });
    return true;
}();
} // namespace

} // namespace services
