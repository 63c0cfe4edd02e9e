// Preview: the selected voucher of the current company in the report engine's window.
#include "BrowseFixture.h"
#include "report/ReportEngine.h"
#include "report/ReportPreview.h"

#include <QApplication>
#include <QScreen>
#include <QStringList>
#include <QTimer>
#include <QToolButton>

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
    // The text of the one preview window open.
    QString shownText() {
        auto shown = previews();
        if (shown.size() != 1) {
            ADD_FAILURE() << shown.size() << " previews; " << host.lastMessage();
            return {};
        }
        return shown.front()->pages().text();
    }
    static QString q(const std::string& s) { return QString::fromStdString(s); }
};

TEST_F(PreviewTest, OneWindowShowsTheCurrentRowsVoucherOfTheCurrentCompanyOrAFaultReport) {
    FrmMaster& m = open();
    select(m, demo::kTwelveLineVoucher);
    ASSERT_TRUE(m.cmdpreview.Enabled);
    m.cmdpreview.Click();
    EXPECT_TRUE(host.messages.empty()) << host.lastMessage();
    EXPECT_EQ(m.MousePointer, forms::vbDefault);
    EXPECT_TRUE(shownText().contains(q(header(demo::kTwelveLineVoucher, "JournalNo"))));
    const auto shown = previews();
    ASSERT_EQ(shown.size(), 1u);
    QStringList controls;
    for (QWidget* c : shown.front()->findChildren<QWidget*>())
        controls << c->accessibleName();
    for (const char* name : {"Zoom in", "Next page", "Print", "Export to PDF"})
        EXPECT_TRUE(controls.contains(name)) << name;
    // With the keyboard alone: Tab reaches every tool, and what has the keys is named.
    for (QAbstractButton* tool : shown.front()->findChildren<QToolButton*>()) {
        if (tool->accessibleName().isEmpty()) continue; // the toolbar's own overflow button
        EXPECT_TRUE(tool->focusPolicy() & Qt::TabFocus) << tool->accessibleName().toStdString();
    }
    // One page: no page to go to, and the tools say so.
    ASSERT_EQ(shown.front()->pages().pages.size(), 1u);
    for (const char* way : {"First page", "Previous page", "Next page", "Last page"}) {
        for (QToolButton* tool : shown.front()->findChildren<QToolButton*>()) {
            if (tool->accessibleName() == way) {
                EXPECT_FALSE(tool->isEnabled()) << way;
            }
        }
    }
    shown.front()->activateWindow();
    QApplication::setActiveWindow(shown.front());
    QApplication::processEvents();
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_FALSE(QApplication::focusWidget()->accessibleName().isEmpty());
    // Maximised also where no window manager does it: the window itself takes the screen.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(shown.front()->normalGeometry().size(), screen.size());
    select(m, demo::kCancelledVoucher);
    m.cmdpreview.Click();
    EXPECT_TRUE(shownText().contains("CANCELLED"));

    // Company 2's voucher 5, never company 1's of the same id.
    const std::string own = header(5, "JournalNo", demo::kSecondCompany), other = header(5, "JournalNo");
    ASSERT_NE(own, other);
    m.Unload();
    open(demo::kSecondCompany);
    select(m, 5);
    m.cmdPreview_click();
    const QString text = shownText();
    EXPECT_TRUE(text.contains(q(own)));
    EXPECT_FALSE(text.contains(q(other) + "\n"));

    // Failures go to the fault report and open no window.
    for (report::PreviewWindow* w : previews())
        delete w;
    ASSERT_TRUE(host.messages.empty()) << host.lastMessage();
    forms::setAppPath(testing::TempDir()); // no report file there
    m.cmdpreview.Click();
    EXPECT_TRUE(reported("cmdPreview_click")) << host.lastMessage();
    EXPECT_NE(host.lastMessage().find("rptInterjournalregister"), std::string::npos);
    EXPECT_EQ(m.MousePointer, forms::vbDefault);
    // No selected row asks for voucher 0.
    forms::setAppPath(IDJ_SOURCE_DIR);
    m.GrdMaster.setTextMatrix(m.GrdMaster.Row(), 0, "");
    m.cmdPreview_click();
    EXPECT_NE(host.lastMessage().find("voucher 0"), std::string::npos) << host.lastMessage();
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_TRUE(previews().empty());
}

// Export's file dialog, given up: the keys are back in the preview, whose Esc then closes it.
TEST_F(PreviewTest, TheKeysComeBackToThePreviewAfterItsFileDialog) {
    FrmMaster& m = open();
    m.cmdpreview.Click();
    auto shown = previews();
    ASSERT_EQ(shown.size(), 1u) << host.lastMessage();
    report::PreviewWindow* preview = shown.front();
    preview->activateWindow();
    QApplication::setActiveWindow(preview);
    QApplication::processEvents();
    bool dialogShown = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialogShown = true;
            dialog->reject();
        }
    });
    preview->exportPdf();
    QApplication::processEvents();
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(QApplication::activeWindow(), preview);
}

} // namespace
