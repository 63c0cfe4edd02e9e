#include "ado/ConnectionTarget.h"

#include "runtime/Object.h"

#include <algorithm>
#include <cctype>

namespace ado::detail {

namespace {

bool startsWithNoCase(const std::string& s, std::string_view prefix) {
    return s.size() >= prefix.size() && rt::iequals(std::string_view(s).substr(0, prefix.size()), prefix);
}

std::string trimmed(const std::string& s) {
    size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

// The file named by "Data Source=..." among ";"-separated settings, or the whole text.
std::string dataSource(const std::string& cs) {
    if (cs.find('=') == std::string::npos) return cs;
    size_t start = 0;
    while (start <= cs.size()) {
        size_t end = cs.find(';', start);
        std::string part = cs.substr(start, end == std::string::npos ? std::string::npos : end - start);
        size_t eq = part.find('=');
        if (eq != std::string::npos) {
            std::string key = part.substr(0, eq);
            key.erase(std::remove_if(key.begin(), key.end(), [](unsigned char c) { return std::isspace(c); }),
                      key.end());
            if (rt::iequals(key, "DataSource")) return trimmed(part.substr(eq + 1));
        }
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return {};
}

} // namespace

ConnectionTarget connectionTarget(const std::string& cs) {
    std::string text = trimmed(cs);
    if (startsWithNoCase(text, "postgresql://") || startsWithNoCase(text, "postgres://"))
        return {BackendKind::Postgres, text};
    if (startsWithNoCase(text, "sqlite:")) {
        std::string path = text.substr(7);
        // sqlite:///abs/path and sqlite://rel/path read as the URIs of other tools do.
        if (path.rfind("//", 0) == 0) path.erase(0, 2);
        return {BackendKind::Sqlite, path};
    }
    return {BackendKind::Sqlite, dataSource(cs)};
}

} // namespace ado::detail
