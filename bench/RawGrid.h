#pragma once
// What the raw baselines of the browse fill keep of a result: each cell's text trimmed, as the
// grid shows it, in one flat store with the widest text of each column.
#include "runtime/Date.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace benchsupport {

// The grid's text of a date whose year, month and day start at 0, `month` and `day` of `stored`.
inline std::string dateText(std::string_view stored, size_t month, size_t day) {
    auto digits = [&](size_t at, size_t n) {
        int v = 0;
        for (size_t k = at; k < at + n; ++k)
            v = v * 10 + (stored[k] - '0');
        return v;
    };
    return rt::toDisplay(rt::makeDate(digits(0, 4), digits(month, 2), digits(day, 2)));
}

class FlatTexts {
  public:
    explicit FlatTexts(int columns) : widest_(static_cast<size_t>(columns), 0) {}

    void add(int column, std::string_view cell) {
        while (!cell.empty() && cell.front() == ' ')
            cell.remove_prefix(1);
        while (!cell.empty() && cell.back() == ' ')
            cell.remove_suffix(1);
        texts_.append(cell);
        ends_.push_back(static_cast<uint32_t>(texts_.size()));
        int& widest = widest_[static_cast<size_t>(column)];
        widest = std::max(widest, static_cast<int>(cell.size()));
    }
    size_t cells() const { return ends_.size(); }
    const char* data() const { return texts_.data(); }

  private:
    std::string texts_;
    std::vector<uint32_t> ends_;
    std::vector<int> widest_;
};

} // namespace benchsupport
