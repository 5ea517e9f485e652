#include "app/velmor/HeapPages.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#include <cstdint>
#include <cstdlib>

namespace vel {

// The heap is made to grow once by a large stretch of address space (only the pages touched
// become memory) and that stretch is marked for huge pages, which is what glibc's own
// glibc.malloc.hugetlb=1 tunable does at every growth. The heap keeps its top instead of giving
// it back, so that the marked stretch stays one piece. Where the kernel offers no huge pages on
// request the mark is ignored and the heap works as before.
void preferHugeHeapPages() {
    constexpr std::size_t stretch = std::size_t(1) << 30;
    constexpr std::uintptr_t hugePage = std::uintptr_t(2) << 20;
    mallopt(M_TOP_PAD, int(stretch));
    mallopt(M_TRIM_THRESHOLD, int(stretch));
    // Setting these stops glibc from raising its mapping threshold as large blocks come and go:
    // blocks up to its most (32 MB) come from the heap, and so from huge pages, too.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    char* const before = static_cast<char*>(sbrk(0));
    // Blocks come from the heap's top: one that does not fit makes the heap grow.
    void* blocks[8] = {};
    for (void*& block : blocks) {
        if (static_cast<char*>(sbrk(0)) != before) {
            break;
        }
        block = std::malloc(256 * 1024);
    }
    const auto start = (reinterpret_cast<std::uintptr_t>(before) + hugePage - 1) & ~(hugePage - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0)) & ~(hugePage - 1);
    if (end > start) {
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    }
    for (void* block : blocks) {
        std::free(block);
    }
}

}  // namespace vel
