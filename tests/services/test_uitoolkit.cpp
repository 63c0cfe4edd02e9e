#include "SampleForm.h"

#include "automation/Automation.h"
#include "forms/ComboText.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"
#include "services/UiToolkit.h"

#include <gtest/gtest.h>

using services::UiToolkit;

namespace {

struct UiToolkitTest : ::testing::Test {
    std::shared_ptr<servicetest::SampleForm> form = servicetest::SampleForm::create();
    rt::ObjectPtr toolkit = automation::CreateObject("BaseServices.clsUiToolkit");

    // The key after the toolkit saw it, typed at the caret (selecting `selLength` from it).
    int filter(const std::string& text, int caret, int selLength, char key, int length, int decimals) {
        forms::TextBox& box = form->txtAmount;
        box.setText(text);
        box.SelStart = caret;
        box.SelLength = selLength;
        std::vector<rt::Variant> args{box.ref(), static_cast<int16_t>(key), length, decimals};
        automation::call(toolkit, "TextValidateNum", args);
        return rt::CLng(args[1]);
    }
    bool takes(const std::string& text, char key, int length = 18, int decimals = 2) {
        return filter(text, static_cast<int>(text.size()), 0, key, length, decimals) == key;
    }
};

TEST_F(UiToolkitTest, TextValidateNumCancelsKeysThatBreakTheNumber) {
    EXPECT_TRUE(takes("", '7'));
    EXPECT_TRUE(takes("12", '.'));
    EXPECT_TRUE(takes("12.", '5'));
    EXPECT_TRUE(takes("12.5", '0'));
    EXPECT_FALSE(takes("12.50", '1')) << "a third decimal";
    EXPECT_FALSE(takes("12.5", '.')) << "a second point";
    EXPECT_FALSE(takes("12", 'a'));
    EXPECT_FALSE(takes("12", '-'));
    EXPECT_FALSE(takes("12", ' '));
    EXPECT_FALSE(takes("12", '.', 18, 0)) << "no decimals allowed";
    EXPECT_TRUE(takes("0.1234567", '8', 15, 8));
    EXPECT_FALSE(takes("0.12345678", '9', 15, 8));
    EXPECT_TRUE(takes(std::string(14, '9'), '9', 15, 8));
    EXPECT_FALSE(takes(std::string(15, '9'), '9', 15, 8)) << "longer than the length";
}

TEST_F(UiToolkitTest, TextValidateNumLooksAtTheCaretAndTheSelection) {
    // A digit before the point does not add a decimal.
    EXPECT_EQ(filter("1.25", 1, 0, '0', 18, 2), '0');
    // A digit after the point at the end of two decimals does.
    EXPECT_EQ(filter("1.25", 3, 0, '0', 18, 2), 0);
    // Typing over the selected decimals replaces them.
    EXPECT_EQ(filter("1.25", 2, 2, '9', 18, 2), '9');
    // Typing a point over the selected point keeps one point.
    EXPECT_EQ(filter("1.25", 1, 1, '.', 18, 2), '.');
    // A full box takes a key over its selection.
    EXPECT_EQ(filter(std::string(15, '1'), 0, 15, '2', 15, 8), '2');
}

TEST_F(UiToolkitTest, TextValidateNumLetsControlKeysPass) {
    EXPECT_EQ(filter("12.50", 5, 0, 8, 18, 2), 8) << "backspace";
    EXPECT_EQ(filter("12.50", 5, 0, 13, 18, 2), 13) << "enter";
}

TEST_F(UiToolkitTest, TextValidateNumKeepsTheWidthOfTheKeyItCancels) {
    form->txtAmount.setText("1.25");
    std::vector<rt::Variant> args{form->txtAmount.ref(), static_cast<int32_t>('x'), 18, 2};
    automation::call(toolkit, "TextValidateNum", args);
    EXPECT_EQ(args[1].type(), rt::Variant::Type::Long);
    EXPECT_EQ(rt::CLng(args[1]), 0);
}

TEST_F(UiToolkitTest, MatchComboItemCompletesTypedTextAndSelectsTheRest) {
    forms::ComboBox& combo = form->cboDepartment;
    for (const char* s : {"JournalNo", "Date", "Type", "Type Serial No"})
        combo.AddItem(s);
    int clicks = 0;
    combo.Click = [&] { ++clicks; };

    combo.setText("ty");
    automation::callv(toolkit, "matchcomboitem", combo.ref(), static_cast<int16_t>('Y'));
    EXPECT_EQ(combo.Text(), "Type");
    EXPECT_EQ(combo.ListIndex(), 2);
    EXPECT_EQ(combo.SelStart, 2);
    EXPECT_EQ(combo.SelLength, 2);
    EXPECT_EQ(clicks, 1);

    // Typing on over the selection narrows to the next entry.
    for (char key : std::string("pe ")) {
        forms::applyComboKey(combo, key);
        automation::callv(toolkit, "matchcomboitem", combo.ref(),
                          static_cast<int16_t>(key == ' ' ? 32 : key - 32));
    }
    EXPECT_EQ(combo.Text(), "Type Serial No");
    EXPECT_EQ(combo.SelStart, 5);
}

TEST_F(UiToolkitTest, MatchComboItemLeavesControlKeysAndUnmatchedTextAlone) {
    forms::ComboBox& combo = form->cboDepartment;
    combo.AddItem("Head Office");
    combo.setText("He");
    automation::callv(toolkit, "matchcomboitem", combo.ref(), static_cast<int16_t>(8)); // backspace
    EXPECT_EQ(combo.Text(), "He");
    automation::callv(toolkit, "matchcomboitem", combo.ref(), static_cast<int16_t>(37)); // left arrow
    EXPECT_EQ(combo.Text(), "He");

    combo.setText("Hx");
    automation::callv(toolkit, "matchcomboitem", combo.ref(), static_cast<int16_t>('X'));
    EXPECT_EQ(combo.Text(), "Hx");
    EXPECT_EQ(combo.ListIndex(), -1);
}

TEST_F(UiToolkitTest, SelectComboItemByValueSelectsByItemDataAndRaisesClick) {
    forms::ComboBox& combo = form->cboDepartment;
    for (int32_t id : {4, 1, 3}) {
        combo.AddItem("Department " + std::to_string(id));
        combo.setItemData(combo.NewIndex(), id);
    }
    std::string clicked;
    combo.Click = [&] { clicked = combo.Text(); };

    automation::callv(toolkit, "SelectComboItemByValue", combo.ref(), "3");
    EXPECT_EQ(combo.ListIndex(), 2);
    EXPECT_EQ(clicked, "Department 3");

    // A value that no entry carries leaves the selection as it is.
    automation::callv(toolkit, "SelectComboItemByValue", combo.ref(), 7);
    automation::callv(toolkit, "SelectComboItemByValue", combo.ref(), rt::Variant());
    EXPECT_EQ(combo.ListIndex(), 2);
}

} // namespace
