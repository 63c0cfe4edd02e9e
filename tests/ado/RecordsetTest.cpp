#include "BackendFixture.h"
#include "runtime/Convert.h"
#include "support/Errors.h"

namespace {

using T = rt::Variant::Type;

const char* kNoCurrent =
    "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
    "requires a current record.";

auto errorOf = [](auto&& f) { return testsupport::errorRaised(f); };

class RecordsetTest : public adotest::AdoFixture {
  protected:
    void SetUp() override {
        AdoFixture::SetUp();
        exec("create table v (d DATETEXT, b BIT, s SMALLINT, i INTEGER, r REAL, m MONEY, t VARCHAR(10) "
             "COLLATE NOCASE, "
             "x)");
        exec("insert into v values ('20240229', 1, -5, 70000, 2.5, 10, 'Alpha', 'free'), "
             "('20240301 08:30:00', 0, 7, 3, 1, 0.25, 'beta', 4), (NULL, NULL, NULL, NULL, NULL, NULL, NULL, "
             "NULL)");
    }
};

TEST_F(RecordsetTest, ValuesTakeTheVariantTypeOfTheirDeclaredColumn) {
    auto rs = open("select * from v");
    EXPECT_EQ((*rs)["d"].date(), rt::makeDate(2024, 2, 29));
    EXPECT_EQ((*rs)["b"], rt::Variant(true));
    EXPECT_EQ((*rs)["b"].type(), T::Boolean);
    EXPECT_EQ((*rs)["s"].type(), T::Integer);
    EXPECT_EQ((*rs)["m"].type(), T::Double);
    EXPECT_EQ((*rs)["x"].type(), T::String); // no declared type: as stored
    rs->MoveNext();
    EXPECT_EQ((*rs)["d"].date(), rt::makeDate(2024, 3, 1, 8, 30, 0));
    EXPECT_EQ((*rs)["b"], rt::Variant(false));
    EXPECT_EQ((*rs)["r"].type(), T::Double); // 1 stored in a REAL column
    EXPECT_EQ((*rs)["x"].type(), T::Long);
    rs->MoveNext();
    for (int i = 0; i < rs->FieldCount(); ++i)
        EXPECT_TRUE((*rs)[i].isNull()) << rs->field(i).Name();

    auto e = open("select 1 + 1, 5000000000, max(d) from v");
    EXPECT_EQ(e->field(0).Value().type(), T::Long);
    EXPECT_EQ(rt::CDbl((*e)[1]), 5000000000.0);
    EXPECT_EQ((*e)[2].type(), T::String); // an aggregate has no declared type
}

// Counting and moving are checked on every backend (BackendTest); here reading past the end.
TEST_F(RecordsetTest, PastTheEndThereIsNoCurrentRecord) {
    auto rs = open("select t from v order by rowid", ado::adOpenStatic);
    rs->MoveLast();
    rs->MoveNext();
    rt::Error e = errorOf([&] { (void)(*rs)["t"]; });
    EXPECT_EQ(e.number(), 3021);
    EXPECT_EQ(e.description(), kNoCurrent);
    EXPECT_EQ(errorOf([&] { rs->MoveNext(); }).number(), 3021);
    rs->MoveFirst();
    EXPECT_EQ(rt::CStr((*rs)["T"]), "Alpha");

    auto empty = open("select * from v where 1=2", ado::adOpenKeyset);
    empty->MoveFirst();
    EXPECT_EQ(errorOf([&] { (void)(*empty)[0]; }).number(), 3021);
    EXPECT_EQ(empty->FieldCount(), 8);
}

TEST_F(RecordsetTest, ForwardOnlyCursorsStream) {
    auto rs = open("select t from v where t is not null order by t", ado::adOpenForwardOnly);
    EXPECT_EQ(rs->RecordCount(), -1);
    EXPECT_EQ(rt::CStr((*rs)[0]), "Alpha");
    // The same text opened again while the first still reads.
    auto again = open("select t from v where t is not null order by t", ado::adOpenForwardOnly);
    again->MoveNext();
    EXPECT_EQ(rt::CStr((*again)[0]), "beta");
    rs->MoveNext();
    rs->MoveNext();
    EXPECT_TRUE(rs->eof());
    rs->MoveFirst(); // runs the statement again
    EXPECT_EQ(rt::CStr((*rs)[0]), "Alpha");
    EXPECT_EQ(errorOf([&] { rs->MoveLast(); }).number(), -2147217884);
    // Closing the connection closes what still reads from it.
    conn->Close();
    EXPECT_EQ(again->State(), ado::adStateClosed);
    EXPECT_EQ(errorOf([&] { again->MoveNext(); }).number(), 3704);
}

TEST_F(RecordsetTest, TextAtReadsAsTheVariantsTextOnEveryCursor) {
    for (ado::CursorType cursor : {ado::adOpenForwardOnly, ado::adOpenStatic}) {
        auto rs = open("select * from v", cursor);
        auto shown = open("select * from v", cursor);
        std::string scratch;
        for (; !rs->eof(); rs->MoveNext(), shown->MoveNext())
            for (int i = 0; i < rs->FieldCount(); ++i)
                EXPECT_EQ(rs->textAt(i, scratch), rt::TextOf((*shown)[i]))
                    << "cursor " << cursor << " field " << i;
    }
    auto rs = open("select * from v", ado::adOpenForwardOnly);
    rs->MoveNext();
    rs->MoveNext();
    rs->MoveNext();
    std::string scratch;
    EXPECT_EQ(errorOf([&] { rs->textAt(0, scratch); }).number(), 3021);
}

TEST_F(RecordsetTest, FieldsAreFoundByNameWithoutRegardToCase) {
    auto rs = open("select t as AccountDesc, i from v where t = 'ALPHA'");
    EXPECT_EQ(rs->RecordCount(), 1); // NOCASE column
    EXPECT_EQ(rt::CStr(rs->field("accountdesc").Value()), "Alpha");
    EXPECT_EQ(rs->field("ACCOUNTDESC").Name(), "AccountDesc");
    rt::Error e = errorOf([&] { rs->field("nosuch"); });
    EXPECT_EQ(e.number(), 3265);
    EXPECT_EQ(e.description(),
              "Item cannot be found in the collection corresponding to the requested name or ordinal.");
    EXPECT_EQ(errorOf([&] { rs->field(2); }).number(), 3265);
    // An unnamed expression keeps the name of its text, whatever the translation adds to it.
    EXPECT_EQ(open("select isnull(t, '') from v")->field(0).Name(), "ifnull(t, '')");
    rs->Close();
    EXPECT_EQ(errorOf([&] { rs->field(0); }).number(), 3704);
}

// Adding a row runs on every backend (BackendTest) and in every save (SaveTest); here what may
// not be added to.
TEST_F(RecordsetTest, ReadOnlyAndExpressionResultsCannotBeAdded) {
    auto ro = open("select * from v where 1=2", ado::adOpenStatic, ado::adLockReadOnly);
    EXPECT_EQ(errorOf([&] { ro->AddNew(); }).number(), 3251);
    auto rs = open("select t, t || 'x' as tx from v where 1=2", ado::adOpenKeyset, ado::adLockOptimistic);
    EXPECT_EQ(errorOf([&] { rs->field("t").setValue("a"); }).number(), 3251); // no AddNew yet
    rs->AddNew();
    rs->field("tx").setValue("ax");
    EXPECT_EQ(errorOf([&] { rs->Update(); }).number(), 3251);
    // A statement without a result leaves the recordset closed.
    auto upd = open("update v set t = t");
    EXPECT_EQ(upd->State(), ado::adStateClosed);
}

} // namespace
