#include "automation/Server.h"

#include <cctype>
#include <cstdio>

namespace automation {

std::string toString(const Guid& g) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.data1, g.data2,
                  g.data3, g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4], g.data4[5], g.data4[6],
                  g.data4[7]);
    return buf;
}

std::optional<Guid> parseGuid(std::string_view text) {
    if (text.size() == 38 && text.front() == '{' && text.back() == '}') text = text.substr(1, 36);
    if (text.size() != 36) return std::nullopt;
    // Hex digits of the text in order, with the hyphens where they belong.
    std::string hex;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        bool hyphenPlace = i == 8 || i == 13 || i == 18 || i == 23;
        if (hyphenPlace) {
            if (c != '-') return std::nullopt;
            continue;
        }
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        hex += c;
    }
    auto field = [&](size_t from, size_t len) { return std::stoul(hex.substr(from, len), nullptr, 16); };
    Guid g;
    g.data1 = static_cast<uint32_t>(field(0, 8));
    g.data2 = static_cast<uint16_t>(field(8, 4));
    g.data3 = static_cast<uint16_t>(field(12, 4));
    for (size_t i = 0; i < 8; ++i)
        g.data4[i] = static_cast<uint8_t>(field(16 + 2 * i, 2));
    return g;
}

} // namespace automation
