// The Qt host: message-box styles, and a modal show rendered to a PNG and closed by itself.
#include "desktop/FormDialog.h"
#include "desktop/MessageBoxStyle.h"
#include "desktop/QtHost.h"
#include "forms/Controls.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using desktop::messageBoxSpec;
using B = QMessageBox;

TEST(MessageBoxStyle, EnterAndEscPressTheStylesButtons) {
    struct Case {
        int style;
        B::StandardButton enter, esc;
    };
    for (Case c : {Case{forms::vbYesNo | forms::vbQuestion | forms::vbDefaultButton2, B::No, B::NoButton},
                   {forms::vbYesNoCancel | forms::vbExclamation, B::Yes, B::Cancel},
                   {forms::vbCritical, B::Ok, B::Ok}}) {
        auto s = messageBoxSpec(c.style);
        EXPECT_EQ(s.defaultButton, c.enter) << c.style;
        EXPECT_EQ(s.escapeButton, c.esc) << c.style;
    }
    EXPECT_EQ(messageBoxSpec(forms::vbYesNoCancel).buttons,
              (QList<B::StandardButton>{B::Yes, B::No, B::Cancel}));
    EXPECT_EQ(desktop::msgBoxResult(B::No), forms::vbNo);
    EXPECT_EQ(desktop::msgBoxResult(B::Help), 0);
}

// A bare window for the host's own duties: showing, grabbing, closing and its popup menu.
class PlainForm : public forms::Form {
  public:
    PlainForm() : forms::Form("frmPlain") {}
    forms::CommandButton cmdOk{*this, "cmdOk", "&Ok"};
    forms::Menu mnuPopup{*this, "mnuPopup", "Popup"};
    forms::Menu mnuAdd{*this, "mnuAdd", "&Add", &mnuPopup};
    std::vector<int> unloadModes; // of each QueryUnload
    bool refuseClose = false;

  protected:
    void design() override {
        Caption = "Plain";
        Width = 9000, Height = 6000;
        cmdOk.Left = 7200, cmdOk.Top = 5000, cmdOk.Width = 1300, cmdOk.Height = 400;
    }
    void Form_QueryUnload(int& cancel, int unloadMode) override {
        unloadModes.push_back(unloadMode);
        if (refuseClose) cancel = 1;
    }
};

class HostTest : public ::testing::Test {
  protected:
    void SetUp() override { forms::setHost(&host); }
    void TearDown() override { forms::setHost(nullptr); }
    desktop::QtHost host;
    QTemporaryDir dir;
};

TEST_F(HostTest, PopupMenuGivesTheChosenItem) {
    auto form = std::make_shared<PlainForm>();
    forms::Menu mnuGone(*form, "mnuGone", "&Gone", &form->mnuPopup);
    forms::Menu mnuSep(*form, "mnuSep", "-", &form->mnuPopup);
    forms::Menu mnuEdit(*form, "mnuEdit", "&Edit", &form->mnuPopup);
    form->Load();
    mnuGone.Visible = false;
    int edits = 0;
    mnuEdit.Click = [&] { ++edits; };
    QStringList shown;
    // The user presses the access key of "&Edit" in the menu.
    QTimer::singleShot(50, [&] {
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        for (QAction* a : popup->actions())
            shown << (a->isSeparator() ? "-" : a->text());
        QKeyEvent press(QEvent::KeyPress, Qt::Key_E, Qt::NoModifier, "e");
        QApplication::sendEvent(popup, &press);
    });
    form->PopupMenu(form->mnuPopup);
    EXPECT_EQ(edits, 1);
    EXPECT_EQ(shown, (QStringList{"&Add", "-", "&Edit"}));
    form->Unload();
}

TEST_F(HostTest, ScreenshotOfAModalWindowThenClosedThroughTheModel) {
    std::string path = dir.filePath("sample.png").toStdString();
    host.setScreenshot(path, 50);
    auto form = std::make_shared<PlainForm>();
    form->Show();
    EXPECT_TRUE(host.screenshotTaken()) << host.screenshotError();
    QImage img(QString::fromStdString(path));
    ASSERT_FALSE(img.isNull());
    EXPECT_GT(img.width(), 500);
    EXPECT_FALSE(form->loaded());
    ASSERT_FALSE(form->unloadModes.empty());
    EXPECT_EQ(form->unloadModes[0], forms::vbFormControlMenu);
    // Without a user, messages answer with their default button.
    EXPECT_EQ(host.messageBox("Save Changes?", forms::vbYesNo | forms::vbDefaultButton2, "t"), forms::vbNo);
}

TEST_F(HostTest, APaintOnlyScreenshotEndsTheRunWithoutWritingAFile) {
    host.setScreenshot("-", 10);
    auto form = std::make_shared<PlainForm>();
    form->Show();
    EXPECT_TRUE(host.screenshotTaken()) << host.screenshotError();
    EXPECT_FALSE(QFileInfo::exists("-"));
    EXPECT_FALSE(form->loaded());
}

TEST_F(HostTest, AWindowThatRefusesToCloseStillEndsAnUnattendedRun) {
    host.setScreenshot(dir.filePath("refused.png").toStdString(), 10);
    auto form = std::make_shared<PlainForm>();
    form->refuseClose = true;
    form->Show();
    EXPECT_TRUE(host.screenshotTaken());
    // Asked by the frame, then by code; the dialog ends all the same.
    EXPECT_EQ(form->unloadModes, (std::vector<int>{forms::vbFormControlMenu, forms::vbFormCode}));
    EXPECT_TRUE(desktop::FormDialog::all().empty());
}

TEST_F(HostTest, TheChosenWindowIsGrabbed) {
    // The first window opens the second from its OK button; only the second is grabbed.
    auto outer = std::make_shared<PlainForm>();
    auto inner = std::make_shared<PlainForm>();
    outer->Caption = "outer";
    host.setScreenshot(dir.filePath("second.png").toStdString(), 10, "2");
    outer->cmdOk.Click = [&] { inner->Show(true, outer.get()); };
    QTimer::singleShot(40, [&] { outer->cmdOk.press(); });
    outer->Show();
    EXPECT_TRUE(host.screenshotTaken()) << host.screenshotError();
    EXPECT_FALSE(inner->loaded());
    EXPECT_FALSE(outer->loaded());
    EXPECT_TRUE(desktop::FormDialog::all().empty());
}

} // namespace
