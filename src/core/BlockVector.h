#pragma once
// A growing array kept in blocks of equal size that never move: appending never copies
// what is stored, so a list of millions of rows grows without the pause a std::vector
// takes when it doubles (72 ms for the results list of a million entries, long enough
// for the window to stutter). Indexing costs a shift and a mask.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <span>
#include <vector>

template <typename T, std::size_t BlockBits = 16> class BlockVector {
public:
    static constexpr std::size_t blockSize = std::size_t(1) << BlockBits;

    std::size_t size() const { return size_; }
    const T& operator[](std::size_t i) const {
        return blocks_[i >> BlockBits][i & (blockSize - 1)];
    }
    T& operator[](std::size_t i) { return blocks_[i >> BlockBits][i & (blockSize - 1)]; }

    void push_back(const T& value) {
        if (size_ == blocks_.size() * blockSize)
            blocks_.push_back(std::make_unique_for_overwrite<T[]>(blockSize));
        (*this)[size_++] = value;
    }
    void append(std::span<const T> values) {
        for (const T& value : values)
            push_back(value);
    }
    // Removes one element; the ones after it move up by one.
    void erase(std::size_t i) {
        const std::size_t lastBlock = (size_ - 1) >> BlockBits;
        std::size_t offset = i & (blockSize - 1);
        for (std::size_t block = i >> BlockBits; block <= lastBlock; ++block, offset = 0) {
            T* data = blocks_[block].get();
            const std::size_t end =
                block < lastBlock ? blockSize : ((size_ - 1) & (blockSize - 1)) + 1;
            std::move(data + offset + 1, data + end, data + offset);
            if (block < lastBlock)
                data[blockSize - 1] = blocks_[block + 1][0];
        }
        --size_;
    }
    void clear() {
        blocks_.clear();
        blocks_.shrink_to_fit();
        size_ = 0;
    }

private:
    std::vector<std::unique_ptr<T[]>> blocks_;
    std::size_t size_ = 0;
};
