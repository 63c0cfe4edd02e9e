#pragma once
// The two counts behind a voucher's readable numbers, read through the indexes and counts the
// schema keeps for them (db/NumberingKeys.h) instead of scanning the company's vouchers.
#include "ado/Ado.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace idj {

// What the numbering statement gives for the prefix: the highest running number among the
// company's journal numbers that start with the prefix and go on with a number, 0 when none
// does. Raises what the statement raises (a running number that does not convert).
int64_t highestRunningNumber(const ado::ConnectionPtr& conn, int16_t company, const std::string& prefix);

// The number of the company's stored vouchers of the type ("JO", "PA", "RE" or "CA").
int64_t vouchersOfType(const ado::ConnectionPtr& conn, int16_t company, std::string_view typeCode);

// The numbering statement itself, run through the data layer over all the company's numbers.
int64_t highestRunningNumberByStatement(const ado::ConnectionPtr& conn, int16_t company,
                                        const std::string& prefix);

} // namespace idj
