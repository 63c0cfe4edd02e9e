#include "browser/VoucherLineRow.h"

#include "runtime/Convert.h"

namespace idj {

void addVoucherLineRow(forms::ListView& list, ado::Recordset& rs, const std::string& rowText) {
    forms::ListItem& item = list.Add(rowText);
    const rt::Variant side = rs["JournalTransCredit"];
    const bool credit = !side.isNull() && !side.isEmpty() && rt::CBool(side);
    const bool debit = !side.isNull() && !credit;
    const std::string amount = rt::Format(rs["Amount"], "0.00");
    item.setSubItem(1, rt::TextOf(rs["Depname"]));
    item.setSubItem(2, rt::TextOf(rs["AccDesc"]));
    item.setSubItem(3, rt::TextOf(rs["Remarks"]));
    item.setSubItem(4, debit ? amount : "0.00");
    item.setSubItem(5, credit ? amount : "0.00");
    item.setSubItem(6, rt::TextOf(rs["AccountID"]));
    item.setSubItem(7, "");
    item.setSubItem(8, rt::TextOf(rs["departmentid"]));
}

} // namespace idj
