#include "desktop/KeyMap.h"

#include "forms/Constants.h"

namespace desktop {

namespace {

int keyCodeOf(int k, bool keypad) {
    using namespace forms;
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return keypad ? 96 + (k - Qt::Key_0) : '0' + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace:
        return vbKeyBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vbKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vbKeyReturn;
    case Qt::Key_Shift:
        return vbKeyShift;
    case Qt::Key_Control:
        return vbKeyControl;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return vbKeyEscape;
    case Qt::Key_Space:
        return vbKeySpace;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return vbKeyEnd;
    case Qt::Key_Home:
        return vbKeyHome;
    case Qt::Key_Left:
        return vbKeyLeft;
    case Qt::Key_Up:
        return vbKeyUp;
    case Qt::Key_Right:
        return vbKeyRight;
    case Qt::Key_Down:
        return vbKeyDown;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return vbKeyDelete;
    case Qt::Key_Menu:
        return vbKeyApps;
    case Qt::Key_Asterisk:
        return keypad ? 106 : 56;
    case Qt::Key_Plus:
        return keypad ? 107 : 187;
    case Qt::Key_Minus:
        return keypad ? 109 : 189;
    case Qt::Key_Period:
        return keypad ? 110 : 190;
    case Qt::Key_Slash:
        return keypad ? 111 : 191;
    // Shifted digits keep their digit's key code.
    case Qt::Key_Exclam:
        return '1';
    case Qt::Key_At:
        return '2';
    case Qt::Key_NumberSign:
        return '3';
    case Qt::Key_Dollar:
        return '4';
    case Qt::Key_Percent:
        return '5';
    case Qt::Key_AsciiCircum:
        return '6';
    case Qt::Key_Ampersand:
        return '7';
    case Qt::Key_ParenLeft:
        return '9';
    case Qt::Key_ParenRight:
        return '0';
    case Qt::Key_Comma:
        return 188;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return 186;
    case Qt::Key_Equal:
        return 187;
    case Qt::Key_Underscore:
        return 189;
    case Qt::Key_Question:
        return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return 222;
    default:
        return 0;
    }
}

} // namespace

int modelShift(Qt::KeyboardModifiers m) {
    int s = 0;
    if (m & Qt::ShiftModifier) s |= forms::vbShiftMask;
    if (m & Qt::ControlModifier) s |= forms::vbCtrlMask;
    if (m & Qt::AltModifier) s |= forms::vbAltMask;
    return s;
}

int modelButton(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return forms::vbLeftButton;
    case Qt::RightButton:
        return forms::vbRightButton;
    case Qt::MiddleButton:
        return forms::vbMiddleButton;
    default:
        return 0;
    }
}

ModelKey modelKey(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
    ModelKey k;
    k.shift = modelShift(modifiers);
    k.keyCode = keyCodeOf(qtKey, modifiers & Qt::KeypadModifier);
    switch (k.keyCode) {
    case forms::vbKeyReturn:
        // Ctrl+Enter types a line feed, as the windows expect, not a carriage return.
        k.ascii = (k.shift & forms::vbCtrlMask) ? 10 : forms::vbKeyReturn;
        return k;
    case forms::vbKeyEscape:
    case forms::vbKeyBack:
        k.ascii = k.keyCode;
        return k;
    default:
        break;
    }
    if ((k.shift & forms::vbCtrlMask) && qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        k.ascii = 1 + (qtKey - Qt::Key_A);
        return k;
    }
    // Only plain ASCII travels as a typed character; other text is left to the widget.
    if (text.size() == 1 && text[0].unicode() >= 32 && text[0].unicode() < 127 &&
        !(k.shift & (forms::vbCtrlMask | forms::vbAltMask)))
        k.ascii = text[0].unicode();
    return k;
}

} // namespace desktop
