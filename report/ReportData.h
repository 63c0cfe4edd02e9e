#pragma once
// The rows a report prints, read through the connection the engine was logged on with.
#include "ado/Ado.h"
#include "report/ReportLayout.h"
#include "runtime/Variant.h"

#include <map>
#include <string>
#include <vector>

namespace report {

// Field values by lower-case name.
using Record = std::map<std::string, rt::Variant>;
// Parameter values by lower-case name.
using Values = std::map<std::string, rt::Variant>;

struct ReportData {
    Record header; // also "rates": the rates used, as printed
    std::vector<Record> lines;
};

// Runs the layout's statements with the values bound. Raises 3021 when the header statement
// finds no row (no such voucher of the company).
ReportData readData(const Layout& layout, const ado::ConnectionPtr& connection, const Values& values);

} // namespace report
