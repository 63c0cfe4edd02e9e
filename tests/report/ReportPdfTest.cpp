// The journal report as an accountant reads it: the PDF's text, page by page.
#include "ReportFixture.h"
#include "support/Errors.h"
#include "support/LongVoucher.h"

#include <QString>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

using testsupport::errorOf;

std::vector<std::string> pagesOf(const std::string& text) {
    std::vector<std::string> pages;
    std::stringstream in(text);
    for (std::string page; std::getline(in, page, '\f');)
        if (!page.empty()) pages.push_back(page);
    return pages;
}

std::string amount(double v) {
    return rt::Format(v, "###,###,##0.00");
}

// The first text line that starts, after its indent, with `start`, as laid out; empty when none
// does.
std::string lineStarting(const std::string& text, const std::string& start) {
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (rt::LTrim(line).rfind(start, 0) == 0) return line;
    }
    return {};
}

bool holds(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

} // namespace

TEST_F(ReportTest, VoucherPrintsNumberEveryLineAndTotals) {
    const int id = db::demo::kTwelveLineVoucher;
    int pages = 0;
    const std::string text = pdfText(db::demo::kCompany, id, &pages);
    EXPECT_EQ(pages, 1);
    EXPECT_NE(text.find(demo.scalar("SELECT CompanyName FROM acompanymaster WHERE CompanyID = 1")),
              std::string::npos);
    EXPECT_NE(
        text.find(demo.scalar("SELECT JournalNo FROM InterDivisionJournalTransHeader WHERE CompanyID = 1 "
                              "AND JournalTransID = 288")),
        std::string::npos);
    EXPECT_NE(text.find("Page 1 of 1"), std::string::npos);

    // Each line on its own row: its account with its amount in the debit or the credit column.
    auto rs = demo.conn->Execute("SELECT a.AccountDesc, d.Amount, d.JournalTransCredit FROM "
                                 "InterDivisionJournalTransDetails d JOIN AACCOUNTMASTER a ON a.CompanyID = "
                                 "d.CompanyID AND a.AccountID = d.AccountID WHERE d.CompanyID = 1 AND "
                                 "d.JournalTransID = 288 ORDER BY d.JournalTransDetailID");
    const std::string heading = lineStarting(text, "Sl.No.");
    const long debitEnd = static_cast<long>(heading.find("Debit") + 5);
    const long creditEnd = static_cast<long>(heading.find("Credit") + 6);
    double debit = 0, credit = 0;
    int serial = 0;
    for (; !rs->eof(); rs->MoveNext()) {
        const std::string account = rt::TextOf((*rs)[0]);
        const double value = rt::CDbl((*rs)[1]);
        const bool isCredit = rt::CBool((*rs)[2]);
        (isCredit ? credit : debit) += value;
        const std::string line = lineStarting(text, std::to_string(++serial) + " ");
        ASSERT_FALSE(line.empty()) << "line " << serial;
        EXPECT_NE(line.find(account), std::string::npos) << line;
        EXPECT_NE(line.find(amount(value)), std::string::npos) << line;
        // An amount stands under the heading of its column: it ends nearer to "Credit" or "Debit".
        const long end = static_cast<long>(line.find(amount(value)) + amount(value).size());
        EXPECT_EQ(isCredit, std::labs(end - creditEnd) < std::labs(end - debitEnd)) << line;
    }
    rs->Close();
    EXPECT_EQ(serial, 12);
    EXPECT_DOUBLE_EQ(debit, credit);
    const std::string total = lineStarting(text, "Total");
    EXPECT_TRUE(holds(total, amount(debit)) && holds(total, amount(credit))) << total;
    EXPECT_NE(text.find("US Dollar"), std::string::npos) << "the rates used, by currency name";
}

TEST_F(ReportTest, CancelledVoucherPrintsMarkAndReason) {
    const std::string text = pdfText(db::demo::kCompany, db::demo::kCancelledVoucher);
    EXPECT_NE(text.find("CANCELLED"), std::string::npos);
    const std::string reason = demo.scalar("SELECT CancelledRemarks FROM InterDivisionJournalTransHeader "
                                           "WHERE CompanyID = 1 AND JournalTransID = 285");
    ASSERT_FALSE(reason.empty());
    EXPECT_NE(text.find("Reason: " + reason), std::string::npos);
    EXPECT_NE(text.find("Cancelled: Yes"), std::string::npos);

    EXPECT_EQ(pdfText(db::demo::kCompany, db::demo::kConfirmedVoucher).find("CANCELLED"), std::string::npos);
}

TEST_F(ReportTest, ThousandLinesPaginateWithHeadersAndPageNumbersOnEveryPage) {
    testsupport::addLongVoucher(demo.conn, db::demo::kCompany, 5000, db::demo::kTwelveLineVoucher, 1000);
    int count = 0;
    const std::vector<std::string> pages = pagesOf(pdfText(db::demo::kCompany, 5000, &count));
    ASSERT_EQ(static_cast<int>(pages.size()), count);
    // 1,000 rows of 5 mm on A4 with the title, headers and footer: 21 or 22 pages, none blank.
    EXPECT_GE(count, 21);
    EXPECT_LE(count, 23);

    int nextLine = 1;
    for (int p = 0; p < count; ++p) {
        const std::string& page = pages[static_cast<size_t>(p)];
        SCOPED_TRACE("page " + std::to_string(p + 1));
        EXPECT_NE(page.find("Sl.No."), std::string::npos);
        EXPECT_NE(page.find("Debit"), std::string::npos);
        EXPECT_NE(page.find("Credit"), std::string::npos);
        EXPECT_NE(page.find("Page " + std::to_string(p + 1) + " of " + std::to_string(count)),
                  std::string::npos);
        if (p > 0) {
            EXPECT_NE(page.find("IDJ/L5000 (continued)"), std::string::npos);
        }
        // Lines continue in order from page to page, none lost or repeated.
        while (page.find("Allocation line " + std::to_string(nextLine) + " ") != std::string::npos ||
               page.find("Allocation line " + std::to_string(nextLine) + "\n") != std::string::npos)
            ++nextLine;
    }
    EXPECT_EQ(nextLine, 1001);
    const std::string& last = pages.back();
    const double side = 500 * 1000.0 + 0.25 * (499 * 500 / 2);
    const std::string total = lineStarting(last, "Total");
    EXPECT_NE(total.find(amount(side)), total.rfind(amount(side))) << total;
    EXPECT_NE(last.find("Approved by"), std::string::npos);
}

TEST_F(ReportTest, AnotherCompanysVoucherOfTheSameIdIsNeverPrinted) {
    const std::string own =
        demo.scalar("SELECT JournalNo FROM InterDivisionJournalTransHeader WHERE CompanyID = 2 "
                    "AND JournalTransID = 5");
    const std::string other = demo.scalar("SELECT JournalNo FROM InterDivisionJournalTransHeader WHERE "
                                          "CompanyID = 1 AND JournalTransID = 5");
    ASSERT_FALSE(own.empty());
    ASSERT_NE(own, other);
    const std::string text = pdfText(db::demo::kSecondCompany, 5);
    EXPECT_NE(text.find(own), std::string::npos);
    EXPECT_EQ(text.find(other + " "), std::string::npos);
    EXPECT_EQ(text.find(other + "\n"), std::string::npos);
}

TEST_F(ReportTest, FailuresRaiseAndWriteNoFile) {
    // No such voucher of the company (id 0: no row selected).
    EXPECT_EQ(errorOf([&] { automation::callv(openReport(db::demo::kCompany, 0), "Export", pdfPath()); }),
              3021);
    EXPECT_EQ(errorOf([&] {
                  automation::callv(openReport(db::demo::kSecondCompany, db::demo::kTwelveLineVoucher),
                                    "Export", pdfPath());
              }),
              3021);
    EXPECT_FALSE(std::filesystem::exists(pdfPath()));
    // A missing or broken report file.
    EXPECT_EQ(errorOf([&] {
                  openReport(db::demo::kCompany, db::demo::kTwelveLineVoucher, reportFile() + ".missing");
              }),
              53);
    const std::string broken = pdfPath() + ".json";
    { std::ofstream(broken) << "{ \"page\": "; }
    EXPECT_EQ(errorOf([&] { openReport(db::demo::kCompany, db::demo::kTwelveLineVoucher, broken); }), 5);
    std::filesystem::remove(broken);
    // No log-on without an open connection, and no report without a log-on.
    rt::ObjectPtr engine = automation::CreateObject(report::ReportApplication::kProgId);
    EXPECT_EQ(errorOf([&] { automation::callv(engine, "OpenReport", reportFile()); }), 91);
    auto closed = ado::Connection::create();
    EXPECT_EQ(errorOf([&] { automation::callv(engine, "LogOnServer", rt::ObjectPtr(closed)); }), 91);
    // A data source with a user and password is no log-on: only an open connection is.
    EXPECT_EQ(
        errorOf([&] { automation::callv(engine, "LogOnServer", "odbc.dll", "dsn", "db", "user", "secret"); }),
        13);
}

// The stored rates text is bound, never spliced into the report's statement, and a small rate
// prints every significant digit.
TEST_F(ReportTest, StoredRatesPrintAsStored) {
    const struct {
        const char* rates;
        std::vector<std::string> shown, absent;
    } cases[] = {
        {"1:2'' OR ''1''=''1:-1:83.2:", {"Indian Rupee", "2' OR '1'='1"}, {"US Dollar"}},
        {"1:2:-1:0.0000625:", {"0.0000625", "1.0000"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rates);
        demo.exec(std::string("UPDATE InterDivisionJournalTransHeader SET exchangerates = '") + c.rates +
                  "' WHERE CompanyID = 1 AND JournalTransID = 288");
        const std::string text = pdfText(db::demo::kCompany, db::demo::kTwelveLineVoucher);
        for (const std::string& part : c.shown)
            EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
        for (const std::string& part : c.absent)
            EXPECT_EQ(text.find(part), std::string::npos) << part;
    }
}

// Long texts print whole: the remarks push the cancellation down, a line's description wraps
// within its row and the next line starts below it.
TEST_F(ReportTest, LongTextsPrintWholeAndPushWhatFollowsDown) {
    std::string remarks, description;
    for (int i = 1; i <= 60; ++i)
        remarks += "remark" + std::to_string(i) + " ";
    for (int i = 1; i <= 40; ++i)
        description += "detail" + std::to_string(i) + " ";
    const int id = db::demo::kCancelledVoucher;
    demo.exec("UPDATE InterDivisionJournalTransHeader SET Remarks = '" + remarks +
              "' WHERE CompanyID = 1 AND JournalTransID = " + std::to_string(id));
    demo.exec("UPDATE InterDivisionJournalTransDetails SET Remarks = '" + description +
              "' WHERE CompanyID = 1 AND JournalTransID = " + std::to_string(id) +
              " AND JournalTransDetailID = 1");
    const std::string text = pdfText(db::demo::kCompany, id);
    const size_t lastRemark = text.find("remark60"), lastDetail = text.find("detail40");
    ASSERT_NE(text.find("remark1 "), std::string::npos);
    ASSERT_NE(lastRemark, std::string::npos) << text;
    ASSERT_NE(lastDetail, std::string::npos) << text;
    EXPECT_GT(text.find("CANCELLED"), lastRemark);
    EXPECT_GT(text.find("Sl.No."), text.find("CANCELLED"));
    const std::string second = lineStarting(text, "2 ");
    ASSERT_FALSE(second.empty());
    EXPECT_GT(text.find(second), lastDetail);
    EXPECT_NE(lineStarting(text, "1 ").find("detail1 "), std::string::npos);
}
