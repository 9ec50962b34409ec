#include "status/TextShape.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
// 0xff in each of the sixteen bytes that is an ASCII digit: less '0', a digit is at most 9.
__m128i DigitBytes(__m128i bytes) {
  const __m128i t = _mm_sub_epi8(bytes, _mm_set1_epi8('0'));
  return _mm_cmpeq_epi8(_mm_min_epu8(t, _mm_set1_epi8(9)), t);
}

// Sixteen characters at a time, as far as whole blocks go; the characters from where this stops
// are left to the words below. Where every byte is equal the block costs one comparison.
bool BlocksDifferInDigitsAlone(std::string_view a, std::string_view b, std::size_t& i) {
  for (; i + sizeof(__m128i) <= a.size(); i += sizeof(__m128i)) {
    const __m128i blockA = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a.data() + i));
    const __m128i blockB = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b.data() + i));
    const __m128i equal = _mm_cmpeq_epi8(blockA, blockB);
    if (_mm_movemask_epi8(equal) != 0xffff) {
      const __m128i digits = _mm_and_si128(DigitBytes(blockA), DigitBytes(blockB));
      if (_mm_movemask_epi8(_mm_or_si128(equal, digits)) != 0xffff) {
        return false;
      }
    }
  }
  return true;
}
#endif

}  // namespace

bool DigitsAloneDiffer(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  // Many characters at a time: most of a line is the same as the frame before, and a block or
  // a word that differs is checked whole.
  std::size_t i = 0;
#if defined(__SSE2__)
  if (!BlocksDifferInDigitsAlone(a, b, i)) {
    return false;
  }
#endif
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
