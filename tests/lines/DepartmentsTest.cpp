// The departments a line may take: the user's group decides the list, and a line never changes
// department unless the user chose one.
#include "LineEditorFixture.h"

#include "component/basJournal.h"

namespace linetest {

using Names = std::vector<std::string>;

// The voucher editor opened again in the same process for another user, as the host does.
class DepartmentsTest : public LineEditorTest {
  protected:
    void reopenVoucherAs(int16_t user) {
        voucher().Tag.clear();
        voucher().Unload();
        ctx().intuserid = user;
        voucher().Load();
    }
    static Names departments(const frmJournalDetails& w) {
        Names out;
        for (int i = 0; i < w.cboDepartment.ListCount(); ++i)
            out.push_back(w.cboDepartment.List(i));
        return out;
    }

    Names listedFor(int16_t user) {
        reopenVoucherAs(user);
        Names listed;
        open(true, [&](frmJournalDetails& w) {
            listed = departments(w);
            w.cmdCancel.press();
        });
        return listed;
    }
};

TEST_F(DepartmentsTest, EachUserGetsOnlyTheirOwnGroupsDepartments) {
    EXPECT_EQ(listedFor(demo::kAdmin).size(), 4u);
    EXPECT_EQ(listedFor(demo::kClerk), (Names{"Export Division", "Head Office"}));

    // After the admin, a clerk without a group has no department at all.
    EXPECT_EQ(listedFor(demo::kAdmin).size(), 4u);
    db.exec("update Ausers set UserGroupID = NULL where userid = " + std::to_string(demo::kClerk));
    EXPECT_EQ(listedFor(demo::kClerk), Names{});
    EXPECT_EQ(ctx().GStrUserDepartments, " IN (0)");
    // Nor does a user the suite does not know.
    EXPECT_EQ(listedFor(demo::kAdmin).size(), 4u);
    EXPECT_EQ(listedFor(99), Names{});
    EXPECT_EQ(faults(), 0);
}

TEST_F(DepartmentsTest, FilterThatNeverLoadedOffersNoDepartment) {
    idj::LoadUserDepartments();
    ctx().GStrUserDepartments.clear();
    open(true, [&](frmJournalDetails& w) { EXPECT_EQ(departments(w), Names{}); });
}

TEST_F(DepartmentsTest, LineOfAnotherGroupsDepartmentIsShownAsStoredAndNeverRewritten) {
    // Its lines are of all four departments; the clerk's group has the first two.
    reopenVoucherAs(demo::kClerk);
    editStoredVoucher(demo::kTwelveLineVoucher);
    std::vector<Names> stored;
    int own = 0, other = 0;
    for (int i = 1; i <= lines().Count(); ++i) {
        stored.push_back(row(i));
        int& slot = row(i)[8] == "1" || row(i)[8] == "2" ? own : other;
        if (!slot) slot = i;
    }
    ASSERT_TRUE(own && other);
    const Names& locked = stored[other - 1];
    const std::string symbol = db.scalar(
        "select c.Symbol from adepartmentmaster m join acurrencymaster c on c.CompanyID = m.CompanyID and "
        "c.CurrencyID = m.depcurrencyid where m.DepartmentID = " +
        locked[8]);

    lines().select(own);
    open(false, [&](frmJournalDetails& w) {
        EXPECT_TRUE(w.cmdOK.Enabled);
        auto moveTo = [&](int target) {
            while (lines().selectedIndex() != target)
                (lines().selectedIndex() < target ? w.cmdNext : w.cmdPrevious).press();
        };
        moveTo(other);
        EXPECT_EQ(w.cboDepartment.Text() + "|" + w.cboAccountID.Text(), locked[1] + "|" + locked[2]);
        EXPECT_EQ(w.cboAccountID.ListCount(), 0) << "the previous department's accounts stayed";
        EXPECT_EQ(w.lblAmount.Caption, "Amount(" + symbol + "):");
        EXPECT_FALSE(w.cmdOK.Enabled || w.fraJournal.Enabled);
        EXPECT_TRUE(w.txtAmount.Locked);
        w.cmdOK.press();
        w.cmdOK_Click(); // even past the disabled button
        EXPECT_EQ(lines().selectedIndex(), other);

        moveTo(own);
        EXPECT_TRUE(w.cmdOK.Enabled && w.fraJournal.Enabled);
        EXPECT_FALSE(w.txtAmount.Locked);
        EXPECT_EQ(w.cboDepartment.ItemData(w.cboDepartment.ListIndex()), std::stoi(stored[own - 1][8]));
        w.cmdCancel.press();
    });
    for (int i = 1; i <= lines().Count(); ++i)
        EXPECT_EQ(row(i), stored[i - 1]) << "line " << i;
    EXPECT_EQ(faults(), 0);
}

} // namespace linetest
