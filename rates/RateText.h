#pragma once
// Reading the voucher's rates text "id1:id2:...-rate1:rate2:..." for the rate dialog.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace idj::rates {

struct RateLists {
    std::vector<std::string> ids;
    std::vector<std::string> rates;
};

// The two lists of a rates text, each without the empty element after its last ":".
// A blank text gives two empty lists.
RateLists splitRates(const std::string& text);

// The whole number an identifier element stands for (blanks around allowed), or nothing for
// any other text. The text may come from a stored column, so only what passes here may be
// put into a statement.
std::optional<int32_t> wholeNumber(const std::string& element);

// The identifiers of the list that are whole numbers, comma-separated for an IN list.
std::string sqlIdList(const std::vector<std::string>& ids);

// The rate at the first position whose identifier is `currency`, 0 when there is none.
double rateOf(const RateLists& lists, int32_t currency);

} // namespace idj::rates
