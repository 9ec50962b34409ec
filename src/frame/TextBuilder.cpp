#include "frame/TextBuilder.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// The exact path below holds significand * 5^precision in 64 bits: 2^53 * 5^4 < 2^63.
constexpr int kMaxExactPrecision = 4;
constexpr std::uint64_t kPowersOfFive[kMaxExactPrecision + 1] = {1, 5, 25, 125, 625};

std::size_t PutUnsigned(std::uint64_t value, char* text) {
  char digits[20];
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (std::size_t i = 0; i < count; ++i) {
    text[i] = digits[count - 1 - i];
  }
  return count;
}

// value * 10^precision rounded to an integer, ties to even, computed exactly from the binary
// form: magnitude = significand * 2^exponent, so the scaled value is
// significand * 5^precision * 2^(exponent + precision). False when the result may not fit.
bool ScaledExactly(double magnitude, int precision, std::uint64_t& scaled) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const auto biased = static_cast<int>(bits >> 52);
  const std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  const std::uint64_t significand = biased == 0 ? mantissa : mantissa | std::uint64_t{1} << 52;
  const int exponent = (biased == 0 ? 1 : biased) - 1075;
  const int shift = -exponent - precision;  // scaled = product / 2^shift
  if (shift < 0) {
    return false;  // 2^49 and more: integers far beyond any flight figure
  }
  const std::uint64_t product = significand * kPowersOfFive[precision];
  if (shift >= 64) {
    scaled = 0;  // product < 2^63 is below half of 2^shift
    return true;
  }
  if (shift == 0) {
    scaled = product;
    return true;
  }
  scaled = product >> shift;
  const std::uint64_t rest = product & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  if (rest > half || (rest == half && (scaled & 1) != 0)) {
    ++scaled;
  }
  return true;
}

}  // namespace

std::size_t FormatFixed(double value, int precision, char* text) {
  precision = precision < 0 ? 0 : precision > kMaxFixedPrecision ? kMaxFixedPrecision : precision;
  std::size_t length = 0;
  if (std::signbit(value)) {
    text[length++] = '-';
  }
  if (!std::isfinite(value)) {
    std::memcpy(text + length, std::isnan(value) ? "nan" : "inf", 3);
    return length + 3;
  }
  std::uint64_t scaled = 0;
  if (precision > kMaxExactPrecision || !ScaledExactly(std::fabs(value), precision, scaled)) {
    const auto result = std::to_chars(text + length, text + kFixedTextSize, std::fabs(value),
                                      std::chars_format::fixed, precision);
    return static_cast<std::size_t>(result.ptr - text);
  }
  // Digits of the scaled integer, with zeros in front so that one stands before the point.
  char digits[24];
  std::size_t count = PutUnsigned(scaled, digits);
  const auto places = static_cast<std::size_t>(precision);
  if (count <= places) {
    const std::size_t zeros = places + 1 - count;
    std::memmove(digits + zeros, digits, count);
    std::memset(digits, '0', zeros);
    count += zeros;
  }
  const std::size_t whole = count - places;
  std::memcpy(text + length, digits, whole);
  length += whole;
  if (places > 0) {
    text[length++] = '.';
    std::memcpy(text + length, digits + whole, places);
    length += places;
  }
  return length;
}

TextBuilder::TextBuilder(char* buffer, std::size_t size)
    : buffer_(size > 0 ? buffer : nullptr), room_(buffer != nullptr && size > 0 ? size - 1 : 0) {
  if (buffer_ != nullptr) {
    buffer_[0] = '\0';
  }
}

void TextBuilder::Append(const char* text, std::size_t length) {
  if (buffer_ == nullptr) {
    return;
  }
  const std::size_t taken = length < room_ ? length : room_;
  std::memcpy(buffer_ + length_, text, taken);
  length_ += taken;
  room_ -= taken;
  buffer_[length_] = '\0';
}

TextBuilder& TextBuilder::Text(const char* text) {
  if (text != nullptr) {
    Append(text, std::strlen(text));
  }
  return *this;
}

TextBuilder& TextBuilder::Fixed(double value, int precision) {
  char text[kFixedTextSize];
  Append(text, FormatFixed(value, precision, text));
  return *this;
}

TextBuilder& TextBuilder::Unsigned(unsigned value) {
  char text[20];
  Append(text, PutUnsigned(value, text));
  return *this;
}
