#pragma once
// A voucher of many lines for the report's pagination tests and benchmark: a copy of a demo
// voucher's header under a new id, with `lines` lines cycling through that voucher's lines,
// debits and credits in turn so that the totals tally.
#include "ado/Ado.h"

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

inline void addLongVoucher(const ado::ConnectionPtr& conn, int company, int id, int copyOf, int lines) {
    conn->BeginTrans();
    conn->Execute(
        "INSERT INTO InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
        "JournalTransDate, Remarks, FinancialID, exchangerates, Type, TypeSeriallNO, DepartmentID) "
        "SELECT ?, CompanyID, ?, JournalTransDate, 'Year-end allocation of common costs', FinancialID, "
        "exchangerates, Type, TypeSeriallNO, DepartmentID FROM InterDivisionJournalTransHeader "
        "WHERE CompanyID = ? AND JournalTransID = ?",
        {id, "IDJ/L" + std::to_string(id), company, copyOf});
    auto source = conn->Execute("SELECT AccountID, DepartmentID FROM InterDivisionJournalTransDetails "
                                "WHERE CompanyID = ? AND JournalTransID = ? ORDER BY JournalTransDetailID",
                                {company, copyOf});
    std::vector<std::pair<rt::Variant, rt::Variant>> accounts;
    for (; !source->eof(); source->MoveNext())
        accounts.emplace_back((*source)[0], (*source)[1]);
    source->Close();
    for (int i = 0; i < lines; ++i) {
        const auto& [account, department] = accounts[static_cast<size_t>(i) % accounts.size()];
        conn->Execute("INSERT INTO InterDivisionJournalTransDetails (JournalTransDetailID, CompanyID, "
                      "JournalTransID, AccountID, JournalTransCredit, DepartmentID, Amount, Remarks) "
                      "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                      {i + 1, company, id, account, i % 2, department, 1000.0 + (i / 2) * 0.25,
                       "Allocation line " + std::to_string(i + 1)});
    }
    conn->CommitTrans();
}

} // namespace testsupport
