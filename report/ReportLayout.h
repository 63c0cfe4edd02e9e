#pragma once
// The printed form of a report as its layout file describes it: page, queries, bands and the
// columns of the detail lines. Positions are millimetres from the band's top-left corner.
#include <QColor>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace report {

// A text with "{field}" or "{field:format}" places; printed only when its `when` field is true
// (and its `unless` field false), when one is named.
struct LayoutText {
    QString text;
    double x = 0, y = 0, w = 0, h = 5;
    double size = 0; // 0: the layout's font size
    bool bold = false;
    bool wrap = false;
    Qt::Alignment align = Qt::AlignLeft;
    QColor color = Qt::black;
    QString when, unless;
};

struct LayoutRule {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double width = 0.3;
    QColor color = Qt::black;
};

struct Band {
    double height = 0;
    std::vector<LayoutText> texts;
    std::vector<LayoutRule> rules;
};

struct LayoutColumn {
    QString caption;
    QString field; // "#" is the line's serial number
    double width = 20;
    Qt::Alignment align = Qt::AlignLeft;
    QString format;
    bool total = false;
    bool wrap = false; // a long text takes more lines instead of being cut
};

// A statement whose '?' places take the named values in order (parameter fields, or
// "currency" for the rate lookup).
struct LayoutQuery {
    std::string sql;
    QStringList params;
};

struct Layout {
    QPageSize::PageSizeId pageSize = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double marginLeft = 15, marginTop = 12, marginRight = 15, marginBottom = 12;
    QString fontFamily = "DejaVu Sans";
    double fontSize = 8.5;

    QStringList parameters; // the parameter fields, in their order
    LayoutQuery header, lines;
    // The rates text column of the header ("id1:id2:...-rate1:rate2:...") and the statement
    // that names one currency.
    QString ratesField;
    LayoutQuery currencyName;

    Band title;      // first page, above the column headers
    Band continued;  // later pages, above the column headers
    Band summary;    // after the totals
    Band pageFooter; // bottom of every page
    std::vector<LayoutColumn> columns;
    double columnHeaderHeight = 7;
    double rowHeight = 5;
    QString totalCaption = "Total";
};

// Reads a layout file; raises 53 when it is missing and 5 when it is no layout.
Layout readLayout(const std::string& path);

} // namespace report
