#include "ado/TextCompare.h"

#include "ado/ProviderError.h"

#include <sqlite3.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace ado {

namespace {

constexpr size_t npos = static_cast<size_t>(-1);

// The code point at `i`, moving `i` past it. A byte that is not valid UTF-8 stands for
// itself above the Unicode range, so that it still compares unequal to any character.
char32_t decode(std::string_view s, size_t& i) {
    auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        ++i;
        return c;
    }
    int32_t pos = static_cast<int32_t>(i);
    UChar32 cp = 0;
    U8_NEXT(s.data(), pos, static_cast<int32_t>(s.size()), cp);
    if (cp < 0) {
        ++i;
        return 0x110000u + c;
    }
    i = static_cast<size_t>(pos);
    return static_cast<char32_t>(cp);
}

char32_t fold(char32_t c) {
    if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 32 : c;
    if (c > 0x10FFFF) return c;
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}

char32_t nextFolded(std::string_view s, size_t& i) {
    return fold(decode(s, i));
}

std::string_view trimTrailingBlanks(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// One element of a LIKE pattern.
struct PatternItem {
    enum Kind { Percent, Any, Set, Literal } kind = Literal;
    char32_t literal = 0; // folded
    std::string_view set; // between the brackets, without a leading '^'
    bool negated = false;
};

PatternItem readItem(std::string_view p, size_t& i, char32_t escape) {
    PatternItem item;
    char32_t c = decode(p, i);
    if (escape != 0 && c == escape && i < p.size()) {
        item.literal = nextFolded(p, i);
        return item;
    }
    if (c == '%') {
        item.kind = PatternItem::Percent;
    } else if (c == '_') {
        item.kind = PatternItem::Any;
    } else if (c == '[') {
        size_t from = i;
        if (from < p.size() && p[from] == '^') ++from;
        // The first character of a set may be ']' itself, as in "[]]".
        size_t close = from < p.size() ? p.find(']', from + 1) : npos;
        if (close == npos) {
            item.literal = '['; // an unclosed bracket stands for itself
        } else {
            item.kind = PatternItem::Set;
            item.negated = p[i] == '^';
            item.set = p.substr(from, close - from);
            i = close + 1;
        }
    } else {
        item.literal = fold(c);
    }
    return item;
}

bool inSet(std::string_view set, char32_t c) {
    size_t i = 0;
    while (i < set.size()) {
        char32_t low = nextFolded(set, i);
        if (i + 1 < set.size() && set[i] == '-') {
            ++i;
            char32_t high = nextFolded(set, i);
            if (c >= low && c <= high) return true;
        } else if (c == low) {
            return true;
        }
    }
    return false;
}

bool matches(const PatternItem& item, char32_t c) {
    switch (item.kind) {
    case PatternItem::Any:
        return true;
    case PatternItem::Set:
        return inSet(item.set, c) != item.negated;
    case PatternItem::Literal:
        return item.literal == c;
    case PatternItem::Percent:
        break;
    }
    return false;
}

// Wildcard matching with backtracking to the last '%' only, which is enough since '%' is the
// one element that takes a variable number of characters.
bool matchAll(std::string_view value, std::string_view pattern, char32_t escape) {
    size_t v = 0, p = 0;
    size_t starP = npos, starV = 0;
    while (v < value.size()) {
        if (p < pattern.size()) {
            size_t nextP = p;
            PatternItem item = readItem(pattern, nextP, escape);
            if (item.kind == PatternItem::Percent) {
                starP = p = nextP;
                starV = v;
                continue;
            }
            size_t nextV = v;
            if (matches(item, nextFolded(value, nextV))) {
                p = nextP;
                v = nextV;
                continue;
            }
        }
        if (starP == npos) return false;
        decode(value, starV);
        v = starV;
        p = starP;
    }
    while (p < pattern.size())
        if (readItem(pattern, p, escape).kind != PatternItem::Percent) return false;
    return true;
}

int collate(void*, int na, const void* a, int nb, const void* b) {
    return compareText(std::string_view(static_cast<const char*>(a), static_cast<size_t>(na)),
                       std::string_view(static_cast<const char*>(b), static_cast<size_t>(nb)));
}

} // namespace

int compareText(std::string_view a, std::string_view b) {
    a = trimTrailingBlanks(a);
    b = trimTrailingBlanks(b);
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        auto ca = static_cast<unsigned char>(a[i]);
        auto cb = static_cast<unsigned char>(b[j]);
        if (ca < 0x80 && cb < 0x80) {
            if (ca != cb) {
                char32_t fa = fold(ca), fb = fold(cb);
                if (fa != fb) return fa < fb ? -1 : 1;
            }
            ++i;
            ++j;
            continue;
        }
        char32_t fa = nextFolded(a, i), fb = nextFolded(b, j);
        if (fa != fb) return fa < fb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

bool likeText(std::string_view value, std::string_view pattern, char32_t escape) {
    if (matchAll(value, pattern, escape)) return true;
    std::string_view trimmed = trimTrailingBlanks(value);
    return trimmed.size() != value.size() && matchAll(trimmed, pattern, escape);
}

void registerTextCollation(sqlite3* db) {
    int rc = sqlite3_create_collation_v2(db, kTextCollation, SQLITE_UTF8, nullptr, collate, nullptr);
    if (rc != SQLITE_OK)
        detail::raiseProvider(detail::errOpenFailed,
                              std::string("Cannot register the text collation: ") + sqlite3_errstr(rc));
}

} // namespace ado
