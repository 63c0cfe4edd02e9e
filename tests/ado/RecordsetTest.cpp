#include "BackendFixture.h"
#include "runtime/Convert.h"
#include "support/Errors.h"

namespace {

using T = rt::Variant::Type;

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

} // namespace
