// Preview: the selected voucher of the current company in the report engine's window.
#include "BrowseFixture.h"
#include "report/ReportEngine.h"
#include "report/ReportPreview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QStringList>

using idj::FrmMaster;

namespace {

class PreviewTest : public BrowseTest {
  protected:
    void SetUp() override {
        BrowseTest::SetUp();
        report::registerReportEngine();
        forms::setAppPath(IDJ_SOURCE_DIR);
    }
    void TearDown() override {
        for (report::PreviewWindow* w : previews())
            delete w;
        forms::setAppPath(".");
        BrowseTest::TearDown();
    }

    static std::vector<report::PreviewWindow*> previews() {
        QApplication::processEvents(); // windows closed earlier go first
        std::vector<report::PreviewWindow*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = dynamic_cast<report::PreviewWindow*>(w); p && p->isVisible()) found.push_back(p);
        return found;
    }

    std::string journalNo(int company, int id) {
        return demo.scalar("SELECT JournalNo FROM InterDivisionJournalTransHeader WHERE CompanyID = " +
                           std::to_string(company) + " AND JournalTransID = " + std::to_string(id));
    }
};

} // namespace

TEST_F(PreviewTest, OpensMaximisedTitledJournalForTheCurrentRow) {
    FrmMaster& m = open();
    select(m, db::demo::kTwelveLineVoucher);
    ASSERT_TRUE(m.cmdpreview.Enabled);
    m.cmdpreview.Click();

    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
    EXPECT_EQ(m.MousePointer, forms::vbDefault);
    auto shown = previews();
    ASSERT_EQ(shown.size(), 1u);
    report::PreviewWindow* w = shown.front();
    EXPECT_EQ(w->windowTitle(), "Journal");
    EXPECT_TRUE(w->windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(w->pages().text().contains(QString::fromStdString(journalNo(1, 288))));
    // Zoom, paging, printing and PDF export are offered.
    QStringList controls;
    for (QWidget* c : w->findChildren<QWidget*>())
        controls << c->accessibleName();
    for (const char* name : {"Zoom in", "Next page", "Page number", "Print", "Export to PDF"})
        EXPECT_TRUE(controls.contains(name)) << name;

    // Another row: the one window now shows that voucher.
    select(m, 285);
    m.cmdpreview.Click();
    shown = previews();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown.front()->pages().text().contains("CANCELLED"));
}

TEST_F(PreviewTest, ShowsTheCurrentCompanysVoucherNeverAnotherOfTheSameId) {
    const std::string own = journalNo(db::demo::kSecondCompany, 5), other = journalNo(db::demo::kCompany, 5);
    ASSERT_NE(own, other);
    FrmMaster& m = open(db::demo::kSecondCompany);
    select(m, 5);
    m.cmdPreview_click();
    auto shown = previews();
    ASSERT_EQ(shown.size(), 1u) << host.lastMessage();
    const QString text = shown.front()->pages().text();
    EXPECT_TRUE(text.contains(QString::fromStdString(own)));
    EXPECT_FALSE(text.contains(QString::fromStdString(other) + "\n"));
}

TEST_F(PreviewTest, MissingReportFileGoesToTheFaultReportAndOpensNoWindow) {
    FrmMaster& m = open();
    select(m, db::demo::kTwelveLineVoucher);
    forms::setAppPath(testing::TempDir());
    m.cmdpreview.Click();

    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.lastMessage().find("Module: FrmMaster"), std::string::npos) << host.lastMessage();
    EXPECT_NE(host.lastMessage().find("Routine: cmdPreview_click"), std::string::npos);
    EXPECT_NE(host.lastMessage().find("rptInterjournalregister"), std::string::npos);
    EXPECT_TRUE(previews().empty());
    EXPECT_EQ(m.MousePointer, forms::vbDefault);
}

TEST_F(PreviewTest, NoSelectedRowAsksForVoucherZeroWhichIsReportedNotShown) {
    FrmMaster& m = open();
    m.GrdMaster.setTextMatrix(m.GrdMaster.Row(), 0, "");
    m.cmdPreview_click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.lastMessage().find("Routine: cmdPreview_click"), std::string::npos);
    EXPECT_NE(host.lastMessage().find("voucher 0"), std::string::npos) << host.lastMessage();
    EXPECT_TRUE(previews().empty());
}
