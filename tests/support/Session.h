#pragma once
// A user's session on the demo database as the browse window sets it up for the other windows,
// and what the user was told during it.
#include "automation/Automation.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "db/Seeder.h"
#include "forms/ScriptedHost.h"
#include "services/SuiteConnection.h"
#include "support/DemoDb.h"

#include <string>
#include <vector>

namespace testsupport {

inline void startSession(DemoDb& demoDb, int16_t user, int16_t department,
                         int16_t company = db::demo::kCompany) {
    resetContext(company, user, db::demo::kCurrentYear, department);
    idj::Context& c = idj::ctx();
    c.strFunctionRights = user == db::demo::kAdmin ? "NEDUPI" : "NE";
    c.objPainter = automation::CreateObject("Paintkit.clsPainter");
    c.objActivityLog = automation::CreateObject("ActivityLog.clsActivityLog");
    idj::FrmMaster::instance().adocon = demoDb.conn;
    services::setSuiteConnection(demoDb.conn); // where the fault report records
}

// The voucher in the browse grid's current row, dated as the list shows it.
inline void selectVoucher(DemoDb& demoDb, int id) {
    forms::FlexGrid& grid = idj::FrmMaster::instance().GrdMaster;
    grid.setRows(2);
    grid.setCols(8);
    grid.setTextMatrix(1, 0, std::to_string(id));
    const std::string date =
        demoDb.scalar("select JournalTransDate from InterDivisionJournalTransHeader where companyid=" +
                      std::to_string(idj::ctx().intCompanyID) + " and JournalTransID=" + std::to_string(id));
    grid.setTextMatrix(1, 2, rt::toDisplay(*rt::parseDate(date)));
    grid.setRow(1);
}

inline std::vector<std::string> prompts(const forms::ScriptedHost& host) {
    std::vector<std::string> out;
    for (const auto& m : host.messages)
        out.push_back(m.prompt);
    return out;
}

} // namespace testsupport
