#include "voucher/JournalNumbers.h"

#include "db/NumberingKeys.h"
#include "runtime/Convert.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace idj {

namespace {

// Length in characters, as the server's len() counts them.
size_t characterCount(const std::string& text) {
    size_t n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

// A prefix the numbering index can answer for (db/NumberingKeys.h): empty, or printable ASCII
// without blanks or small letters that ends in a character no numeric text holds.
bool indexable(const std::string& prefix) {
    if (prefix.empty()) return true;
    for (char c : prefix)
        if (c < '!' || c > '~' || (c >= 'a' && c <= 'z')) return false;
    return std::string_view("ABCFGHIJKLMNOPQRSTUVWXYZ/#:_").find(prefix.back()) != std::string_view::npos;
}

// Beyond this many odd numbers, one pass of the statement is cheaper than naming them all.
constexpr size_t kOddNumbersNamed = 200;

// The numbering statement; with `ids`, over those vouchers only.
int64_t statementOver(const ado::ConnectionPtr& conn, int16_t company, const std::string& prefix,
                      const std::vector<int32_t>& ids) {
    // The prefix is configured text: it is bound, not written into the statement.
    const std::string length = std::to_string(characterCount(prefix));
    std::string sql =
        "Select isnull(max(convert(int,right(JournalNo,len(JournalNo)-" + length +
        "))),0) from InterDivisionJournalTransHeader where CompanyID = " + std::to_string(company) +
        " and len(journalno)>len(?) and " + " isnumeric(isnull(right(JournalNo,len(JournalNo)-" + length +
        "),0)) =1 and substring(journalno,1,len(?))=?";
    ado::Params params{rt::Variant(prefix), rt::Variant(prefix), rt::Variant(prefix)};
    if (!ids.empty()) {
        sql += " and JournalTransID in (";
        for (size_t k = 0; k < ids.size(); ++k) {
            sql += k == 0 ? "?" : ",?";
            params.emplace_back(ids[k]);
        }
        sql += ")";
    }
    auto rs = ado::Recordset::create();
    rs->Open(sql, conn, ado::adOpenStatic, ado::adLockOptimistic, params);
    const int64_t highest = rs->eof() ? 0 : static_cast<int64_t>(rt::CDbl((*rs)[0]));
    rs->Close();
    return highest;
}

// The plain numbers' highest running number under the prefix, and the identifiers of up to
// `most` odd numbers, read through the numbering indexes.
struct IndexedNumbers {
    std::optional<int64_t> highestPlain;
    std::vector<int32_t> odd;
};

IndexedNumbers readIndexes(const ado::ConnectionPtr& conn, int16_t company, const std::string& prefix,
                           size_t most) {
    using namespace db::numbering;
    IndexedNumbers out;
    ado::RecordsetPtr oddRs, plainRs;
    if (conn->handle()) {
        // SQLite's own SQL, so that each query matches its index expression for expression. The
        // indexes are named: without statistics the planner may prefer a shorter key and scan,
        // and a missing index is then an error rather than a slow save.
        static const std::string oddSql = "SELECT JournalTransID FROM InterDivisionJournalTransHeader "
                                          "INDEXED BY IX_IDJHeader_OddNumbers WHERE CompanyID = ? AND " +
                                          db::numbering::odd() + " LIMIT ?";
        static const std::string plainSql =
            "SELECT max(" + kRunning +
            ") FROM InterDivisionJournalTransHeader INDEXED BY IX_IDJHeader_Numbering "
            "WHERE CompanyID = ? AND " +
            kHead + " = ? AND " + plain();
        oddRs = conn->ExecuteNative(oddSql, {rt::Variant(company), rt::Variant(static_cast<int32_t>(most))});
        plainRs = conn->ExecuteNative(plainSql, {rt::Variant(company), rt::Variant(prefix)});
    } else {
        // The server's queries are functions of its schema, beside their indexes.
        oddRs = conn->Execute("SELECT idj_odd_numbers(?, ?)",
                              {rt::Variant(company), rt::Variant(static_cast<int32_t>(most))});
        plainRs = conn->Execute("SELECT idj_highest_running_number(?, ?)",
                                {rt::Variant(company), rt::Variant(prefix)});
    }
    for (; !oddRs->eof(); oddRs->MoveNext())
        out.odd.push_back(rt::CLng((*oddRs)[0]));
    oddRs->Close();
    if (!plainRs->eof() && !(*plainRs)[0].isNull())
        out.highestPlain = static_cast<int64_t>(rt::CDbl((*plainRs)[0]));
    plainRs->Close();
    return out;
}

} // namespace

int64_t highestRunningNumberByStatement(const ado::ConnectionPtr& conn, int16_t company,
                                        const std::string& prefix) {
    return statementOver(conn, company, prefix, {});
}

int64_t highestRunningNumber(const ado::ConnectionPtr& conn, int16_t company, const std::string& prefix) {
    if (!indexable(prefix)) return statementOver(conn, company, prefix, {});
    const IndexedNumbers read = readIndexes(conn, company, prefix, kOddNumbersNamed + 1);
    if (read.odd.size() > kOddNumbersNamed) return statementOver(conn, company, prefix, {});
    if (read.odd.empty()) return read.highestPlain.value_or(0);
    // The statement gives 0 for no match as for a match of 0: either way a plain match wins.
    const int64_t ofOdd = statementOver(conn, company, prefix, read.odd);
    return read.highestPlain ? std::max(*read.highestPlain, ofOdd) : ofOdd;
}

int64_t vouchersOfType(const ado::ConnectionPtr& conn, int16_t company, std::string_view typeCode) {
    // The server counts through its index on company and type; SQLite keeps the counts.
    if (!conn->handle()) {
        auto rs = conn->Execute(
            "SELECT count(*) FROM InterDivisionJournalTransHeader WHERE Type = ? and companyid= " +
                std::to_string(company),
            {rt::Variant(std::string(typeCode))});
        const int64_t count = static_cast<int64_t>(rt::CDbl((*rs)[0]));
        rs->Close();
        return count;
    }
    auto rs = conn->ExecuteNative(
        "SELECT Vouchers FROM InterDivisionJournalTypeCount WHERE CompanyID = ? AND Type = ?",
        {rt::Variant(company), rt::Variant(std::string(typeCode))});
    const int64_t count = rs->eof() ? 0 : static_cast<int64_t>(rt::CDbl((*rs)[0]));
    rs->Close();
    return count;
}

} // namespace idj
