#pragma once

#include "counter/LargeAllocator.h"

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

namespace qm::counter {

// Keeps texts (the locations and names of counted files) in large blocks: one allocation
// serves hundreds of them, and a text stays where it was put while the store lives, moved
// or not. One per thread: it is not shared.
class TextStore {
public:
    static constexpr std::size_t blockSize = 256 * 1024;

    // A copy of the pieces, one after the other.
    std::string_view keep(std::string_view a, std::string_view b = {}, std::string_view c = {})
    {
        const std::size_t size = a.size() + b.size() + c.size();
        if (size == 0)
            return {};
        char* at = room(size);
        char* to = at;
        for (const std::string_view piece : {a, b, c}) {
            if (!piece.empty())
                std::memcpy(to, piece.data(), piece.size());
            to += piece.size();
        }
        return {at, size};
    }

private:
    char* room(std::size_t size)
    {
        if (size > left_) {
            // A text longer than a block gets a block of its own; the current one stays in use.
            if (size > blockSize / 4)
                return newBlock(size);
            next_ = newBlock(blockSize);
            left_ = blockSize;
        }
        char* at = next_;
        next_ += size;
        left_ -= size;
        return at;
    }

    struct Release {
        std::size_t size;
        void operator()(char* block) const { LargeAllocator<char>().deallocate(block, size); }
    };

    char* newBlock(std::size_t size)
    {
        blocks_.emplace_back(LargeAllocator<char>().allocate(size), Release{size});
        return blocks_.back().get();
    }

    std::vector<std::unique_ptr<char[], Release>> blocks_;
    char* next_ = nullptr;
    std::size_t left_ = 0;
};

} // namespace qm::counter
