// Keys reach the window model first (key preview), and Enter, Esc and Tab are the model's.
#include "SampleForm.h"
#include "desktop/KeyMap.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

using desktop::modelKey;

// The character a key types is what the models' filters see.
TEST(KeyMap, KeysCarryTheCharacterTheyType) {
    auto k = modelKey(Qt::Key_S, Qt::ControlModifier, QString(QChar(19)));
    EXPECT_EQ(std::make_pair(k.keyCode, k.shift), std::make_pair(int('S'), int(forms::vbCtrlMask)));
    EXPECT_EQ(k.ascii, 19);
    EXPECT_EQ(modelKey(Qt::Key_Enter, Qt::KeypadModifier, "\r").ascii, forms::vbKeyReturn);
    EXPECT_EQ(modelKey(Qt::Key_Backtab, Qt::ShiftModifier, {}).keyCode, forms::vbKeyTab);
    EXPECT_EQ(modelKey(Qt::Key_ParenLeft, Qt::ShiftModifier, "(").ascii, 40);
    // Text outside ASCII is left to the widget.
    EXPECT_EQ(modelKey(Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("é")).ascii, 0);
}

TEST(Keys, FormSeesKeysFirstAndEnterPressesTheDefaultButton) {
    DialogFixture f;
    f.widget<QLineEdit>("txtName")->setFocus();
    f.key(Qt::Key_F9);
    f.key(Qt::Key_S, Qt::ControlModifier, QString(QChar(19)));
    ASSERT_GE(f.form->previewKeys.size(), 2u);
    EXPECT_EQ(f.form->previewKeys[0], std::make_pair(int(forms::vbKeyF9), 0));
    EXPECT_EQ(f.form->previewKeys[1], std::make_pair(int('S'), int(forms::vbCtrlMask)));
    f.key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(f.form->okClicks, 1);
    EXPECT_TRUE(f.dialog->isVisible()); // Enter did not reach the dialog's own handling
}

TEST(Keys, TabMovesTheModelsFocusAndTheWidgetsFollows) {
    DialogFixture f;
    f.widget<QLineEdit>("txtName")->setFocus();
    f.key(Qt::Key_Tab);
    EXPECT_EQ(f.form->activeControl(), &f.form->optFirst);
    EXPECT_EQ(QApplication::focusWidget(), f.dialog->widgetOf("optFirst"));
    f.key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(f.form->activeControl(), &f.form->txtName);
    EXPECT_EQ(QApplication::focusWidget(), f.dialog->widgetOf("txtName"));
    // The model moving the focus moves the widget's.
    f.form->cmdClose.SetFocus();
    desktop::FormDialog::syncAll();
    EXPECT_EQ(QApplication::focusWidget(), f.dialog->widgetOf("cmdClose"));
}

TEST(Keys, TypingInTheGridIsTheModelsNotARowSearch) {
    DialogFixture f;
    std::string typed;
    f.form->GrdData.KeyPress = [&](int& k) { typed += static_cast<char>(k); };
    auto* view = f.widget<QTableView>("GrdData");
    view->setFocus();
    f.type("I9");
    EXPECT_EQ(typed, "I9");
    EXPECT_EQ(f.form->GrdData.Row(), 1);
    // Arrow keys still move the current row, and the model follows.
    f.key(Qt::Key_Down);
    EXPECT_EQ(f.form->GrdData.Row(), 2);
    EXPECT_EQ(view->currentIndex().row(), 1);
}

TEST(Keys, EscPressesTheCancelButtonWhichUnloads) {
    DialogFixture f;
    f.key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    EXPECT_EQ(f.form->closeClicks, 1);
    EXPECT_FALSE(f.form->loaded());
    EXPECT_TRUE(f.dialog->finished());
    EXPECT_FALSE(f.dialog->isVisible());
}

TEST(Keys, ClosingByTheFrameAsksTheModel) {
    DialogFixture f;
    f.form->refuseClose = true;
    f.dialog->close();
    ASSERT_EQ(f.form->unloadModes.size(), 1u);
    EXPECT_EQ(f.form->unloadModes[0], forms::vbFormControlMenu);
    EXPECT_TRUE(f.form->loaded());
    EXPECT_TRUE(f.dialog->isVisible());
    f.form->refuseClose = false;
    f.dialog->close();
    EXPECT_FALSE(f.form->loaded());
    EXPECT_TRUE(f.dialog->finished());
}

} // namespace
