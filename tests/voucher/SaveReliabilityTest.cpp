// A save is atomic whatever fails or whoever else saves: each statement failing in turn, a
// process killed in the middle of saves, several processes saving into one file at once.
#include "VoucherFixture.h"

#include <csignal>
#include <random>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace vouchertest {
namespace {

class SaveReliability : public SaveTest {
  protected:
    // Everything a save can change, as one text.
    std::string snapshot() {
        return db.scalar("select group_concat(JournalTransID || '|' || ifnull(JournalNo,'') || '|' || "
                         "ifnull(Remarks,'') || '|' || ifnull(Confirm,'') || '|' || ifnull(updatetime,'') || "
                         "'|' || ifnull(exchangerates,''), ';') from InterDivisionJournalTransHeader") +
               "#" +
               db.scalar(
                   "select group_concat(CompanyID || '|' || JournalTransID || '|' || JournalTransDetailID "
                   "|| '|' || AccountID || '|' || Amount || '|' || ifnull(Remarks,''), ';') from "
                   "InterDivisionJournalTransDetails") +
               "#" + db.scalar("select count(*) from aActivityLog");
    }
    void failOn(const std::string& when) {
        db.exec("CREATE TEMP TRIGGER injected " + when + " BEGIN SELECT RAISE(ABORT, 'injected'); END");
    }
    // n lines that tally, debits and credits in turn.
    static std::vector<Line> pairs(int n) {
        std::vector<Line> out;
        for (int i = 0; i < n; ++i)
            out.push_back(i % 2 ? Line{.account = 2, .credit = "10.00"}
                                : Line{.account = 3, .debit = "10.00"});
        return out;
    }
    // A refused save leaves the editor open and no number that was never stored on the screen.
    void expectRefused(frmJournal& j, const std::string& before, const std::string& serial) {
        EXPECT_TRUE(j.loaded() && j.cmdOK.Enabled);
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(db.conn->TransactionLevel(), 0);
        EXPECT_EQ(j.txtJournalNo.Text(), "");
        EXPECT_EQ(j.txtserialNO.Text(), serial);
    }

    // In a forked child: its own connection to the same file and the browse window on it.
    void becomeChild() {
        forms::setHost(&host);
        FrmMaster& m = FrmMaster::instance();
        if (m.loaded()) m.Unload();
        auto own = ado::Connection::create();
        own->Open(db.path());
        own->setCommandTimeout(0);
        m.adocon = own;
        services::setSuiteConnection(own);
        m.Load();
    }
    bool saveOne(int lineCount, const std::string& remarks) {
        // The child's own connection, never the parent's that fork copied.
        ctx().GStrMasterNewEditFlag = "N";
        frmJournal& j = idj::loadVoucherEditor(FrmMaster::instance().adocon);
        j.dtpJournalDate.setValue(day(2026, 12, 1));
        j.txtRemarks.setText(remarks);
        testsupport::addLines(j.lvwJournal, pairs(lineCount));
        j.cmdOK_Click();
        const bool ok = saved(j);
        for (const auto& m : ok ? decltype(host.messages){} : host.messages)
            fprintf(stderr, "child: %s\n", m.prompt.c_str());
        if (j.loaded()) closeQuietly(j);
        return ok;
    }
    std::string newVouchers(const std::string& what) {
        return db.scalar("select " + what +
                         " from InterDivisionJournalTransHeader where companyid=1 and JournalTransID>300");
    }
};

TEST_F(SaveReliability, EachStatementOfANewVoucherFailingLeavesNothingAndARetrySaves) {
    const char* const failing[] = {
        "BEFORE INSERT ON InterDivisionJournalTransHeader",
        "BEFORE INSERT ON InterDivisionJournalTransDetails WHEN NEW.JournalTransDetailID = 1",
        "BEFORE INSERT ON InterDivisionJournalTransDetails WHEN NEW.JournalTransDetailID = 4",
        "BEFORE UPDATE OF Confirm ON InterDivisionJournalTransHeader",
        "BEFORE INSERT ON aActivityLog",
    };
    int expectedId = demo::kNextVoucher;
    for (const char* when : failing) {
        SCOPED_TRACE(when);
        const std::string before = snapshot();
        failOn(when);
        frmJournal& j = enterNew(day(2026, 12, 1), std::string("try ") + when, pairs(4));
        const std::string serial = j.txtserialNO.Text();
        j.cmdOK_Click();
        expectRefused(j, before, serial);
        EXPECT_NE(host.lastMessage().find("injected"), std::string::npos) << host.lastMessage();

        db.exec("DROP TRIGGER injected");
        j.cmdOK_Click();
        ASSERT_TRUE(saved(j));
        EXPECT_EQ(header(expectedId, "JournalNo"), "IDJ/" + std::to_string(expectedId));
        EXPECT_EQ(lines(expectedId++).size(), 4u);
    }
}

TEST_F(SaveReliability, EachStatementOfAnEditFailingLeavesTheVoucherAsStored) {
    const char* const failing[] = {
        "BEFORE UPDATE OF Remarks ON InterDivisionJournalTransHeader",
        "BEFORE DELETE ON InterDivisionJournalTransDetails",
        "BEFORE INSERT ON InterDivisionJournalTransDetails WHEN NEW.JournalTransDetailID = 2",
        "BEFORE UPDATE OF Confirm ON InterDivisionJournalTransHeader WHEN NEW.Remarks IS NULL OR 1",
        "BEFORE INSERT ON aActivityLog",
    };
    for (const char* when : failing) {
        SCOPED_TRACE(when);
        const std::string before = snapshot(), remarks = std::string("edited, ") + when;
        failOn(when);
        bool retried = false;
        host.onShow("frmJournal", [&](forms::Form& form) {
            auto& j = static_cast<frmJournal&>(form);
            j.txtRemarks.setText(remarks);
            j.cmdOK_Click();
            EXPECT_TRUE(j.loaded() && j.cmdOK.Enabled);
            EXPECT_EQ(snapshot(), before);
            db.exec("DROP TRIGGER injected");
            j.cmdOK_Click();
            retried = saved(j);
        });
        selectVoucher(demo::kPlainVoucher);
        FrmMaster::instance().CmdEdit_Click();
        ASSERT_TRUE(retried);
        EXPECT_EQ(header(demo::kPlainVoucher, "Remarks"), remarks);
        EXPECT_EQ(lines(demo::kPlainVoucher).size(), 3u);
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

TEST_F(SaveReliability, AStandardExceptionInsideTheSaveRollsBackAndIsReported) {
    const std::string before = snapshot();
    frmJournal& j = enterNew(day(2026, 12, 1), "container fault", pairs(4));
    const std::string serial = j.txtserialNO.Text();
    ctx().objActivityLog = std::make_shared<FailingLog>();
    EXPECT_NO_THROW(j.cmdOK_Click());
    expectRefused(j, before, serial);
    EXPECT_NE(host.lastMessage().find("log slot out of range"), std::string::npos) << host.lastMessage();
    // Rolled back before the report, so the fault's record stays.
    EXPECT_EQ(faults(), Texts{"cmdOk_Click "});
}

TEST_F(SaveReliability, AProcessKilledDuringSavesNeverLeavesAVoucherWithoutAllItsLines) {
    constexpr int kLines = 150;
    std::mt19937 random(12345);
    for (int round = 0; round < 12; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            becomeChild();
            for (;;)
                saveOne(kLines, "round " + std::to_string(round));
        }
        usleep(static_cast<useconds_t>(std::uniform_int_distribution<int>(20, 250)(random)) * 1000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
    }
    // A fresh connection sees what survived the kills.
    db.conn->Close();
    db.conn->Open(db.path());
    EXPECT_EQ(db.scalar("PRAGMA integrity_check"), "ok");
    RecordProperty("saved", newVouchers("count(*)"));
    EXPECT_NE(newVouchers("count(*)"), "0") << "no save completed: the test proved nothing";
    EXPECT_EQ(newVouchers("sum((select count(*) from InterDivisionJournalTransDetails d where d.companyid=1 "
                          "and d.JournalTransID=InterDivisionJournalTransHeader.JournalTransID) <> " +
                          std::to_string(kLines) + ")"),
              "0");
}

TEST_F(SaveReliability, ProcessesSavingAtOnceGetDistinctIdentifiersNumbersAndSerials) {
    constexpr int kProcesses = 4, kEach = 6;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            becomeChild();
            int ok = 0;
            for (int i = 0; i < kEach; ++i)
                ok += saveOne(4, "process " + std::to_string(p)) ? 1 : 0;
            _exit(ok == kEach ? 0 : 1);
        }
        children.push_back(child);
    }
    for (pid_t c : children) {
        int status = 0;
        waitpid(c, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const int total = kProcesses * kEach;
    const std::string n = std::to_string(total);
    EXPECT_EQ(
        newVouchers("count(*) || '|' || count(distinct JournalNo) || '|' || count(distinct TypeSeriallNO) "
                    "|| '|' || max(JournalTransID)"),
        n + "|" + n + "|" + n + "|" + std::to_string(demo::kVoucherCount + total));
    EXPECT_EQ(count("InterDivisionJournalTransDetails where companyid=1 and JournalTransID>300"), total * 4);
}

} // namespace
} // namespace vouchertest
