// Text that reaches a numeric box, typed, pasted by keys or menu, or dropped, meets one rule,
// through the real widget.
#include "desktop/FormDialog.h"
#include "forms/Controls.h"
#include "forms/ScriptedHost.h"
#include "services/UiToolkit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

// An amount box as the line editor has it: twelve characters, filtered by the toolkit's rule.
class AmountForm : public forms::Form {
  public:
    AmountForm() : forms::Form("frmAmount") {
        txtAmount.KeyPress = [this](int& key) {
            key = services::UiToolkit::TextValidateNum(txtAmount, key, 18, 2);
        };
    }
    forms::Label lblAmount{*this, "lblAmount", "Amount:"};
    forms::TextBox txtAmount{*this, "txtAmount"};

  protected:
    void design() override {
        Caption = "Amount";
        txtAmount.MaxLength = 12;
    }
};

class PasteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        forms::setHost(&host);
        form->Load();
        form->txtAmount.setText("10.00");
        dialog = std::make_unique<desktop::FormDialog>(*form);
        dialog->sync();
        dialog->show();
        dialog->activateWindow();
        QApplication::processEvents();
        form->activate();
        dialog->setLive(true);
        dialog->sync();
        edit = dynamic_cast<QLineEdit*>(dialog->widgetOf("txtAmount"));
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
    }
    void TearDown() override {
        dialog.reset();
        forms::setHost(nullptr);
    }

    void ctrlV() {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
        QApplication::sendEvent(edit, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
        QApplication::sendEvent(edit, &release);
    }
    void menuPaste() {
        std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
        QAction* paste = nullptr;
        for (QAction* a : menu->actions())
            if (a->text().startsWith("&Paste")) paste = a;
        ASSERT_NE(paste, nullptr);
        ASSERT_TRUE(paste->isEnabled());
        paste->trigger();
    }
    void drop(const QString& text) {
        QMimeData data;
        data.setText(text);
        const QPointF at(edit->width() - 2, edit->height() / 2);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &enter);
        QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &move);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &dropped);
    }
    std::string model() const { return form->txtAmount.Text(); }

    forms::ScriptedHost host;
    std::shared_ptr<AmountForm> form = std::make_shared<AmountForm>();
    std::unique_ptr<desktop::FormDialog> dialog;
    QLineEdit* edit = nullptr;
};

TEST_F(PasteTest, TypingTakesOnlyAnAmountUpToTheBoxsLength) {
    form->txtAmount.setText("");
    dialog->sync();
    QTest::keyClicks(edit, "12a3");
    EXPECT_EQ(model(), "123");
    QTest::keyClicks(edit, "4567890123456");
    EXPECT_EQ(model(), "123456789012");
    EXPECT_EQ(edit->text(), "123456789012");
}

TEST_F(PasteTest, PastingByKeysOrMenuOrDroppingTakesOnlyAmounts) {
    for (const char* text : {"12abc", "-5", "0.001", "1e308", "1234567890123"}) {
        QGuiApplication::clipboard()->setText(text);
        edit->selectAll();
        ctrlV();
        EXPECT_EQ(model(), "10.00") << text;
        EXPECT_EQ(edit->text(), "10.00") << text;
        edit->selectAll();
        menuPaste();
        EXPECT_EQ(model(), "10.00") << text;
        EXPECT_EQ(edit->text(), "10.00") << text;
    }
    QGuiApplication::clipboard()->setText("1500.25");
    edit->selectAll();
    ctrlV();
    EXPECT_EQ(model(), "1500.25");
    QGuiApplication::clipboard()->setText("99");
    edit->setCursorPosition(0);
    menuPaste();
    EXPECT_EQ(model(), "991500.25");
    EXPECT_EQ(edit->text(), "991500.25");

    form->txtAmount.setText("10.00");
    dialog->sync();
    drop("-5");
    EXPECT_EQ(model(), "10.00");
    EXPECT_EQ(edit->text(), "10.00");
    drop("1e308");
    EXPECT_EQ(model(), "10.00");
    form->txtAmount.setText("10");
    dialog->sync();
    drop(".5");
    EXPECT_EQ(model(), "10.5");
}

} // namespace
