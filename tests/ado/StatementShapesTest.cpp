// The component's statements, word for word as its windows build them, on a small database.
#include "BackendFixture.h"
#include "db/Schema.h"
#include "runtime/Convert.h"

#include <gmock/gmock.h>

using testing::ElementsAre;
using testing::UnorderedElementsAre;

namespace {

class StatementShapes : public adotest::BackendFixture {
  protected:
    void SetUp() override {
        BackendFixture::SetUp();
        if (onServer())
            db::createSchema(conn);
        else
            db::createSchema(conn->handle());
        conn->BeginTrans();
        const char* setup[] = {
            "INSERT INTO acompanymaster (CompanyID, CompanyName, CurrencyID) VALUES (1, 'Meridian', 1), (2, "
            "'Other', 1)",
            "INSERT INTO acurrencymaster VALUES (1, 1, 'Rupee', 'Rs.'), (1, 2, 'US Dollar', '$')",
            "INSERT INTO ExchangeRateDetail (CompanyID, CurrencyID, RateDate, SellingRate) VALUES "
            "(1, 1, '20240101', 1), (1, 2, '20240101', 83.2)",
            "INSERT INTO adepartmentmaster VALUES (1, 1, 'Head Office', 1), (2, 1, 'Export Division', 2)",
            "INSERT INTO agroupmaster VALUES (1, 1, 'Cash'), (1, 2, 'Bank'), (1, 6, 'Expenses')",
            "INSERT INTO AACCOUNTMASTER (CompanyID, AccountID, AccountDesc, groupid, departmentid, "
            "currencyid, active) "
            "VALUES (1, 1, 'Cash - HO', 1, 1, 1, 1), (1, 2, 'HDFC Bank', 2, 1, 1, 1), (1, 3, 'Rent', 6, 1, "
            "1, 1), "
            "(1, 4, 'Citibank USD', 2, 2, 2, 1), (1, 5, 'Old Suspense', 6, 0, 1, 0), (1, 7, 'Head Office "
            "Control', 6, 0, 1, 1)",
            "INSERT INTO adepcontrolaccounts VALUES (1, 2, 1, 7)",
            "INSERT INTO avendormaster VALUES (1, 8, 'Shipper', 2)",
            "INSERT INTO acustomermaster VALUES (1, 9, 'Buyer', 1)",
            "INSERT INTO ASETTINGS VALUES (1, 30, 1)",
            "INSERT INTO apackagesettings VALUES ('Suite', '20200401', 0, 1)",
            "INSERT INTO MiscSettings (AccountsFreezeDate) VALUES ('20240331')",
            "INSERT INTO aPrefix VALUES (1, 1, 5029, 3, NULL, NULL, 1, 'IDJ/'), (2, 1, 5029, 3, 1, NULL, 1, "
            "'SHOP/'), "
            "(3, 1, 5029, 3, NULL, NULL, 2, 'EXP/')",
            "INSERT INTO afinancialyear VALUES (2, '2023-24', 0), (3, '2024-25', 1)",
            "INSERT INTO afinancialperiod VALUES (2, '20230401', '20240331'), (3, '20240401', '20250331')",
            "INSERT INTO aaccountfinyearopening (financialid, companyid, accountid) VALUES (3, 1, 2)",
            "INSERT INTO ausergroupmaster VALUES (1, 'Admins')",
            "INSERT INTO ausers (userid, username, UserGroupID) VALUES (1, 'admin', 1)",
            "INSERT INTO AuserGroupDeptDetails VALUES (1, 1), (1, 2)",
            "INSERT INTO auserrights VALUES (1, 1, 5029, 'NEDUPI'), (1, 1, 56, 'NE'), (1, 2, 5029, 'NE')",
            "INSERT INTO atables VALUES (1, 'InterDivisionJournalTransHeader')",
            "INSERT INTO atablecolumns VALUES (1, 0, 'JournalTransID', 'Journal ID'), (1, 1, 'JournalNo', "
            "'JournalNo'), "
            "(1, 2, 'JournalTransDate', 'Date')",
            "INSERT INTO papayacclinkheader VALUES (1, 1, 'PAY-1', '20240401', 1, 10, 1), (2, 1, 'PAY-2', "
            "'20240401', 1, 5, 0)",
        };
        for (const char* s : setup)
            exec(s);
        // id, no, date, cancelled, posted, type, confirm, serial, department
        header(1, "IDJ/1", "20240410", 0, 1, "PA", 1, "PAY/1", 1);
        header(2, "IDJ/2", "20240415", 0, 0, "RE", 0, "RCPT/1", 2);
        header(3, "IDJ/10", "20240420", 1, 0, "CA", 0, "CSTR/1", 1);
        header(4, "IDJ/X7", "20240421", 0, 0, "JO", 0, "JRN/1", 1);
        header(5, "IDJ/", "20240301", 0, 0, "JO", 0, "JRN/2", 1);
        header(6, "77", "20240425", 0, 0, "JO", 0, "JRN/3", 2);
        exec("INSERT INTO InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
             "JournalTransDate, "
             "FinancialID) VALUES (1, 2, 'IDJ/500', '20240410', 3)");
        line(1, 1, 3, false, "1", 250, "Rent for April");
        line(1, 2, 2, true, "1", 250, "Partner's cheque");
        exec("INSERT INTO JournaltransHeader VALUES (1, 1, 'JV/1', '20240411', 'from IDJ/1', 0, 1), "
             "(1, 2, 'JV/2', '20240411', 'dead', 1, 1), (1, 3, 'JV/3', '20240411', 'dead', 1, 2)");
        exec("INSERT INTO genjournalheader (GenJournalID, companyid, referenceno, Type, JournalDate, Cancel) "
             "VALUES "
             "(1, 1, 'IDJ/1', 'J', '20240410', 0), (2, 1, 'IDJ/1', 'J', '20240410', 0), "
             "(3, 1, 'IDJ/1', 'P', '20240410', 0), (4, 1, 'IDJ/1', 'J', '20240411', 0), "
             "(5, 2, 'IDJ/1', 'J', '20240410', 0)");
        conn->CommitTrans();
    }

    void header(int id, const char* no, const char* date, int cancelled, int posted, const char* type,
                int confirm, const char* serial, int department) {
        exec("INSERT INTO InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, "
             "JournalTransDate, "
             "Remarks, Cancelled, Posted, FinancialID, exchangerate, exchangerates, Type, Confirm, "
             "TypeSeriallNO, "
             "DepartmentID) VALUES (?, 1, ?, ?, ?, ?, ?, 3, 1, '1:-1:', ?, ?, ?, ?)",
             {id, no, date, std::string("Voucher ") + no, cancelled, posted, type, confirm, serial,
              department});
    }

    void line(int voucher, int n, int account, bool credit, const char* department, double amount,
              const char* remarks) {
        exec("INSERT INTO InterDivisionJournalTransDetails VALUES (?, 1, ?, ?, ?, ?, ?, ?, 1)",
             {n, voucher, account, credit, department, amount, remarks});
    }

    // Every row as its fields' texts joined by "|".
    std::vector<std::string> rows(const std::string& sql, ado::CursorType cursor = ado::adOpenStatic) {
        auto rs = open(sql, cursor);
        std::vector<std::string> out;
        for (; !rs->eof(); rs->MoveNext()) {
            std::string row;
            for (int i = 0; i < rs->FieldCount(); ++i)
                row += (i ? "|" : "") + rt::TextOf((*rs)[i]);
            out.push_back(row);
        }
        return out;
    }

    long affected(const std::string& sql) {
        long n = -5;
        conn->Execute(sql, {}, &n);
        return n;
    }

    std::string browse() {
        return std::string("SELECT h.JournalTransID, h.JournalNo, h.JournalTransDate,") +
               "  case h.type when 'PA' then 'Payment' else  case h.type when 'RE' then 'Receipt' else " +
               " case h.type when 'CA' then 'Cash Transfer' else 'Journal' end  end end type "
               ",TypeSeriallNO " +
               ", " + "case h.cancelled when 1 then 'Yes' else 'No' end cancelled , " +
               " case h.posted when 1 then 'Yes' else 'No' end posted ,case h.Confirm when 1 then 'Yes' else "
               "'No' "
               "end Confirm  From InterDivisionJournalTransHeader h (nolock) " +
               " where  h.Companyid= " + "1" + " and h.FinancialID = " + "3" +
               " and h.JournalTransDate >= '" + "20240331" + "'ORDER BY h.JournalTransID";
    }

    std::string search(const std::string& condition) {
        return std::string("SELECT h.JournalTransID, h.JournalNo, h.JournalTransDate, ") +
               "case h.cancelled when 1 then 'Yes' else 'No' end cancelled , " +
               " case h.posted when 1 then 'Yes' else 'No' end posted From InterDivisionJournalTransHeader h "
               "(nolock) " +
               " where  h.Companyid= 1 and h.FinancialID = 3" + condition + " ORDER BY h.JournalTransID DESC";
    }
};

TEST_P(StatementShapes, BrowseListAndRowRefresh) {
    EXPECT_THAT(rows(browse(), ado::adOpenKeyset),
                ElementsAre("1|IDJ/1|10/04/2024|Payment|PAY/1|No|Yes|Yes",
                            "2|IDJ/2|15/04/2024|Receipt|RCPT/1|No|No|No",
                            "3|IDJ/10|20/04/2024|Cash Transfer|CSTR/1|Yes|No|No",
                            "4|IDJ/X7|21/04/2024|Journal|JRN/1|No|No|No",
                            "6|77|25/04/2024|Journal|JRN/3|No|No|No"));
    auto rs = open(browse());
    EXPECT_EQ((*rs)["JournalTransDate"].type(), rt::Variant::Type::Date);
    EXPECT_EQ(rs->field(3).Name(), "type");
    // The row refresh cuts the statement before its ordering and narrows it to one voucher.
    std::string s = browse();
    std::string refresh = s.substr(0, s.find("ORDER BY")) + " and " + "JournalTransID=2";
    EXPECT_THAT(rows(refresh, ado::adOpenKeyset), ElementsAre("2|IDJ/2|15/04/2024|Receipt|RCPT/1|No|No|No"));
}

TEST_P(StatementShapes, TableSearchConditions) {
    EXPECT_THAT(rows(search(" and JournalNo like '%1%'")),
                ElementsAre("3|IDJ/10|20/04/2024|Yes|No", "1|IDJ/1|10/04/2024|No|Yes"));
    EXPECT_THAT(rows(search("  and convert(varchar(20),JournalTransDate,105) like '%15-04%'")),
                ElementsAre("2|IDJ/2|15/04/2024|No|No"));
    EXPECT_THAT(rows(search("  and convert(varchar(20),JournalTransDate,103) like '%20/04/2024%'")),
                ElementsAre("3|IDJ/10|20/04/2024|Yes|No"));
    EXPECT_THAT(rows(search(" and cancelled = '1'")), ElementsAre("3|IDJ/10|20/04/2024|Yes|No"));
    EXPECT_EQ(rows(search(" and posted = '0'")).size(), 5u);
    EXPECT_THAT(rows(search(" and h.DepartmentID=2 and h.JournalTransDate >= '20240331'")),
                ElementsAre("6|77|25/04/2024|No|No", "2|IDJ/2|15/04/2024|No|No"));
}

TEST_P(StatementShapes, RightsStateAndReferences) {
    EXPECT_THAT(rows("SELECT FunctionRights FROM auserrights (nolock) WHERE CompanyID = 1 AND UserID = 1 AND "
                     "InterfaceID = 5029"),
                ElementsAre("NEDUPI"));
    EXPECT_EQ(
        scalar(
            "SELECT Cancelled FROM InterDivisionJournalTransHeader WHERE companyid=1 and JournalTransID = 3"),
        rt::Variant(true));
    auto referred =
        open("select count(*) referred from JournaltransHeader where CompanyID=1 and cancelled = 0 and "
             "parentjournalid=1",
             ado::adOpenForwardOnly);
    EXPECT_EQ(rt::CLng((*referred)["referred"]), 1);
    EXPECT_THAT(
        rows("select JournalTransID from InterDivisionJournalTransHeader where Posted = 0 AND Cancelled = 0 "
             "and companyid=1"),
        UnorderedElementsAre("2", "4", "5", "6"));
    EXPECT_THAT(rows("SELECT NoOfPreviousDays FROM ASETTINGS WHERE CompanyID = 1"), ElementsAre("30"));
    EXPECT_THAT(rows("select tc.columnheader,tc.columnname from atables t,atablecolumns tc where t.tableid = "
                     "tc.tableid and tablename ='interdivisionjournaltransheader'"),
                ElementsAre("Journal ID|JournalTransID", "JournalNo|JournalNo", "Date|JournalTransDate"));
    EXPECT_EQ(rt::CStr(scalar("select username from ausers where userid=1")), "admin");
    EXPECT_EQ(rt::CDate(scalar("select AccountsFreezeDate from MiscSettings")), rt::makeDate(2024, 3, 31));
}

TEST_P(StatementShapes, OpeningAVoucherWithItsLines) {
    auto h = open("SELECT * FROM InterDivisionJournalTransHeader WHERE JournalTransID = 1 and companyid= 1");
    EXPECT_EQ((*h)["cancelled"], rt::Variant(false));
    EXPECT_EQ((*h)["Posted"], rt::Variant(true));
    EXPECT_EQ(rt::TextOf((*h)["exchangerates"]) + "", "1:-1:");
    EXPECT_EQ((*h)["JournalTransDate"].date(), rt::makeDate(2024, 4, 10));
    EXPECT_TRUE((*h)["CancelledRemarks"].isNull());
    std::string lines =
        std::string("SELECT JournalTransDetailID,(SELECT AccountDesc FROM AACCOUNTMASTER ") +
        " WHERE AccountID = InterDivisionJournalTransDetails.AccountID AND " + "companyid= " + "1" +
        ") AS AccDesc, (select DepartmentName  from adepartmentmaster where "
        "adepartmentmaster.DepartmentID=InterDivisionJournalTransDetails.departmentid ) Depname , "
        "Remarks,JournalTransCredit," +
        "Amount,AccountID ,departmentid FROM InterDivisionJournalTransDetails WHERE CompanyID = " + "1" +
        " AND " + "JournalTransID = " + "1";
    EXPECT_THAT(rows(lines + " order by JournalTransDetailID"),
                ElementsAre("1|Rent|Head Office|Rent for April|False|250|3|1",
                            "2|HDFC Bank|Head Office|Partner's cheque|True|250|2|1"));
    std::string duplicate = "SELECT " + lines.substr(lines.find("(SELECT AccountDesc"));
    auto d = open(duplicate);
    EXPECT_EQ(d->RecordCount(), 2);
}

TEST_P(StatementShapes, DeletingAndCancellingPostings) {
    EXPECT_EQ(
        affected(
            "UPDATE InterDivisionJournalTransHeader SET Cancelled = 1, CancelledRemarks = 'duplicate' WHERE "
            "JournalTransID = 2 and companyid= 1"),
        1);
    EXPECT_THAT(
        rows("select Cancelled, CancelledRemarks from InterDivisionJournalTransHeader where JournalTransID=2 "
             "and companyid=1"),
        ElementsAre("True|duplicate"));
    EXPECT_EQ(affected("Update genjournalheader set cancel=1 where referenceno='IDJ/1' and Type='J' and "
                       "JournalDate='20240410' And Cancel = 0 AND companyid=1"),
              2);
    EXPECT_EQ(
        affected(
            "UPDATE genjournalheader SET Cancel = 1 WHERE referenceno = 'idj/1' and companyid= 1 and Type "
            "= 'J' and JournalDate='20240410' And Cancel = 0"),
        0); // already cancelled; the decoys of another type, date or company stay live
    EXPECT_THAT(rows("select GenJournalID from genjournalheader where Cancel = 0 order by GenJournalID"),
                ElementsAre("3", "4", "5"));
    EXPECT_EQ(
        affected(
            "Update InterDivisionJournalTransHeader set posted=0 where JournalTransID=1 And companyid =1"),
        1);
}

TEST_P(StatementShapes, NumberingPrefixesAndSerials) {
    std::string prefixSql =
        "SELECT Prefix FROM aPrefix WHERE CompanyID = 1 AND InterfaceID = 5029 AND FinancialId = 3 "
        "and shopid is null and godownid is null and isnull(departmentid,0)=1";
    EXPECT_THAT(rows(prefixSql), ElementsAre("IDJ/"));
    auto highest = [&](const std::string& prefix) {
        std::string l = std::to_string(prefix.size());
        return scalar(
            "Select isnull(max(convert(int,right(JournalNo,len(JournalNo)-" + l +
            "))),0) from InterDivisionJournalTransHeader where CompanyID = 1 and len(journalno)>len('" +
            prefix + "') and  isnumeric(isnull(right(JournalNo,len(JournalNo)-" + l +
            "),0)) =1 and substring(journalno,1,len('" + prefix + "'))='" + prefix + "'");
    };
    EXPECT_EQ(rt::CLng(highest("IDJ/")), 10); // IDJ/X7, the bare prefix and company 2's IDJ/500 do not count
    EXPECT_EQ(rt::CLng(highest("")), 77);
    EXPECT_EQ(rt::CLng(highest("NEW/")), 0);
    auto serial =
        open("SELECT count(*) +1 as count  FROM InterDivisionJournalTransHeader WHERE Type ='JO' and "
             "companyid= 1");
    EXPECT_EQ(rt::CLng((*serial)["Count"]), 4);
    EXPECT_EQ(rt::CLng(scalar(
                  "SELECT isnull(max(JournalTransID),0) + 1 FROM InterDivisionJournalTransHeader  WHERE "
                  "CompanyID = 1")),
              7);
    EXPECT_EQ(rt::CInt(scalar("select companydepartment from aPackagesettings")), 1);
}

TEST_P(StatementShapes, FinancialYearChecks) {
    EXPECT_THAT(
        rows("Select vw.financialid from vwfinyearperiod vw, InterDivisionJournalTransHeader jh where "
             "jh.financialid=vw.financialid and jh.journaltransid = 1 and '20250331' between vw.sdate and "
             "vw.edate "),
        ElementsAre("3", "3")); // the join does not name the company: company 2's voucher 1 joins too
    EXPECT_TRUE(
        rows("Select vw.financialid from vwfinyearperiod vw, InterDivisionJournalTransHeader jh where "
             "jh.financialid=vw.financialid and jh.journaltransid = 1 and '20240331' between vw.sdate and "
             "vw.edate ",
             ado::adOpenKeyset)
            .empty());
    EXPECT_THAT(
        rows(
            "Select af.financialid from vwfinyearperiod vw, afinancialyear af where '20230601' between sdate "
            "and edate and vw.financialid = af.financialid and af.curfinancialyear<>1 "),
        ElementsAre("2"));
    EXPECT_THAT(
        rows("Select financialid from vwfinyearperiod vw where '20240601' between sdate and edate and "
             "financialid>0"),
        ElementsAre("3"));
    EXPECT_THAT(rows("select FunctionRights from auserrights where  userid=1 and  interfaceid= 56"),
                ElementsAre("NE"));
    EXPECT_EQ(rt::CLng(scalar("select count(*) from aaccountfinyearopening where  financialid>2")), 1);
    EXPECT_EQ(rt::CDate(scalar("select packagedate from apackagesettings")), rt::makeDate(2020, 4, 1));
    EXPECT_EQ(
        rt::CInt(scalar("select financialid from vwfinyearperiod where  '20240401' between sdate and edate")),
        3);
    // The identifier arrives quoted; SQLite compares it as the number the column holds.
    EXPECT_EQ(
        scalar("select Posted from InterDivisionJournalTransHeader where JournalTransID='1' and companyid=1"),
        rt::Variant(true));
}

TEST_P(StatementShapes, EditingAVoucherRewritesHeaderAndLines) {
    exec(std::string("update InterDivisionJournalTransHeader set  JournalTransDate = '") + "20240502" +
         "' , updatetime='" + "20240502" + "',  " + " Remarks ='" + "Rent, May" + "', exchangerate = " + "1" +
         " , exchangerates = '" + "1:2:-1:83.2:" + "',Type = '" + "JO" + "' " + " , Confirm = " + "0" +
         " where JournalTransID=" + "1" + " and companyid=" + "1");
    EXPECT_EQ(affected("Delete from InterDivisionJournalTransDetails where journaltransid=1"), 2);
    EXPECT_EQ(
        affected(
            "update InterDivisionJournalTransHeader set Confirm=1 where JournalTransID=1 and CompanyID=1"),
        1);
    EXPECT_THAT(
        rows("select JournalTransDate, updatetime, Remarks, exchangerates, Type, Confirm, JournalNo from "
             "InterDivisionJournalTransHeader where JournalTransID=1 and companyid=1"),
        ElementsAre("02/05/2024|02/05/2024|Rent, May|1:2:-1:83.2:|JO|True|IDJ/1"));
}

TEST_P(StatementShapes, RatesCurrenciesAndDepartments) {
    EXPECT_THAT(
        rows("select depcurrencyid CurID,SellingRate from aDepartmentMaster a, ExchangeRateDetail b Where "
             "a.CompanyID = b.CompanyID And a.depcurrencyid = b.CurrencyID and a.DepartmentID=2 and "
             "a.companyid=1",
             ado::adOpenKeyset),
        ElementsAre("2|83.2"));
    EXPECT_THAT(
        rows("select a.CurrencyID CurID,SellingRate from acompanymaster a, ExchangeRateDetail b  Where "
             "a.CompanyID = b.CompanyID And a.currencyid = b.CurrencyID  and a.Companyid=1"),
        ElementsAre("1|1"));
    const char* where = "Where a.CompanyID = b.CompanyID And a.currencyid = b.CurrencyID ";
    EXPECT_THAT(
        rows(
            std::string("select a.currencyid CurID,SellingRate from avendormaster a, ExchangeRateDetail b ") +
            where + "and a.vendorID=8 and a.companyid=1"),
        ElementsAre("2|83.2"));
    auto cur = open("select CurrencyID curID from acompanyMaster where companyID=1", ado::adOpenForwardOnly);
    EXPECT_EQ(rt::CInt((*cur)["CURID"]), 1);
    EXPECT_THAT(
        rows("select depcurrencyid curID from adepartmentMaster where DepartmentID=2 and CompanyID=1"),
        ElementsAre("2"));
    EXPECT_THAT(rows("Select DepartmentID,DepartmentName from adepartmentmaster where DepartmentID in   "
                     "(select deptid "
                     "from AuserGroupDeptDetails where  UserGroupID=1 )",
                     ado::adOpenForwardOnly),
                ElementsAre("1|Head Office", "2|Export Division"));
    EXPECT_THAT(rows("select currencyname, currencyid from acurrencymaster where companyid = 1 and "
                     "currencyid in (1,2)"),
                ElementsAre("Rupee|1", "US Dollar|2"));
    EXPECT_EQ(rt::CLng(scalar("select CashGroupID from asettings where companyid = 1")), 1);
}

TEST_P(StatementShapes, LineEditorLists) {
    EXPECT_THAT(rows("select DepartmentID, DepartmentName from adepartmentmaster where CompanyID = 1 and "
                     "DepartmentID  "
                     "IN (1,2) order by DepartmentName"),
                ElementsAre("2|Export Division", "1|Head Office"));
    EXPECT_THAT(
        rows("select a.AccountID, a.AccountDesc from AACCOUNTMASTER a,vwnoncontrolaccounts nca, agroupmaster "
             "g "
             "where a.groupid<>  (select isnull(cashgroupID,0) from asettings where  CompanyID=1) and "
             "g.groupid "
             "= a.groupid and g.companyid =  a.companyid and a.active=1 and nca.companyid=a.companyid and  "
             "nca.accountid= a.accountid and nca.dadepartmentid=1 order by a.AccountID"),
        ElementsAre("2|HDFC Bank", "3|Rent"));
    EXPECT_THAT(
        rows("select b.CurrencyID from adepartmentmaster a ,aCurrencyMaster b where a.DepartmentID=2 and "
             "a.depcurrencyid=CurrencyID and b.CompanyID=a.companyid and  b.CompanyID= 1"),
        ElementsAre("2"));
    EXPECT_THAT(rows("select Symbol from acurrencymaster where currencyid=2 and CompanyID= 1"),
                ElementsAre("$"));
    EXPECT_THAT(rows("select otherdepid from adepcontrolaccounts where companyid=1  and maindepid=2 and "
                     "controlaccid =7"),
                ElementsAre("1"));
    // Names compare without regard to case, as on the server.
    EXPECT_THAT(
        rows("select AccountID from AACCOUNTMASTER where AccountDesc = 'hdfc BANK' AND CompanyID = 1"),
        ElementsAre("2"));
    EXPECT_THAT(rows("select  distinct TransId, TransNo from papayacclinkheader where  departmentid =1 and "
                     "transid = 1"),
                ElementsAre("1|PAY-1"));
    EXPECT_EQ(rt::CLng(scalar("select Count(*) from vwPayrollLinkwithjournal where departmentid=1")), 1);
}

IDJ_INSTANTIATE_ON_BACKENDS(StatementShapes);

} // namespace
