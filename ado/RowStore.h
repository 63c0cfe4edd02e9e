#pragma once
// Rows of a static or keyset cursor: 16-byte cells in 64 KB blocks, texts copied into 64 KB
// chunks. Blocks come from, and go back to, a pool kept by the connection, so that a grid read
// again and again reuses the same memory instead of growing, copying and faulting in new pages.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace ado::detail {

struct Cell {
    union {
        int64_t i;
        double d;
        const char* text;
    };
    uint32_t len;
    uint8_t storage; // SQLite's type code, or kStoredDate
};

// A date column's stored text, read once while the rows are kept: `d` holds the date's serial.
constexpr uint8_t kStoredDate = 6;

constexpr size_t kCellsPerBlock = 4096;
constexpr size_t kTextChunk = 64 * 1024;

class BlockPool {
  public:
    std::unique_ptr<Cell[]> cells();
    std::unique_ptr<char[]> chars();
    void give(std::unique_ptr<Cell[]> b);
    void give(std::unique_ptr<char[]> b);
    void clear();

  private:
    static constexpr size_t kKeep = 512; // of each kind: 32 MB at most
    std::vector<std::unique_ptr<Cell[]>> cells_;
    std::vector<std::unique_ptr<char[]>> chars_;
};

class RowStore {
  public:
    RowStore() = default;
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;
    ~RowStore() { clear(); }

    // Starts empty with rows of `columns` cells, drawing blocks from `pool` (may be null).
    void reset(size_t columns, BlockPool* pool);
    // The cells of a new last row, to be filled in by the caller.
    Cell* appendRow();
    // A copy of the text that lives as long as the store.
    const char* keepText(std::string_view s) {
        if (chunkUsed_ < kTextChunk && s.size() <= kTextChunk - chunkUsed_) {
            char* p = chunks_.back().get() + chunkUsed_;
            std::memcpy(p, s.data(), s.size());
            chunkUsed_ += s.size();
            return p;
        }
        return keepTextSlow(s);
    }
    const Cell* row(size_t r) const {
        return blocks_[r >> rowShift_].get() + (r & ((size_t{1} << rowShift_) - 1)) * columns_;
    }
    size_t rows() const { return rows_; }
    // Gives every block back to the pool.
    void clear();

  private:
    const char* keepTextSlow(std::string_view s);

    BlockPool* pool_ = nullptr;
    size_t columns_ = 0, rows_ = 0;
    unsigned rowShift_ = 0; // a block holds 2^rowShift_ rows, so that finding a row is a shift
    std::vector<std::unique_ptr<Cell[]>> blocks_;
    std::vector<std::unique_ptr<char[]>> chunks_;
    std::vector<std::unique_ptr<char[]>> large_; // texts longer than a chunk holds
    size_t chunkUsed_ = kTextChunk;
};

} // namespace ado::detail
