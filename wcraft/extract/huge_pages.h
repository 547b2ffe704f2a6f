// The large arrays of a run (the record lists and the numbering's indexes,
// a hundred megabytes and more on a large project) are filled page after
// page. Backed by huge pages they cost the kernel one page fault for every
// 2 MB filled instead of one for every 4 KB.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <new>
#include <vector>

namespace wcraft {

// Asks for huge pages over the whole 2 MB pages inside [data, data + bytes);
// a hint only, which changes nothing a program can see but its speed.
void prefer_huge_pages(const void* data, size_t bytes);

// Storage of 2 MB and more mapped on its own, aligned to 2 MB and rounded
// up to it, with huge pages asked for over all of it; smaller storage comes
// from operator new. huge_allocate throws std::bad_alloc when there is none;
// huge_deallocate takes the size that was allocated.
void* huge_allocate(size_t bytes);
void huge_deallocate(void* p, size_t bytes);

// The allocator of arrays that are built whole and dropped whole (the
// numbering's indexes), for std::vector.
template <typename T>
struct HugeAllocator {
    using value_type = T;
    HugeAllocator() = default;
    template <typename U>
    HugeAllocator(const HugeAllocator<U>&) {}
    T* allocate(size_t n) {
        if (n > SIZE_MAX / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(huge_allocate(n * sizeof(T)));
    }
    void deallocate(T* p, size_t n) { huge_deallocate(p, n * sizeof(T)); }
    friend bool operator==(const HugeAllocator&, const HugeAllocator&) { return true; }
    friend bool operator!=(const HugeAllocator&, const HugeAllocator&) { return false; }
};
template <typename T>
using HugeVector = std::vector<T, HugeAllocator<T>>;

// reserve(), with huge pages asked for over the room: before the room is
// filled, so that filling it faults in huge pages.
template <typename T>
void reserve_huge(std::vector<T>& v, size_t n) {
    v.reserve(n);
    prefer_huge_pages(v.data(), v.capacity() * sizeof(T));
}

// Room for `more` elements past the end of a list that grows one record at
// a time: when it must grow it doubles, as push_back would, but into room
// asked to be backed by huge pages before the records move in.
template <typename T>
void grow_huge(std::vector<T>& v, size_t more) {
    if (v.capacity() - v.size() >= more) return;
    std::vector<T> bigger;
    reserve_huge(bigger, std::max(v.capacity() * 2, v.size() + more));
    bigger.insert(bigger.end(), std::make_move_iterator(v.begin()), std::make_move_iterator(v.end()));
    v.swap(bigger);
}

}  // namespace wcraft
