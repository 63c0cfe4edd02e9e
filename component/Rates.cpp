// The voucher's exchange rates: the rates text "id1:id2:...-rate1:rate2:...", extended with a
// party's currency as lines bring new ones, and read back for conversions.
//
// None of these routines traps errors: a bad kind, a text without "-" or a rate that is no
// number reaches the handler that called them.
#include "component/Context.h"
#include "component/basJournal.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"

#include <string>
#include <vector>

namespace idj {

namespace {

// The lists of the last parse; CurrencyListed reads what the previous parse left.
struct ParsedRates {
    std::vector<std::string> parts;
    std::vector<std::string> currencies;
    std::vector<std::string> rates;
};

ParsedRates& parsed() {
    static ParsedRates p;
    return p;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        size_t at = text.find(separator, start);
        out.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) break;
        start = at + 1;
    }
    return out;
}

// Every element is followed by ":", so the last piece of the split is the empty rest.
std::vector<std::string> listOf(const std::string& part) {
    std::vector<std::string> items = split(part, ':');
    items.pop_back();
    // The rate dialog writes its first identifier with a leading blank.
    for (std::string& item : items)
        item = rt::Trim(item);
    return items;
}

void parse(const std::string& text) {
    ParsedRates& p = parsed();
    p.parts = split(text, '-');
    if (p.parts.size() < 2) rt::raise(rt::errSubscriptOutOfRange, "basJournal", "Subscript out of range");
    p.currencies = listOf(p.parts[0]);
    p.rates = listOf(p.parts[1]);
}

std::string rebuilt() {
    const ParsedRates& p = parsed();
    std::string text;
    for (const std::string& id : p.currencies)
        text += id + ":";
    text += "-";
    for (const std::string& rate : p.rates)
        text += rate + ":";
    return text;
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

// The rate listed for a currency, 0 when it is not listed.
double listedRate(int16_t currency) {
    const ParsedRates& p = parsed();
    for (size_t i = 0; i < p.currencies.size(); ++i) {
        if (rt::CInt(rt::Variant(p.currencies[i])) != currency) continue;
        return i < p.rates.size() ? rt::CDbl(rt::Variant(p.rates[i])) : 0.0;
    }
    return 0.0;
}

} // namespace

std::string AddPartyRate(const std::string& rates, const std::string& kind, int32_t id) {
    const bool empty = rt::Trim(rates).empty();
    if (!empty) parse(rates);

    auto rs = ado::Recordset::create();
    rs->Open(partyRateStatement(rt::UCase(kind), id), browserConnection(), ado::adOpenKeyset,
             ado::adLockOptimistic);
    if (rs->eof()) {
        rs->Close();
        return rates;
    }
    const rt::Variant curId = rs->field("curID").Value();
    const std::string curText = rt::CStr(curId);
    const std::string rateText = rt::CStr(rs->field("SellingRate").Value());
    rs->Close();

    ParsedRates& p = parsed();
    if (empty) {
        p.currencies = {curText};
        p.rates = {rateText};
    } else if (!CurrencyListed(rt::CLng(curId))) {
        p.currencies.push_back(curText);
        p.rates.push_back(rateText);
    }
    return rebuilt();
}

bool CurrencyListed(int32_t currency) {
    for (const std::string& id : parsed().currencies)
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
    return parsed().currencies;
}

const std::vector<std::string>& parsedRates() {
    return parsed().rates;
}

} // namespace idj
