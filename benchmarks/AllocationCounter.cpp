#include "benchmarks/AllocationCounter.h"

#include <atomic>

#if defined(__SANITIZE_ADDRESS__)

bool AllocationCounter::Available() {
    return false;
}
void AllocationCounter::Start() {}
void AllocationCounter::Stop() {}
std::int64_t AllocationCounter::LiveBytes() {
    return 0;
}
std::int64_t AllocationCounter::PeakBytes() {
    return 0;
}

#else

#include <cerrno>
#include <cstdlib>
#include <malloc.h>

// glibc's own allocator, which the definitions below forward to.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void* __libc_valloc(std::size_t size);
void* __libc_pvalloc(std::size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<bool> gCounting{false};
std::atomic<std::int64_t> gLive{0};
std::atomic<std::int64_t> gPeak{0};

std::int64_t SizeOf(void* block) {
    return block ? std::int64_t(malloc_usable_size(block)) : 0;
}

void Count(std::int64_t bytes) {
    const std::int64_t live = gLive.fetch_add(bytes, std::memory_order_relaxed) + bytes;
    std::int64_t peak = gPeak.load(std::memory_order_relaxed);
    while (live > peak && !gPeak.compare_exchange_weak(peak, live, std::memory_order_relaxed)) {
    }
}

bool Counting() {
    return gCounting.load(std::memory_order_relaxed);
}

void* Allocated(void* block) {
    if (block && Counting())
        Count(SizeOf(block));
    return block;
}

} // namespace

bool AllocationCounter::Available() {
    return true;
}

void AllocationCounter::Start() {
    gLive.store(0);
    gPeak.store(0);
    gCounting.store(true);
}

void AllocationCounter::Stop() {
    gCounting.store(false);
}

std::int64_t AllocationCounter::LiveBytes() {
    return gLive.load();
}

std::int64_t AllocationCounter::PeakBytes() {
    return gPeak.load();
}

extern "C" {

void* malloc(std::size_t size) noexcept {
    return Allocated(__libc_malloc(size));
}

void* calloc(std::size_t count, std::size_t size) noexcept {
    return Allocated(__libc_calloc(count, size));
}

void* realloc(void* block, std::size_t size) noexcept {
    if (!Counting())
        return __libc_realloc(block, size);
    const std::int64_t before = SizeOf(block);
    void* moved = __libc_realloc(block, size);
    // A failed realloc leaves the block as it was; realloc(block, 0) frees it.
    if (moved || size == 0)
        Count(SizeOf(moved) - before);
    return moved;
}

void free(void* block) noexcept {
    if (block && Counting())
        Count(-SizeOf(block));
    __libc_free(block);
}

void* memalign(std::size_t alignment, std::size_t size) noexcept {
    return Allocated(__libc_memalign(alignment, size));
}

void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
    return Allocated(__libc_memalign(alignment, size));
}

int posix_memalign(void** result, std::size_t alignment, std::size_t size) noexcept {
    if (alignment == 0 || alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0)
        return EINVAL;
    void* block = Allocated(__libc_memalign(alignment, size));
    if (!block && size != 0)
        return ENOMEM;
    *result = block;
    return 0;
}

void* valloc(std::size_t size) noexcept {
    return Allocated(__libc_valloc(size));
}

void* pvalloc(std::size_t size) noexcept {
    return Allocated(__libc_pvalloc(size));
}
}

#endif
