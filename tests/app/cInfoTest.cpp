#include "app/cInfo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {
std::string dots(int n) { return std::string(n, '.'); }
std::string rule(int n) { return std::string(n, '='); }
}  // namespace

TEST(cInfo, ValueLinesArePaddedWithDotsToTheWidth) {
    cInfo info(75);
    CaptureStdout();
    info.printInfo("Host name", "x");
    info.printInfo("Count", 3, "chains");
    info.printInfo("RMSD", 0.25, "A");
    info.printInfo("Ratio", 1.5f);
    info.printInfo("Text", std::string("abc"));
    const std::string out = GetCapturedStdout();
    EXPECT_EQ(out, "Host name" + dots(66) + " : x\n" +
                       "Count" + dots(70) + " : 3 chains\n" +
                       "RMSD" + dots(71) + " : 0.25 A\n" +
                       "Ratio" + dots(70) + " : 1.5\n" +
                       "Text" + dots(71) + " : abc\n");
}

TEST(cInfo, VectorAndArrayLines) {
    cInfo info(75);
    CaptureStdout();
    info.printInfo("Axis", cVector3(1, 0, 0.5));
    info.printInfo("Centre", cVector3(1, 2, 3), "A");
    const double values[] = {1.0, 2.5};
    info.printInfo("Values", values, 2, "A");
    info.printInfo("None", values, 0);
    const std::string out = GetCapturedStdout();
    EXPECT_EQ(out, "Axis" + dots(71) + " : [1, 0, 0.5]\n" +
                       "Centre" + dots(69) + " : [1 A, 2 A, 3 A]\n" +
                       "Values :\n" +
                       "       [ 1]" + dots(64) + " : 1 A\n" +
                       "       [ 2]" + dots(64) + " : 2.5 A\n" +
                       "None :\n");
}

TEST(cInfo, LabelsLongerThanTheWidthGetNoDots) {
    cInfo info(10);
    CaptureStdout();
    info.printInfo("A label longer than ten", "v");
    info.printInfo("A title longer than ten");
    EXPECT_EQ(GetCapturedStdout(), "A label longer than ten : v\nA title longer than ten\n");
}

TEST(cInfo, TitlesAreCentredAndOpenTimingRows) {
    cInfo info(75);
    CaptureStdout();
    info.printInfo("Detecting Symmetry");  // 18 characters: 28 '=' left, 29 right
    info.printInfo("Reading PDB file");    // 16 characters: 29 and 30
    const std::string out = GetCapturedStdout();
    EXPECT_EQ(out, rule(28) + "Detecting Symmetry" + rule(29) + "\n" + rule(29) +
                       "Reading PDB file" + rule(30) + "\n");
    ASSERT_EQ(info.getTimings().size(), 2u);
    EXPECT_EQ(info.getTimings()[0].first, "Detecting Symmetry");
    EXPECT_EQ(info.getTimings()[1].second, 0.0);
}

TEST(cInfo, SaveTimeIntervalFillsTheLastRow) {
    cInfo info(75);
    info.saveTimeInterval(1.0);  // no row yet: ignored
    EXPECT_TRUE(info.getTimings().empty());
    CaptureStdout();
    info.printInfo("Stage one");
    info.printInfo("Stage two");
    GetCapturedStdout();
    info.saveTimeInterval(2.0);
    info.saveTimeInterval(3.0);  // overwrites the same row
    info.saveTimeInterval("Extra", 4.0);
    ASSERT_EQ(info.getTimings().size(), 3u);
    EXPECT_EQ(info.getTimings()[0].second, 0.0);
    EXPECT_EQ(info.getTimings()[1].second, 3.0);
    EXPECT_EQ(info.getTimings()[2].first, "Extra");
}

TEST(cInfo, QuietPrintsNothingAndOpensNoRows) {
    cInfo info(75);
    info.setQuiet(true);
    CaptureStdout();
    info.printInfo("Title");
    info.printInfo("Label", "value");
    info.printHeader("Header", 0);
    info.printTimings();
    info.saveTimeInterval(1.0);
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_TRUE(info.getTimings().empty());
}

TEST(cInfo, TimingTableLayout) {
    cInfo info(75);
    CaptureStdout();
    info.printInfo("Parsing the Command Line");
    info.saveTimeInterval(0.5);
    info.setTotalTime(2.0);
    info.printTimings();
    const std::string out = GetCapturedStdout();
    const std::string expected = rule(25) + "Parsing the Command Line" + rule(26) + "\n" +
                                 rule(75) + "\n" + rule(32) + " Timing : " + rule(33) + "\n" +
                                 rule(75) + "\n" + "Parsing the Command Line" + dots(51) +
                                 " : 0.5 s\n" + dots(75) + "\n" + "Total time : " + dots(62) +
                                 " : 2 s\n" + rule(75) + "\n";
    EXPECT_EQ(out, expected);
}

TEST(cInfo, HeaderModes) {
    cInfo info(20);
    info.setTotalTime(1.5);
    CaptureStdout();
    info.printHeader("Title", 0);
    info.printHeader("Total", 1);
    info.printHeader("ignored", 7);
    EXPECT_EQ(GetCapturedStdout(), rule(20) + "\n" + rule(7) + "Title" + rule(8) + "\n" +
                                       rule(20) + "\n" + dots(20) + "\n" + "Total" + dots(15) +
                                       " : 1.5 s\n" + rule(20) + "\n" + rule(20) + "\n");
    EXPECT_TRUE(info.getTimings().empty());
}

TEST(cInfo, RunsStopAt98Characters) {
    cInfo info(150);
    CaptureStdout();
    info.printHeader("", 2);
    EXPECT_EQ(GetCapturedStdout(), rule(98) + "\n");
}

TEST(cInfo, StructuredLogClosesEveryLevel) {
    const std::string path = testing::TempDir() + "quorix_log.json";
    cInfo json(75);
    json.setFormat(cInfo::JSON);
    json.printLog(path);
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_EQ(ss.str(), "{\n    \"Quorix\": {\n\n    }\n}");
    std::remove(path.c_str());

    cInfo xml(75);
    xml.setFormat(cInfo::XML);
    xml.printLog(path);
    EXPECT_EQ(xml.getLog(), "<Quorix>\n\n</Quorix>");
    std::remove(path.c_str());
}

TEST(cInfo, UnwritableLogIsReported) {
    cInfo info(75);
    CaptureStdout();
    info.printLog("/nonexistent-dir/log.txt");
    EXPECT_EQ(GetCapturedStdout(),
              "Cannot open file for writing" + dots(47) + " : /nonexistent-dir/log.txt\n");
}
