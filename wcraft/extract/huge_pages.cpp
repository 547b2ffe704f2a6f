// Huge page hints for large arrays.
#include "extract/huge_pages.h"

#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace wcraft {

namespace {

constexpr uintptr_t kHugePage = uintptr_t{2} << 20;

}  // namespace

void prefer_huge_pages(const void* data, size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    uintptr_t begin = reinterpret_cast<uintptr_t>(data);
    uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    uintptr_t last = (begin + bytes) & ~(kHugePage - 1);
    if (!data || last <= first) return;
    // Refused (no huge pages in this kernel, say): the pages stay small.
    madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

// Under the address checker the storage comes from operator new, so that
// the checker still watches the arrays' bounds.
#if defined(__linux__) && defined(MADV_HUGEPAGE) && !defined(__SANITIZE_ADDRESS__)

namespace {

size_t whole_pages(size_t bytes) { return (bytes + kHugePage - 1) & ~(kHugePage - 1); }

}  // namespace

void* huge_allocate(size_t bytes) {
    if (bytes < kHugePage) return ::operator new(bytes);
    size_t size = whole_pages(bytes);
    if (size < bytes || size + kHugePage < size) throw std::bad_alloc();
    // Mapped a huge page larger, then cut to the 2 MB boundaries inside.
    void* got = mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (got == MAP_FAILED) throw std::bad_alloc();
    uintptr_t begin = reinterpret_cast<uintptr_t>(got);
    uintptr_t aligned = (begin + kHugePage - 1) & ~(kHugePage - 1);
    if (aligned > begin) munmap(got, aligned - begin);
    uintptr_t tail = aligned + size, end = begin + size + kHugePage;
    if (end > tail) munmap(reinterpret_cast<void*>(tail), end - tail);
    madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

void huge_deallocate(void* p, size_t bytes) {
    if (!p) return;
    if (bytes < kHugePage) {
        ::operator delete(p);
        return;
    }
    munmap(p, whole_pages(bytes));
}

#else

void* huge_allocate(size_t bytes) { return ::operator new(bytes); }
void huge_deallocate(void* p, size_t) { ::operator delete(p); }

#endif

}  // namespace wcraft
