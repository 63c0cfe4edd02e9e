#pragma once
// Conversions between the window models' units and types and Qt's.
#include "forms/Constants.h"
#include "runtime/Date.h"

#include <QColor>
#include <QDate>
#include <QString>
#include <string>

namespace desktop {

constexpr int kTwipsPerPixel = 15;

inline int px(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}
inline float toTwips(double pixels) {
    return static_cast<float>(pixels * kTwipsPerPixel);
}

inline QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
inline std::string ss(const QString& s) {
    return s.toStdString();
}

// A model colour; system colours (high bit set) give an invalid colour, meaning "keep the style's".
QColor toQColor(forms::Colour c);

QDate toQDate(rt::Date d);
rt::Date fromQDate(const QDate& d);

// Caret positions: the models count bytes of UTF-8, Qt counts UTF-16 units.
int bytePosition(const QString& text, int qtPosition);
int qtPosition(const std::string& text, int bytePosition);

} // namespace desktop
