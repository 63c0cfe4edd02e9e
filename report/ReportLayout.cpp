#include "report/ReportLayout.h"

#include "runtime/Error.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace report {

namespace {

constexpr const char* kSource = "ReportEngine";

[[noreturn]] void invalid(const std::string& path, const QString& why) {
    rt::raise(rt::errInvalidProcedureCall, kSource, "Invalid report file " + path + ": " + why.toStdString());
}

Qt::Alignment alignmentOf(const QString& name) {
    if (name == "right") return Qt::AlignRight;
    if (name == "center") return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

LayoutText textOf(const QJsonObject& o) {
    LayoutText t;
    t.text = o["text"].toString();
    t.x = o["x"].toDouble();
    t.y = o["y"].toDouble();
    t.w = o["w"].toDouble();
    t.h = o["h"].toDouble(5);
    t.size = o["size"].toDouble();
    t.bold = o["bold"].toBool();
    t.wrap = o["wrap"].toBool();
    t.align = alignmentOf(o["align"].toString());
    if (o.contains("color")) t.color = QColor(o["color"].toString());
    t.when = o["when"].toString();
    t.unless = o["unless"].toString();
    return t;
}

LayoutRule ruleOf(const QJsonObject& o) {
    LayoutRule r;
    r.x1 = o["x1"].toDouble();
    r.y1 = o["y1"].toDouble();
    r.x2 = o["x2"].toDouble();
    r.y2 = o["y2"].toDouble(r.y1);
    r.width = o["width"].toDouble(0.3);
    if (o.contains("color")) r.color = QColor(o["color"].toString());
    return r;
}

Band bandOf(const QJsonObject& o) {
    Band b;
    b.height = o["height"].toDouble();
    for (const QJsonValue& v : o["texts"].toArray())
        b.texts.push_back(textOf(v.toObject()));
    for (const QJsonValue& v : o["rules"].toArray())
        b.rules.push_back(ruleOf(v.toObject()));
    return b;
}

LayoutQuery queryOf(const QJsonObject& o) {
    LayoutQuery q;
    q.sql = o["sql"].toString().toStdString();
    for (const QJsonValue& v : o["params"].toArray())
        q.params << v.toString();
    return q;
}

} // namespace

Layout readLayout(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.exists()) rt::raise(53, kSource, "Report file not found: " + path);
    if (!file.open(QIODevice::ReadOnly)) rt::raise(75, kSource, "Cannot read the report file " + path);
    QJsonParseError parseError{};
    QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (doc.isNull()) invalid(path, parseError.errorString());
    const QJsonObject root = doc.object();

    Layout l;
    const QJsonObject page = root["page"].toObject();
    if (page["size"].toString() == "Letter") l.pageSize = QPageSize::Letter;
    if (page["orientation"].toString() == "landscape") l.orientation = QPageLayout::Landscape;
    const QJsonArray margins = page["margins"].toArray();
    if (margins.size() == 4) {
        l.marginLeft = margins[0].toDouble();
        l.marginTop = margins[1].toDouble();
        l.marginRight = margins[2].toDouble();
        l.marginBottom = margins[3].toDouble();
    }
    const QJsonObject font = root["font"].toObject();
    l.fontFamily = font["family"].toString(l.fontFamily);
    l.fontSize = font["size"].toDouble(l.fontSize);

    for (const QJsonValue& v : root["parameters"].toArray())
        l.parameters << v.toString();
    l.header = queryOf(root["header"].toObject());
    l.lines = queryOf(root["lines"].toObject());
    const QJsonObject rates = root["rates"].toObject();
    l.ratesField = rates["field"].toString();
    l.currencyName = queryOf(rates["name"].toObject());
    if (l.header.sql.empty() || l.lines.sql.empty())
        invalid(path, "the header and lines statements are required");

    l.title = bandOf(root["title"].toObject());
    l.continued = bandOf(root["continued"].toObject());
    l.summary = bandOf(root["summary"].toObject());
    l.pageFooter = bandOf(root["pageFooter"].toObject());

    const QJsonObject detail = root["detail"].toObject();
    l.columnHeaderHeight = detail["headerHeight"].toDouble(l.columnHeaderHeight);
    l.rowHeight = detail["rowHeight"].toDouble(l.rowHeight);
    l.totalCaption = detail["totalCaption"].toString(l.totalCaption);
    for (const QJsonValue& v : detail["columns"].toArray()) {
        const QJsonObject o = v.toObject();
        LayoutColumn c;
        c.caption = o["caption"].toString();
        c.field = o["field"].toString();
        c.width = o["width"].toDouble(c.width);
        c.align = alignmentOf(o["align"].toString());
        c.format = o["format"].toString();
        c.total = o["total"].toBool();
        c.wrap = o["wrap"].toBool();
        l.columns.push_back(c);
    }
    if (l.columns.empty()) invalid(path, "no detail columns");
    if (l.rowHeight <= 0) invalid(path, "the row height must be positive");
    return l;
}

} // namespace report
