// Tests of the memory and machine figures.
#include "align/memUse.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <new>
#include <sstream>
#include <string>

#include "align/diagnostics.h"
#include "tests/align/engineTestUtil.h"

using memUse = EngineTest;

TEST_F(memUse, RamSizeIsMemTotalInMegabytes) {
    std::ifstream in("/proc/meminfo");
    std::string key;
    double kb = 0;
    while (in >> key) {
        if (key == "MemTotal:") {
            in >> kb;
            break;
        }
    }
    if (kb == 0) GTEST_SKIP() << "no MemTotal in /proc/meminfo on this machine";
    EXPECT_DOUBLE_EQ(GetRAMSizeMB(), kb / 1000.0);
}

TEST_F(memUse, UseAndPeakFigures) {
    const double now = GetMemUseMB();
    EXPECT_GT(now, 0.0);
    const double peak = GetPeakMemUseMB();
    EXPECT_GE(peak, 0.0);
    EXPECT_GE(GetPeakMemUseMB(), peak);
    EXPECT_GT(CheckMemUse(), 0.0);
    EXPECT_STREQ(MemToStr(-1), "");
    // The text shows the peak, raised to the figure given.
    const std::string text = MemToStr(1e9);
    EXPECT_EQ(text, "1000000000 MB(100%)");
}

TEST_F(memUse, CpuSpeedFromTheEnvironment) {
    unsetenv("CPUGHZ");
    EXPECT_DOUBLE_EQ(GetCPUGHz(), 2.5);
    setenv("CPUGHZ", "3.2", 1);
    EXPECT_DOUBLE_EQ(GetCPUGHz(), 3.2);
    unsetenv("CPUGHZ");
}

TEST_F(memUse, AccountLines) {
    TempFile log;
    SetListFileName(log.c_str(), false);
    MemPlus(2000000, "profile");
    MemMinus(1000000, "profile");
    SetListFileName("", false);
    const std::string text = log.read();
    EXPECT_EQ(text.rfind("+   2000000  ", 0), 0u) << text;
    EXPECT_NE(text.find("       2  profile\n-   1000000  "), std::string::npos) << text;
    EXPECT_NE(text.find("       1  profile\n"), std::string::npos) << text;
}

// Where the size asked for is not known, the message gives the size in use when the allocation
// was refused: neither the peak before it nor the size after it. 64 GB of address space (never
// committed) is reserved and let go before the refusal, and reserved again after it.
TEST_F(memUse, RefusedAllocationGivesTheSizeInUseWhenItWasRefused) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator ends the process instead of calling the new handler";
#else
    constexpr size_t RESERVED = 64000000000;
    auto reserve = [] {
        return mmap(nullptr, RESERVED, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    };
    EXPECT_EXIT(
        {
            munmap(reserve(), RESERVED);
            {
                const RefusedAllocationNote note;
                volatile size_t huge = SIZE_MAX / 4;
                try {
                    ::operator delete(::operator new(huge));
                } catch (const std::bad_alloc&) {
                }
            }
            reserve();
            QuitOutOfMemory(UNKNOWN_BYTES, "step");
        },
        testing::ExitedWithCode(2), "Out of memory: step: an allocation was refused with [0-9]{1,4} MB in use\n");
#endif
}
