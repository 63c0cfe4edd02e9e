#include "report/ReportData.h"

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

std::string trimmedNumber(const std::string& text) {
    std::string t = rt::Trim(text);
    return rt::IsNumeric(rt::Variant(t)) ? rt::Format(rt::CDbl(rt::Variant(t)), "0.0000") : t;
}

// "id1:id2:...-rate1:rate2:..." as "USD 83.1000   AED 3.6725", each currency by its name.
std::string ratesText(const Layout& layout, const ado::ConnectionPtr& connection, Values values,
                      const std::string& text) {
    const size_t dash = text.find('-');
    if (dash == std::string::npos) return {};
    auto split = [](const std::string& s) {
        std::vector<std::string> parts;
        size_t start = 0;
        for (size_t colon; (colon = s.find(':', start)) != std::string::npos; start = colon + 1)
            parts.push_back(s.substr(start, colon - start));
        if (start < s.size()) parts.push_back(s.substr(start));
        return parts;
    };
    const std::vector<std::string> ids = split(text.substr(0, dash));
    const std::vector<std::string> rates = split(text.substr(dash + 1));
    std::string out;
    for (size_t i = 0; i < ids.size() && i < rates.size(); ++i) {
        if (rt::Trim(ids[i]).empty()) continue;
        std::string name = rt::Trim(ids[i]);
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
        out += name + "\u00a0" + trimmedNumber(rates[i]);
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
