#pragma once
// Where the demo's years and vouchers fall for a given process date.
#include "runtime/Date.h"

#include <cstdint>
#include <string>

namespace db {

class DemoCalendar {
  public:
    explicit DemoCalendar(rt::Date processDate);

    rt::Date processDate() const { return process_; }
    // Financial years 1 (oldest) to 3 (the one containing the process date), 1 April to 31 March.
    rt::Date yearStart(int16_t financialId) const;
    rt::Date yearEnd(int16_t financialId) const;
    std::string yearName(int16_t financialId) const; // "2024-25"

    // Company 1's vouchers 1..300 in date order over the three years; company 2's 1..12 in the
    // current year up to the process date.
    int16_t yearOfVoucher(int id) const;
    rt::Date voucherDate(int id) const;
    rt::Date secondCompanyVoucherDate(int id) const;
    rt::Date freezeDate() const;

  private:
    rt::Date process_;
    int firstStartYear_;
};

} // namespace db
