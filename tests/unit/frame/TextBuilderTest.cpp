// The printf-free status text against snprintf itself: every byte must agree.
#include "frame/TextBuilder.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

std::string Printf(double value, int precision) {
  char text[kFixedTextSize + 1];
  std::snprintf(text, sizeof text, "%.*f", precision, value);
  return text;
}

std::string Fixed(double value, int precision) {
  char text[kFixedTextSize];
  return std::string(text, FormatFixed(value, precision, text));
}

// Counts disagreements and keeps the first few for the message.
struct Mismatches {
  long count = 0;
  std::string first;
  void Check(double value, int precision) {
    const std::string expected = Printf(value, precision);
    const std::string actual = Fixed(value, precision);
    if (expected != actual && ++count <= 5) {
      char bits[32];
      std::snprintf(bits, sizeof bits, "%a", value);
      first += std::string(bits) + " %." + std::to_string(precision) + "f: " + expected +
               " != " + actual + "\n";
    }
  }
};

constexpr int kPrecisions[] = {0, 1, 2, 3, 4, 6};

TEST(FormatFixedTest, WritesWhatPrintfWritesForEdgeValues) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<double> values = {
      0.0,    0.005,  0.015,   0.025,   0.125,       0.375,  1.005,    2.675,     0.5,     1.5,
      2.5,    0.05,   0.0005,  0.00005, 9.995,       99.995, 999.9995, 0.0049999, 359.995, 4000.0,
      1e-300, 5e-324, DBL_MIN, DBL_MAX, 0x1p49,      0x1p52, 0x1p53,   0x1p63,    0x1p64,  1e15,
      1e16,   1e17,   1e22,    1e300,   123456789.0, inf,    nan};
  // Neighbours of every value: one step to either side of a tie or a boundary.
  const std::size_t count = values.size();
  for (std::size_t i = 0; i < count; ++i) {
    values.push_back(std::nextafter(values[i], 0.0));
    values.push_back(std::nextafter(values[i], inf));
  }
  Mismatches mismatches;
  for (const double value : values) {
    for (const int precision : kPrecisions) {
      mismatches.Check(value, precision);
      mismatches.Check(-value, precision);
    }
  }
  EXPECT_EQ(mismatches.count, 0) << mismatches.first;
}

TEST(FormatFixedTest, WritesWhatPrintfWritesForMillionsOfValues) {
  std::mt19937_64 random(20261208);
  Mismatches mismatches;
  for (int i = 0; i < 400000; ++i) {
    const int precision = kPrecisions[i % 6];
    // Any bit pattern: every exponent, subnormals, infinities and no-numbers.
    mismatches.Check(std::bit_cast<double>(random()), precision);
    // Flight figures: headings, distances, altitudes.
    const double scale = std::ldexp(1.0, static_cast<int>(random() % 40) - 12);
    mismatches.Check((static_cast<double>(random() >> 11) * 0x1p-53 - 0.5) * scale, precision);
    // Exact ties and their neighbours: k / 2^m lies halfway between two outputs for small m.
    const double tie = std::ldexp(static_cast<double>(random() % 2000000) - 1000000.0,
                                  -static_cast<int>(1 + random() % 12));
    mismatches.Check(tie, precision);
    mismatches.Check(std::nextafter(tie, -1e300), precision);
    mismatches.Check(std::nextafter(tie, 1e300), precision);
  }
  EXPECT_EQ(mismatches.count, 0) << mismatches.first;
}

TEST(FormatFixedTest, TakesPrecisionsBeyondItsRangeAsItsBounds) {
  EXPECT_EQ(Fixed(2.5, -3), Printf(2.5, 0));
  EXPECT_EQ(Fixed(0.1, 40), Printf(0.1, kMaxFixedPrecision));
  EXPECT_EQ(Fixed(-DBL_MAX, 40), Printf(-DBL_MAX, kMaxFixedPrecision));
}

// The navigation line, cut at every buffer size from nothing to more than it needs.
TEST(TextBuilderTest, CutsWhereSnprintfCuts) {
  const char* description = "South-west corner";
  const double values[] = {270.075, -0.0, -1e300, 1500.0, 6.2891};
  char full[512];
  const int length =
      std::snprintf(full, sizeof full,
                    "Flight status - %s : Hd : %.2f / Bg : %.2f / Ds %.3f / Alt %.0f / Phase %u",
                    description, values[0], values[1], values[4], values[2], 7u);
  ASSERT_GT(length, 300);
  for (int size = 0; size <= length + 2; ++size) {
    std::string expected(static_cast<std::size_t>(size) + 4, 'x');
    std::string actual = expected;
    std::snprintf(expected.data(), static_cast<std::size_t>(size),
                  "Flight status - %s : Hd : %.2f / Bg : %.2f / Ds %.3f / Alt %.0f / Phase %u",
                  description, values[0], values[1], values[4], values[2], 7u);
    TextBuilder(actual.data(), static_cast<std::size_t>(size))
        .Literal("Flight status - ")
        .Text(description)
        .Literal(" : Hd : ")
        .Fixed(values[0], 2)
        .Literal(" / Bg : ")
        .Fixed(values[1], 2)
        .Literal(" / Ds ")
        .Fixed(values[4], 3)
        .Literal(" / Alt ")
        .Fixed(values[2], 0)
        .Literal(" / Phase ")
        .Unsigned(7u);
    ASSERT_EQ(actual, expected) << "size " << size;
  }
}

// A figure through its memo, as the status line writes it frame after frame: walks that cross
// rounding boundaries and ties in small steps, through zero in both signs, and jumps to values
// the memo cannot hold (huge, infinite, no number), at every precision the memo has a body for.
TEST(TextBuilderTest, FiguresThroughAMemoWriteWhatPrintfWrites) {
  std::mt19937_64 random(20261209);
  const double inf = std::numeric_limits<double>::infinity();
  const double jumps[] = {1e300, -inf, std::numeric_limits<double>::quiet_NaN(), 0x1p60, -0.0};
  FigureMemo memos[2];
  long mismatches = 0;
  std::string first;
  const auto check = [&](double value) {
    for (int i = 0; i < 2; ++i) {
      const int precision = i == 0 ? 0 : 2;
      char actual[kFixedTextSize + 1];
      TextBuilder builder(actual);
      if (i == 0) {
        builder.Fixed<0>(value, memos[i]);
      } else {
        builder.Fixed<2>(value, memos[i]);
      }
      if (Printf(value, precision) != actual && ++mismatches <= 5) {
        first += Printf(value, precision) + " != " + actual + "\n";
      }
    }
  };
  for (int walk = 0; walk < 2000; ++walk) {
    // Around a tie of either precision, or around zero.
    const double centre =
        walk % 3 == 0 ? 0.0 : std::ldexp(static_cast<double>(random() % 4000), -3);
    const double step = std::ldexp(1.0, -static_cast<int>(8 + random() % 40));
    double value = centre - 300.0 * step;
    for (int i = 0; i < 600; ++i) {
      check(value);
      value += step * (static_cast<double>(random() % 3) - 0.5);
    }
    check(jumps[walk % 5]);
  }
  EXPECT_EQ(mismatches, 0) << first;

  // Without room for the longest exact text the memo is not used: the text is cut as snprintf
  // cuts it.
  FigureMemo memo;
  char roomy[64];
  TextBuilder(roomy).Fixed<2>(270.081, memo);
  char tight[5];
  TextBuilder(tight).Fixed<2>(270.082, memo);
  EXPECT_STREQ(tight, "270.");
}

// Every digit count, at and either side of each power of ten.
TEST(TextBuilderTest, WritesUnsignedNumbersAsPrintfDoes) {
  std::vector<unsigned> values = {0u, 4294967295u};
  for (std::uint64_t power = 1; power <= 1000000000u; power *= 10) {
    for (const std::uint64_t value : {power - 1, power, power + 1}) {
      values.push_back(static_cast<unsigned>(value));
    }
  }
  for (const unsigned value : values) {
    char expected[16];
    std::snprintf(expected, sizeof expected, "%u", value);
    char actual[16];
    TextBuilder(actual).Unsigned(value);
    EXPECT_STREQ(actual, expected);
  }
}

TEST(TextBuilderTest, WritesNothingWithoutABuffer) {
  TextBuilder(nullptr, 10).Literal("text").Fixed(1.0, 2).Unsigned(4294967295u);
  char one[1] = {'x'};
  TextBuilder(one).Literal("text");
  EXPECT_EQ(one[0], '\0');
}

}  // namespace
