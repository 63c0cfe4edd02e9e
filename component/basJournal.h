#pragma once
// The module routines that all windows share.
#include "ado/Ado.h"
#include "runtime/Variant.h"

#include <cstdint>
#include <string>
#include <vector>

namespace idj {

// The connection every module routine uses: the browse window's.
ado::ConnectionPtr browserConnection();

// Exchange rates: the rates text "id1:id2:...-rate1:rate2:..." of the voucher (RateText.h).
// A currency new to the text comes in at its latest rate dated on or before the open voucher's
// date.
std::string AddPartyRate(const std::string& rates, const std::string& kind, int32_t id);
bool CurrencyListed(int32_t currency);
int16_t PartyCurrency(const std::string& kind, int32_t id);
double CrossRate(int16_t fromCurrency, int16_t toCurrency);
// The lists left by the last parse of a rates text.
const std::vector<std::string>& parsedCurrencies();
const std::vector<std::string>& parsedRates();

// Accounts freeze date.
rt::Variant GetFreezeDate();
bool IsFrozenDate(rt::Date date);
// The user's department filter, " IN (...)".
void LoadUserDepartments();

// Refreshes the browse grid's row of one voucher after a save or deletion: "E" rewrites the
// current row, any other mode adds one.
void UpdateEditedRow(const std::string& condition, int32_t id);

} // namespace idj
