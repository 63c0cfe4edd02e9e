#pragma once
// The browse window with helpers that drive its sort and search controls as a user does.
#include "BrowseFixture.h"

#include "runtime/Convert.h"

#include <algorithm>
#include <string>
#include <vector>

using idj::FrmMaster;

class SearchTest : public BrowseTest {
  protected:
    // The full list heads its number column "JournalNo", the search's list "Journal No".
    static int entry(forms::ComboBox& combo, const std::string& text) {
        auto blankless = [](std::string t) {
            t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
            return t;
        };
        for (int i = 0; i < combo.ListCount(); ++i)
            if (blankless(combo.List(i)) == blankless(text)) return i;
        ADD_FAILURE() << text << " not listed";
        return -1;
    }
    static void sortOn(FrmMaster& m, const std::string& column, bool ascending = true) {
        (ascending ? m.optAscend : m.optDescend).setValue(true);
        m.cboColNames.setListIndex(entry(m.cboColNames, column));
    }
    static void typeSearch(FrmMaster& m, const std::string& column, const std::string& text, bool all,
                           int key = 'A') {
        m.chkSearchAll.setValue(all ? 1 : 0);
        m.cboSearch.setListIndex(entry(m.cboSearch, column));
        m.txtsearch.setText(text);
        m.txtsearch.KeyUp(key, 0);
    }
    static std::vector<int> ids(FrmMaster& m) {
        std::vector<int> out;
        for (int r = 1; r < m.GrdMaster.Rows(); ++r)
            out.push_back(static_cast<int>(rt::Val(m.GrdMaster.TextMatrix(r, 0))));
        return out;
    }
    int count(const std::string& where) {
        return std::stoi(demo.scalar("select count(*) from InterDivisionJournalTransHeader where companyid=1 "
                                     "and FinancialID=3 and " +
                                     where));
    }
};
