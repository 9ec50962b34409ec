#include "config/NumberText.h"

#include <charconv>
#include <system_error>

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

const char* SkipBlanks(const char* text) {
  while (*text == ' ' || *text == '\t') {
    ++text;
  }
  return text;
}

}  // namespace

std::int32_t LeadingInt(const char* text) {
  if (text == nullptr) {
    return 0;
  }
  const char* p = SkipBlanks(text);
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') {
    ++p;
  }
  std::uint32_t magnitude = 0;  // unsigned arithmetic wraps without undefined behaviour
  for (; IsDigit(*p); ++p) {
    magnitude = magnitude * 10u + static_cast<std::uint32_t>(*p - '0');
  }
  if (negative) {
    magnitude = 0u - magnitude;
  }
  return static_cast<std::int32_t>(magnitude);
}

double LeadingDouble(const char* text) {
  if (text == nullptr) {
    return 0.0;
  }
  const char* p = SkipBlanks(text);
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') {
    ++p;
  }
  // Find the end of the decimal number by hand: from_chars alone would also take "inf", "nan"
  // and hexadecimal forms, which are no numbers in an aircraft file.
  const char* end = p;
  bool digits = false;
  while (IsDigit(*end)) {
    ++end;
    digits = true;
  }
  if (*end == '.') {
    ++end;
    while (IsDigit(*end)) {
      ++end;
      digits = true;
    }
  }
  if (!digits) {
    return 0.0;
  }
  if (*end == 'e' || *end == 'E') {
    const char* exponent = end + 1;
    if (*exponent == '-' || *exponent == '+') {
      ++exponent;
    }
    if (IsDigit(*exponent)) {
      while (IsDigit(*exponent)) {
        ++exponent;
      }
      end = exponent;
    }
  }
  double value = 0.0;
  const auto result = std::from_chars(p, end, value, std::chars_format::general);
  if (result.ec != std::errc()) {
    return 0.0;
  }
  return negative ? -value : value;
}
