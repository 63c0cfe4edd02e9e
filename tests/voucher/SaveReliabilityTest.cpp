// A save is atomic whatever fails or whoever else saves: each statement failing in turn, a
// client killed in the middle of saves, several processes saving into one database at once.
// Every case runs on SQLite and on the server.
#include "VoucherFixture.h"
#include "support/OnBackends.h"

#include <chrono>
#include <csignal>
#include <random>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace vouchertest {
namespace {

// A statement of the save made to fail: a trigger raising "injected" before the row is
// written, on SQLite a TEMP one, on the server one calling a function that raises.
struct Fault {
    const char* event; // "INSERT", "DELETE", "UPDATE OF Confirm"
    const char* table;
    const char* when = nullptr; // a condition both dialects read alike
};

std::string describe(const Fault& f) {
    return std::string(f.event) + " ON " + f.table + (f.when ? std::string(" WHEN ") + f.when : "");
}

class SaveReliability : public testsupport::DemoBackendChoice,
                        public SaveTest,
                        public testing::WithParamInterface<adotest::BackendId> {
  protected:
    bool onServer() const { return GetParam() == adotest::BackendId::Postgres; }

    // Everything a save can change, as one text.
    std::string snapshot() {
        std::string out;
        for (const char* sql :
             {"select JournalTransID, JournalNo, Remarks, Confirm, updatetime, exchangerates from "
              "InterDivisionJournalTransHeader order by CompanyID, JournalTransID",
              "select CompanyID, JournalTransID, JournalTransDetailID, AccountID, Amount, Remarks from "
              "InterDivisionJournalTransDetails order by CompanyID, JournalTransID, JournalTransDetailID",
              "select count(*) from aActivityLog"})
            out += ::testing::PrintToString(db.rows(sql));
        return out;
    }
    void failOn(const Fault& f) {
        injected_ = f;
        if (!onServer()) {
            db.conn->ExecuteNative(std::string("CREATE TEMP TRIGGER injected BEFORE ") + f.event + " ON " +
                                   f.table + (f.when ? std::string(" WHEN ") + f.when : "") +
                                   " BEGIN SELECT RAISE(ABORT, 'injected'); END");
            return;
        }
        db.conn->ExecuteNative("CREATE OR REPLACE FUNCTION injected() RETURNS trigger LANGUAGE plpgsql AS "
                               "$$BEGIN RAISE EXCEPTION 'injected'; END$$");
        db.conn->ExecuteNative(std::string("CREATE TRIGGER injected BEFORE ") + f.event + " ON " + f.table +
                               " FOR EACH ROW " + (f.when ? std::string("WHEN (") + f.when + ") " : "") +
                               "EXECUTE FUNCTION injected()");
    }
    void heal() {
        db.conn->ExecuteNative(onServer() ? std::string("DROP TRIGGER injected ON ") + injected_.table
                                          : std::string("DROP TRIGGER injected"));
    }

    // n lines that tally, debits and credits in turn.
    static std::vector<Line> pairs(int n) {
        std::vector<Line> out;
        for (int i = 0; i < n; ++i)
            out.push_back(i % 2 ? Line{.account = 2, .credit = "10.00"}
                                : Line{.account = 3, .debit = "10.00"});
        return out;
    }
    // A refused save leaves the editor open, showing the numbers it showed before.
    void expectRefused(frmJournal& j, const std::string& before, const std::string& number,
                       const std::string& serial) {
        EXPECT_TRUE(j.loaded() && j.cmdOK.Enabled);
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(db.conn->TransactionLevel(), 0);
        EXPECT_EQ(j.txtJournalNo.Text() + "|" + j.txtserialNO.Text(), number + "|" + serial);
    }

    // Clients started by this test name themselves so, that the server can be asked about them.
    std::string clientName() const { return "idj_client_" + std::to_string(getpid()); }

    // A forked client saving vouchers of n lines, `saves` of them or until killed; it exits with 0
    // when all were saved. It has its own connection to the same database and the browse window
    // on it: the parent's connection, copied by fork, is never used or closed there.
    pid_t startClient(int saves, int n, const std::string& remarks) {
        const pid_t child = fork();
        if (child != 0) return child;
        forms::setHost(&host);
        FrmMaster& m = FrmMaster::instance();
        if (m.loaded()) m.Unload();
        auto own = ado::Connection::create();
        own->Open(onServer() ? db.path() + "&application_name=" + clientName() : db.path());
        own->setCommandTimeout(0);
        m.adocon = own;
        services::setSuiteConnection(own);
        m.Load();
        int ok = 0;
        for (int i = 0; saves == 0 || i < saves; ++i) {
            frmJournal& j = enterNew(day(2026, 12, 1), remarks, pairs(n));
            j.cmdOK_Click();
            ok += saved(j);
            if (!j.loaded()) continue;
            fprintf(stderr, "child: %s\n", ::testing::PrintToString(prompts()).c_str());
            closeQuietly(j);
        }
        _exit(ok == saves ? 0 : 1);
    }
    static constexpr const char* kNewVouchers =
        " from InterDivisionJournalTransHeader h where companyid=1 and JournalTransID>300";

    // Waits until the server has ended every session of this test's clients; their number.
    int clientSessionsAfterWaiting() {
        const std::string sql =
            "select count(*) from pg_stat_activity where application_name = '" + clientName() + "'";
        for (int tries = 0; tries < 300 && db.scalar(sql) != "0"; ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return std::stoi(db.scalar(sql));
    }

    Fault injected_{};
};

TEST_P(SaveReliability, EachStatementFailingLeavesEverythingAsStoredAndARetrySaves) {
    const std::vector<Fault> failing[] = {
        {// of a new voucher
         {"INSERT", "InterDivisionJournalTransHeader"},
         {"INSERT", "InterDivisionJournalTransDetails", "NEW.JournalTransDetailID = 1"},
         {"INSERT", "InterDivisionJournalTransDetails", "NEW.JournalTransDetailID = 4"},
         {"UPDATE OF Confirm", "InterDivisionJournalTransHeader"},
         {"INSERT", "aActivityLog"}},
        {// of an edit; only the confirmation's own update leaves the remarks as they were
         {"UPDATE OF Remarks", "InterDivisionJournalTransHeader"},
         {"DELETE", "InterDivisionJournalTransDetails"},
         {"INSERT", "InterDivisionJournalTransDetails", "NEW.JournalTransDetailID = 2"},
         {"UPDATE OF Confirm", "InterDivisionJournalTransHeader", "OLD.Remarks = NEW.Remarks"},
         {"INSERT", "aActivityLog"}},
    };
    int nextId = demo::kNextVoucher;
    for (bool edit : {false, true})
        for (const Fault& f : failing[edit]) {
            SCOPED_TRACE(describe(f));
            const std::string before = snapshot(), remarks = "edited, " + describe(f);
            failOn(f);
            bool retried = false;
            const auto failThenRetry = [&](frmJournal& j) {
                j.txtRemarks.setText(remarks);
                const std::string number = j.txtJournalNo.Text(), serial = j.txtserialNO.Text();
                j.cmdOK_Click();
                expectRefused(j, before, number, serial);
                EXPECT_NE(host.lastMessage().find("injected"), std::string::npos) << host.lastMessage();
                heal();
                j.cmdOK_Click();
                retried = saved(j);
            };
            if (edit) {
                host.onShow("frmJournal",
                            [&](forms::Form& form) { failThenRetry(static_cast<frmJournal&>(form)); });
                selectVoucher(demo::kPlainVoucher);
                FrmMaster::instance().CmdEdit_Click();
            } else {
                failThenRetry(enterNew(day(2026, 12, 1), "", pairs(4)));
            }
            ASSERT_TRUE(retried);
            const int id = edit ? demo::kPlainVoucher : nextId++;
            EXPECT_EQ(header(id, "JournalNo || Remarks"), "IDJ/" + std::to_string(id) + remarks);
            EXPECT_EQ(lines(id).size(), edit ? 3u : 4u);
        }
}

// An activity log that fails as a container would, inside the save's transaction.
struct FailingLog : rt::Object {
    std::string className() const override { return "clsActivityLog"; }
    rt::Variant invoke(std::string_view member, rt::CallKind kind, std::vector<rt::Variant>& args) override {
        if (rt::iequals(member, "SaveActivityLogInfo")) throw std::out_of_range("log slot out of range");
        return keep->invoke(member, kind, args);
    }
    rt::ObjectPtr keep = ctx().objActivityLog;
};

TEST_P(SaveReliability, AStandardExceptionInsideTheSaveRollsBackAndIsReported) {
    const std::string before = snapshot();
    frmJournal& j = enterNew(day(2026, 12, 1), "container fault", pairs(4));
    const std::string serial = j.txtserialNO.Text();
    ctx().objActivityLog = std::make_shared<FailingLog>();
    EXPECT_NO_THROW(j.cmdOK_Click());
    expectRefused(j, before, "", serial);
    EXPECT_NE(host.lastMessage().find("log slot out of range"), std::string::npos) << host.lastMessage();
    // Rolled back before the report, so the fault's record stays.
    EXPECT_EQ(faults(), Texts{"cmdOk_Click "});
}

TEST_P(SaveReliability, AClientKilledDuringSavesNeverLeavesAVoucherWithoutAllItsLines) {
    constexpr int kLines = 150;
    std::mt19937 random(12345);
    for (int round = 0; round < 12; ++round) {
        const pid_t child = startClient(0, kLines, "round " + std::to_string(round));
        ASSERT_GE(child, 0);
        usleep(static_cast<useconds_t>(std::uniform_int_distribution<int>(50, 300)(random)) * 1000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
    }
    if (onServer()) {
        // The server ends a killed client's session, and with it the transaction and its lock.
        EXPECT_EQ(clientSessionsAfterWaiting(), 0) << "a killed client's session stayed on the server";
    }
    // A fresh connection sees what survived the kills.
    db.conn->Close();
    db.conn->Open(db.path());
    if (!onServer()) {
        EXPECT_EQ(db.scalar("PRAGMA integrity_check"), "ok");
    }
    const std::string stored = db.scalar(std::string("select count(*)") + kNewVouchers);
    RecordProperty("saved", stored);
    EXPECT_NE(stored, "0") << "no save completed: the test proved nothing";
    EXPECT_EQ(db.scalar(std::string("select count(*)") + kNewVouchers +
                        " and (select count(*) from InterDivisionJournalTransDetails d where d.companyid=1 "
                        "and d.JournalTransID=h.JournalTransID) <> " +
                        std::to_string(kLines)),
              "0");
    // The next save is not kept waiting by a lock a killed client held.
    db.conn->setCommandTimeout(30);
    FrmMaster::instance().adocon = db.conn;
    frmJournal& j = enterNew(day(2026, 12, 1), "after the kills", pairs(2));
    j.cmdOK_Click();
    EXPECT_TRUE(saved(j)) << ::testing::PrintToString(prompts());
}

TEST_P(SaveReliability, ProcessesSavingAtOnceGetDistinctIdentifiersNumbersAndSerials) {
    constexpr int kProcesses = 8, kEach = 25;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        children.push_back(startClient(kEach, 4, "process " + std::to_string(p)));
        ASSERT_GE(children.back(), 0);
    }
    for (pid_t c : children) {
        int status = 0;
        waitpid(c, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const int total = kProcesses * kEach;
    const std::string n = std::to_string(total);
    EXPECT_EQ(
        db.rows(std::string("select count(*), count(distinct JournalNo), count(distinct TypeSeriallNO), "
                            "max(JournalTransID)") +
                kNewVouchers),
        (std::vector<Texts>{{n, n, n, std::to_string(demo::kVoucherCount + total)}}));
    EXPECT_EQ(count("InterDivisionJournalTransDetails where companyid=1 and JournalTransID>300"), total * 4);
}

IDJ_INSTANTIATE_ON_BACKENDS(SaveReliability);

} // namespace
} // namespace vouchertest
