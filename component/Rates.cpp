// The voucher's exchange rates: the rates text "id1:id2:...-rate1:rate2:...", extended with a
// party's currency as lines bring new ones, and read back for conversions.
//
// None of these routines traps errors: a bad kind, a text without "-" or a rate that is no
// number reaches the handler that called them.
#include "component/Context.h"
#include "component/RateText.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"
#include "runtime/Date.h"
#include "runtime/Error.h"
#include "voucher/frmJournal.h"

#include <string>
#include <utility>
#include <vector>

namespace idj {

namespace {

// The lists of the last parse; CurrencyListed reads what the previous parse left.
rates::RateLists& parsed() {
    static rates::RateLists p;
    return p;
}

void parse(const std::string& text) {
    rates::RateLists lists = rates::splitRates(text);
    // Extending a text whose rates cannot be placed would give currencies the wrong rates.
    if (!lists.separated) rt::raise(rt::errSubscriptOutOfRange, "basJournal", "Subscript out of range");
    parsed() = std::move(lists);
}

std::string company() {
    return std::to_string(ctx().intCompanyID);
}

std::string partyRateStatement(const std::string& kind, int32_t id) {
    const std::string sid = std::to_string(id);
    const std::string partyWhere = "Where a.CompanyID = b.CompanyID And a.currencyid = b.CurrencyID ";
    if (kind == "D")
        return "select depcurrencyid CurID,SellingRate from aDepartmentMaster a, ExchangeRateDetail b "
               "Where a.CompanyID = b.CompanyID And a.depcurrencyid = b.CurrencyID "
               "and a.DepartmentID=" +
               sid + " and a.companyid=" + company();
    if (kind == "Z")
        return "select a.CurrencyID CurID,SellingRate from acompanymaster a, ExchangeRateDetail b "
               " Where a.CompanyID = b.CompanyID And a.currencyid = b.CurrencyID "
               " and a.Companyid=" +
               sid;
    if (kind == "V")
        return "select a.currencyid CurID,SellingRate from avendormaster a, ExchangeRateDetail b " +
               partyWhere + "and a.vendorID=" + sid + " and a.companyid=" + company();
    if (kind == "C")
        return "select a.currencyid CurID,SellingRate from acustomermaster a, ExchangeRateDetail b " +
               partyWhere + "and a.customerID=" + sid + " and a.companyid=" + company();
    if (kind == "A")
        return "select a.currencyid CurID,SellingRate from aaccountmaster a, ExchangeRateDetail b " +
               partyWhere + "and a.accountID=" + sid + " and a.companyid=" + company();
    return {};
}

std::string partyCurrencyStatement(const std::string& kind, int32_t id) {
    const std::string sid = std::to_string(id);
    if (kind == "Z") return "select CurrencyID curID from acompanyMaster where companyID=" + company();
    if (kind == "D")
        return "select depcurrencyid curID from adepartmentMaster where DepartmentID=" + sid +
               " and CompanyID=" + company();
    if (kind == "V")
        return "select CurrencyID curID from avendorMaster where companyid=" + company() +
               " and vendorID=" + sid;
    if (kind == "A")
        return "select currencyid CurID from aaccountmaster "
               "Where accountID=" +
               sid + " and companyid =" + company();
    if (kind == "C")
        return "select currencyid CurID from acustomermaster "
               "Where customerID=" +
               sid + " and companyid=" + company();
    return {};
}

// The currency's rate of the voucher's date: the latest dated on or before it, else (and when no
// voucher is open) the latest of all.
std::string latestRateFirst() {
    if (!frmJournal::exists() || !frmJournal::instance().loaded()) return " order by b.RateDate desc";
    // Rates may be stored with a time of day; any time on the voucher's day counts.
    const std::string dayEnd = rt::toYmd(frmJournal::instance().dtpJournalDate.Value()) + " 23:59:59";
    return " order by case when b.RateDate <= '" + dayEnd + "' then 0 else 1 end, b.RateDate desc";
}

// The rate listed for a currency, 0 when it is not listed.
double listedRate(int16_t currency) {
    const rates::RateLists& p = parsed();
    for (size_t i = 0; i < p.ids.size(); ++i) {
        if (rt::CInt(rt::Variant(p.ids[i])) != currency) continue;
        return i < p.rates.size() ? rt::CDbl(rt::Variant(p.rates[i])) : 0.0;
    }
    return 0.0;
}

} // namespace

std::string AddPartyRate(const std::string& rates, const std::string& kind, int32_t id) {
    const bool empty = rt::Trim(rates).empty();
    if (!empty) parse(rates);

    std::string sql = partyRateStatement(rt::UCase(kind), id);
    if (!sql.empty()) sql += latestRateFirst();
    auto rs = ado::Recordset::create();
    rs->Open(sql, browserConnection(), ado::adOpenKeyset, ado::adLockOptimistic);
    if (rs->eof()) {
        rs->Close();
        return rates;
    }
    const rt::Variant curId = rs->field("curID").Value();
    const std::string curText = rt::CStr(curId);
    const std::string rate = rates::rateText(rt::CDbl(rs->field("SellingRate").Value()));
    rs->Close();

    rates::RateLists& p = parsed();
    if (empty) {
        p.ids = {curText};
        p.rates = {rate};
    } else if (!CurrencyListed(rt::CLng(curId))) {
        p.ids.push_back(curText);
        p.rates.push_back(rate);
    }
    return rates::joinRates(p);
}

bool CurrencyListed(int32_t currency) {
    for (const std::string& id : parsed().ids)
        if (rt::CLng(rt::Variant(id)) == currency) return true;
    return false;
}

int16_t PartyCurrency(const std::string& kind, int32_t id) {
    auto rs = ado::Recordset::create();
    rs->Open(partyCurrencyStatement(rt::UCase(kind), id), browserConnection(), ado::adOpenForwardOnly,
             ado::adLockReadOnly);
    int16_t currency = 0;
    if (!rs->eof()) currency = rt::CInt(rs->field("curID").Value());
    rs->Close();
    return currency;
}

double CrossRate(int16_t fromCurrency, int16_t toCurrency) {
    double fromRate = 0, toRate = 0;
    const std::string& rates = ctx().GStrExchangeRates;
    if (!rt::Trim(rates).empty()) {
        parse(rates);
        fromRate = listedRate(fromCurrency);
        toRate = listedRate(toCurrency);
    }
    if (fromRate == 0 || toRate == 0) return 1.0;
    return toRate / fromRate;
}

const std::vector<std::string>& parsedCurrencies() {
    return parsed().ids;
}

const std::vector<std::string>& parsedRates() {
    return parsed().rates;
}

} // namespace idj
