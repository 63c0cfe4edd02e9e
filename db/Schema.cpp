#include "db/Schema.h"

#include "ado/PgSession.h"
#include "ado/TextCompare.h"
#include "ado/Transaction.h"
#include "db/NumberingKeys.h"
#include "db/ServerSchema.h"
#include "db/Sqlite.h"
#include "runtime/Error.h"

#include <sqlite3.h>
#include <string>

namespace db {
namespace {

// Column order of the two voucher tables follows the order in which the voucher editor
// assigns its fields to an added row.
constexpr const char* kVoucherTables = R"sql(
CREATE TABLE InterDivisionJournalTransHeader (
    JournalTransID    INTEGER      NOT NULL,
    CompanyID         SMALLINT     NOT NULL,
    JournalNo         VARCHAR(50)  COLLATE TEXT_CI NOT NULL,
    JournalTransDate  DATETEXT     NOT NULL,
    Remarks           VARCHAR(500) COLLATE TEXT_CI,
    Cancelled         BIT          NOT NULL DEFAULT 0,
    CancelledRemarks  VARCHAR(500) COLLATE TEXT_CI,
    Posted            BIT          NOT NULL DEFAULT 0,
    FinancialID       SMALLINT     NOT NULL,
    exchangerate      REAL         NOT NULL DEFAULT 1,
    exchangerates     VARCHAR(500) COLLATE TEXT_CI,
    updatetime        DATETEXT,
    Type              VARCHAR(2)   COLLATE TEXT_CI NOT NULL DEFAULT 'JO',
    Confirm           BIT          NOT NULL DEFAULT 0,
    TypeSeriallNO     VARCHAR(50)  COLLATE TEXT_CI,
    DepartmentID      SMALLINT,
    PRIMARY KEY (CompanyID, JournalTransID)
);
-- The browse list: one company and year, from a date on.
CREATE INDEX IX_IDJHeader_Browse
    ON InterDivisionJournalTransHeader (CompanyID, FinancialID, JournalTransDate);
-- Look-ups by number and by type (the counts behind the numbers have their own, below).
CREATE INDEX IX_IDJHeader_JournalNo ON InterDivisionJournalTransHeader (CompanyID, JournalNo);
CREATE INDEX IX_IDJHeader_Type ON InterDivisionJournalTransHeader (CompanyID, Type);

CREATE TABLE InterDivisionJournalTransDetails (
    JournalTransDetailID INTEGER      NOT NULL,
    CompanyID            SMALLINT     NOT NULL,
    JournalTransID       INTEGER      NOT NULL,
    AccountID            SMALLINT     NOT NULL,
    JournalTransCredit   BIT          NOT NULL DEFAULT 0,
    DepartmentID         INTEGER,
    Amount               REAL         NOT NULL DEFAULT 0,
    Remarks              VARCHAR(500) COLLATE TEXT_CI,
    depexrates           REAL,
    PRIMARY KEY (CompanyID, JournalTransID, JournalTransDetailID)
);
)sql";

constexpr const char* kGeneralJournal = R"sql(
CREATE TABLE genjournalheader (
    GenJournalID  INTEGER      NOT NULL,
    companyid     SMALLINT     NOT NULL,
    referenceno   VARCHAR(50)  COLLATE TEXT_CI,
    Type          VARCHAR(2)   COLLATE TEXT_CI NOT NULL,
    JournalDate   DATETEXT     NOT NULL,
    departmentid  SMALLINT,
    Amount        REAL         NOT NULL DEFAULT 0,
    Narration     VARCHAR(500) COLLATE TEXT_CI,
    Cancel        BIT          NOT NULL DEFAULT 0,
    PRIMARY KEY (companyid, GenJournalID)
);
CREATE INDEX IX_genjournalheader_Ref ON genjournalheader (companyid, referenceno);

CREATE TABLE JournaltransHeader (
    CompanyID        SMALLINT     NOT NULL,
    JournalID        INTEGER      NOT NULL,
    JournalNo        VARCHAR(50)  COLLATE TEXT_CI,
    JournalDate      DATETEXT     NOT NULL,
    Remarks          VARCHAR(500) COLLATE TEXT_CI,
    cancelled        BIT          NOT NULL DEFAULT 0,
    parentjournalid  INTEGER,
    PRIMARY KEY (CompanyID, JournalID)
);
CREATE INDEX IX_JournaltransHeader_Parent ON JournaltransHeader (CompanyID, parentjournalid);
)sql";

constexpr const char* kPeriods = R"sql(
CREATE TABLE afinancialyear (
    financialid       SMALLINT    NOT NULL PRIMARY KEY,
    financialyear     VARCHAR(20) COLLATE TEXT_CI NOT NULL,
    curfinancialyear  BIT         NOT NULL DEFAULT 0
);

CREATE TABLE afinancialperiod (
    financialid  SMALLINT NOT NULL PRIMARY KEY REFERENCES afinancialyear (financialid),
    startdate    DATETEXT NOT NULL,
    enddate      DATETEXT NOT NULL
);

CREATE VIEW vwfinyearperiod AS
    SELECT financialid, startdate AS sdate, enddate AS edate FROM afinancialperiod;

CREATE TABLE aaccountfinyearopening (
    financialid    SMALLINT NOT NULL,
    companyid      SMALLINT NOT NULL,
    accountid      SMALLINT NOT NULL,
    departmentid   SMALLINT NOT NULL DEFAULT 0,
    openingdebit   REAL     NOT NULL DEFAULT 0,
    openingcredit  REAL     NOT NULL DEFAULT 0,
    PRIMARY KEY (financialid, companyid, accountid, departmentid)
);
)sql";

constexpr const char* kSettings = R"sql(
CREATE TABLE apackagesettings (
    packagename          VARCHAR(100) COLLATE TEXT_CI,
    packagedate          DATETEXT,
    AutoConfirmAccTrans  BIT      NOT NULL DEFAULT 0,
    companydepartment    SMALLINT NOT NULL DEFAULT 0
);

CREATE TABLE ASETTINGS (
    CompanyID         SMALLINT NOT NULL PRIMARY KEY,
    NoOfPreviousDays  SMALLINT NOT NULL DEFAULT 0,
    CashGroupID       SMALLINT
);

CREATE TABLE MiscSettings (
    AccountsFreezeDate  DATETEXT,
    DecimalPlaces       SMALLINT NOT NULL DEFAULT 2
);

CREATE TABLE aPrefix (
    PrefixID      INTEGER     NOT NULL PRIMARY KEY,
    CompanyID     SMALLINT    NOT NULL,
    InterfaceID   INTEGER     NOT NULL,
    FinancialId   SMALLINT    NOT NULL,
    shopid        SMALLINT,
    godownid      SMALLINT,
    departmentid  SMALLINT,
    Prefix        VARCHAR(20) COLLATE TEXT_CI NOT NULL
);
CREATE INDEX IX_aPrefix_Lookup ON aPrefix (CompanyID, InterfaceID, FinancialId);
)sql";

constexpr const char* kUsers = R"sql(
CREATE TABLE ausergroupmaster (
    UserGroupID    SMALLINT    NOT NULL PRIMARY KEY,
    UserGroupName  VARCHAR(50) COLLATE TEXT_CI NOT NULL
);

CREATE TABLE ausers (
    userid        SMALLINT    NOT NULL PRIMARY KEY,
    username      VARCHAR(50) COLLATE TEXT_CI NOT NULL,
    fullname      VARCHAR(100) COLLATE TEXT_CI,
    UserGroupID   SMALLINT,
    departmentid  SMALLINT    NOT NULL DEFAULT 0
);

CREATE TABLE AuserGroupDeptDetails (
    UserGroupID  SMALLINT NOT NULL,
    deptid       SMALLINT NOT NULL,
    PRIMARY KEY (UserGroupID, deptid)
);

CREATE TABLE auserrights (
    CompanyID       SMALLINT    NOT NULL,
    UserID          SMALLINT    NOT NULL,
    interfaceid     INTEGER     NOT NULL,
    FunctionRights  VARCHAR(50) COLLATE TEXT_CI,
    PRIMARY KEY (CompanyID, UserID, interfaceid)
);
)sql";

constexpr const char* kMasters = R"sql(
CREATE TABLE acompanymaster (
    CompanyID    SMALLINT     NOT NULL PRIMARY KEY,
    CompanyName  VARCHAR(100) COLLATE TEXT_CI NOT NULL,
    CurrencyID   SMALLINT,
    City         VARCHAR(50)  COLLATE TEXT_CI
);

CREATE TABLE acurrencymaster (
    CompanyID     SMALLINT    NOT NULL,
    currencyid    SMALLINT    NOT NULL,
    currencyname  VARCHAR(50) COLLATE TEXT_CI NOT NULL,
    Symbol        VARCHAR(10) COLLATE TEXT_CI,
    PRIMARY KEY (CompanyID, currencyid)
);

CREATE TABLE ExchangeRateDetail (
    CompanyID    SMALLINT NOT NULL,
    CurrencyID   SMALLINT NOT NULL,
    RateDate     DATETEXT NOT NULL,
    SellingRate  REAL     NOT NULL,
    BuyingRate   REAL,
    PRIMARY KEY (CompanyID, CurrencyID, RateDate)
);

-- DepartmentID is unique across companies: several statements look a department up by it alone.
CREATE TABLE adepartmentmaster (
    DepartmentID    SMALLINT    NOT NULL PRIMARY KEY,
    CompanyID       SMALLINT    NOT NULL,
    DepartmentName  VARCHAR(50) COLLATE TEXT_CI NOT NULL,
    depcurrencyid   SMALLINT
);
CREATE INDEX IX_adepartmentmaster_Company ON adepartmentmaster (CompanyID, DepartmentName);

CREATE TABLE agroupmaster (
    companyid  SMALLINT    NOT NULL,
    groupid    SMALLINT    NOT NULL,
    groupname  VARCHAR(50) COLLATE TEXT_CI NOT NULL,
    PRIMARY KEY (companyid, groupid)
);

-- departmentid 0: an account open to every department of its company.
CREATE TABLE AACCOUNTMASTER (
    CompanyID     SMALLINT     NOT NULL,
    AccountID     SMALLINT     NOT NULL,
    AccountDesc   VARCHAR(100) COLLATE TEXT_CI NOT NULL,
    groupid       SMALLINT     NOT NULL,
    departmentid  SMALLINT     NOT NULL DEFAULT 0,
    currencyid    SMALLINT,
    active        BIT          NOT NULL DEFAULT 1,
    PRIMARY KEY (CompanyID, AccountID)
);
CREATE INDEX IX_AACCOUNTMASTER_Desc ON AACCOUNTMASTER (CompanyID, AccountDesc);

CREATE TABLE adepcontrolaccounts (
    companyid     SMALLINT NOT NULL,
    maindepid     SMALLINT NOT NULL,
    otherdepid    SMALLINT NOT NULL,
    controlaccid  SMALLINT NOT NULL,
    PRIMARY KEY (companyid, maindepid, otherdepid)
);

-- For every department, the accounts it may post to: its own and the common ones, without the
-- control accounts between departments (those are kept by the inter-division postings).
CREATE VIEW vwnoncontrolaccounts AS
    SELECT a.CompanyID AS companyid, a.AccountID AS accountid, d.DepartmentID AS dadepartmentid
    FROM AACCOUNTMASTER a
    JOIN adepartmentmaster d
      ON d.CompanyID = a.CompanyID AND (a.departmentid = d.DepartmentID OR a.departmentid = 0)
    WHERE NOT EXISTS (SELECT 1 FROM adepcontrolaccounts c
                      WHERE c.companyid = a.CompanyID AND c.controlaccid = a.AccountID
                        AND c.maindepid <> d.DepartmentID);

CREATE TABLE avendormaster (
    CompanyID   SMALLINT     NOT NULL,
    vendorID    SMALLINT     NOT NULL,
    vendorname  VARCHAR(100) COLLATE TEXT_CI NOT NULL,
    currencyid  SMALLINT,
    PRIMARY KEY (CompanyID, vendorID)
);

CREATE TABLE acustomermaster (
    CompanyID     SMALLINT     NOT NULL,
    customerID    SMALLINT     NOT NULL,
    customername  VARCHAR(100) COLLATE TEXT_CI NOT NULL,
    currencyid    SMALLINT,
    PRIMARY KEY (CompanyID, customerID)
);
)sql";

constexpr const char* kPayroll = R"sql(
CREATE TABLE papayacclinkheader (
    TransId        INTEGER     NOT NULL PRIMARY KEY,
    CompanyID      SMALLINT    NOT NULL,
    TransNo        VARCHAR(50) COLLATE TEXT_CI NOT NULL,
    TransDate      DATETEXT    NOT NULL,
    departmentid   SMALLINT    NOT NULL,
    Amount         REAL        NOT NULL DEFAULT 0,
    LinkToJournal  BIT         NOT NULL DEFAULT 0
);

CREATE VIEW vwPayrollLinkwithjournal AS
    SELECT TransId, TransNo, departmentid FROM papayacclinkheader WHERE LinkToJournal = 1;
)sql";

constexpr const char* kCatalogue = R"sql(
CREATE TABLE atables (
    tableid    SMALLINT     NOT NULL PRIMARY KEY,
    tablename  VARCHAR(100) COLLATE TEXT_CI NOT NULL UNIQUE
);

-- Rows are read without an ordering clause: columnorder keeps the key (and so the natural
-- order) equal to the grid's column order.
CREATE TABLE atablecolumns (
    tableid       SMALLINT     NOT NULL,
    columnorder   SMALLINT     NOT NULL,
    columnname    VARCHAR(100) COLLATE TEXT_CI NOT NULL,
    columnheader  VARCHAR(100) COLLATE TEXT_CI NOT NULL,
    PRIMARY KEY (tableid, columnorder)
);
)sql";

constexpr const char* kServices = R"sql(
CREATE TABLE aActivityLog (
    ActivityID      INTEGER      NOT NULL PRIMARY KEY,
    CompanyID       SMALLINT,
    UserID          SMALLINT,
    DepartmentID    SMALLINT,
    InterfaceID     INTEGER,
    VoucherID       INTEGER,
    VoucherNo       VARCHAR(50)  COLLATE TEXT_CI,
    ActionCode      VARCHAR(2)   COLLATE TEXT_CI,
    LoggedTime      DATETEXT,
    ActionTime      DATETEXT,
    WindowSnapshot  TEXT         COLLATE TEXT_CI
);
CREATE INDEX IX_aActivityLog_Voucher ON aActivityLog (CompanyID, InterfaceID, VoucherID);

CREATE TABLE aGridColumnLayout (
    UserID       SMALLINT     NOT NULL,
    CompanyID    SMALLINT     NOT NULL,
    GridName     VARCHAR(100) COLLATE TEXT_CI NOT NULL,
    ColumnIndex  SMALLINT     NOT NULL,
    ColumnWidth  INTEGER      NOT NULL,
    PRIMARY KEY (UserID, CompanyID, GridName, ColumnIndex)
);

CREATE TABLE aFaultLog (
    FaultID           INTEGER       NOT NULL PRIMARY KEY,
    FaultTime         DATETEXT      NOT NULL,
    ModuleName        VARCHAR(100)  COLLATE TEXT_CI,
    UserName          VARCHAR(50)   COLLATE TEXT_CI,
    RoutineName       VARCHAR(100)  COLLATE TEXT_CI,
    ErrorNumber       INTEGER,
    ErrorSource       VARCHAR(255)  COLLATE TEXT_CI,
    ErrorDescription  VARCHAR(1000) COLLATE TEXT_CI,
    EntryMode         VARCHAR(1)    COLLATE TEXT_CI
);
)sql";

void run(sqlite3* db, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        std::string text = message ? message : sqlite3_errmsg(db);
        sqlite3_free(message);
        throw rt::Error(rt::errProvider, "db::createSchema", text);
    }
}

constexpr const char* kParts[] = {kVoucherTables, kGeneralJournal, kPeriods,   kSettings, kUsers,
                                  kMasters,       kPayroll,        kCatalogue, kServices};

// Indexes and counts that spare the module's frequent statements a scan of the vouchers. All
// are made only when missing, so that a database of an earlier version gains them on opening.
void addSearchIndexes(sqlite3* db) {
    using namespace numbering;
    // The journal number statement: the highest running number under a prefix, one seek. Only
    // numbers that the statement's rules read alike however compared are keyed here.
    run(db, ("CREATE INDEX IF NOT EXISTS IX_IDJHeader_Numbering ON InterDivisionJournalTransHeader "
             "(CompanyID, " +
             std::string(kHead) + ", " + kRunning + ") WHERE " + plain())
                .c_str());
    // The same statement: the few numbers the index above leaves out, judged by the statement.
    run(db, ("CREATE INDEX IF NOT EXISTS IX_IDJHeader_OddNumbers ON InterDivisionJournalTransHeader "
             "(CompanyID, JournalTransID) WHERE " +
             odd())
                .c_str());
    // The start-up "any open voucher?" check (not posted, not cancelled, of the company).
    run(db, "CREATE INDEX IF NOT EXISTS IX_IDJHeader_Open "
            "ON InterDivisionJournalTransHeader (CompanyID, Posted, Cancelled)");
    // The table search, which lists a company's year newest first: on "Posted" and
    // "Cancelled" one range in that order; on the number or the date a walk of this narrow
    // index in that order, reading the table only for the rows that match.
    run(db, "CREATE INDEX IF NOT EXISTS IX_IDJHeader_SearchPosted "
            "ON InterDivisionJournalTransHeader (CompanyID, FinancialID, Posted, JournalTransID)");
    run(db, "CREATE INDEX IF NOT EXISTS IX_IDJHeader_SearchCancelled "
            "ON InterDivisionJournalTransHeader (CompanyID, FinancialID, Cancelled, JournalTransID)");
    run(db, "CREATE INDEX IF NOT EXISTS IX_IDJHeader_SearchText ON InterDivisionJournalTransHeader "
            "(CompanyID, FinancialID, JournalTransID, JournalNo, JournalTransDate)");

    // The type serial statement counts a company's vouchers of a type: kept as a count that
    // triggers move with every insert, delete and change of the headers, whoever writes them.
    bool counted = false;
    {
        Statement exists(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND "
                             "name = 'InterDivisionJournalTypeCount'");
        counted = exists.query();
    }
    if (counted) return;
    run(db, "CREATE TABLE InterDivisionJournalTypeCount (CompanyID SMALLINT NOT NULL, "
            "Type VARCHAR(2) NOT NULL, Vouchers INTEGER NOT NULL, PRIMARY KEY (CompanyID, Type)) "
            "WITHOUT ROWID");
    const std::string add = "INSERT INTO InterDivisionJournalTypeCount VALUES (new.CompanyID, " +
                            typeKey("new") +
                            ", 1) ON CONFLICT (CompanyID, Type) DO UPDATE SET Vouchers = Vouchers + 1;";
    const std::string remove = "UPDATE InterDivisionJournalTypeCount SET Vouchers = Vouchers - 1 "
                               "WHERE CompanyID = old.CompanyID AND Type = " +
                               typeKey("old") + ";";
    run(db, ("CREATE TRIGGER TR_IDJHeader_CountInsert AFTER INSERT ON InterDivisionJournalTransHeader "
             "WHEN " +
             typeKey("new") + " IS NOT NULL BEGIN " + add + " END")
                .c_str());
    run(db, ("CREATE TRIGGER TR_IDJHeader_CountDelete AFTER DELETE ON InterDivisionJournalTransHeader "
             "WHEN " +
             typeKey("old") + " IS NOT NULL BEGIN " + remove + " END")
                .c_str());
    // Both halves of a change are guarded in the statements: either key may be none.
    run(db, ("CREATE TRIGGER TR_IDJHeader_CountUpdate AFTER UPDATE OF CompanyID, Type "
             "ON InterDivisionJournalTransHeader BEGIN " +
             remove + " INSERT INTO InterDivisionJournalTypeCount SELECT new.CompanyID, " + typeKey("new") +
             ", 1 WHERE " + typeKey("new") +
             " IS NOT NULL ON CONFLICT (CompanyID, Type) DO UPDATE SET Vouchers = Vouchers + 1; END")
                .c_str());
    run(db, ("INSERT INTO InterDivisionJournalTypeCount SELECT h.CompanyID, " + typeKey("h") +
             ", count(*) FROM InterDivisionJournalTransHeader h WHERE " + typeKey("h") +
             " IS NOT NULL GROUP BY 1, 2")
                .c_str());
}

} // namespace

void upgradeSchema(sqlite3* db) {
    ado::registerTextCollation(db);
    run(db, "BEGIN IMMEDIATE");
    try {
        addSearchIndexes(db);
        run(db, "COMMIT");
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void createSchema(sqlite3* db) {
    ado::registerTextCollation(db);
    run(db, "BEGIN");
    try {
        for (const char* part : kParts)
            run(db, part);
        addSearchIndexes(db);
        run(db, "COMMIT");
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void createSchema(const ado::ConnectionPtr& server) {
    ado::rollBackOnError(server, [&] {
        server->BeginTrans();
        createServerFunctions(server);
        server->Execute(std::string("CREATE DOMAIN ") + ado::detail::kPgFlagDomain +
                        " AS smallint CHECK (VALUE IN (0, 1))");
        for (const char* part : kParts)
            server->ExecuteBatch(renderForServer(part));
        createNumberingKeys(server);
        server->CommitTrans();
    });
}

} // namespace db
