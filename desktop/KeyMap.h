#pragma once
// Qt's keys and mouse buttons in the numbering the window models use.
#include <QString>
#include <Qt>

namespace desktop {

struct ModelKey {
    int keyCode = 0; // 0: a key the models have no code for
    int shift = 0;   // vbShiftMask | vbCtrlMask | vbAltMask
    int ascii = 0;   // the character the keystroke types, 0 for none
};

ModelKey modelKey(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text);
int modelShift(Qt::KeyboardModifiers modifiers);
int modelButton(Qt::MouseButton button);

} // namespace desktop
