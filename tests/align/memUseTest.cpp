// Tests of the memory and machine figures.
#include "align/memUse.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
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
