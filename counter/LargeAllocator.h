#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

#include <sys/mman.h>

namespace qm::counter {

// An allocator for the counter's large arrays (the file records of a walk, the pieces of
// its JSON output): from 1 MiB up, memory comes straight from the system in whole 2 MiB pages
// where the system has transparent huge pages on request, so that filling it costs one
// page fault per 2 MiB instead of one per 4 KiB. Smaller arrays come from malloc.
template <class T>
class LargeAllocator {
public:
    using value_type = T;

    static constexpr std::size_t hugePage = std::size_t{2} << 20;
    static constexpr std::size_t threshold = std::size_t{1} << 20;

    LargeAllocator() = default;
    template <class U>
    LargeAllocator(const LargeAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t n)
    {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < threshold) {
            void* p = std::malloc(bytes);
            if (!p)
                throw std::bad_alloc();
            return static_cast<T*>(p);
        }
        // One huge page more than asked, so that the part kept starts on a huge page.
        const std::size_t size = roundUp(bytes);
        void* mapped = ::mmap(nullptr, size + hugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            throw std::bad_alloc();
        auto* start = static_cast<char*>(mapped);
        const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(start);
        const std::size_t skip = (hugePage - at % hugePage) % hugePage;
        if (skip > 0)
            ::munmap(start, skip);
        if (hugePage - skip > 0)
            ::munmap(start + skip + size, hugePage - skip);
#ifdef MADV_HUGEPAGE
        ::madvise(start + skip, size, MADV_HUGEPAGE);
#endif
        return reinterpret_cast<T*>(start + skip);
    }

    void deallocate(T* p, std::size_t n) noexcept
    {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < threshold)
            std::free(p);
        else
            ::munmap(p, roundUp(bytes));
    }

    template <class U>
    bool operator==(const LargeAllocator<U>&) const noexcept
    {
        return true;
    }

private:
    static std::size_t roundUp(std::size_t bytes)
    {
        return (bytes + hugePage - 1) / hugePage * hugePage;
    }
};

} // namespace qm::counter
