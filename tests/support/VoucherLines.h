#pragma once
// Voucher lines in the voucher editor's list: written as the line editor writes them, or loaded
// from the database as the browse window's Edit loads them.
#include "ado/Ado.h"
#include "browser/VoucherLineRow.h"
#include "component/Context.h"
#include "db/Seeder.h"
#include "forms/ListView.h"
#include "runtime/Convert.h"

#include <string>
#include <vector>

namespace testsupport {

struct Line {
    int department = db::demo::kHeadOffice;
    int account = 3;
    std::string debit = "0.00", credit = "0.00";
    std::string description = "line";
};

inline std::string departmentName(int id) {
    static const char* const names[] = {"",
                                        "Head Office",
                                        "Export Division",
                                        "Dubai Branch",
                                        "London Branch",
                                        "Harbour Office",
                                        "Singapore Desk"};
    return id >= 1 && id <= 6 ? names[id] : "Dept " + std::to_string(id);
}

// Appends the lines, numbered on from the list's count.
inline void addLines(forms::ListView& list, const std::vector<Line>& lines) {
    for (const Line& l : lines) {
        forms::ListItem& it = list.Add(std::to_string(list.Count() + 1));
        const std::string sub[] = {departmentName(l.department),
                                   "Account " + std::to_string(l.account),
                                   l.description,
                                   l.debit,
                                   l.credit,
                                   std::to_string(l.account),
                                   "0",
                                   std::to_string(l.department)};
        for (int i = 1; i <= 8; ++i)
            it.setSubItem(i, sub[i - 1]);
    }
}

// Two Head Office lines that tally.
inline std::vector<Line> balancedLines(const std::string& amount = "250.00") {
    return {{.account = 3, .debit = amount, .description = "salaries"},
            {.account = 2, .credit = amount, .description = "bank"}};
}

// Loads as Edit loads them, with `company` standing in for the user's company meanwhile.
inline void loadStoredLines(forms::ListView& list, const ado::ConnectionPtr& conn, int company, int id) {
    const int16_t current = idj::ctx().intCompanyID;
    idj::ctx().intCompanyID = static_cast<int16_t>(company);
    idj::loadVoucherLines(conn, list, id, idj::LineSerial::StoredId);
    idj::ctx().intCompanyID = current;
}

} // namespace testsupport
