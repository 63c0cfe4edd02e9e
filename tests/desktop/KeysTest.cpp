// What a key hands the window models: the key code, the shift state and the character typed.
#include "desktop/KeyMap.h"
#include "forms/Constants.h"

#include <gtest/gtest.h>

namespace {

using desktop::modelKey;

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

} // namespace
