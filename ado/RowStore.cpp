#include "ado/RowStore.h"

#include <algorithm>
#include <cstring>

namespace ado::detail {

std::unique_ptr<Cell[]> BlockPool::cells() {
    if (cells_.empty()) return std::unique_ptr<Cell[]>(new Cell[kCellsPerBlock]);
    auto b = std::move(cells_.back());
    cells_.pop_back();
    return b;
}

std::unique_ptr<char[]> BlockPool::chars() {
    if (chars_.empty()) return std::unique_ptr<char[]>(new char[kTextChunk]);
    auto b = std::move(chars_.back());
    chars_.pop_back();
    return b;
}

void BlockPool::give(std::unique_ptr<Cell[]> b) {
    if (cells_.size() < kKeep) cells_.push_back(std::move(b));
}

void BlockPool::give(std::unique_ptr<char[]> b) {
    if (chars_.size() < kKeep) chars_.push_back(std::move(b));
}

void BlockPool::clear() {
    cells_.clear();
    chars_.clear();
}

void RowStore::reset(size_t columns, BlockPool* pool) {
    clear();
    pool_ = pool;
    columns_ = columns;
    size_t fit = columns ? std::max<size_t>(1, kCellsPerBlock / columns) : kCellsPerBlock;
    rowShift_ = 0;
    while ((size_t{2} << rowShift_) <= fit)
        ++rowShift_;
}

Cell* RowStore::appendRow() {
    if ((rows_ >> rowShift_) == blocks_.size())
        blocks_.push_back(pool_ ? pool_->cells() : std::unique_ptr<Cell[]>(new Cell[kCellsPerBlock]));
    return const_cast<Cell*>(row(rows_++));
}

const char* RowStore::keepTextSlow(std::string_view s) {
    if (s.empty()) return "";
    if (s.size() > kTextChunk / 4) {
        large_.push_back(std::unique_ptr<char[]>(new char[s.size()]));
        std::memcpy(large_.back().get(), s.data(), s.size());
        return large_.back().get();
    }
    if (kTextChunk - chunkUsed_ < s.size()) {
        chunks_.push_back(pool_ ? pool_->chars() : std::unique_ptr<char[]>(new char[kTextChunk]));
        chunkUsed_ = 0;
    }
    char* p = chunks_.back().get() + chunkUsed_;
    std::memcpy(p, s.data(), s.size());
    chunkUsed_ += s.size();
    return p;
}

void RowStore::clear() {
    for (auto& b : blocks_)
        if (pool_) pool_->give(std::move(b));
    for (auto& c : chunks_)
        if (pool_) pool_->give(std::move(c));
    blocks_.clear();
    chunks_.clear();
    large_.clear();
    rows_ = 0;
    chunkUsed_ = kTextChunk;
}

} // namespace ado::detail
