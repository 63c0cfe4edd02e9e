#include "report/ReportPages.h"

#include "runtime/Convert.h"

#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>
#include <algorithm>

namespace report {

namespace {

std::string key(const QString& name) {
    return name.toLower().toStdString();
}

bool flagOf(const Record& record, const QString& field) {
    auto it = record.find(key(field));
    if (it == record.end() || it->second.isEmpty() || it->second.isNull()) return false;
    if (it->second.isString() && !rt::IsNumeric(it->second)) return !rt::Trim(it->second.str()).empty();
    return rt::CBool(it->second);
}

QString valueText(const rt::Variant& v, const QString& format) {
    if (format == "yesno") return (!v.isNull() && !v.isEmpty() && rt::CBool(v)) ? "Yes" : "No";
    if (format.isEmpty()) return QString::fromStdString(rt::TextOf(v));
    return QString::fromStdString(rt::Format(v, format.toStdString()));
}

class Composer {
  public:
    Composer(const Layout& layout, const ReportData& data)
        : l_(layout), d_(data), body_(printFont(layout.fontFamily, layout.fontSize, false)) {
        QPageSize size(layout.pageSize);
        QSizeF mm = size.size(QPageSize::Millimeter);
        if (layout.orientation == QPageLayout::Landscape) mm.transpose();
        pageWidth_ = mm.width();
        bottom_ = mm.height() - l_.marginBottom - l_.pageFooter.height;
        fields_ = d_.header;
        fields_["linecount"] = static_cast<int32_t>(d_.lines.size());
    }

    Pages run() {
        totals();
        startPage();
        for (size_t i = 0; i < d_.lines.size(); ++i) {
            std::vector<QString> cells = cellsOf(d_.lines[i], static_cast<int>(i) + 1);
            const double height = rowHeightOf(cells);
            if (y_ + height > bottom_) startPage();
            row(cells, height);
        }
        if (y_ + l_.rowHeight + heightOf(l_.summary) > bottom_) startPage();
        totalRow();
        band(l_.summary);
        finishPages();
        return std::move(out_);
    }

  private:
    Page& page() { return *current_; }

    void totals() {
        for (const LayoutColumn& c : l_.columns) {
            if (!c.total) continue;
            double sum = 0;
            for (const Record& r : d_.lines) {
                auto it = r.find(key(c.field));
                if (it != r.end() && rt::IsNumeric(it->second)) sum += rt::CDbl(it->second);
            }
            fields_["total." + key(c.field)] = sum;
        }
    }

    void text(const QRectF& rect, const QString& t, double size, bool bold, Qt::Alignment align,
              QColor color = Qt::black, bool wrap = false) {
        page().texts.push_back({rect, t, size > 0 ? size : l_.fontSize, bold, wrap, align, color});
    }

    bool printed(const LayoutText& t) const {
        return (t.when.isEmpty() || flagOf(fields_, t.when)) &&
               (t.unless.isEmpty() || !flagOf(fields_, t.unless));
    }

    // How far a wrapped text needs more than its place, in millimetres.
    double overflow(const LayoutText& t, const QString& filled) const {
        if (!t.wrap || filled.isEmpty()) return 0;
        const double needed = TextMeasure(printFont(l_.fontFamily, t.size > 0 ? t.size : l_.fontSize, t.bold))
                                  .wrappedHeight(filled, t.w);
        return std::max(0.0, needed - t.h);
    }

    // A wrapped text that needs more room pushes down what lies below it in the band.
    struct Growth {
        double below; // items from here down move
        double extra;
    };
    std::vector<Growth> growthOf(const Band& b) const {
        std::vector<Growth> g;
        for (const LayoutText& t : b.texts)
            if (printed(t))
                if (double extra = overflow(t, fillFields(t.text, fields_)); extra > 0)
                    g.push_back({t.y + t.h, extra});
        return g;
    }
    static double shift(const std::vector<Growth>& g, double y) {
        double d = 0;
        for (const Growth& x : g)
            if (y >= x.below - 0.01) d += x.extra;
        return d;
    }
    double heightOf(const Band& b) const {
        double h = b.height;
        for (const Growth& x : growthOf(b))
            h += x.extra;
        return h;
    }

    void band(const Band& b) {
        const std::vector<Growth> g = growthOf(b);
        for (const LayoutText& t : b.texts) {
            if (!printed(t)) continue;
            const QString filled = fillFields(t.text, fields_);
            text(QRectF(l_.marginLeft + t.x, y_ + t.y + shift(g, t.y), t.w, t.h + overflow(t, filled)),
                 filled, t.size, t.bold, t.align, t.color, t.wrap);
        }
        for (const LayoutRule& r : b.rules)
            page().rules.push_back({QLineF(l_.marginLeft + r.x1, y_ + r.y1 + shift(g, r.y1),
                                           l_.marginLeft + r.x2, y_ + r.y2 + shift(g, r.y2)),
                                    r.width, r.color});
        y_ += heightOf(b);
    }

    double contentWidth() const { return pageWidth_ - l_.marginLeft - l_.marginRight; }

    void rule(double y, double width, QColor color = Qt::black) {
        page().rules.push_back({QLineF(l_.marginLeft, y, l_.marginLeft + contentWidth(), y), width, color});
    }

    void startPage() {
        out_.pages.emplace_back();
        current_ = &out_.pages.back();
        y_ = l_.marginTop;
        band(out_.pages.size() == 1 ? l_.title : l_.continued);
        rule(y_, 0.4);
        double x = l_.marginLeft;
        for (const LayoutColumn& c : l_.columns) {
            text(QRectF(x + 1, y_, c.width - 2, l_.columnHeaderHeight), c.caption, 0, true,
                 c.align | Qt::AlignVCenter);
            x += c.width;
        }
        y_ += l_.columnHeaderHeight;
        rule(y_, 0.4);
    }

    std::vector<QString> cellsOf(const Record& r, int serial) const {
        std::vector<QString> cells;
        for (const LayoutColumn& c : l_.columns) {
            if (c.field == "#") {
                cells.push_back(QString::number(serial));
                continue;
            }
            auto it = r.find(key(c.field));
            cells.push_back(it == r.end() ? QString() : valueText(it->second, c.format));
        }
        return cells;
    }

    // One line high, unless a wrapping column's text needs more lines.
    double rowHeightOf(const std::vector<QString>& cells) const {
        double height = l_.rowHeight;
        for (size_t i = 0; i < cells.size(); ++i) {
            const LayoutColumn& c = l_.columns[i];
            if (!c.wrap || body_.width(cells[i]) <= c.width - 2) continue;
            height = std::max(height,
                              body_.wrappedHeight(cells[i], c.width - 2) + l_.rowHeight - body_.lineHeight());
        }
        return height;
    }

    void row(const std::vector<QString>& cells, double height) {
        // Wrapped text starts where a single line would stand, centred in the first line's height.
        const double firstLine = (l_.rowHeight - body_.lineHeight()) / 2;
        double x = l_.marginLeft;
        for (size_t i = 0; i < cells.size(); ++i) {
            const LayoutColumn& c = l_.columns[i];
            if (height > l_.rowHeight && c.wrap)
                text(QRectF(x + 1, y_ + firstLine, c.width - 2, height - firstLine), cells[i], 0, false,
                     c.align, Qt::black, true);
            else
                text(QRectF(x + 1, y_, c.width - 2, l_.rowHeight), cells[i], 0, false,
                     c.align | Qt::AlignVCenter);
            x += c.width;
        }
        y_ += height;
        rule(y_, 0.1, QColor(190, 190, 190));
    }

    void totalRow() {
        rule(y_, 0.4);
        double x = l_.marginLeft;
        bool captioned = false;
        for (const LayoutColumn& c : l_.columns) {
            if (c.total) {
                text(QRectF(x + 1, y_, c.width - 2, l_.rowHeight + 1),
                     valueText(fields_["total." + key(c.field)], c.format), 0, true,
                     c.align | Qt::AlignVCenter);
            } else if (!captioned && x > l_.marginLeft) {
                captioned = true;
                text(QRectF(x + 1, y_, c.width - 2, l_.rowHeight + 1), l_.totalCaption, 0, true,
                     Qt::AlignLeft | Qt::AlignVCenter);
            }
            x += c.width;
        }
        y_ += l_.rowHeight + 1;
        rule(y_, 0.4);
        rule(y_ + 0.6, 0.4);
        y_ += 2;
    }

    void finishPages() {
        const int count = static_cast<int>(out_.pages.size());
        for (int i = 0; i < count; ++i) {
            fields_["page"] = i + 1;
            fields_["pages"] = count;
            y_ = bottom_;
            current_ = &out_.pages[static_cast<size_t>(i)];
            band(l_.pageFooter);
        }
        out_.pageSize = l_.pageSize;
        out_.orientation = l_.orientation;
        out_.fontFamily = l_.fontFamily;
    }

    const Layout& l_;
    const ReportData& d_;
    Record fields_;
    Pages out_;
    Page* current_ = nullptr;
    TextMeasure body_; // the detail rows' font
    double pageWidth_ = 0, bottom_ = 0, y_ = 0;
};

} // namespace

QString fillFields(const QString& text, const Record& record) {
    static const QRegularExpression place("\\{([A-Za-z0-9_.]+)(?::([^}]*))?\\}");
    QString out;
    qsizetype last = 0;
    for (auto it = place.globalMatch(text); it.hasNext();) {
        QRegularExpressionMatch m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        auto found = record.find(key(m.captured(1)));
        if (found != record.end()) out += valueText(found->second, m.captured(2));
        last = m.capturedEnd();
    }
    out += text.mid(last);
    return out;
}

QFont printFont(const QString& family, double size, bool bold) {
    QFont font(family);
    font.setPointSizeF(size);
    font.setBold(bold);
    // Ligatures would turn "fi" into one glyph that text extraction and search miss.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

namespace {
constexpr double kMeasureDpi = 600;
constexpr double kDotsPerMm = kMeasureDpi / 25.4;

const QImage& measureDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        image.setDotsPerMeterX(static_cast<int>(kMeasureDpi / 0.0254));
        image.setDotsPerMeterY(static_cast<int>(kMeasureDpi / 0.0254));
        return image;
    }();
    return device;
}
} // namespace

TextMeasure::TextMeasure(const QFont& font) : metrics_(font, &measureDevice()) {}

double TextMeasure::width(const QString& text) const {
    return metrics_.horizontalAdvance(text) / kDotsPerMm;
}

double TextMeasure::lineHeight() const {
    return metrics_.height() / kDotsPerMm;
}

double TextMeasure::wrappedHeight(const QString& text, double widthMm) const {
    const QRectF r = metrics_.boundingRect(QRectF(0, 0, widthMm * kDotsPerMm, 1e6), Qt::TextWordWrap, text);
    // Half a millimetre spare for a device that wraps a little later.
    return r.height() / kDotsPerMm + 0.5;
}

QString Pages::text() const {
    QString all;
    for (const Page& p : pages)
        for (const PageText& t : p.texts)
            all += t.text + '\n';
    return all;
}

Pages composePages(const Layout& layout, const ReportData& data) {
    return Composer(layout, data).run();
}

} // namespace report
