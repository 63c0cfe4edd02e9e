#pragma once
// A stored voucher's lines as rows of the voucher editor's list (Edit and Duplicate load them so).
#include "ado/Ado.h"
#include "forms/ListView.h"

#include <cstdint>

namespace idj {

// How the "SlNo." of a loaded row reads: the stored line's identifier, or 1, 2, 3 ... for a copy.
enum class LineSerial { StoredId, Running };

// Loads the lines of this company's voucher `id` in stored order.
void loadVoucherLines(const ado::ConnectionPtr& con, forms::ListView& list, int32_t id, LineSerial serial);

} // namespace idj
