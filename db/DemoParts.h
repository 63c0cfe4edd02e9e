#pragma once
// The two halves of the demo seeder; both run inside the caller's transaction.
#include "db/DemoCalendar.h"

#include <cstdint>

struct sqlite3;

namespace db {

// The selling rate of a demo currency in a financial year; 0 for a currency without a rate.
double demoRate(int16_t currency, int16_t financialId);

void insertDemoMasters(sqlite3* db, const DemoCalendar& cal);
// Needs the masters: the lines take their accounts from the database.
void insertDemoVouchers(sqlite3* db, const DemoCalendar& cal);

} // namespace db
