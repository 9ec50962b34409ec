#include "frame/TextBuilder.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// The exact path below holds significand * 5^precision in 64 bits: 2^53 * 5^4 < 2^63.
constexpr int kMaxExactPrecision = 4;
constexpr std::uint64_t kPowersOfFive[kMaxExactPrecision + 1] = {1, 5, 25, 125, 625};

// 10^0 to 10^19, every power of ten below 2^64.
constexpr auto kPowersOfTen = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& entry : powers) {
    entry = power;
    power *= 10;  // wraps after the last, which is not kept
  }
  return powers;
}();

// "00" to "99".
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the count digits of value, which has no more, so that they end at end (zeros in front).
// Two at a time: this runs for every number of every status line.
inline void PutDigits(std::uint64_t value, char* end, int count) {
  char* p = end;
  for (; count >= 2; count -= 2) {
    const std::uint64_t rest = value / 100;
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (value - rest * 100), 2);
    value = rest;
  }
  if (count == 1) {
    *--p = static_cast<char>('0' + value);
  }
}

// value * 10^Precision rounded to an integer, ties to even, computed exactly from the binary
// form: magnitude = significand * 2^exponent, so the scaled value is
// significand * 5^Precision * 2^(exponent + Precision). False when the result may not fit.
template <int Precision>
[[gnu::always_inline]] inline bool ScaledExactly(double magnitude, std::uint64_t& scaled) {
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const auto biased = static_cast<int>(bits >> 52);
  const std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  const std::uint64_t significand = biased == 0 ? mantissa : mantissa | std::uint64_t{1} << 52;
  const int exponent = (biased == 0 ? 1 : biased) - 1075;
  const int shift = -exponent - Precision;  // scaled = product / 2^shift
  if (shift <= 0) {
    return false;  // 2^48 and more: integers far beyond any flight figure
  }
  const std::uint64_t product = significand * kPowersOfFive[Precision];
  if (shift >= 64) {
    scaled = 0;  // product < 2^63 is below half of 2^shift
    return true;
  }
  // Adding just under half carries into the quotient when the rest is above half; the quotient's
  // lowest bit makes up the difference for a tie, which then rounds to even. Below 2^64: the
  // product is below 2^63 and half at most 2^62.
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  scaled = (product + (half - 1) + ((product >> shift) & 1)) >> shift;
  return true;
}

// Digits of value in decimal, at least one: the bit width times log10(2) is the count or one
// short of it. (Setting the lowest bit never takes a number past a power of ten.)
int DigitCount(std::uint64_t value) {
  const std::uint64_t odd = value | 1;
  const int guess = (std::bit_width(odd) * 1233) >> 12;
  return guess + (odd >= kPowersOfTen[guess] ? 1 : 0);
}

// Writes the text forward from out, which has room for kExactTextSize characters, and returns
// where it ends, with scaled set to the value's magnitude * 10^Precision as written; null, with
// nothing written, when the value needs the general path. One function per precision, so that
// the divisions and the decimals' digit loop are by constants.
template <int Precision>
[[gnu::always_inline]] inline char* FormatExactly(double value, char* out, std::uint64_t& scaled) {
  static_assert(Precision >= 0 && Precision <= kMaxExactPrecision);
  if (!std::isfinite(value) || !ScaledExactly<Precision>(std::fabs(value), scaled)) {
    return nullptr;
  }
  char* p = out;
  if (std::signbit(value)) {
    *p++ = '-';
  }
  constexpr std::uint64_t kUnit = kPowersOfTen[Precision];
  const std::uint64_t whole = scaled / kUnit;
  const int digits = DigitCount(whole);
  p += digits;
  PutDigits(whole, p, digits);
  if constexpr (Precision > 0) {
    *p++ = '.';
    p += Precision;
    PutDigits(scaled - whole * kUnit, p, Precision);
  }
  return p;
}

// The same for a precision known only at run time; always inlined, so that a caller's switch
// lands straight in the body for its precision.
[[gnu::always_inline]] inline char* FormatExactly(double value, int precision, char* out) {
  std::uint64_t scaled = 0;
  switch (precision) {
    case 0:
      return FormatExactly<0>(value, out, scaled);
    case 1:
      return FormatExactly<1>(value, out, scaled);
    case 2:
      return FormatExactly<2>(value, out, scaled);
    case 3:
      return FormatExactly<3>(value, out, scaled);
    case 4:
      return FormatExactly<4>(value, out, scaled);
    default:
      return nullptr;
  }
}

std::size_t FormatGenerally(double value, int precision, char* text) {
  std::size_t length = 0;
  if (std::signbit(value)) {
    text[length++] = '-';
  }
  if (!std::isfinite(value)) {
    std::memcpy(text + length, std::isnan(value) ? "nan" : "inf", 3);
    return length + 3;
  }
  const auto result = std::to_chars(text + length, text + kFixedTextSize, std::fabs(value),
                                    std::chars_format::fixed, precision);
  return static_cast<std::size_t>(result.ptr - text);
}

int ClampedPrecision(int precision) {
  return precision < 0 ? 0 : precision > kMaxFixedPrecision ? kMaxFixedPrecision : precision;
}

}  // namespace

std::size_t FormatFixed(double value, int precision, char* text) {
  precision = ClampedPrecision(precision);
  if (const char* end = FormatExactly(value, precision, text)) {
    return static_cast<std::size_t>(end - text);
  }
  return FormatGenerally(value, precision, text);
}

bool FigureMemo::Holds(double value) const {
  const double magnitude = std::fabs(value);
  return above < magnitude && magnitude < below && std::signbit(value) == negative;
}

// The magnitudes that round to scaled lie strictly between (scaled -/+ 0.5) / 10^Precision. The
// two quotients are rounded, so each bound is moved two steps inward: every magnitude between
// the moved bounds then rounds to scaled. Past 2^52 scaled - 0.5 is no longer exact, and nothing
// is kept.
template <int Precision>
void FigureMemo::Keep(double value, std::uint64_t scaled, const char* written,
                      std::size_t writtenLength) {
  if (scaled >= std::uint64_t{1} << 52) {
    above = below = 0.0;
    return;
  }
  constexpr auto kUnit = static_cast<double>(kPowersOfTen[Precision]);
  const auto inward = [](double bound, std::int64_t steps) {
    return std::bit_cast<double>(std::bit_cast<std::int64_t>(bound) + steps);
  };
  const auto n = static_cast<double>(scaled);
  above = scaled == 0 ? -1.0 : inward((n - 0.5) / kUnit, 2);
  below = inward((n + 0.5) / kUnit, -2);
  negative = std::signbit(value);
  length = writtenLength;
  std::memcpy(text, written, kExactTextSize);
}

TextBuilder::TextBuilder(char* buffer, std::size_t size)
    : end_(size > 0 ? buffer : nullptr), last_(end_ != nullptr ? buffer + (size - 1) : nullptr) {
  if (end_ != nullptr) {
    *end_ = '\0';
  }
}

template <int Precision>
TextBuilder& TextBuilder::FixedTo(double value, FigureMemo* memo) {
  // With room for any exact text the digits go straight into the buffer.
  if (Room() >= kExactTextSize) {
    char* const out = end_;
    if (memo != nullptr && memo->Holds(value)) {
      std::memcpy(out, memo->text, kExactTextSize);
      Advance(memo->length);
      return *this;
    }
    std::uint64_t scaled = 0;
    if (const char* end = FormatExactly<Precision>(value, out, scaled)) {
      const auto length = static_cast<std::size_t>(end - out);
      if (memo != nullptr) {
        memo->Keep<Precision>(value, scaled, out, length);
      }
      Advance(length);
      return *this;
    }
  }
  return FixedAside(value, Precision);
}

template TextBuilder& TextBuilder::FixedTo<0>(double, FigureMemo*);
template TextBuilder& TextBuilder::FixedTo<1>(double, FigureMemo*);
template TextBuilder& TextBuilder::FixedTo<2>(double, FigureMemo*);
template TextBuilder& TextBuilder::FixedTo<3>(double, FigureMemo*);
template TextBuilder& TextBuilder::FixedTo<4>(double, FigureMemo*);

// Near the buffer's end, for figures the exact path does not take, or for precisions it has no
// body for, the text is written aside and cut as it is appended. Kept out of FixedTo, whose every
// call would otherwise set up room for the longest text.
[[gnu::noinline]] TextBuilder& TextBuilder::FixedAside(double value, int precision) {
  char text[kFixedTextSize];
  Append(text, FormatFixed(value, precision, text));
  return *this;
}

TextBuilder& TextBuilder::Unsigned(unsigned value) {
  char text[10];
  const int count = DigitCount(value);
  if (Room() >= sizeof text) {
    PutDigits(value, end_ + count, count);
    Advance(static_cast<std::size_t>(count));
  } else {
    PutDigits(value, text + count, count);
    Append(text, static_cast<std::size_t>(count));
  }
  return *this;
}
