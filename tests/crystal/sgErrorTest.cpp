// Tests of the error slot: the first message wins, formatted messages stay within the buffer.
#include "crystal/sgError.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(SgError, FirstMessageWinsAndFormattedTextIsBounded) {
  SgError = nullptr;
  SetSgError("first");
  SetSgError("second");
  SetSgErrorF("third %d", 3);
  EXPECT_STREQ(SgError, "first");

  SgError = nullptr;
  const std::string longText(300, 'x');
  SetSgErrorF("Internal Error: Input/Output HallSymbol mismatch: %s <> %s", longText.c_str(), "P 1");
  ASSERT_EQ(SgError, SgErrorBuffer);
  EXPECT_EQ(std::strlen(SgError), static_cast<std::size_t>(SgErrorBufferSize - 1));
  // A later formatted error does not overwrite the stored one in the shared buffer.
  SetSgErrorF("other %s", "text");
  EXPECT_EQ(std::string(SgError).substr(0, 15), "Internal Error:");
  SgError = nullptr;
}
