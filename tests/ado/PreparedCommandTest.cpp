// Prepared commands run as Execute runs the same text: the same rows, counts and errors.
#include "BackendFixture.h"
#include "ado/ProviderError.h"
#include "runtime/Convert.h"
#include "support/Errors.h"

#include <gtest/gtest.h>

namespace {

using adotest::BackendFixture;

class PreparedCommand : public BackendFixture {
  protected:
    void SetUp() override {
        BackendFixture::SetUp();
        create("CREATE TABLE line (id INTEGER PRIMARY KEY, note VARCHAR(40) COLLATE TEXT_CI, amount REAL)");
    }
    static constexpr const char* kInsert = "INSERT INTO line (id, note, amount) VALUES (?, ?, ?)";

    // The error a call raises, as number, source and description.
    template <class F> static std::tuple<int32_t, std::string, std::string> errorOf(F f) {
        const rt::Error e = testsupport::errorRaised(f);
        return {e.number(), e.source(), e.description()};
    }
};

TEST_P(PreparedCommand, RunsAgainWithNewValuesAndCountsTheRows) {
    auto insert = conn->Prepare(kInsert);
    for (int i = 1; i <= 3; ++i) {
        // Each text is gone before the next run: a run must not read an earlier run's values.
        std::string note = "O'Brien " + std::string(static_cast<size_t>(i) * 20, 'x').substr(0, 10 + i);
        EXPECT_EQ(insert->Execute({rt::Variant(i), rt::Variant(note), rt::Variant(1.5 * i)}), 1);
    }
    EXPECT_EQ(insert->Execute({rt::Variant(4), rt::Variant::null(), rt::Variant::null()}), 1);
    auto update = conn->Prepare("UPDATE line SET amount = amount * 2 WHERE id <= ?");
    EXPECT_EQ(update->Execute({rt::Variant(2)}), 2);
    EXPECT_EQ(update->Execute({rt::Variant(0)}), 0);

    auto rs = open("SELECT id, note, amount FROM line ORDER BY id");
    EXPECT_EQ(rt::CStr((*rs)["note"]), "O'Brien xxxxxxxxxxx");
    EXPECT_DOUBLE_EQ(rt::CDbl((*rs)["amount"]), 3.0);
    rs->MoveLast();
    EXPECT_TRUE((*rs)["note"].isNull());
    EXPECT_EQ(rt::CLng(scalar("SELECT COUNT(*) FROM line WHERE note LIKE 'o''brien%'")), 3);
}

TEST_P(PreparedCommand, FailsWithTheErrorsOfExecute) {
    exec(kInsert, {rt::Variant(1), rt::Variant("a"), rt::Variant(1.0)});
    auto insert = conn->Prepare(kInsert);
    const ado::Params duplicate{rt::Variant(1), rt::Variant("b"), rt::Variant(2.0)};
    auto viaExecute = errorOf([&] { exec(kInsert, duplicate); });
    EXPECT_EQ(std::get<0>(viaExecute), rt::errProviderConstraint);
    EXPECT_EQ(errorOf([&] { insert->Execute(duplicate); }), viaExecute);

    const ado::Params tooFew{rt::Variant(2)};
    EXPECT_EQ(errorOf([&] { insert->Execute(tooFew); }), errorOf([&] { exec(kInsert, tooFew); }));
    // After a failure the command still runs.
    EXPECT_EQ(insert->Execute({rt::Variant(2), rt::Variant("c"), rt::Variant(3.0)}), 1);

    EXPECT_EQ(std::get<0>(errorOf([&] { conn->Prepare("INSERT INTO nowhere (a) VALUES (?)"); })),
              std::get<0>(errorOf([&] { exec("INSERT INTO nowhere (a) VALUES (?)", {rt::Variant(1)}); })));
}

TEST_P(PreparedCommand, RefusesQueriesAndEndsWithItsConnection) {
    EXPECT_EQ(std::get<0>(errorOf([&] { conn->Prepare("SELECT id FROM line WHERE id = ?"); })),
              rt::errProvider);
    auto insert = conn->Prepare(kInsert);
    conn->Close();
    EXPECT_EQ(std::get<0>(errorOf([&] {
                  insert->Execute({rt::Variant(1), rt::Variant("a"), rt::Variant(1.0)});
              })),
              ado::detail::errConnectionUnusable);
    conn = openConnection();
}

IDJ_INSTANTIATE_ON_BACKENDS(PreparedCommand);

} // namespace
