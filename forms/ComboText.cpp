#include "forms/ComboText.h"

#include <algorithm>

namespace forms {

void applyComboKey(ComboBox& combo, int k) {
    if (combo.dropDownList || combo.Locked || k == 0) return;
    std::string t = combo.Text();
    size_t start = std::min(static_cast<size_t>(std::max(combo.SelStart, 0)), t.size());
    size_t len = std::min(static_cast<size_t>(std::max(combo.SelLength, 0)), t.size() - start);
    if (k == 8) {
        if (len)
            t.erase(start, len);
        else if (start)
            t.erase(--start, 1);
        else
            return;
    } else if (k >= 32) {
        t.replace(start, len, 1, static_cast<char>(k));
        ++start;
    } else {
        return;
    }
    combo.setText(std::move(t));
    combo.SelStart = static_cast<int>(start);
}

} // namespace forms
