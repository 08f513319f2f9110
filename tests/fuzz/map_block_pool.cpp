// The stage targets' operator new. A map of 255 × 255 cells takes 260 KB,
// more than the address sanitizer's allocator keeps in its size classes:
// each such block was mapped fresh from the system, faulted in page by page,
// unmapped again and its shadow released, which cost the targets ten times
// the readers' own work. Blocks of that size are recycled here instead. A
// free block stays poisoned until it is handed out again, round robin so it
// waits as long as possible, and a block handed out for fewer bytes than it
// holds keeps its tail poisoned: reading past the end of a map or after its
// release is still reported. Every other size goes to the sanitizer's
// allocator as before.
#include <sanitizer/asan_interface.h>

#include <array>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <new>

namespace {

constexpr std::size_t kSmallestPooled = (std::size_t{1} << 17) + 1;
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
constexpr std::size_t kBlockCount = 8;

struct Block {
    void* memory = nullptr;
    std::size_t used = 0;
    bool handedOut = false;
};

struct Pool {
    std::mutex mutex;
    std::array<Block, kBlockCount> blocks;
    std::size_t next = 0;
};

Pool& ThePool() {
    static Pool pool;
    return pool;
}

void* TakeBlock(std::size_t size) {
    Pool& pool = ThePool();
    const std::lock_guard lock(pool.mutex);
    for (std::size_t tried = 0; tried < kBlockCount; ++tried) {
        Block& block = pool.blocks[pool.next];
        pool.next = (pool.next + 1) % kBlockCount;
        if (block.handedOut) continue;
        if (block.memory == nullptr) {
            block.memory = std::malloc(kBlockBytes);
            if (block.memory == nullptr) return nullptr;
            ASAN_POISON_MEMORY_REGION(block.memory, kBlockBytes);
        }
        block.handedOut = true;
        block.used = size;
        ASAN_UNPOISON_MEMORY_REGION(block.memory, size);
        return block.memory;
    }
    return nullptr;
}

// True when `memory` was a pooled block, now poisoned and free again.
bool ReturnBlock(void* memory) {
    if (memory == nullptr) return false;
    Pool& pool = ThePool();
    const std::lock_guard lock(pool.mutex);
    for (Block& block : pool.blocks) {
        if (block.memory != memory) continue;
        if (!block.handedOut) {
            std::fprintf(stderr, "map block pool: %p released twice\n", memory);
            std::abort();
        }
        block.handedOut = false;
        ASAN_POISON_MEMORY_REGION(memory, block.used);
        return true;
    }
    return false;
}

void* Allocate(std::size_t size) {
    void* memory = nullptr;
    if (size >= kSmallestPooled && size <= kBlockBytes) memory = TakeBlock(size);
    if (memory == nullptr) memory = std::malloc(size == 0 ? 1 : size);
    return memory;
}

void Release(void* memory) {
    if (!ReturnBlock(memory)) std::free(memory);
}

void* AllocateOrThrow(std::size_t size) {
    void* memory = Allocate(size);
    if (memory == nullptr) throw std::bad_alloc();
    return memory;
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
    const auto align = static_cast<std::size_t>(alignment);
    return std::aligned_alloc(align, (size + align - 1) / align * align);
}

}  // namespace

void* operator new(std::size_t size) {
    return AllocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    return AllocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* memory) noexcept {
    Release(memory);
}
void operator delete[](void* memory) noexcept {
    Release(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    Release(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    Release(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    Release(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    Release(memory);
}

void* operator new(std::size_t size, std::align_val_t alignment) {
    void* memory = AllocateAligned(size, alignment);
    if (memory == nullptr) throw std::bad_alloc();
    return memory;
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return operator new(size, alignment);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, alignment);
}
void operator delete(void* memory, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(memory);
}
