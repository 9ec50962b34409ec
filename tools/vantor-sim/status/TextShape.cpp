#include "status/TextShape.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080;
constexpr std::uint64_t kLowBits = 0x7f7f7f7f7f7f7f7f;

std::uint64_t WordAt(std::string_view text, std::size_t i) {
  std::uint64_t word = 0;
  std::memcpy(&word, text.data() + i, sizeof word);
  return word;
}

// The high bit of each of the word's eight bytes that is not an ASCII digit. Digits become 0 to
// 9 by the exclusive or; adding 0x76 to a byte's low seven bits then sets its high bit exactly
// from 10 up, and never carries into the next byte.
std::uint64_t NonDigitBytes(std::uint64_t word) {
  const std::uint64_t t = word ^ 0x3030303030303030;
  return (((t & kLowBits) + 0x7676767676767676) | t) & kHighBits;
}

// The high bit of each byte where the two words differ.
std::uint64_t DifferingBytes(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t x = a ^ b;
  return (((x & kLowBits) + kLowBits) | x) & kHighBits;
}

}  // namespace

bool DigitsAloneDiffer(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  // Eight characters at a time: most of a line is the same as the frame before, and a word that
  // differs is checked whole.
  std::size_t i = 0;
  for (; i + sizeof(std::uint64_t) <= a.size(); i += sizeof(std::uint64_t)) {
    const std::uint64_t wordA = WordAt(a, i);
    const std::uint64_t wordB = WordAt(b, i);
    if (wordA != wordB &&
        (DifferingBytes(wordA, wordB) & (NonDigitBytes(wordA) | NonDigitBytes(wordB))) != 0) {
      return false;
    }
  }
  for (; i < a.size(); ++i) {
    if (a[i] != b[i] && !(IsAsciiDigit(a[i]) && IsAsciiDigit(b[i]))) {
      return false;
    }
  }
  return true;
}
