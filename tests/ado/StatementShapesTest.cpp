// The component's statements, word for word as its windows build them, on a small database.
#include "BackendFixture.h"
#include "db/Schema.h"
#include "runtime/Convert.h"

#include <vector>

namespace {

// Two companies, two departments, and vouchers of every type and state (header: id, company,
// number, date, remarks, cancelled, posted, year, rate, rates, type, confirmed, serial, department).
const char* const kSetup = R"(
INSERT INTO acompanymaster (CompanyID, CompanyName, CurrencyID) VALUES (1, 'Meridian', 1), (2, 'Other', 1);
INSERT INTO acurrencymaster VALUES (1, 1, 'Rupee', 'Rs.'), (1, 2, 'US Dollar', '$');
INSERT INTO ExchangeRateDetail (CompanyID, CurrencyID, RateDate, SellingRate) VALUES (1, 1, '20240101', 1), (1, 2, '20240101', 83.2);
INSERT INTO adepartmentmaster VALUES (1, 1, 'Head Office', 1), (2, 1, 'Export Division', 2);
INSERT INTO agroupmaster VALUES (1, 1, 'Cash'), (1, 2, 'Bank'), (1, 6, 'Expenses');
INSERT INTO AACCOUNTMASTER (CompanyID, AccountID, AccountDesc, groupid, departmentid, currencyid, active) VALUES
  (1, 1, 'Cash - HO', 1, 1, 1, 1), (1, 2, 'HDFC Bank', 2, 1, 1, 1), (1, 3, 'Rent', 6, 1, 1, 1),
  (1, 4, 'Citibank USD', 2, 2, 2, 1), (1, 5, 'Old Suspense', 6, 0, 1, 0), (1, 7, 'Head Office Control', 6, 0, 1, 1);
INSERT INTO adepcontrolaccounts VALUES (1, 2, 1, 7);
INSERT INTO avendormaster VALUES (1, 8, 'Shipper', 2);
INSERT INTO acustomermaster VALUES (1, 9, 'Buyer', 1);
INSERT INTO ASETTINGS VALUES (1, 30, 1);
INSERT INTO apackagesettings VALUES ('Suite', '20200401', 0, 1);
INSERT INTO MiscSettings (AccountsFreezeDate) VALUES ('20240331');
INSERT INTO aPrefix VALUES (1, 1, 5029, 3, NULL, NULL, 1, 'IDJ/'), (2, 1, 5029, 3, 1, NULL, 1, 'SHOP/'),
  (3, 1, 5029, 3, NULL, NULL, 2, 'EXP/');
INSERT INTO afinancialyear VALUES (2, '2023-24', 0), (3, '2024-25', 1);
INSERT INTO afinancialperiod VALUES (2, '20230401', '20240331'), (3, '20240401', '20250331');
INSERT INTO aaccountfinyearopening (financialid, companyid, accountid) VALUES (3, 1, 2);
INSERT INTO ausergroupmaster VALUES (1, 'Admins');
INSERT INTO ausers (userid, username, UserGroupID) VALUES (1, 'admin', 1);
INSERT INTO AuserGroupDeptDetails VALUES (1, 1), (1, 2);
INSERT INTO auserrights VALUES (1, 1, 5029, 'NEDUPI'), (1, 1, 56, 'NE'), (1, 2, 5029, 'NE');
INSERT INTO atables VALUES (1, 'InterDivisionJournalTransHeader');
INSERT INTO atablecolumns VALUES (1, 0, 'JournalTransID', 'Journal ID'), (1, 1, 'JournalNo', 'JournalNo'),
  (1, 2, 'JournalTransDate', 'Date');
INSERT INTO papayacclinkheader VALUES (1, 1, 'PAY-1', '20240401', 1, 10, 1), (2, 1, 'PAY-2', '20240401', 1, 5, 0);
INSERT INTO InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, JournalTransDate, Remarks,
  Cancelled, Posted, FinancialID, exchangerate, exchangerates, Type, Confirm, TypeSeriallNO, DepartmentID) VALUES
  (1, 1, 'IDJ/1', '20240410', 'Voucher IDJ/1', 0, 1, 3, 1, '1:-1:', 'PA', 1, 'PAY/1', 1),
  (2, 1, 'IDJ/2', '20240415', 'Voucher IDJ/2', 0, 0, 3, 1, '1:-1:', 'RE', 0, 'RCPT/1', 2),
  (3, 1, 'IDJ/10', '20240420', 'Voucher IDJ/10', 1, 0, 3, 1, '1:-1:', 'CA', 0, 'CSTR/1', 1),
  (4, 1, 'IDJ/X7', '20240421', 'Voucher IDJ/X7', 0, 0, 3, 1, '1:-1:', 'JO', 0, 'JRN/1', 1),
  (5, 1, 'IDJ/', '20240301', 'Voucher IDJ/', 0, 0, 3, 1, '1:-1:', 'JO', 0, 'JRN/2', 1),
  (6, 1, '77', '20240425', 'Voucher 77', 0, 0, 3, 1, '1:-1:', 'JO', 0, 'JRN/3', 2);
INSERT INTO InterDivisionJournalTransHeader (JournalTransID, CompanyID, JournalNo, JournalTransDate, FinancialID)
  VALUES (1, 2, 'IDJ/500', '20240410', 3);
INSERT INTO InterDivisionJournalTransDetails VALUES (1, 1, 1, 3, 0, 1, 250, 'Rent for April', 1),
  (2, 1, 1, 2, 1, 1, 250, 'Partner''s cheque', 1);
INSERT INTO JournaltransHeader VALUES (1, 1, 'JV/1', '20240411', 'from IDJ/1', 0, 1),
  (1, 2, 'JV/2', '20240411', 'dead', 1, 1), (1, 3, 'JV/3', '20240411', 'dead', 1, 2);
INSERT INTO genjournalheader (GenJournalID, companyid, referenceno, Type, JournalDate, Cancel) VALUES
  (1, 1, 'IDJ/1', 'J', '20240410', 0), (2, 1, 'IDJ/1', 'J', '20240410', 0), (3, 1, 'IDJ/1', 'P', '20240410', 0),
  (4, 1, 'IDJ/1', 'J', '20240411', 0), (5, 2, 'IDJ/1', 'J', '20240410', 0))";

class StatementShapes : public adotest::BackendFixture {
  protected:
    void SetUp() override {
        BackendFixture::SetUp();
        if (onServer())
            db::createSchema(conn);
        else
            db::createSchema(conn->handle());
        conn->BeginTrans();
        conn->ExecuteBatch(kSetup);
        conn->CommitTrans();
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
};

using Rows = std::vector<std::string>;

const std::string kBrowse =
    "SELECT h.JournalTransID, h.JournalNo, h.JournalTransDate,  case h.type when 'PA' then 'Payment' else  "
    "case h.type when 'RE' then 'Receipt' else  case h.type when 'CA' then 'Cash Transfer' else 'Journal' "
    "end  end end type ,TypeSeriallNO , case h.cancelled when 1 then 'Yes' else 'No' end cancelled ,  case "
    "h.posted when 1 then 'Yes' else 'No' end posted ,case h.Confirm when 1 then 'Yes' else 'No' end "
    "Confirm  From InterDivisionJournalTransHeader h (nolock)  where  h.Companyid= 1 and h.FinancialID = 3 "
    "and h.JournalTransDate >= '20240331'ORDER BY h.JournalTransID";

std::string search(const std::string& condition) {
    return "SELECT h.JournalTransID, h.JournalNo, h.JournalTransDate, case h.cancelled when 1 then 'Yes' "
           "else 'No' end cancelled ,  case h.posted when 1 then 'Yes' else 'No' end posted From "
           "InterDivisionJournalTransHeader h (nolock)  where  h.Companyid= 1 and h.FinancialID = 3" +
           condition + " ORDER BY h.JournalTransID DESC";
}

// The highest numeric suffix of a prefix, as the numbering statement finds it.
std::string highest(const std::string& prefix) {
    const std::string l = std::to_string(prefix.size());
    return "Select isnull(max(convert(int,right(JournalNo,len(JournalNo)-" + l +
           "))),0) from InterDivisionJournalTransHeader where CompanyID = 1 and len(journalno)>len('" +
           prefix + "') and  isnumeric(isnull(right(JournalNo,len(JournalNo)-" + l +
           "),0)) =1 and substring(journalno,1,len('" + prefix + "'))='" + prefix + "'";
}

const std::string kLines =
    "SELECT JournalTransDetailID,(SELECT AccountDesc FROM AACCOUNTMASTER  WHERE AccountID = "
    "InterDivisionJournalTransDetails.AccountID AND companyid= 1) AS AccDesc, (select DepartmentName  from "
    "adepartmentmaster where adepartmentmaster.DepartmentID=InterDivisionJournalTransDetails.departmentid ) "
    "Depname , Remarks,JournalTransCredit,Amount,AccountID ,departmentid FROM "
    "InterDivisionJournalTransDetails WHERE CompanyID = 1 AND JournalTransID = 1";

const std::string kFinYearOfVoucher1 =
    "Select vw.financialid from vwfinyearperiod vw, InterDivisionJournalTransHeader jh where "
    "jh.financialid=vw.financialid and jh.journaltransid = 1 and '";

// Each statement as a window sends it, and the rows it must read.
const struct {
    std::string sql;
    Rows rows;
} kQueries[] = {
    {kBrowse,
     {"1|IDJ/1|10/04/2024|Payment|PAY/1|No|Yes|Yes", "2|IDJ/2|15/04/2024|Receipt|RCPT/1|No|No|No",
      "3|IDJ/10|20/04/2024|Cash Transfer|CSTR/1|Yes|No|No", "4|IDJ/X7|21/04/2024|Journal|JRN/1|No|No|No",
      "6|77|25/04/2024|Journal|JRN/3|No|No|No"}},
    // The row refresh cuts the statement before its ordering and narrows it to one voucher.
    {kBrowse.substr(0, kBrowse.find("ORDER BY")) + " and JournalTransID=2",
     {"2|IDJ/2|15/04/2024|Receipt|RCPT/1|No|No|No"}},
    {search(" and JournalNo like '%1%'"), {"3|IDJ/10|20/04/2024|Yes|No", "1|IDJ/1|10/04/2024|No|Yes"}},
    {search("  and convert(varchar(20),JournalTransDate,105) like '%15-04%'"), {"2|IDJ/2|15/04/2024|No|No"}},
    {search("  and convert(varchar(20),JournalTransDate,103) like '%20/04/2024%'"),
     {"3|IDJ/10|20/04/2024|Yes|No"}},
    {search(" and cancelled = '1'"), {"3|IDJ/10|20/04/2024|Yes|No"}},
    {search(" and h.DepartmentID=2 and h.JournalTransDate >= '20240331'"),
     {"6|77|25/04/2024|No|No", "2|IDJ/2|15/04/2024|No|No"}},
    {"SELECT FunctionRights FROM auserrights (nolock) WHERE CompanyID = 1 AND UserID = 1 AND InterfaceID = "
     "5029",
     {"NEDUPI"}},
    {"select count(*) referred from JournaltransHeader where CompanyID=1 and cancelled = 0 and "
     "parentjournalid=1",
     {"1"}},
    {"select JournalTransID from InterDivisionJournalTransHeader where Posted = 0 AND Cancelled = 0 and "
     "companyid=1 order by 1",
     {"2", "4", "5", "6"}},
    {"select tc.columnheader,tc.columnname from atables t,atablecolumns tc where t.tableid = tc.tableid and "
     "tablename ='interdivisionjournaltransheader'",
     {"Journal ID|JournalTransID", "JournalNo|JournalNo", "Date|JournalTransDate"}},
    {kLines + " order by JournalTransDetailID",
     {"1|Rent|Head Office|Rent for April|False|250|3|1",
      "2|HDFC Bank|Head Office|Partner's cheque|True|250|2|1"}},
    {"SELECT Prefix FROM aPrefix WHERE CompanyID = 1 AND InterfaceID = 5029 AND FinancialId = 3 and shopid "
     "is "
     "null and godownid is null and isnull(departmentid,0)=1",
     {"IDJ/"}},
    {highest("IDJ/"), {"10"}}, // IDJ/X7, the bare prefix and company 2's IDJ/500 do not count
    {highest(""), {"77"}},
    {highest("NEW/"), {"0"}},
    {"SELECT count(*) +1 as count  FROM InterDivisionJournalTransHeader WHERE Type ='JO' and companyid= 1",
     {"4"}},
    {"SELECT isnull(max(JournalTransID),0) + 1 FROM InterDivisionJournalTransHeader  WHERE CompanyID = 1",
     {"7"}},
    // The join does not name the company: company 2's voucher 1 joins too.
    {kFinYearOfVoucher1 + "20250331' between vw.sdate and vw.edate ", {"3", "3"}},
    {kFinYearOfVoucher1 + "20240331' between vw.sdate and vw.edate ", {}},
    {"Select af.financialid from vwfinyearperiod vw, afinancialyear af where '20230601' between sdate and "
     "edate and vw.financialid = af.financialid and af.curfinancialyear<>1 ",
     {"2"}},
    {"Select financialid from vwfinyearperiod vw where '20240601' between sdate and edate and financialid>0",
     {"3"}},
    // The identifier arrives quoted; it compares as the number the column holds.
    {"select Posted from InterDivisionJournalTransHeader where JournalTransID='1' and companyid=1", {"True"}},
    {"select depcurrencyid CurID,SellingRate from aDepartmentMaster a, ExchangeRateDetail b Where "
     "a.CompanyID = b.CompanyID And a.depcurrencyid = b.CurrencyID and a.DepartmentID=2 and a.companyid=1",
     {"2|83.2"}},
    {"select a.CurrencyID CurID,SellingRate from acompanymaster a, ExchangeRateDetail b  Where a.CompanyID = "
     "b.CompanyID And a.currencyid = b.CurrencyID  and a.Companyid=1",
     {"1|1"}},
    {"select a.currencyid CurID,SellingRate from avendormaster a, ExchangeRateDetail b Where a.CompanyID = "
     "b.CompanyID And a.currencyid = b.CurrencyID and a.vendorID=8 and a.companyid=1",
     {"2|83.2"}},
    {"Select DepartmentID,DepartmentName from adepartmentmaster where DepartmentID in   (select deptid from "
     "AuserGroupDeptDetails where  UserGroupID=1 ) order by 1",
     {"1|Head Office", "2|Export Division"}},
    {"select DepartmentID, DepartmentName from adepartmentmaster where CompanyID = 1 and DepartmentID  IN "
     "(1,2) order by DepartmentName",
     {"2|Export Division", "1|Head Office"}},
    {"select a.AccountID, a.AccountDesc from AACCOUNTMASTER a,vwnoncontrolaccounts nca, agroupmaster g where "
     "a.groupid<>  (select isnull(cashgroupID,0) from asettings where  CompanyID=1) and g.groupid = "
     "a.groupid "
     "and g.companyid =  a.companyid and a.active=1 and nca.companyid=a.companyid and  nca.accountid= "
     "a.accountid and nca.dadepartmentid=1 order by a.AccountID",
     {"2|HDFC Bank", "3|Rent"}},
    {"select b.CurrencyID from adepartmentmaster a ,aCurrencyMaster b where a.DepartmentID=2 and "
     "a.depcurrencyid=CurrencyID and b.CompanyID=a.companyid and  b.CompanyID= 1",
     {"2"}},
    {"select otherdepid from adepcontrolaccounts where companyid=1  and maindepid=2 and controlaccid =7",
     {"1"}},
    // Names compare without regard to case, as on the server.
    {"select AccountID from AACCOUNTMASTER where AccountDesc = 'hdfc BANK' AND CompanyID = 1", {"2"}},
    {"select  distinct TransId, TransNo from papayacclinkheader where  departmentid =1 and transid = 1",
     {"1|PAY-1"}},
    {"select Count(*) from vwPayrollLinkwithjournal where departmentid=1", {"1"}},
};

TEST_P(StatementShapes, QueriesReadTheRowsTheWindowsExpect) {
    for (const auto& q : kQueries) {
        SCOPED_TRACE(q.sql);
        EXPECT_EQ(rows(q.sql), q.rows);
        EXPECT_EQ(rows(q.sql, ado::adOpenKeyset), q.rows);
    }
}

TEST_P(StatementShapes, ValuesComeBackAsTheirColumnsType) {
    auto rs = open(kBrowse);
    EXPECT_EQ((*rs)["JournalTransDate"].type(), rt::Variant::Type::Date);
    EXPECT_EQ(rs->field(3).Name(), "type");
    auto h = open("SELECT * FROM InterDivisionJournalTransHeader WHERE JournalTransID = 1 and companyid= 1");
    EXPECT_EQ((*h)["cancelled"], rt::Variant(false));
    EXPECT_EQ((*h)["Posted"], rt::Variant(true));
    EXPECT_TRUE((*h)["CancelledRemarks"].isNull());
    EXPECT_EQ(rt::CDate(scalar("select AccountsFreezeDate from MiscSettings")), rt::makeDate(2024, 3, 31));
    auto cur = open("select CurrencyID curID from acompanyMaster where companyID=1", ado::adOpenForwardOnly);
    EXPECT_EQ(rt::CInt((*cur)["CURID"]), 1);
    EXPECT_EQ(open("SELECT " + kLines.substr(kLines.find("(SELECT AccountDesc")))->RecordCount(), 2);
}

TEST_P(StatementShapes, EditingAVoucherRewritesHeaderAndLines) {
    exec(
        "update InterDivisionJournalTransHeader set  JournalTransDate = '20240502' , updatetime='20240502',  "
        " Remarks ='Rent, May', exchangerate = 1 , exchangerates = '1:2:-1:83.2:',Type = 'JO'  , Confirm = 0 "
        "where JournalTransID=1 and companyid=1");
    EXPECT_EQ(affected("Delete from InterDivisionJournalTransDetails where journaltransid=1"), 2);
    EXPECT_EQ(affected("update InterDivisionJournalTransHeader set Confirm=1 where JournalTransID=1 and "
                       "CompanyID=1"),
              1);
    EXPECT_EQ(rows("select JournalTransDate, updatetime, Remarks, exchangerates, Type, Confirm, JournalNo "
                   "from InterDivisionJournalTransHeader where JournalTransID=1 and companyid=1"),
              Rows{"02/05/2024|02/05/2024|Rent, May|1:2:-1:83.2:|JO|True|IDJ/1"});
}

IDJ_INSTANTIATE_ON_BACKENDS(StatementShapes);

} // namespace
