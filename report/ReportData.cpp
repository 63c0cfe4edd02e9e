#include "report/ReportData.h"

#include "component/RateText.h"

#include "runtime/Convert.h"
#include "runtime/Error.h"

#include <QString>

namespace report {

namespace {

ado::Params bound(const LayoutQuery& q, const Values& values) {
    ado::Params params;
    for (const QString& name : q.params) {
        auto it = values.find(name.toLower().toStdString());
        if (it == values.end())
            rt::raise(rt::errInvalidProcedureCall, "ReportEngine",
                      "The report statement wants the value " + name.toStdString() + ", which has none");
        params.push_back(it->second);
    }
    return params;
}

Record recordOf(ado::Recordset& rs) {
    Record r;
    for (int i = 0; i < rs.FieldCount(); ++i)
        r[rt::LCase(rs.field(i).Name())] = rs[i];
    return r;
}

// A rate with at least four places and every significant digit it has, never an exponent.
std::string printedRate(const std::string& element) {
    const rt::Variant v(element);
    if (!rt::IsNumeric(v)) return element;
    std::string t = idj::rates::rateText(rt::CDbl(v));
    size_t point = t.find('.');
    if (point == std::string::npos) {
        point = t.size();
        t += '.';
    }
    while (t.size() - point - 1 < 4)
        t += '0';
    return t;
}

// "id1:id2:...-rate1:rate2:..." as "US Dollar 83.2000   UAE Dirham 22.6000", each currency by its
// name.
std::string ratesText(const Layout& layout, const ado::ConnectionPtr& connection, Values values,
                      const std::string& text) {
    const idj::rates::RateLists lists = idj::rates::splitRates(text);
    if (!lists.separated) return {};
    std::string out;
    for (size_t i = 0; i < lists.ids.size() && i < lists.rates.size(); ++i) {
        if (lists.ids[i].empty()) continue;
        std::string name = lists.ids[i];
        if (!layout.currencyName.sql.empty()) {
            values["currency"] = name; // bound, never spliced: the text comes from a stored column
            auto rs = connection->Execute(layout.currencyName.sql, bound(layout.currencyName, values));
            if (!rs->eof()) name = rt::TextOf((*rs)[0]);
            rs->Close();
        }
        if (!out.empty()) out += "     ";
        // Each currency with its rate kept together on one line.
        for (size_t at; (at = name.find(' ')) != std::string::npos;)
            name.replace(at, 1, "\u00a0");
        out += name + "\u00a0" + printedRate(lists.rates[i]);
    }
    return out;
}

} // namespace

ReportData readData(const Layout& layout, const ado::ConnectionPtr& connection, const Values& values) {
    if (!connection || connection->State() != ado::adStateOpen)
        rt::raise(rt::errObjectNotSet, "ReportEngine", "The report engine is not logged on to a connection");
    ReportData data;
    {
        auto rs = connection->Execute(layout.header.sql, bound(layout.header, values));
        if (rs->eof()) {
            rs->Close();
            std::string what;
            for (const auto& [name, value] : values)
                what += " " + name + " " + rt::TextOf(value);
            rt::raise(rt::errNoCurrentRecord, "ReportEngine", "The report finds no record for" + what);
        }
        data.header = recordOf(*rs);
        rs->Close();
    }
    auto rs = connection->Execute(layout.lines.sql, bound(layout.lines, values));
    for (; !rs->eof(); rs->MoveNext())
        data.lines.push_back(recordOf(*rs));
    rs->Close();
    if (!layout.ratesField.isEmpty()) {
        auto it = data.header.find(layout.ratesField.toLower().toStdString());
        if (it != data.header.end())
            data.header["rates"] = ratesText(layout, connection, values, rt::TextOf(it->second));
    }
    return data;
}

} // namespace report
