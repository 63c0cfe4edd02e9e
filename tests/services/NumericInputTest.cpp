// Every edit of a numeric box, typed key by key or pasted whole, meets the toolkit's number rule.
#include "SampleForm.h"

#include "automation/Automation.h"
#include "forms/TextEdit.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"

#include <gtest/gtest.h>

namespace {

struct NumericInputTest : ::testing::Test {
    // The boxes filter their keys as the windows do: through the toolkit object.
    void filter(forms::TextBox& box, int length, int decimals) {
        box.KeyPress = [this, &box, length, decimals](int& key) {
            std::vector<rt::Variant> args{box.ref(), static_cast<int32_t>(key), length, decimals};
            automation::call(toolkit, "TextValidateNum", args);
            key = rt::CLng(args[1]);
        };
        box.Change = [this] { ++changes; };
    }

    std::shared_ptr<servicetest::SampleForm> form = servicetest::SampleForm::create();
    rt::ObjectPtr toolkit = automation::CreateObject("BaseServices.clsUiToolkit");
    int changes = 0;
};

TEST_F(NumericInputTest, PastedAmountsAreTakenWholeOnlyWhenTheyCouldBeTyped) {
    forms::TextBox& amount = form->txtAmount;
    amount.MaxLength = 12;
    filter(amount, 18, 2);
    amount.setText("0.00");
    changes = 0;
    for (const char* refused : {"12abc", "-5", "0.001", "1e308", " 12", "1,500", "1234567890123", "12\r"}) {
        amount.selectAll();
        EXPECT_FALSE(forms::editText(amount, refused)) << refused;
        EXPECT_EQ(amount.Text(), "0.00") << refused;
        // The caret and selection are the user's again.
        EXPECT_EQ(amount.SelStart, 0);
        EXPECT_EQ(amount.SelLength, 4);
    }
    EXPECT_EQ(changes, 0);

    EXPECT_TRUE(forms::editText(amount, "1500.25"));
    EXPECT_EQ(amount.Text(), "1500.25");
    EXPECT_EQ(changes, 1);
    // Pasted into the middle, the rule sees the whole text the paste leaves.
    EXPECT_TRUE(forms::editText(amount, "150099.25"));
    EXPECT_FALSE(forms::editText(amount, "150099.255"));
    EXPECT_FALSE(forms::editText(amount, "1500.99.25"));
    // Removing is an edit too.
    EXPECT_TRUE(forms::editText(amount, "150099.2"));
    EXPECT_EQ(amount.Text(), "150099.2");
    EXPECT_EQ(changes, 3);

    amount.Locked = true;
    EXPECT_FALSE(forms::editText(amount, "1"));
    EXPECT_EQ(amount.Text(), "150099.2");
}

TEST_F(NumericInputTest, FilterThatFailsLeavesTheBoxAsItWas) {
    forms::TextBox& amount = form->txtAmount;
    amount.setText("12");
    amount.Change = [this] { ++changes; };
    amount.KeyPress = [](int& key) {
        if (key == '9') rt::raise(rt::errInvalidProcedureCall, "frmSample");
    };
    EXPECT_THROW(forms::editText(amount, "1239"), rt::Error);
    EXPECT_EQ(amount.Text(), "12");
    EXPECT_EQ(changes, 0);
    // The box's Change is its own again.
    EXPECT_TRUE(forms::editText(amount, "123"));
    EXPECT_EQ(changes, 1);
}

TEST_F(NumericInputTest, TypedKeysThatBreakTheNumberAreCancelled) {
    struct Case {
        std::string text;
        int caret, selLength;
        char key;
        int length, decimals;
        bool taken;
    };
    const std::string fifteen(15, '9');
    const Case cases[] = {
        {"", 0, 0, '7', 18, 2, true},        {"12.", 3, 0, '5', 18, 2, true},
        {"12.50", 5, 0, '1', 18, 2, false},  {"12.5", 4, 0, '.', 18, 2, false},
        {"12", 2, 0, 'a', 18, 2, false},     {"12", 2, 0, '-', 18, 2, false},
        {"12", 2, 0, '.', 18, 0, false},     {"0.12345678", 10, 0, '9', 15, 8, false},
        {fifteen, 15, 0, '9', 15, 8, false}, {fifteen, 0, 15, '2', 15, 8, true},
        {"1.25", 1, 0, '0', 18, 2, true},    {"1.25", 3, 0, '0', 18, 2, false},
        {"1.25", 2, 2, '9', 18, 2, true},    {"1.25", 1, 1, '.', 18, 2, true},
        {"12.50", 5, 0, '\b', 18, 2, true},  {"12.50", 5, 0, '\r', 18, 2, true},
    };
    for (const Case& c : cases) {
        forms::TextBox& box = form->txtAmount;
        box.setText(c.text);
        box.SelStart = c.caret;
        box.SelLength = c.selLength;
        std::vector<rt::Variant> args{box.ref(), static_cast<int16_t>(c.key), c.length, c.decimals};
        automation::call(toolkit, "TextValidateNum", args);
        EXPECT_EQ(rt::CLng(args[1]), c.taken ? c.key : 0) << c.text << " " << c.caret << " " << c.key;
    }
}

} // namespace
