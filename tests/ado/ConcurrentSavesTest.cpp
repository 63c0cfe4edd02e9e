// Saves from many processes at once: a save numbers its row from the highest stored one inside
// an immediate transaction, so that no two processes ever take the same number.
#include "BackendFixture.h"
#include "ado/ProviderError.h"
#include "runtime/Convert.h"

#include <chrono>
#include <gtest/gtest.h>
#include <optional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

class ConcurrentSaves : public adotest::BackendFixture {
  protected:
    // One process's saves; the exit status is the number that failed.
    static int saver(const std::string& target, int process, int saves) {
        int failed = 0;
        try {
            auto c = ado::Connection::create();
            c->Open(target);
            c->setCommandTimeout(0);
            for (int k = 0; k < saves; ++k) {
                try {
                    c->BeginTransImmediate();
                    long next = rt::CLng((*c->Execute("SELECT isnull(max(id), 0) + 1 FROM saved"))[0]);
                    c->Execute("INSERT INTO saved (id, saver) VALUES (?, ?)",
                               {static_cast<int32_t>(next), process});
                    c->CommitTrans();
                } catch (const rt::Error&) {
                    while (c->TransactionLevel() > 0)
                        c->RollbackTrans();
                    ++failed;
                }
            }
        } catch (const std::exception&) {
            return 100;
        }
        return failed;
    }
};

TEST_P(ConcurrentSaves, EightProcessesNeverShareANumber) {
    constexpr int kProcesses = 8, kSaves = 25;
    create("CREATE TABLE saved (id INTEGER NOT NULL, saver INTEGER, PRIMARY KEY (id))");
    const std::string where = target();
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) _exit(saver(where, p, kSaves));
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a saver failed: " << status;
    }
    EXPECT_EQ(rt::CLng(scalar("SELECT COUNT(*) FROM saved")), kProcesses * kSaves);
    EXPECT_EQ(rt::CLng(scalar("SELECT COUNT(DISTINCT id) FROM saved")), kProcesses * kSaves);
    EXPECT_EQ(rt::CLng(scalar("SELECT max(id) FROM saved")), kProcesses * kSaves);
}

// Whether a save of `company` (none: of the whole database) can begin beside the one open on
// `conn`, given a second to wait.
class SaveLocks : public adotest::BackendFixture {
  protected:
    bool beginsBeside(std::optional<int32_t> company) {
        auto other = openConnection();
        other->setCommandTimeout(1);
        try {
            other->BeginTransImmediate(company);
        } catch (const rt::Error& e) {
            EXPECT_EQ(e.number(), ado::detail::errQueryTimeout) << e.description();
            EXPECT_EQ(other->TransactionLevel(), 0);
            return false;
        }
        other->RollbackTrans();
        return true;
    }
};

TEST_P(SaveLocks, ASaveWaitsOnlyForSavesThatTakeNumbersItTakes) {
    conn->BeginTransImmediate(1);
    EXPECT_FALSE(beginsBeside(1));
    EXPECT_FALSE(beginsBeside(std::nullopt));
    // One file has one write lock; a server numbers each company on its own.
    EXPECT_EQ(beginsBeside(2), onServer());
    conn->RollbackTrans();

    conn->BeginTransImmediate();
    EXPECT_FALSE(beginsBeside(2));
    conn->RollbackTrans();
    EXPECT_TRUE(beginsBeside(1));
}

TEST_P(SaveLocks, WithoutACommandTimeoutASaveWaitsAsLongAsItTakes) {
    auto other = openConnection();
    other->setCommandTimeout(0);
    conn->BeginTransImmediate(1);
    const auto start = std::chrono::steady_clock::now();
    std::thread waiting([&] {
        EXPECT_NO_THROW(other->BeginTransImmediate(1));
        EXPECT_NO_THROW(other->RollbackTrans());
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    conn->RollbackTrans();
    waiting.join();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    if (onServer()) {
        EXPECT_EQ(rt::CStr((*other->Execute("SELECT current_setting('statement_timeout')"))[0]), "0");
    }
}

IDJ_INSTANTIATE_ON_BACKENDS(ConcurrentSaves);
IDJ_INSTANTIATE_ON_BACKENDS(SaveLocks);

} // namespace
