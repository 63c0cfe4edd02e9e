#pragma once
// The voucher's rates text "id1:id2:...-rate1:rate2:...": the one reader and the one writer,
// shared by the rate routines and the exchange-rate dialog.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace idj::rates {

struct RateLists {
    std::vector<std::string> ids;
    std::vector<std::string> rates;
    // Whether the text had its "-". Stored texts without one exist; the dialog shows their
    // currencies without rates, the routines that extend or convert refuse them.
    bool separated = false;
};

// The two lists of a rates text, each element trimmed and without the empty element after the
// last ":". A blank text gives two empty lists. Only the first "-" separates: a text written
// before rates were kept free of exponents ("6.25E-05") reads as it always has.
RateLists splitRates(const std::string& text);

// The text of two lists; the inverse of splitRates for what the writers put in.
std::string joinRates(const RateLists& lists);

// A rate as the text carries it: a plain decimal of 15 significant digits, never an exponent,
// whose "-" would be taken for the separator. A non-finite rate raises overflow (6).
std::string rateText(double rate);

// The whole number an identifier element stands for (blanks around allowed), or nothing for
// any other text. The text may come from a stored column, so only what passes here may be
// put into a statement.
std::optional<int32_t> wholeNumber(const std::string& element);

// The identifiers of the list that are whole numbers, comma-separated for an IN list.
std::string sqlIdList(const std::vector<std::string>& ids);

// The rate at the first position whose identifier is `currency`, 0 when there is none.
double rateOf(const RateLists& lists, int32_t currency);

} // namespace idj::rates
