// Tests of coordinate triplets and fractions: every reference operation printed and parsed back.
#include "crystal/symOpText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "crystal/sgError.h"
#include "tests/crystal/crystalReference.h"

TEST(ParseSymXYZ, TripletsOfEveryReferenceOperation) {
  for (const RefSetting& s : RefSettings()) {
    const std::set<Op> ops(s.ops.begin(), s.ops.end());
    for (const std::string& triplet : s.triplets) {
      T_RTMx parsed, again;
      ASSERT_EQ(ParseSymXYZ(triplet.c_str(), &parsed, 12), 0) << triplet;
      EXPECT_EQ(ops.count(ToOp(parsed)), 1u) << triplet;
      // Printing gives the reference text back, and that text parses to the same operation.
      char text[80];
      ASSERT_NE(RTMx2XYZ(&parsed, 1, 12, 0, 0, 1, ",", text, sizeof text), nullptr);
      EXPECT_EQ(text, triplet);
      EXPECT_TRUE(ParseSymXYZ(text, &again, 12) == 0 && ToOp(again) == ToOp(parsed)) << text;
    }
  }
}

TEST(ParseSymXYZ, AcceptedAndRejectedTexts) {
  struct Case { const char* text; int rc; Op op; };
  const Case cases[] = {
      {"-y,x-y,z+1/3", 0, {0, -1, 0, 1, -1, 0, 0, 0, 1, 0, 0, 4}},
      {"x,y,z+0.33", 0, {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 4}},
      {"X ; 1/2+Y ; -Z_", 0, {1, 0, 0, 0, 1, 0, 0, 0, -1, 0, 6, 0}},
      {"x,x,z", 0, {1, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0}},
      {"x-1/4,y+2:3,z-3/4", 0, {1, 0, 0, 0, 1, 0, 0, 0, 1, 9, 8, 3}},
      {"x+0/0,y,z", 0, {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}},
      {"x,y,z+0.2", -1, {}}, {"x+x,y,z", -1, {}}, {"x,y", -1, {}}, {"x,y,z,x", -1, {}}, {"x,y,z,", -1, {}},
      {"x,y,1/2", -1, {}}, {"x,y,z+1/0", -1, {}}, {"x,y,z++1", -1, {}}, {"x,y,z 1", -1, {}},
      {"x,y,z+", -1, {}}, {"x,y,w", -1, {}}, {"x,y,z+1e9", -1, {}}, {"", -1, {}},
  };
  // Halves are rounded away from zero (a tolerance of 1/100 of the base lets them through).
  T_RTMx half;
  ASSERT_EQ(ParseSymXYZ("x+0.005,y-0.005,z+0.015", &half, 100), 0);
  EXPECT_EQ((std::vector<int>{half.T[0], half.T[1], half.T[2]}), (std::vector<int>{1, 99, 2}));
  for (const Case& c : cases) {
    T_RTMx m;
    ASSERT_EQ(ParseSymXYZ(c.text, &m, 12), c.rc) << c.text;
    if (c.rc == 0) {
      EXPECT_EQ(ToOp(m), c.op) << c.text;
    }
  }
}

TEST(FormatFraction, TextsAndBufferBounds) {
  struct Case { int nume, deno, decimal; const char* text; };
  const Case cases[] = {{6, 12, 0, "1/2"}, {12, 12, 0, "1"},   {-3, 12, 0, "-1/4"}, {3, -12, 0, "-1/4"},
                        {0, 5, 0, "0"},    {8, 12, 1, "0.666667"}, {-24, 12, 0, "-2"}};
  for (const Case& c : cases) EXPECT_STREQ(FormatFraction(c.nume, c.deno, c.decimal, nullptr, 0), c.text);
  // A text that does not fit is refused without a byte written past the buffer.
  char buf[8] = {'#', '#', '#', '#', '#', '#', '#', '#'};
  EXPECT_SG_ERROR(FormatFraction(-11, 12, 0, buf, 4), nullptr, "Internal Error: FormatFraction(): Buffer too small");
  EXPECT_EQ(std::string(buf + 4, 4), "####");
  EXPECT_STREQ(FormatFraction(-11, 12, 0, buf, 7), "-11/12");
}

TEST(RTMx2XYZ, FormsAndBufferBounds) {
  T_RTMx m = MakeRTMx({0, -1, 0, 1, -1, 0, 0, 0, 1}, {0, 0, 4});
  EXPECT_STREQ(RTMx2XYZ(&m, 1, 12, 0, 0, 1, nullptr, nullptr, 0), "-y,x-y,z+1/3");
  m.T[2] = 8;
  EXPECT_STREQ(RTMx2XYZ(&m, 1, 12, 0, 0, 1, nullptr, nullptr, 0), "-y,x-y,z-1/3");
  EXPECT_STREQ(RTMx2XYZ(&m, 1, 12, 0, 1, 0, "; ", nullptr, 0), "-Y; X-Y; -1/3+Z");
  m.T[2] = 6;
  EXPECT_STREQ(RTMx2XYZ(&m, 1, 12, 1, 0, 1, nullptr, nullptr, 0), "-y,x-y,z+0.5");
  const T_RTMx scaled = MakeRTMx({-12, 6, 0, 0, 12, 0, 0, 0, 24});
  EXPECT_STREQ(RTMx2XYZ(&scaled, 12, 12, 0, 0, 1, nullptr, nullptr, 0), "-x+1/2*y,y,2*z");
  char buf[16];
  std::memset(buf, '#', sizeof buf);
  EXPECT_SG_ERROR(RTMx2XYZ(&m, 1, 12, 0, 0, 1, ",", buf, 10), nullptr,
                  "Internal Error: RTMx2XYZ(): BufferXYZ too small");
  EXPECT_EQ(std::string(buf + 10, 6), "######");
}
