// The program's heap marked for huge pages: in a child process (the marking changes the
// allocator for good), a block of megabytes taken afterwards comes from the heap rather than a
// mapping of its own, and lies in a stretch marked for huge pages; small and large blocks still
// come and go.
#include "app/velmor/HeapPages.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// 0: the block lies in the heap and its mapping has the huge-page mark; else what is wrong.
int checkBlock(const void* block) {
    const auto address = reinterpret_cast<unsigned long>(block);
    std::FILE* smaps = std::fopen("/proc/self/smaps", "r");
    if (smaps == nullptr) {
        return 10;
    }
    char line[512];
    bool inside = false;
    bool heap = false;
    int result = 11;  // no mapping holds the block
    while (std::fgets(line, sizeof line, smaps) != nullptr) {
        unsigned long start = 0;
        unsigned long end = 0;
        if (std::sscanf(line, "%lx-%lx ", &start, &end) == 2 && std::strchr(line, '-') != nullptr &&
            std::strncmp(line, "VmFlags", 7) != 0) {
            inside = address >= start && address < end;
            heap = std::strstr(line, "[heap]") != nullptr;
        } else if (inside && std::strncmp(line, "VmFlags:", 8) == 0) {
            result = !heap ? 12 : std::strstr(line, " hg") == nullptr ? 13 : 0;
            break;
        }
    }
    std::fclose(smaps);
    return result;
}

TEST(HeapPages, BlocksOfMegabytesComeFromAHeapMarkedForHugePages) {
    if (::access("/sys/kernel/mm/transparent_hugepage/enabled", F_OK) != 0) {
        GTEST_SKIP() << "the kernel has no transparent huge pages";
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        vel::preferHugeHeapPages();
        auto* block = static_cast<char*>(std::malloc(8 << 20));
        std::memset(block, 1, 8 << 20);
        int result = checkBlock(block + (4 << 20));
        for (int round = 0; round < 1000 && result == 0; ++round) {
            void* small = std::malloc(size_t(16 + round * 97));
            void* large = std::malloc(size_t(1 + round % 7) << 20);
            result = small != nullptr && large != nullptr ? 0 : 20;
            std::free(small);
            std::free(large);
        }
        std::free(block);
        ::_exit(result);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << "10: no smaps, 11: block not mapped, 12: not in the heap, 13: no huge-page mark, "
           "20: an allocation failed";
}

}  // namespace
