#pragma once
#include "browser/FrmMaster.h"
#include "browser/frmcancelreason.h"
#include "component/basJournal.h"
#include "support/DemoDb.h"

#include <gtest/gtest.h>

class BrowseTest : public ::testing::Test {
  protected:
    void SetUp() override { forms::setHost(&host); }
    void TearDown() override {
        idj::FrmMaster& m = idj::FrmMaster::instance();
        if (m.loaded()) m.Unload();
        forms::setHost(nullptr);
    }

    idj::FrmMaster& open(int16_t company = db::demo::kCompany, int16_t user = db::demo::kAdmin,
                         int16_t year = db::demo::kCurrentYear, int16_t department = 0) {
        testsupport::resetContext(company, user, year, department);
        idj::FrmMaster& m = idj::FrmMaster::instance();
        m.adocon = demo.conn;
        m.Load();
        return m;
    }

    // The grid row showing a voucher, or 0.
    static int rowOf(idj::FrmMaster& m, int id) {
        for (int r = 1; r < m.GrdMaster.Rows(); ++r)
            if (m.GrdMaster.TextMatrix(r, 0) == std::to_string(id)) return r;
        return 0;
    }

    static void select(idj::FrmMaster& m, int id) {
        int r = rowOf(m, id);
        ASSERT_GT(r, 0) << "voucher " << id << " not listed";
        m.GrdMaster.setRow(r);
    }

    // Yes to the deletion question, then the reason typed and OK pressed.
    void confirmDeletion(const std::string& reason) {
        host.answer(forms::vbYes);
        host.onShow("frmcancelreason", [reason](forms::Form& f) {
            f.typeText(reason);
            static_cast<idj::frmcancelreason&>(f).cmdOK.press();
        });
    }

    testsupport::DemoDb demo;
    forms::ScriptedHost host;
};
