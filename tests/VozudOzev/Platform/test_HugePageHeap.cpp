#include "VozudOzev/Platform/HugePageHeap.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace VozudOzev;

namespace {

// Kilobytes of heap advised for huge pages in this process, from its memory map.
long advisedHeapKilobytes()
{
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    bool heap = false;
    long size = 0;
    long advised = 0;
    while (std::getline(smaps, line)) {
        if (line.find('-') != std::string::npos && line.find(' ') < line.find(':')) {
            heap = line.ends_with("[heap]");
            size = 0;
        } else if (heap && line.starts_with("Size:")) {
            size = std::strtol(line.c_str() + 5, nullptr, 10);
        } else if (heap && line.starts_with("VmFlags:") && line.find(" hg") != std::string::npos) {
            advised += size;
        }
    }
    return advised;
}

}  // namespace

TEST(HugePageHeap, AdvisesAStretchOfHeapAndKeepsAllocationsWorking)
{
    if (!std::filesystem::exists("/sys/kernel/mm/transparent_hugepage/enabled"))
        GTEST_SKIP() << "no transparent huge pages in this kernel";
    HugePageHeap::reserve();
    HugePageHeap::reserve();
    // At least most of the stretch grown ahead; a block freed at once must not have been
    // optimised away, or nothing is advised.
    EXPECT_GE(advisedHeapKilobytes(), 128 * 1024);

    std::vector<void*> blocks;
    for (std::size_t size : {std::size_t{16}, std::size_t{4096}, std::size_t{3} << 20, std::size_t{48} << 20}) {
        void* p = std::malloc(size);
        ASSERT_NE(p, nullptr);
        std::memset(p, 0x5a, size);
        blocks.push_back(p);
    }
    for (void* p : blocks)
        std::free(p);
}
