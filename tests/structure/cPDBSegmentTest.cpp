// Tests of cPDBSegment: the listing of its residue map.
#include "structure/cPDBSegment.h"

#include <gtest/gtest.h>

TEST(cPDBSegment, PrintsResiduesInNumberOrder) {
  cPDBSegment segment;
  segment.residues = {{12, 'G'}, {-3, 'M'}, {4, 'x'}};
  testing::internal::CaptureStdout();
  segment.print();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "-3 M\n4 x\n12 G\n");

  testing::internal::CaptureStdout();
  cPDBSegment().print();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}
