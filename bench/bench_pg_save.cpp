// Saving a 1,000-line voucher through the editor on a PostgreSQL server, against raw libpq
// inserting the same rows by statements prepared once, in one transaction under the same lock.
// Most of the work is the server's, in another process, so the ratio is of wall time: the least
// of five repetitions of each side. Run it under scripts/with-pg.sh (the server is found through
// IDJ_TEST_PG); the stored vouchers are seeded once per server.
#include "EditorSave.h"
#include "PgBenchDb.h"
#include "Ratio.h"
#include "ado/PgSession.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kVouchers = 10000;
constexpr int kLines = 1000;
constexpr int kRepetitions = 5;

const std::string& database() {
    static const std::string target = benchsupport::seededServer(kVouchers);
    return target;
}

void BM_PgSave1000Lines(benchmark::State& state) {
    benchsupport::saveThroughEditor(state, database(), kLines);
    benchsupport::removeServerVouchersAfter(database(), benchsupport::lastVoucherId(kVouchers));
}

void prepare(PGconn* c, const char* name, const char* sql) {
    benchsupport::checkedRows(c, PQprepare(c, name, sql, 0, nullptr));
}

benchsupport::PgRows run(PGconn* c, const char* name, std::initializer_list<const char*> values) {
    return benchsupport::checkedRows(
        c, PQexecPrepared(c, name, static_cast<int>(values.size()), values.begin(), nullptr, nullptr, 0));
}

void BM_RawLibpqSave1000Lines(benchmark::State& state) {
    benchsupport::PgHandle server = benchsupport::openServer(database());
    PGconn* c = server.get();
    prepare(c, "lock",
            ("SELECT pg_advisory_xact_lock_shared(hashtextextended('" +
             std::string(ado::detail::kSaveLockName) +
             "' || current_schema(), 0)), pg_advisory_xact_lock(hashtext('" + ado::detail::kSaveLockName +
             "' || current_schema()), 1)")
                .c_str());
    prepare(c, "next",
            "SELECT coalesce(max(JournalTransID), 0) + 1 FROM InterDivisionJournalTransHeader WHERE "
            "CompanyID = 1");
    prepare(
        c, "header",
        "INSERT INTO InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
        "JournalTransDate, "
        "Remarks, Cancelled, CancelledRemarks, Posted, FinancialID, exchangerate, updatetime, exchangerates, "
        "Type, Confirm, TypeSeriallNO, DepartmentID) VALUES ($1, 1, $2, '2026-12-01', 'a long voucher', 0, "
        "NULL, 0, 3, 1, '2026-12-06 10:00:00', '1:-1:', 'JO', 0, 'JRN/1', 1)");
    prepare(c, "line",
            "INSERT INTO InterDivisionJournalTransDetails (JournalTransDetailID, CompanyID, JournalTransID, "
            "AccountID, JournalTransCredit, DepartmentID, Amount, Remarks, depexrates) VALUES ($1, 1, $2, "
            "$3, $4, "
            "1, 125.5, $5, 1)");
    prepare(c, "confirm",
            "UPDATE InterDivisionJournalTransHeader SET Confirm = 0 WHERE JournalTransID = $1 AND "
            "CompanyID = 1");
    prepare(c, "log",
            "INSERT INTO aActivityLog (CompanyID, UserID, DepartmentID, InterfaceID, VoucherID, VoucherNo, "
            "ActionCode, LoggedTime, ActionTime) VALUES (1, 1, 1, 5029, $1, $2, 'N', '2026-12-06', "
            "'2026-12-06')");
    for (auto _ : state) {
        benchsupport::pgRun(c, "BEGIN");
        run(c, "lock", {});
        const std::string id = PQgetvalue(run(c, "next", {}).get(), 0, 0);
        const std::string number = "IDJ/" + id;
        run(c, "header", {id.c_str(), number.c_str()});
        for (int i = 1; i <= kLines; ++i) {
            const std::string line = std::to_string(i), remarks = "line " + line;
            run(c, "line", {line.c_str(), id.c_str(), i % 2 ? "3" : "2", i % 2 ? "0" : "1", remarks.c_str()});
        }
        run(c, "confirm", {id.c_str()});
        run(c, "log", {id.c_str(), number.c_str()});
        benchsupport::pgRun(c, "COMMIT");
    }
    server.reset();
    benchsupport::removeServerVouchersAfter(database(), benchsupport::lastVoucherId(kVouchers));
}

} // namespace

BENCHMARK(BM_RawLibpqSave1000Lines)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(0.5)
    ->Repetitions(kRepetitions);
BENCHMARK(BM_PgSave1000Lines)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(0.5)
    ->Repetitions(kRepetitions);

int main(int argc, char** argv) {
    benchsupport::serverUri(); // stops here, naming IDJ_TEST_PG, when no server is given
    benchsupport::removeServerVouchersAfter(database(), benchsupport::lastVoucherId(kVouchers));
    return benchsupport::runWithRatios(argc, argv,
                                       {{"pg_save_1000_lines", "BM_PgSave1000Lines",
                                         "BM_RawLibpqSave1000Lines", benchsupport::Clock::Wall}});
}
