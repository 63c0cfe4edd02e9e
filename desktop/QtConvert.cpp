#include "desktop/QtConvert.h"

#include <algorithm>

namespace desktop {

QColor toQColor(forms::Colour c) {
    if (c & 0x80000000u) return {};
    return QColor(static_cast<int>(c & 0xff), static_cast<int>((c >> 8) & 0xff),
                  static_cast<int>((c >> 16) & 0xff));
}

QDate toQDate(rt::Date d) {
    rt::DateParts p = rt::splitDate(d);
    return QDate(p.year, p.month, p.day);
}

rt::Date fromQDate(const QDate& d) {
    return rt::makeDate(d.year(), d.month(), d.day());
}

int bytePosition(const QString& text, int qtPos) {
    qtPos = std::clamp(qtPos, 0, static_cast<int>(text.size()));
    return static_cast<int>(text.left(qtPos).toUtf8().size());
}

int qtPosition(const std::string& text, int bytePos) {
    size_t n = static_cast<size_t>(std::clamp(bytePos, 0, static_cast<int>(text.size())));
    return static_cast<int>(QString::fromUtf8(text.data(), static_cast<qsizetype>(n)).size());
}

} // namespace desktop
