#include "app/banner.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/app/runProgram.h"

TEST(printHeader, ThirteenFramedLinesOfWidthPlusTwo) {
    testing::internal::CaptureStdout();
    printHeader(75);
    const std::vector<std::string> lines = splitLines(testing::internal::GetCapturedStdout());
    ASSERT_EQ(lines.size(), 13u);
    for (const std::string& line : lines) {
        EXPECT_EQ(line.size(), 77u) << line;
        EXPECT_EQ(line.front(), '*');
        EXPECT_EQ(line.back(), '*');
    }
    EXPECT_EQ(lines[0], std::string(77, '*'));
    EXPECT_EQ(lines[1], "*" + std::string(75, '-') + "*");  // the empty first text line
    EXPECT_EQ(lines[2], "*" + std::string(32, '-') + " Quorix : " + std::string(33, '-') + "*");
    EXPECT_EQ(lines[11], "*" + std::string(75, '-') + "*");
    EXPECT_EQ(lines[12], std::string(77, '*'));
}

TEST(printHeader, TextLinesAreCentredWithTheOddDashOnTheRight) {
    testing::internal::CaptureStdout();
    printHeader(75);
    const std::vector<std::string> lines = splitLines(testing::internal::GetCapturedStdout());
    ASSERT_EQ(lines.size(), 13u);
    for (std::size_t i = 1; i <= 10; ++i) {
        const std::string inner = lines[i].substr(1, 75);
        const std::size_t left = inner.find_first_not_of('-');
        if (left == std::string::npos) continue;  // the empty line
        const std::size_t right = 75 - 1 - inner.find_last_not_of('-');
        EXPECT_TRUE(right == left || right == left + 1) << lines[i];
    }
}
