// idjrnl --pdf: the same report written headless, and a clear refusal for what it cannot print.
#include "ReportFixture.h"

#ifdef IDJ_HOST

TEST_F(ReportTest, HostWritesThePdfOrExplainsWhyNot) {
    // The host's output, and its exit status on the last line.
    const auto host = [&](const std::string& company) {
        return runText(std::string(IDJ_HOST) + " --db '" + demo.path() + "' --company " + company +
                       " --voucher 288 --pdf '" + pdfPath() + "' 2>&1; echo \"exit $?\"");
    };
    const std::string ok = host("1");
    EXPECT_NE(ok.find("exit 0\n"), std::string::npos) << ok;
    const std::string text = runText("pdftotext '" + pdfPath() + "' -");
    EXPECT_NE(text.find("IDJ/288"), std::string::npos);
    EXPECT_NE(text.find("Page 1 of 1"), std::string::npos);

    std::filesystem::remove(pdfPath());
    const std::string unknown = host("2");
    EXPECT_EQ(unknown.find("exit 0\n"), std::string::npos) << unknown;
    EXPECT_NE(unknown.find("no PDF written"), std::string::npos) << unknown;
    EXPECT_NE(unknown.find("company 2 voucher 288"), std::string::npos) << unknown;
    EXPECT_FALSE(std::filesystem::exists(pdfPath()));
}

#endif
