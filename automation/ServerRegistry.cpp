#include "automation/ServerRegistry.h"

#include "runtime/Error.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace automation {

namespace {

constexpr int32_t errFileAccess = 75;

std::string& explicitPath() {
    static std::string p;
    return p;
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t'))
        fields.push_back(field);
    if (!line.empty() && line.back() == '\t') fields.emplace_back();
    return fields;
}

bool isComment(const std::string& line) {
    size_t first = line.find_first_not_of(" \t\r");
    return first == std::string::npos || line[first] == '#';
}

std::optional<ServerEntry> parseLine(const std::string& line) {
    if (isComment(line)) return std::nullopt;
    std::string text = line;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    auto f = splitTabs(text);
    if (f.size() != 5 || f[0].empty()) return std::nullopt;
    auto clsid = parseGuid(f[1]);
    if (!clsid) return std::nullopt;
    return ServerEntry{f[0], *clsid, f[2], f[3], f[4]};
}

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

// The first field of a line, whatever the rest holds.
std::string progIdOf(const std::string& line) {
    if (isComment(line)) return {};
    return line.substr(0, line.find('\t'));
}

// Rewrites the file through a temporary one, so a reader never sees half a file.
void writeLines(const std::string& path, const std::vector<std::string>& lines) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(path);
    if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
    std::string temp = path + ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(temp, std::ios::trunc);
        if (!out) rt::raise(errFileAccess, "automation", "Path/File access error: " + path);
        out << "# ProgID\tclass id\tclass name\tdescription\tlibrary\n";
        for (const std::string& l : lines)
            if (l.rfind("# ProgID\t", 0) != 0) out << l << '\n';
        out.flush();
        if (!out) rt::raise(errFileAccess, "automation", "Path/File access error: " + path);
    }
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        rt::raise(errFileAccess, "automation", "Path/File access error: " + path);
    }
}

void checkField(const std::string& value) {
    if (value.find_first_of("\t\r\n") != std::string::npos)
        rt::raise(rt::errInvalidProcedureCall, "automation",
                  "A registration field may not hold a tab or line break: " + value);
}

} // namespace

void setRegistryPath(std::string path) {
    explicitPath() = std::move(path);
}

std::string registryPath() {
    if (!explicitPath().empty()) return explicitPath();
    if (const char* env = std::getenv("IDJ_REGISTRY"); env && *env) return env;
    const char* home = std::getenv("HOME");
    std::string base = home && *home ? home : ".";
    return base + "/.idjrnl08/registry";
}

std::vector<ServerEntry> registeredServers() {
    std::vector<ServerEntry> entries;
    for (const std::string& line : readLines(registryPath()))
        if (auto e = parseLine(line)) entries.push_back(std::move(*e));
    return entries;
}

std::optional<ServerEntry> findServer(std::string_view progId) {
    for (ServerEntry& e : registeredServers())
        if (rt::iequals(e.progId, progId)) return std::move(e);
    return std::nullopt;
}

void registerServer(const ServerEntry& entry) {
    for (const std::string* f : {&entry.progId, &entry.className, &entry.description, &entry.library})
        checkField(*f);
    if (entry.progId.empty()) rt::raise(rt::errInvalidProcedureCall, "automation", "A ProgID is required");
    std::string path = registryPath();
    std::vector<std::string> kept;
    for (std::string& line : readLines(path))
        if (!rt::iequals(progIdOf(line), entry.progId)) kept.push_back(std::move(line));
    kept.push_back(entry.progId + '\t' + toString(entry.clsid) + '\t' + entry.className + '\t' +
                   entry.description + '\t' + entry.library);
    writeLines(path, kept);
}

bool unregisterServer(std::string_view progId) {
    std::string path = registryPath();
    std::vector<std::string> kept;
    bool found = false;
    for (std::string& line : readLines(path)) {
        if (rt::iequals(progIdOf(line), progId))
            found = true;
        else
            kept.push_back(std::move(line));
    }
    if (found) writeLines(path, kept);
    return found;
}

} // namespace automation
