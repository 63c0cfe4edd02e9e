#pragma once
// The texts of a grid's cells in one arena: each row is one block of the cells' end offsets
// followed by their characters, so 100,000 rows cost a few bytes beyond their text instead of
// a string and a vector each. Rows are moved (sorted, inserted, removed) by their 8-byte
// references; a rewritten row goes to the end of the arena and the arena is compacted when
// more than half of it is dead.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

// Bytes that grow by realloc, so that a long fill moves its pages instead of copying them.
class Arena {
  public:
    Arena() = default;
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;
    ~Arena();
    char* data() { return data_; }
    const char* data() const { return data_; }
    size_t size() const { return size_; }
    // Adds n uninitialised bytes at the end and returns them.
    char* grow(size_t n);
    void reserve(size_t n);
    void clear();
    void swap(Arena& o) noexcept;

  private:
    char* data_ = nullptr;
    size_t size_ = 0, capacity_ = 0;
};

class CellStore {
  public:
    static constexpr uint32_t kNoTag = UINT32_MAX;

    size_t rows() const { return rows_.size(); }
    size_t cols() const { return cols_; }
    // Views stay valid until the store is next changed.
    std::string_view text(size_t row, size_t col) const;
    void setText(size_t row, size_t col, std::string_view text);
    // Every cell of a row at once (missing ones empty): one write to the arena.
    void setRow(size_t row, const std::vector<std::string_view>& texts);

    // Rows come and go empty; a row's tag travels with it.
    void resizeRows(size_t n);
    void reserveRows(size_t n) { rows_.reserve(n); }
    void insertRow(size_t at, const std::vector<std::string_view>& texts);
    void eraseRow(size_t at);
    void setCols(size_t n);
    // Empties every cell and forgets every tag.
    void clearTexts();

    uint32_t tag(size_t row) const { return rows_[row].tag; }
    void setTag(size_t row, uint32_t tag) { rows_[row].tag = tag; }

    // Puts rows first + order[k] at first + k.
    void reorder(size_t first, const std::vector<size_t>& order);

  private:
    static constexpr uint32_t kEmptyRow = UINT32_MAX;
    struct RowRef {
        uint32_t at = kEmptyRow; // offset of the row's block in the arena
        uint32_t tag = kNoTag;
    };
    uint32_t blockSize(const RowRef& r) const;
    uint32_t append(const std::vector<std::string_view>& texts);
    void release(RowRef& r);
    void compactIfWasteful();

    std::vector<RowRef> rows_;
    Arena arena_;
    size_t cols_ = 0;
    size_t dead_ = 0; // bytes of the arena no row refers to
};

} // namespace forms
