#pragma once
// A report laid out into pages: positioned texts and rules in millimetres from the paper's
// corner. The preview, the printer and PDF output all paint these same pages.
#include "report/ReportData.h"
#include "report/ReportLayout.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <vector>

namespace report {

struct PageText {
    QRectF rect;
    QString text;
    double size = 9;
    bool bold = false;
    bool wrap = false;
    Qt::Alignment align = Qt::AlignLeft;
    QColor color = Qt::black;
};

struct PageRule {
    QLineF line;
    double width = 0.3;
    QColor color = Qt::black;
};

struct Page {
    std::vector<PageText> texts;
    std::vector<PageRule> rules;
};

struct Pages {
    QPageSize::PageSizeId pageSize = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QString fontFamily;
    std::vector<Page> pages;

    // Every text of the pages, one per line, for checks of what a report holds.
    QString text() const;
};

// Lays the data out: title on the first page, column headers on every page, the lines (taller
// where a wrapping column needs it), the
// totals and the summary (on a fresh page when they do not fit), the page footer everywhere.
Pages composePages(const Layout& layout, const ReportData& data);

// The font a report prints in; the layout and the painting both use it.
QFont printFont(const QString& family, double size, bool bold);

// Sizes of printed text in millimetres, measured at print resolution.
class TextMeasure {
  public:
    explicit TextMeasure(const QFont& font);
    double width(const QString& text) const;
    double lineHeight() const;
    // The height a text wrapped to the width needs.
    double wrappedHeight(const QString& text, double widthMm) const;

  private:
    QFontMetricsF metrics_;
};

// "{field}" and "{field:format}" places of a text filled from the record. A format is a number
// or date pattern, or "yesno" for a flag; an unknown field prints empty.
QString fillFields(const QString& text, const Record& record);

} // namespace report
