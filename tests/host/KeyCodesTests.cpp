// The one table of key codes: a slip in it would bind two keys to one code.
#include <gtest/gtest.h>

#include <set>

#include "vantor/KeyCodes.h"

TEST(KeyCodes, EveryNamedKeyHasItsOwnCodeInsideTheKeyboardState) {
  std::set<DWORD> codes(std::begin(VKEY_LETTERS), std::end(VKEY_LETTERS));
  codes.insert(std::begin(VKEY_DIGITS), std::end(VKEY_DIGITS));
  codes.insert(std::begin(VKEY_MODIFIERS), std::end(VKEY_MODIFIERS));
  EXPECT_EQ(codes.size(),
            std::size(VKEY_LETTERS) + std::size(VKEY_DIGITS) + std::size(VKEY_MODIFIERS));
  EXPECT_EQ(codes.count(0), 0u);
  EXPECT_LT(*codes.rbegin(), VKEY_STATE_SIZE);
}

TEST(KeyCodes, TheDigitRowRunsFromOneToZero) {
  for (int digit = 1; digit <= 9; ++digit) {
    EXPECT_EQ(VKEY_DIGITS[digit], VKEY_1 + static_cast<DWORD>(digit - 1));
  }
  EXPECT_EQ(VKEY_DIGITS[0], VKEY_9 + 1);
}
