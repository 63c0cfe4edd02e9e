// The demo's vouchers with their lines, general journal rows and generated journal entries
// (facts in db/Seeder.h).
#include "db/DemoParts.h"

#include "db/Seeder.h"
#include "db/Sqlite.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace db {
namespace {

using namespace demo;

struct Account {
    int16_t id;
    std::string name;
    int16_t currency;
};

// What the lines may use, as the line editor would offer it: active accounts of the department
// that are neither cash nor control accounts.
struct Masters {
    std::map<int16_t, std::vector<Account>> accounts; // by department
    std::map<int16_t, int16_t> departmentCurrency;

    Masters(sqlite3* db, int16_t company) {
        Statement acc(
            db, "SELECT nca.dadepartmentid, a.AccountID, a.AccountDesc, a.currencyid "
                "FROM vwnoncontrolaccounts nca JOIN AACCOUNTMASTER a "
                "  ON a.CompanyID = nca.companyid AND a.AccountID = nca.accountid "
                "WHERE nca.companyid = ?1 AND a.active = 1 AND a.groupid <> "
                "  (SELECT ifnull(CashGroupID, 0) FROM ASETTINGS WHERE CompanyID = ?1) "
                "  AND NOT EXISTS (SELECT 1 FROM adepcontrolaccounts c WHERE c.companyid = nca.companyid "
                "                  AND c.controlaccid = nca.accountid) "
                "ORDER BY nca.dadepartmentid, a.AccountID");
        for (bool row = acc.query(company); row; row = acc.next())
            accounts[static_cast<int16_t>(acc.integer(0))].push_back(
                {static_cast<int16_t>(acc.integer(1)), acc.text(2), static_cast<int16_t>(acc.integer(3))});
        Statement dep(db, "SELECT DepartmentID, depcurrencyid FROM adepartmentmaster WHERE CompanyID = ?");
        for (bool row = dep.query(company); row; row = dep.next())
            departmentCurrency[static_cast<int16_t>(dep.integer(0))] = static_cast<int16_t>(dep.integer(1));
    }
};

struct Line {
    int16_t department;
    const Account* account;
    bool credit;
    int64_t cents;
    std::string remarks;
};

enum class Posting { None, Live, Withdrawn }; // general journal rows: none, live, cancelled

struct Voucher {
    Voucher(int16_t company_, int id_, std::string journalNo_, rt::Date date_, int16_t year_,
            const char* type_)
        : company(company_), id(id_), journalNo(std::move(journalNo_)), date(date_), year(year_),
          type(type_) {}

    int16_t company;
    int id;
    std::string journalNo;
    rt::Date date;
    int16_t year;
    const char* type;
    bool posted = false, cancelled = false, confirm = false;
    bool liveReference = false, deadReference = false;
    Posting posting = Posting::None;
    std::vector<Line> lines;
};

const char* typeOf(int id) {
    switch (id % 8) {
    case 4:
    case 5:
        return "PA";
    case 6:
        return "RE";
    case 7:
        return "CA";
    default:
        return "JO";
    }
}

const char* serialPrefix(std::string_view type) {
    if (type == "PA") return "PAY/";
    if (type == "RE") return "RCPT/";
    if (type == "CA") return "CSTR/";
    return "JRN/";
}

std::string narration(const Voucher& v) {
    static const char* journal[] = {"Being inter-division adjustment of common expenses",
                                    "Being audit fees apportioned to the divisions",
                                    "Being salaries of deputed staff charged to the division",
                                    "Being freight on export consignment recovered from the division",
                                    "Being rent of the shared warehouse borne by the divisions",
                                    "Being monthly inter-division settlement"};
    static const char* payment[] = {"Being payment made on behalf of the division",
                                    "Being consultancy fees paid by Head Office for the branch",
                                    "Being visa charges paid for deputed staff"};
    static const char* receipt[] = {"Being receipt collected on behalf of the division",
                                    "Being export proceeds received by Head Office"};
    static const char* cash[] = {"Being funds transferred between divisions",
                                 "Being cash float transferred to the branch"};
    if (v.company == kCompany && (v.id % 50 == 7 || v.id == 287))
        return "Being Dubai Branch's share of Head Office's audit fees";
    std::string_view type = v.type;
    if (type == "PA") return payment[v.id % 3];
    if (type == "RE") return receipt[v.id % 2];
    if (type == "CA") return cash[v.id % 2];
    return journal[v.id % 6];
}

std::string cancelReason(int id) {
    static const char* reasons[] = {"Entered twice", "Wrong department selected", "Amount entered wrongly",
                                    "Voucher raised in error"};
    return id == 286 ? "Duplicate of last week's entry" : reasons[id % 4];
}

// A believable amount in paise: 50.00 to 75,050.00, a third of them whole hundreds.
int64_t demoAmount(uint64_t seed) {
    uint64_t x = seed + 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    x ^= x >> 31;
    int64_t cents = 5000 + static_cast<int64_t>(x % 7500000);
    return x % 3 == 0 ? cents - cents % 10000 + 10000 : cents;
}

// Lines: the debits first, then credits that share the same total to the cent; no account
// twice for one department.
void addLines(Voucher& v, const Masters& m, const std::vector<int16_t>& departments, int debitCount) {
    int count = static_cast<int>(departments.size());
    std::vector<std::pair<int16_t, int16_t>> used;
    int64_t total = 0, weights = 0;
    for (int k = debitCount; k < count; ++k)
        weights += 1 + (v.id + k) % 3;
    int64_t shared = 0, weightSoFar = 0;
    for (int k = 0; k < count; ++k) {
        int16_t dep = departments[k];
        const std::vector<Account>& pool = m.accounts.at(dep);
        size_t pick = static_cast<size_t>(v.id * 3 + k * 5) % pool.size();
        while (std::find(used.begin(), used.end(), std::make_pair(dep, pool[pick].id)) != used.end())
            pick = (pick + 1) % pool.size();
        used.emplace_back(dep, pool[pick].id);

        Line line{dep, &pool[pick], k >= debitCount, 0, pool[pick].name};
        if (!line.credit) {
            line.cents = demoAmount(v.company * 100000 + v.id * 16 + k);
            total += line.cents;
        } else if (k == count - 1) {
            line.cents = total - shared;
        } else {
            weightSoFar += 1 + (v.id + k) % 3;
            line.cents = total * weightSoFar / weights - shared;
            shared += line.cents;
        }
        v.lines.push_back(std::move(line));
    }
    if (v.company == kCompany && (v.id % 50 == 7 || v.id == 287)) v.lines[0].remarks += " - branch's share";
}

// The company-1 pattern of departments: debits in the voucher's department, credits in one or
// two others; the twelve-line voucher walks all four.
void planLines(Voucher& v, const Masters& m) {
    std::vector<int16_t> deps;
    if (v.id == kTwelveLineVoucher) {
        for (int k = 0; k < 12; ++k)
            deps.push_back(static_cast<int16_t>(1 + k % 4));
        addLines(v, m, deps, 6);
        return;
    }
    int count = 2 + v.id % 3, debits = count >= 4 ? 2 : 1;
    int16_t a = static_cast<int16_t>(1 + v.id % 4);
    int16_t b = static_cast<int16_t>(1 + (a - 1 + 1 + (v.id / 4) % 3) % 4);
    std::vector<int16_t> others;
    for (int16_t d = kHeadOffice; d <= kLondonBranch; ++d)
        if (d != a && d != b) others.push_back(d);
    int16_t c = others[v.id % 2];
    for (int k = 0; k < count; ++k)
        deps.push_back(k < debits ? a : ((k - debits) % 2 == 0 ? b : c));
    addLines(v, m, deps, debits);
}

void applyStates(Voucher& v) {
    int id = v.id;
    if (id == kFreezeVoucher) return;
    if (id > 280) {
        switch (id) {
        case 281:
            v.liveReference = true;
            break;
        case 282:
            v.deadReference = true;
            break;
        case 283:
            v.posted = v.confirm = true;
            break;
        case 284:
            v.confirm = true;
            break;
        case 285:
            v.cancelled = true;
            break;
        case 286:
            v.cancelled = v.posted = v.confirm = true;
            break;
        case 289:
            v.posted = v.confirm = true;
            return; // posted without general journal rows
        case 290:
            v.posted = v.confirm = v.liveReference = true;
            break;
        default:
            break;
        }
        if (v.posted) v.posting = Posting::Live;
        return;
    }
    v.posted = v.year < kCurrentYear ? id % 9 != 0 : id % 4 == 1;
    v.cancelled = id % 13 == 0;
    v.confirm = v.posted || id % 5 == 0;
    v.liveReference = v.posted && !v.cancelled && id % 6 == 0;
    v.deadReference = id % 6 == 3;
    if (v.posted)
        v.posting = Posting::Live;
    else if (v.year == kCurrentYear && id % 4 == 3)
        v.posting = Posting::Withdrawn;
}

std::vector<Voucher> planFirstCompany(const DemoCalendar& cal, const Masters& m) {
    std::vector<Voucher> out;
    for (int id = 1; id <= kVoucherCount; ++id) {
        Voucher v{kCompany,  id, "IDJ/" + std::to_string(id), cal.voucherDate(id), cal.yearOfVoucher(id),
                  typeOf(id)};
        applyStates(v);
        planLines(v, m);
        out.push_back(std::move(v));
    }
    return out;
}

std::vector<Voucher> planSecondCompany(const DemoCalendar& cal, const Masters& m) {
    static const char* types[] = {"CA", "JO", "PA", "RE"};
    std::vector<Voucher> out;
    for (int id = 1; id <= kSecondVoucherCount; ++id) {
        Voucher v{
            kSecondCompany, id,           "IDJ/" + std::to_string(900 + id), cal.secondCompanyVoucherDate(id),
            kCurrentYear,   types[id % 4]};
        v.posted = id % 3 == 0;
        v.cancelled = id == 5;
        v.confirm = v.posted || id == 4;
        v.liveReference = id == 6;
        if (v.posted) v.posting = Posting::Live;
        int16_t a = id % 2 ? kHarbourOffice : kSingaporeDesk, b = id % 2 ? kSingaporeDesk : kHarbourOffice;
        std::vector<int16_t> deps{a, b};
        if (id % 2 == 0) deps.push_back(b);
        addLines(v, m, deps, 1);
        out.push_back(std::move(v));
    }
    return out;
}

// The voucher's rates text as the voucher editor builds it: the company's currency, the
// voucher department's, then each line's department and account, each currency once.
class Rates {
  public:
    void add(int16_t currency, int16_t year) {
        double rate = demoRate(currency, year);
        if (rate == 0.0 || rate_.count(currency)) return;
        order_.push_back(currency);
        rate_[currency] = rate;
    }
    double of(int16_t currency) const {
        auto it = rate_.find(currency);
        return it == rate_.end() ? 0.0 : it->second;
    }
    std::string text() const {
        std::string ids, rates;
        for (int16_t c : order_) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.15g", rate_.at(c));
            ids += std::to_string(c) + ":";
            rates += std::string(buf) + ":";
        }
        return ids + "-" + rates;
    }

  private:
    std::vector<int16_t> order_;
    std::map<int16_t, double> rate_;
};

class Writer {
  public:
    explicit Writer(sqlite3* db)
        : header_(
              db,
              "INSERT INTO InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
              "JournalTransDate, Remarks, Cancelled, CancelledRemarks, Posted, FinancialID, exchangerate, "
              "exchangerates, updatetime, Type, Confirm, TypeSeriallNO, DepartmentID) "
              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
          line_(db,
                "INSERT INTO InterDivisionJournalTransDetails (JournalTransDetailID, CompanyID, "
                "JournalTransID, AccountID, JournalTransCredit, DepartmentID, Amount, Remarks, depexrates) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
          general_(db,
                   "INSERT INTO genjournalheader (GenJournalID, companyid, referenceno, Type, JournalDate, "
                   "departmentid, Amount, Narration, Cancel) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
          generated_(db,
                     "INSERT INTO JournaltransHeader (CompanyID, JournalID, JournalNo, JournalDate, Remarks, "
                     "cancelled, parentjournalid) VALUES (?, ?, ?, ?, ?, ?, ?)") {}

    void write(const Voucher& v, const Masters& m) {
        int16_t companyCurrency = kINR;
        int16_t department = v.lines.front().department;
        Rates rates;
        rates.add(companyCurrency, v.year);
        rates.add(m.departmentCurrency.at(department), v.year);
        for (const Line& l : v.lines) {
            rates.add(m.departmentCurrency.at(l.department), v.year);
            rates.add(l.account->currency, v.year);
        }
        auto toCompany = [&](int16_t dep) {
            double from = rates.of(m.departmentCurrency.at(dep)), to = rates.of(companyCurrency);
            return from == 0.0 || to == 0.0 ? 1.0 : to / from;
        };

        int serial = ++serials_[{v.company, v.type}];
        rt::Date saved{v.date.serial + (9 + v.id % 9) / 24.0 + (v.id * 7 % 60) / 1440.0};
        std::optional<std::string> reason;
        if (v.cancelled) reason = cancelReason(v.id);
        header_.run(v.id, v.company, v.journalNo, rt::toStored(v.date), narration(v), v.cancelled, reason,
                    v.posted, v.year, toCompany(department), rates.text(), rt::toStored(saved), v.type,
                    v.confirm, serialPrefix(v.type) + std::to_string(serial), department);

        int n = 0;
        for (const Line& l : v.lines)
            line_.run(++n, v.company, v.id, l.account->id, l.credit, l.department, l.cents / 100.0, l.remarks,
                      toCompany(l.department));

        if (v.posting != Posting::None) postToGeneralJournal(v);
        if (v.liveReference) generatedJournal(v.company, v, false);
        if (v.deadReference) generatedJournal(v.company, v, true);
    }

    // Rows that the cancelling of a posting must leave alone.
    void writeDecoys(const Voucher& posted, const Voucher& referredOnlyElsewhere) {
        std::string date = rt::toStored(posted.date);
        general_.run(nextGeneral(kCompany), kCompany, posted.journalNo, "P", date, kHeadOffice, 1000.0,
                     "Payment voucher with the same number", false);
        general_.run(nextGeneral(kCompany), kCompany, posted.journalNo, "J",
                     rt::toStored(rt::addDays(posted.date, -1)), kHeadOffice, 1000.0,
                     "Journal of another day", false);
        general_.run(nextGeneral(kSecondCompany), kSecondCompany, posted.journalNo, "J", date, kHarbourOffice,
                     1000.0, "Journal of the other company", false);
        generatedJournal(kSecondCompany, referredOnlyElsewhere, false);
    }

    // General journal entries that no inter-division voucher generated.
    void writeOtherJournals(const DemoCalendar& cal) {
        for (int k = 1; k <= 5; ++k) {
            std::string date = rt::toStored(rt::addDays(cal.processDate(), -7 * k));
            general_.run(nextGeneral(kCompany), kCompany, "PV/" + std::to_string(k), "P", date, kHeadOffice,
                         2500.0 * k, "Payment voucher", false);
            int id = ++generatedIds_[kCompany];
            generated_.run(kCompany, id, "JV/" + std::to_string(id), date, "Provision for expenses", false,
                           std::nullopt);
        }
    }

  private:
    int nextGeneral(int16_t company) { return ++generalIds_[company]; }

    void postToGeneralJournal(const Voucher& v) {
        std::map<int16_t, double> byDepartment;
        for (const Line& l : v.lines)
            byDepartment[l.department] += l.cents / 100.0;
        for (const auto& [dep, amount] : byDepartment)
            general_.run(nextGeneral(v.company), v.company, v.journalNo, "J", rt::toStored(v.date), dep,
                         amount, narration(v), v.posting == Posting::Withdrawn);
    }

    void generatedJournal(int16_t company, const Voucher& parent, bool cancelled) {
        int id = ++generatedIds_[company];
        generated_.run(company, id, "JV/" + std::to_string(id), rt::toStored(parent.date),
                       "Generated from " + parent.journalNo, cancelled, parent.id);
    }

    Statement header_, line_, general_, generated_;
    std::map<std::pair<int16_t, std::string>, int> serials_;
    std::map<int16_t, int> generalIds_, generatedIds_;
};

} // namespace

void insertDemoVouchers(sqlite3* db, const DemoCalendar& cal) {
    Masters first(db, kCompany), second(db, kSecondCompany);
    std::vector<Voucher> vouchers = planFirstCompany(cal, first);
    Writer writer(db);
    for (const Voucher& v : vouchers)
        writer.write(v, first);
    for (const Voucher& v : planSecondCompany(cal, second))
        writer.write(v, second);
    writer.writeDecoys(vouchers[283 - 1], vouchers[282 - 1]);
    writer.writeOtherJournals(cal);
}

} // namespace db
