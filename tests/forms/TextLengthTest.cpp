// A text box's MaxLength is a number of characters: Arabic remarks (two bytes a character) are
// neither refused at half their length nor cut inside a character when loaded.
#include "TestForms.h"
#include "forms/TextEdit.h"

namespace formstest {
namespace {

std::string repeated(std::string_view piece, int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += piece;
    return s;
}

constexpr std::string_view kAlef = "\xD8\xA7"; // U+0627, two bytes

TEST(TextLength, MaxLengthCountsCharactersWhereverTheTextComesFrom) {
    EntryForm f;
    forms::TextBox& box = f.txtName;
    box.MaxLength = 10;

    // Loaded from storage: kept whole when it fits, cut between characters when it does not.
    box.setText(repeated(kAlef, 8));
    EXPECT_EQ(box.Text(), repeated(kAlef, 8));
    box.setText(repeated(kAlef, 12) + "x");
    EXPECT_EQ(box.Text(), repeated(kAlef, 10));

    // Pasted: up to MaxLength characters, whole or not at all.
    box.setText("");
    EXPECT_TRUE(forms::editText(box, repeated(kAlef, 10)));
    EXPECT_FALSE(forms::editText(box, repeated(kAlef, 11)));
    EXPECT_EQ(box.Text(), repeated(kAlef, 10));

    // Typed a byte at a time, as the key path feeds a character: the tenth character is taken
    // whole, the eleventh not at all.
    box.setText(repeated(kAlef, 9));
    box.SelStart = static_cast<int>(box.Text().size());
    for (unsigned char b : std::string(kAlef))
        box.applyKey(b);
    EXPECT_EQ(box.Text(), repeated(kAlef, 10));
    EXPECT_FALSE(box.applyKey(static_cast<unsigned char>(kAlef[0])));
    // Typing over a selection frees its characters.
    box.SelStart = 0;
    box.SelLength = 2 * static_cast<int>(kAlef.size());
    EXPECT_TRUE(box.applyKey('a'));
    EXPECT_EQ(box.Text(), "a" + repeated(kAlef, 8));
}

} // namespace
} // namespace formstest
