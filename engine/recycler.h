#pragma once

#include <cstddef>
#include <new>

// Blocks for a type that is made and dropped by the million (text cells, syntax-tree nodes):
// released blocks are kept on a free list for the next allocation instead of going back to the
// allocator, and they stay with the process until it ends. Sanitizer builds use the allocator
// itself, so that a block used after its release is still caught.
#if defined(__SANITIZE_ADDRESS__)
#    define BRINDLE_RECYCLE_BLOCKS 0
#elif defined(__has_feature)
#    if __has_feature(address_sanitizer)
#        define BRINDLE_RECYCLE_BLOCKS 0
#    endif
#endif
#ifndef BRINDLE_RECYCLE_BLOCKS
#    define BRINDLE_RECYCLE_BLOCKS 1
#endif

template <typename T> class ESRecycler
{
public:
    static void *allocate()
    {
#if BRINDLE_RECYCLE_BLOCKS
        if (Block *block = freeBlocks) {
            freeBlocks = block->next;
            return block;
        }
        return ::operator new(sizeof(Block));
#else
        return ::operator new(sizeof(T));
#endif
    }

    static void release(void *pointer)
    {
#if BRINDLE_RECYCLE_BLOCKS
        auto *block = static_cast<Block *>(pointer);
        block->next = freeBlocks;
        freeBlocks = block;
#else
        ::operator delete(pointer);
#endif
    }

private:
    union Block {
        Block *next;
        alignas(T) unsigned char bytes[sizeof(T)];
    };
    static inline Block *freeBlocks = nullptr;
};
