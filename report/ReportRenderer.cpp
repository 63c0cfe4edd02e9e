#include "report/ReportRenderer.h"

#include "runtime/Error.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <map>
#include <utility>

namespace report {

void renderPages(const Pages& pages, QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(pages.pageSize), pages.orientation, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&device)) rt::raise(75, "ReportEngine", "The report cannot be painted on this device");
    // Millimetres to device pixels, without scaling the fonts (their point sizes are the device's).
    const double dpmm = device.logicalDpiX() / 25.4;
    auto px = [dpmm](const QRectF& r) {
        return QRectF(r.x() * dpmm, r.y() * dpmm, r.width() * dpmm, r.height() * dpmm);
    };
    // A report uses a few sizes and weights over thousands of texts: one font and metrics each.
    struct Face {
        QFont font;
        QFontMetricsF metrics;
    };
    std::map<std::pair<double, bool>, Face> faces;
    auto faceOf = [&](const PageText& t) -> const Face& {
        auto it = faces.find({t.size, t.bold});
        if (it != faces.end()) return it->second;
        QFont font = printFont(pages.fontFamily, t.size, t.bold);
        return faces.emplace(std::make_pair(t.size, t.bold), Face{font, QFontMetricsF(font, &device)})
            .first->second;
    };
    for (size_t i = 0; i < pages.pages.size(); ++i) {
        if (i > 0) device.newPage();
        const Page& page = pages.pages[i];
        for (const PageRule& r : page.rules) {
            painter.setPen(QPen(r.color, r.width * dpmm));
            painter.drawLine(QPointF(r.line.x1() * dpmm, r.line.y1() * dpmm),
                             QPointF(r.line.x2() * dpmm, r.line.y2() * dpmm));
        }
        for (const PageText& t : page.texts) {
            const Face& face = faceOf(t);
            painter.setFont(face.font);
            painter.setPen(t.color);
            const QRectF rect = px(t.rect);
            if (t.wrap) {
                painter.drawText(rect, static_cast<int>(t.align | Qt::AlignTop) | Qt::TextWordWrap, t.text);
            } else {
                // A text wider than its place is cut with an ellipsis rather than run into the next.
                const QString shown = face.metrics.horizontalAdvance(t.text) <= rect.width()
                                          ? t.text
                                          : face.metrics.elidedText(t.text, Qt::ElideRight, rect.width());
                painter.drawText(rect, static_cast<int>(t.align | Qt::AlignVCenter), shown);
            }
        }
    }
    painter.end();
}

void writePdf(const Pages& pages, const std::string& path) {
    QFile probe(QString::fromStdString(path));
    if (!probe.open(QIODevice::WriteOnly)) rt::raise(75, "ReportEngine", "Cannot write the PDF file " + path);
    probe.close();
    QPdfWriter writer(QString::fromStdString(path));
    writer.setResolution(600);
    writer.setCreator("idjrnl08");
    renderPages(pages, writer);
}

} // namespace report
