// How the status line changes from frame to frame: mostly only in its digits. Both the status
// filter and the flight-status reader ask this of every frame's line.
#pragma once

#include <string_view>

// Digits as the C locale has them, without a library call per character.
inline bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

// Texts of one length that differ only where both have a digit. Such texts have the same words
// and the same numbers in the same places: every text without digits is found at the same
// places in both.
bool DigitsAloneDiffer(std::string_view a, std::string_view b);
