// The exchange-rate dialog's rate editor takes pasted or dropped text only as it takes typing.
#include "automation/Automation.h"
#include "browser/FrmMaster.h"
#include "component/Context.h"
#include "db/Seeder.h"
#include "forms/ScriptedHost.h"
#include "forms/TextEdit.h"
#include "rates/frmExchangerate.h"
#include "services/SuiteConnection.h"
#include "support/DemoDb.h"

#include <gtest/gtest.h>

namespace {

namespace demo = db::demo;
using idj::ctx;
using idj::frmExchangerate;

TEST(RateEditorPaste, OnlyRatesTheEditorCouldHaveTypedAreTaken) {
    testsupport::DemoDb db;
    forms::ScriptedHost host;
    forms::setHost(&host);
    testsupport::resetContext(demo::kCompany, demo::kAdmin, demo::kCurrentYear, demo::kHeadOffice);
    ctx().objPainter = automation::CreateObject("Paintkit.clsPainter");
    ctx().objActivityLog = automation::CreateObject("ActivityLog.clsActivityLog");
    idj::FrmMaster::instance().adocon = db.conn;
    services::setSuiteConnection(db.conn);
    ctx().GStrExchangeRates = " 1:2:3:-1:83.2:22.6:";

    frmExchangerate& d = frmExchangerate::instance();
    d.adocon = db.conn;
    d.Load();
    d.mfgitem.setRow(1);
    d.mfgitem.setCol(2);
    ASSERT_TRUE(d.txter.Visible);
    for (const char* pasted : {"-83.2", "83.2abc", "6.25E-05", "0.000000001", "1234567890123456"}) {
        d.txter.selectAll();
        EXPECT_FALSE(forms::editText(d.txter, pasted)) << pasted;
        EXPECT_EQ(d.txter.Text(), "83.2") << pasted;
    }
    d.txter.selectAll();
    EXPECT_TRUE(forms::editText(d.txter, "0.0000625"));
    EXPECT_EQ(d.txter.Text(), "0.0000625");
    // Pasted with the mouse, so no key is released: OK still saves what the editor shows.
    d.cmdOk.Click();
    EXPECT_EQ(ctx().GStrExchangeRates, " 1:2:3:-1:0.0000625:22.6:");

    if (d.loaded()) d.Unload();
    services::setSuiteConnection(nullptr);
    forms::setHost(nullptr);
}

} // namespace
