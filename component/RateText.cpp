#include "component/RateText.h"

#include "runtime/Convert.h"
#include "runtime/Error.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace idj::rates {

namespace {

// Split at a separator, every piece kept (as the runtime's Split does).
std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

// Every element is followed by ":", so the last piece of the split is the empty rest.
std::vector<std::string> elements(const std::string& part) {
    std::vector<std::string> list = split(part, ':');
    list.pop_back();
    // The dialog writes its first identifier with a leading blank.
    for (std::string& element : list)
        rt::TrimInPlace(element);
    return list;
}

} // namespace

RateLists splitRates(const std::string& text) {
    RateLists lists;
    const std::string trimmed = rt::Trim(text);
    if (trimmed.empty()) return lists;
    std::vector<std::string> parts = split(trimmed, '-');
    lists.ids = elements(parts[0]);
    lists.separated = parts.size() > 1;
    if (lists.separated) lists.rates = elements(parts[1]);
    return lists;
}

std::string joinRates(const RateLists& lists) {
    std::string text;
    for (const std::string& id : lists.ids)
        text += id + ":";
    text += "-";
    for (const std::string& rate : lists.rates)
        text += rate + ":";
    return text;
}

std::string rateText(double rate) {
    if (!std::isfinite(rate)) rt::raise(rt::errOverflow);
    if (rate == 0) return "0";
    // Enough places for 15 significant digits at any magnitude; the formatter drops the zeros.
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(rate))));
    const int places = std::max(0, 15 - magnitude);
    std::string pattern = "0.";
    pattern.append(static_cast<size_t>(places), '#');
    return rt::Format(rt::Variant(rate), places ? pattern : "0");
}

std::optional<int32_t> wholeNumber(const std::string& element) {
    const std::string t = rt::Trim(element);
    if (t.empty()) return std::nullopt;
    int32_t value = 0;
    const char* end = t.data() + t.size();
    auto [ptr, ec] = std::from_chars(t.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

std::string sqlIdList(const std::vector<std::string>& ids) {
    std::string list;
    for (const std::string& id : ids) {
        std::optional<int32_t> n = wholeNumber(id);
        if (!n) continue;
        if (!list.empty()) list += ',';
        list += std::to_string(*n);
    }
    return list;
}

double rateOf(const RateLists& lists, int32_t currency) {
    for (size_t i = 0; i < lists.ids.size(); ++i) {
        if (wholeNumber(lists.ids[i]) != currency) continue;
        return i < lists.rates.size() ? rt::Val(lists.rates[i]) : 0.0;
    }
    return 0.0;
}

} // namespace idj::rates
