#include "browser/VoucherLineRow.h"

#include "component/Context.h"
#include "component/GridColumns.h"
#include "runtime/Convert.h"

#include <string>

namespace idj {

namespace {

void addRow(forms::ListView& list, ado::Recordset& rs, const std::string& rowText) {
    forms::ListItem& item = list.Add(rowText);
    const rt::Variant side = rs["JournalTransCredit"];
    const bool credit = !side.isNull() && !side.isEmpty() && rt::CBool(side);
    const bool debit = !side.isNull() && !credit;
    const std::string amount = rt::Format(rs["Amount"], "0.00");
    item.setSubItem(kLineDepartment, rt::TextOf(rs["Depname"]));
    item.setSubItem(kLineAccountHead, rt::TextOf(rs["AccDesc"]));
    item.setSubItem(kLineDescription, rt::TextOf(rs["Remarks"]));
    item.setSubItem(kLineDebit, debit ? amount : "0.00");
    item.setSubItem(kLineCredit, credit ? amount : "0.00");
    item.setSubItem(kLineAccountId, rt::TextOf(rs["AccountID"]));
    item.setSubItem(kLinePayrollNo, "");
    item.setSubItem(kLineDepartmentId, rt::TextOf(rs["departmentid"]));
}

} // namespace

void loadVoucherLines(const ado::ConnectionPtr& con, forms::ListView& list, int32_t id, LineSerial serial) {
    const std::string company = std::to_string(ctx().intCompanyID);
    auto lines = ado::Recordset::create();
    lines->Open(
        "SELECT JournalTransDetailID,(SELECT AccountDesc FROM AACCOUNTMASTER "
        " WHERE AccountID = InterDivisionJournalTransDetails.AccountID AND "
        "companyid= " +
            company +
            ") AS AccDesc, (select DepartmentName  from adepartmentmaster where "
            "adepartmentmaster.DepartmentID=InterDivisionJournalTransDetails.departmentid ) Depname , "
            "Remarks,JournalTransCredit,"
            "Amount,AccountID ,departmentid FROM InterDivisionJournalTransDetails WHERE CompanyID = " +
            company + " AND " + "JournalTransID = " + std::to_string(id) + " order by JournalTransDetailID",
        con, ado::adOpenStatic, ado::adLockReadOnly);
    int running = 0;
    for (; !lines->eof(); lines->MoveNext())
        addRow(list, *lines,
               serial == LineSerial::Running ? std::to_string(++running)
                                             : rt::TextOf((*lines)["JournalTransDetailID"]));
    // A long list leaves room for the account's name (headers count from 1, "SlNo." first).
    if (list.Count() >= 9) list.header(kLineAccountHead + 1).Width = 3000;
    lines->Close();
}

} // namespace idj
