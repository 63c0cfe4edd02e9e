#include "SampleForm.h"

#include "automation/Automation.h"
#include "runtime/Convert.h"

#include <gtest/gtest.h>

namespace {

struct UiToolkitTest : ::testing::Test {
    std::shared_ptr<servicetest::SampleForm> form = servicetest::SampleForm::create();
    rt::ObjectPtr toolkit = automation::CreateObject("BaseServices.clsUiToolkit");
};

TEST_F(UiToolkitTest, TextValidateNumCancelsKeysThatBreakTheNumber) {
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
