#include "db/DemoCalendar.h"

#include "db/Seeder.h"

#include <cmath>
#include <cstdio>

namespace db {
namespace {

int daysBetween(rt::Date from, rt::Date to) {
    return static_cast<int>(std::lround(to.serial - from.serial));
}

// Voucher `index` of `count` (from 0), spread evenly from `start` over `days` days.
rt::Date spread(rt::Date start, int days, int index, int count) {
    return rt::addDays(start, count > 1 ? index * days / (count - 1) : 0);
}

} // namespace

DemoCalendar::DemoCalendar(rt::Date processDate) : process_(rt::dateOnly(processDate)) {
    rt::DateParts p = rt::splitDate(process_);
    int currentStart = p.month >= 4 ? p.year : p.year - 1;
    firstStartYear_ = currentStart - (demo::kCurrentYear - demo::kOlderYear);
}

rt::Date DemoCalendar::yearStart(int16_t financialId) const {
    return rt::makeDate(firstStartYear_ + financialId - demo::kOlderYear, 4, 1);
}

rt::Date DemoCalendar::yearEnd(int16_t financialId) const {
    return rt::makeDate(firstStartYear_ + financialId - demo::kOlderYear + 1, 3, 31);
}

std::string DemoCalendar::yearName(int16_t financialId) const {
    int start = firstStartYear_ + financialId - demo::kOlderYear;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d", start, (start + 1) % 100);
    return buf;
}

int16_t DemoCalendar::yearOfVoucher(int id) const {
    if (id < 21) return demo::kOlderYear;
    if (id < demo::kFirstCurrentYearVoucher) return demo::kPastYear;
    return demo::kCurrentYear;
}

rt::Date DemoCalendar::voucherDate(int id) const {
    int16_t fy = yearOfVoucher(id);
    rt::Date start = yearStart(fy);
    switch (fy) {
    case demo::kOlderYear:
        return spread(start, daysBetween(start, yearEnd(fy)), id - 1, 20);
    case demo::kPastYear:
        return spread(start, daysBetween(start, yearEnd(fy)), id - 21, 120);
    default:
        return spread(start, daysBetween(start, process_), id - demo::kFirstCurrentYearVoucher,
                      demo::kVoucherCount - demo::kFirstCurrentYearVoucher + 1);
    }
}

rt::Date DemoCalendar::secondCompanyVoucherDate(int id) const {
    rt::Date start = yearStart(demo::kCurrentYear);
    return spread(start, daysBetween(start, process_), id - 1, demo::kSecondVoucherCount);
}

rt::Date DemoCalendar::freezeDate() const {
    return voucherDate(demo::kFreezeVoucher);
}

} // namespace db
