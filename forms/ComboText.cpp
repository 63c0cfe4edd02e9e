#include "forms/ComboText.h"

#include "runtime/Object.h"

#include <algorithm>

namespace forms {

namespace {
char lower(char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
}
} // namespace

bool chooseByLetter(ComboBox& combo, int k) {
    if (combo.Locked || k <= 32 || k >= 127 || combo.ListCount() == 0) return false;
    const int n = combo.ListCount();
    for (int step = 1; step <= n; ++step) {
        const int i = (combo.ListIndex() + step + n) % n;
        const std::string& t = combo.List(i);
        if (!t.empty() && lower(t[0]) == lower(static_cast<char>(k))) {
            combo.setListIndex(i);
            return true;
        }
    }
    return false;
}

bool chooseTypedEntry(ComboBox& combo) {
    if (combo.dropDownList || combo.ListIndex() >= 0 || combo.Text().empty()) return false;
    for (int i = 0; i < combo.ListCount(); ++i)
        if (rt::iequals(combo.List(i), combo.Text())) {
            combo.setListIndex(i);
            return true;
        }
    return false;
}

void applyComboKey(ComboBox& combo, int k) {
    if (combo.dropDownList) {
        chooseByLetter(combo, k);
        return;
    }
    if (combo.Locked || k == 0) return;
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
