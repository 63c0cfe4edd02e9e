#include "ado/SqlLikePattern.h"

namespace ado {

namespace {

void regexLiteral(std::string& r, char c) {
    if (std::string_view(".^$*+?()[]{}|\\").find(c) != std::string_view::npos) r += '\\';
    r += c;
}

} // namespace

std::string likeAsRegex(std::string_view p, char escape) {
    std::string r = "^";
    for (size_t k = 0; k < p.size(); ++k) {
        char c = p[k];
        if (escape && c == escape && k + 1 < p.size()) {
            regexLiteral(r, p[++k]);
        } else if (c == '%') {
            r += ".*";
        } else if (c == '_') {
            r += '.';
        } else if (size_t close = c == '[' ? p.find(']', k + 2) : std::string_view::npos;
                   close != std::string_view::npos) {
            r += '[';
            for (size_t j = k + 1; j < close; ++j) {
                if (p[j] == '\\') r += '\\';
                r += p[j];
            }
            r += ']';
            k = close;
        } else {
            regexLiteral(r, c);
        }
    }
    return r + " *$";
}

} // namespace ado
