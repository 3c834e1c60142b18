#pragma once

// The reader's arena: the file records of one output in one piece of memory asked for in
// huge pages. A part of the counter output reader (CounterOutputReader.ipp), built with
// each of its kernels.

#include "core/FileEntry.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>

#include <sys/mman.h>

namespace qm {

namespace {

// Memory for the file records of one output, in one piece, asked for in
// huge pages: every page of memory is slow to touch the first time (on a
// virtual machine, very slow), and tens of thousands of records take
// thousands of small pages. Each record's shared_ptr control block (with the
// record in it) takes one slot; the block is released with its last record.
class RecordBlock {
public:
    // Room after a record for its control block: counts, a virtual table
    // and the allocator. A control block that needs more is allocated
    // elsewhere.
    static constexpr std::size_t allocatorSize = 3 * sizeof(void*);
    static constexpr std::size_t slotSize = (sizeof(FileEntry) + 2 * sizeof(void*) + allocatorSize + 15) / 16 * 16;
    static constexpr std::size_t hugePage = std::size_t{2} << 20;

    // A block of `slots` slots, held once by its maker (release() it).
    static RecordBlock* make(std::size_t slots)
    {
        const std::size_t length = (slots * slotSize + hugePage - 1) / hugePage * hugePage + hugePage;
        void* mapped = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            throw std::bad_alloc();
        auto* block = new (std::nothrow) RecordBlock(static_cast<char*>(mapped), length);
        if (!block) {
            ::munmap(mapped, length);
            throw std::bad_alloc();
        }
        // Huge pages start at huge-page boundaries; the advice is only a hint.
        ::madvise(block->base_, length - (block->base_ - block->mapped_), MADV_HUGEPAGE);
        return block;
    }

    char* slot(std::size_t i) const { return base_ + i * slotSize; }
    bool holds(const void* p) const { return p >= mapped_ && p < mapped_ + length_; }
    void hold(std::size_t times) { holders_.fetch_add(times, std::memory_order_relaxed); }
    void release(std::size_t times = 1)
    {
        if (times != 0 && holders_.fetch_sub(times, std::memory_order_acq_rel) == times)
            delete this;
    }

private:
    RecordBlock(char* mapped, std::size_t length)
        : mapped_(mapped), length_(length),
          base_(mapped + (hugePage - reinterpret_cast<std::uintptr_t>(mapped) % hugePage) % hugePage)
    {
    }
    ~RecordBlock() { ::munmap(mapped_, length_); }

    char* mapped_;
    std::size_t length_;
    char* base_;
    std::atomic<std::size_t> holders_ = 1;
};

// Allocates a record's control block in its slot of a block: the first
// allocation (there is one) takes the slot, counted in `*taken`; any other
// goes to the heap. A control block in a block releases its hold on it.
template <class T>
struct SlotAllocator {
    using value_type = T;

    RecordBlock* block;
    char* slot;
    std::size_t* taken;

    SlotAllocator(RecordBlock* b, char* s, std::size_t* t) : block(b), slot(s), taken(t) {}
    template <class U>
    SlotAllocator(const SlotAllocator<U>& other) : block(other.block), slot(other.slot), taken(other.taken)
    {
    }

    T* allocate(std::size_t n)
    {
        if (slot && n * sizeof(T) <= RecordBlock::slotSize && alignof(T) <= 16) {
            ++*taken;
            return reinterpret_cast<T*>(std::exchange(slot, nullptr));
        }
        return std::allocator<T>().allocate(n);
    }
    void deallocate(T* p, std::size_t n)
    {
        if (block->holds(p))
            block->release();
        else
            std::allocator<T>().deallocate(p, n);
    }

    template <class U>
    bool operator==(const SlotAllocator<U>& other) const
    {
        return block == other.block;
    }
};

static_assert(sizeof(SlotAllocator<FileEntry>) == RecordBlock::allocatorSize);

} // namespace

} // namespace qm
