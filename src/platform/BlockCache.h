// Keeps a few freed memory blocks of one size for reuse, per thread, so that objects made and
// destroyed at every redraw (contexts, surfaces, pens, brushes, fonts) cost no heap allocation
// once the first redraw has run.
#pragma once

#include <cstddef>
#include <new>

namespace platform {

template <std::size_t Size> class BlockCache {
public:
    static void* take(std::size_t size) {
        if (size != Size) return ::operator new(size);
        Cache& c = cache();
        if (c.count > 0) return c.blocks[--c.count];
        return ::operator new(Size);
    }
    static void give(void* block, std::size_t size) noexcept {
        if (!block) return;
        Cache& c = cache();
        if (size == Size && c.count < kKept) c.blocks[c.count++] = block;
        else ::operator delete(block);
    }

private:
#if defined(__SANITIZE_ADDRESS__)
    static constexpr int kKept = 0; // every block goes back to the heap, where ASan watches it
#else
    static constexpr int kKept = 16;
#endif
    struct Cache {
        void* blocks[kKept > 0 ? kKept : 1];
        int count = 0;
        ~Cache() {
            while (count > 0) ::operator delete(blocks[--count]);
        }
    };
    static Cache& cache() {
        thread_local Cache instance;
        return instance;
    }
};

} // namespace platform

// Class-level allocation through the cache; objects of derived classes (other sizes) fall through
// to the ordinary heap.
#define RV_CACHED_ALLOCATION(Class)                                                                \
    static void* operator new(std::size_t size) {                                                  \
        return ::platform::BlockCache<sizeof(Class)>::take(size);                                  \
    }                                                                                              \
    static void operator delete(void* block, std::size_t size) noexcept {                          \
        ::platform::BlockCache<sizeof(Class)>::give(block, size);                                  \
    }
