#pragma once
// A stored voucher line as a row of the voucher editor's list (Edit and Duplicate load them so).
#include "ado/Ado.h"
#include "forms/ListView.h"

#include <string>

namespace idj {

void addVoucherLineRow(forms::ListView& list, ado::Recordset& rs, const std::string& rowText);

} // namespace idj
