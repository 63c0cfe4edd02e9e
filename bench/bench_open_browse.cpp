// The host program from its start to the painted browse window over 100,000 vouchers (offscreen,
// ending once the first window is painted, without writing it to a PNG), against the sqlite3 command-line
// shell running the same browse statement to /dev/null, with the data layer's text collation loaded. CPU time
// of the child processes, the median of several runs of each, taken in turns so that both meet the same
// machine.
#include "BenchDb.h"
#include "Ratio.h"
#include "ado/SqlTranslator.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kVouchers = 100000;
constexpr int kRuns = 5;

// CPU seconds of one run of the program, or a negative value when it failed.
double childCpu(const std::vector<std::string>& args) {
    pid_t pid = fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::string browseStatement() {
    idj::Context& c = idj::ctx();
    c.intCompanyID = db::demo::kCompany;
    c.intFinancialID = db::demo::kCurrentYear;
    c.dtProcessDate = benchsupport::processDate();
    c.NoOfPreviousDays = 400; // the demo company's setting
    return ado::translateSql(idj::FrmMaster::instance().browseStatement());
}

} // namespace

int main() {
    const std::string db = benchsupport::seededDatabase(kVouchers);
    const auto bin = benchsupport::dataFolder().parent_path() / "bin";
    const std::vector<std::string> host = {(bin / "idjrnl").string(),
                                           "--db",
                                           db,
                                           "--company",
                                           "1",
                                           "--user",
                                           "1",
                                           "--year",
                                           "3",
                                           "--department",
                                           "0",
                                           "--process-date",
                                           "2026-12-06",
                                           "--screenshot",
                                           "-",
                                           "--screenshot-delay",
                                           "0"};
    // The shell needs the data layer's text collation to compare the schema's text columns.
    const std::string collation =
        (benchsupport::dataFolder().parent_path() / "bench" / "shell" / "text_collation").string();
    const std::vector<std::string> shell = {
        "sqlite3", "-batch", "-readonly", "-cmd", ".load " + collation, db, browseStatement()};
    std::vector<double> hostCpu, shellCpu;
    for (int k = 0; k < kRuns; ++k) {
        hostCpu.push_back(childCpu(host));
        shellCpu.push_back(childCpu(shell));
    }
    const double h = median(hostCpu), s = median(shellCpu);
    std::printf("host %.3f s, sqlite3 shell %.3f s (CPU, median of %d)\n", h, s, kRuns);
    if (h > 0 && s > 0)
        benchsupport::figures()["open_100k"] = h / s;
    else
        std::printf("ratio open_100k = nan\n");
    benchsupport::printFigures();
    return 0;
}
