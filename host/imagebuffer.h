#pragma once

#include <cstddef>
#include <new>
#include <sys/mman.h>
#include <vector>

// Allocator for image buffers of up to several hundred megabytes. Large buffers are mapped
// straight from the kernel, which hands out zeroed pages and, asked to, backs them with huge
// pages, so a load does not pay for one page fault per 4 KiB. Elements are left as the memory
// holds them instead of being zeroed first: a load overwrites them at once.
template <typename T> struct ImageAllocator
{
    using value_type = T;

    static constexpr std::size_t mappedFrom = 1 << 20;

    ImageAllocator() = default;
    template <typename U> ImageAllocator(const ImageAllocator<U> &) { }

    T *allocate(std::size_t count)
    {
        const std::size_t bytes = count * sizeof(T);
        if (bytes < mappedFrom)
            return static_cast<T *>(::operator new(bytes));
        void *memory =
                ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED)
            throw std::bad_alloc();
        ::madvise(memory, bytes, MADV_HUGEPAGE);
        return static_cast<T *>(memory);
    }

    void deallocate(T *memory, std::size_t count)
    {
        const std::size_t bytes = count * sizeof(T);
        if (bytes < mappedFrom)
            ::operator delete(memory);
        else
            ::munmap(memory, bytes);
    }

    // resize without a fill value leaves new elements uninitialised.
    template <typename U> void construct(U *) noexcept { }
    template <typename U, typename... Args> void construct(U *place, Args &&...args)
    {
        ::new (static_cast<void *>(place)) U(std::forward<Args>(args)...);
    }

    friend bool operator==(const ImageAllocator &, const ImageAllocator &) { return true; }
};

using ImageBuffer = std::vector<unsigned char, ImageAllocator<unsigned char>>;
