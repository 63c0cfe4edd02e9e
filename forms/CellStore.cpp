#include "forms/CellStore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace forms {

Arena::~Arena() {
    std::free(data_);
}

void Arena::reserve(size_t n) {
    if (n <= capacity_) return;
    void* p = std::realloc(data_, n);
    if (!p) throw std::bad_alloc();
    data_ = static_cast<char*>(p);
    capacity_ = n;
}

char* Arena::grow(size_t n) {
    if (size_ + n > capacity_) reserve(std::max({size_ + n, capacity_ * 2, size_t{4096}}));
    char* p = data_ + size_;
    size_ += n;
    return p;
}

void Arena::clear() {
    std::free(std::exchange(data_, nullptr));
    size_ = capacity_ = 0;
}

void Arena::swap(Arena& o) noexcept {
    std::swap(data_, o.data_);
    std::swap(size_, o.size_);
    std::swap(capacity_, o.capacity_);
}

namespace {
uint32_t endAt(const char* block, size_t col) {
    uint32_t e;
    std::memcpy(&e, block + col * sizeof(uint32_t), sizeof e);
    return e;
}

// Appends a block for `texts` (cut or padded to `cols` cells) to `arena`, returning its offset.
uint32_t appendBlock(Arena& arena, size_t cols, const std::vector<std::string_view>& texts) {
    size_t chars = 0;
    for (size_t c = 0; c < cols && c < texts.size(); ++c)
        chars += texts[c].size();
    const size_t at = arena.size(), header = cols * sizeof(uint32_t);
    if (at + header + chars >= std::numeric_limits<uint32_t>::max())
        throw std::length_error("grid texts beyond 4 GB");
    char* block = arena.grow(header + chars);
    uint32_t end = 0;
    for (size_t c = 0; c < cols; ++c) {
        if (c < texts.size()) {
            if (!texts[c].empty()) std::memcpy(block + header + end, texts[c].data(), texts[c].size());
            end += static_cast<uint32_t>(texts[c].size());
        }
        std::memcpy(block + c * sizeof(uint32_t), &end, sizeof end);
    }
    return static_cast<uint32_t>(at);
}
} // namespace

std::string_view CellStore::text(size_t row, size_t col) const {
    const RowRef& r = rows_[row];
    if (r.at == kEmptyRow) return {};
    const char* block = arena_.data() + r.at;
    const uint32_t begin = col == 0 ? 0 : endAt(block, col - 1), end = endAt(block, col);
    return {block + cols_ * sizeof(uint32_t) + begin, end - begin};
}

uint32_t CellStore::blockSize(const RowRef& r) const {
    if (r.at == kEmptyRow || cols_ == 0) return 0;
    return static_cast<uint32_t>(cols_ * sizeof(uint32_t)) + endAt(arena_.data() + r.at, cols_ - 1);
}

uint32_t CellStore::append(const std::vector<std::string_view>& texts) {
    return appendBlock(arena_, cols_, texts);
}

void CellStore::release(RowRef& r) {
    dead_ += blockSize(r);
    r.at = kEmptyRow;
}

void CellStore::setText(size_t row, size_t col, std::string_view text) {
    // The new block is made from views into the arena, which may move while it grows.
    std::string copy(text);
    std::vector<std::string> keep(cols_);
    std::vector<std::string_view> cells(cols_);
    for (size_t c = 0; c < cols_; ++c)
        cells[c] =
            c == col ? std::string_view(copy) : std::string_view(keep[c] = std::string(this->text(row, c)));
    setRow(row, cells);
}

void CellStore::setRow(size_t row, const std::vector<std::string_view>& texts) {
    release(rows_[row]);
    bool empty = true;
    for (size_t c = 0; c < cols_ && c < texts.size() && empty; ++c)
        empty = texts[c].empty();
    if (!empty) rows_[row].at = append(texts);
    compactIfWasteful();
}

void CellStore::resizeRows(size_t n) {
    for (size_t r = n; r < rows_.size(); ++r)
        release(rows_[r]);
    rows_.resize(n);
    compactIfWasteful();
}

void CellStore::insertRow(size_t at, const std::vector<std::string_view>& texts) {
    RowRef r;
    r.at = append(texts);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), r);
}

void CellStore::eraseRow(size_t at) {
    release(rows_[at]);
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(at));
    compactIfWasteful();
}

void CellStore::setCols(size_t n) {
    if (n == cols_) return;
    Arena arena;
    std::vector<std::string_view> cells;
    for (RowRef& r : rows_) {
        if (r.at == kEmptyRow) continue;
        cells.clear();
        for (size_t c = 0; c < n && c < cols_; ++c)
            cells.push_back(text(static_cast<size_t>(&r - rows_.data()), c));
        r.at = appendBlock(arena, n, cells);
    }
    arena_.swap(arena);
    cols_ = n;
    dead_ = 0;
}

void CellStore::clearTexts() {
    for (RowRef& r : rows_)
        r = RowRef{};
    arena_.clear();
    dead_ = 0;
}

void CellStore::reorder(size_t first, const std::vector<size_t>& order) {
    std::vector<RowRef> moved;
    moved.reserve(order.size());
    for (size_t k : order)
        moved.push_back(rows_[first + k]);
    std::copy(moved.begin(), moved.end(), rows_.begin() + static_cast<std::ptrdiff_t>(first));
}

void CellStore::compactIfWasteful() {
    if (dead_ < 64 * 1024 || dead_ * 2 < arena_.size()) return;
    Arena arena;
    arena.reserve(arena_.size() - dead_);
    for (RowRef& r : rows_) {
        if (r.at == kEmptyRow) continue;
        const uint32_t size = blockSize(r);
        const size_t at = arena.size();
        std::memcpy(arena.grow(size), arena_.data() + r.at, size);
        r.at = static_cast<uint32_t>(at);
    }
    arena_.swap(arena);
    dead_ = 0;
}

} // namespace forms
