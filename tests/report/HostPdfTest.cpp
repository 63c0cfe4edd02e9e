// idjrnl --pdf: the same report written headless, and a clear refusal for what it cannot print.
#include "ReportFixture.h"

#include <sys/wait.h>

#ifdef IDJ_HOST

namespace {

struct HostRun {
    int code = 0;
    std::string output;
};

HostRun host(const std::string& arguments) {
    HostRun r;
    const std::string command = std::string(IDJ_HOST) + " " + arguments + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::array<char, 4096> buf{};
    while (fgets(buf.data(), buf.size(), pipe.get()))
        r.output += buf.data();
    r.code = WEXITSTATUS(pclose(pipe.release()));
    return r;
}

} // namespace

TEST_F(ReportTest, HostWritesThePdfOrExplainsWhyNot) {
    const std::string db = "--db '" + demo.path() + "' ";
    HostRun ok = host(db + "--company 1 --voucher 288 --pdf '" + pdfPath() + "'");
    EXPECT_EQ(ok.code, 0) << ok.output;
    const std::string text = runText("pdftotext '" + pdfPath() + "' -");
    EXPECT_NE(text.find("IDJ/288"), std::string::npos);
    EXPECT_NE(text.find("Page 1 of 1"), std::string::npos);

    std::filesystem::remove(pdfPath());
    HostRun unknown = host(db + "--company 2 --voucher 288 --pdf '" + pdfPath() + "'");
    EXPECT_NE(unknown.code, 0);
    EXPECT_NE(unknown.output.find("no PDF written"), std::string::npos) << unknown.output;
    EXPECT_NE(unknown.output.find("company 2 voucher 288"), std::string::npos) << unknown.output;
    EXPECT_FALSE(std::filesystem::exists(pdfPath()));
}

#endif
