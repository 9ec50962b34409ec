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
  return static_cast<std::int32_t>(ScanLeadingInt(text).value);
}

IntegerScan ScanLeadingInt(const char* text) {
  IntegerScan scan;
  if (text == nullptr) {
    return scan;
  }
  const char* p = SkipBlanks(text);
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') {
    ++p;
  }
  std::uint32_t magnitude = 0;  // unsigned arithmetic wraps without undefined behaviour
  for (; IsDigit(*p); ++p) {
    magnitude = magnitude * 10u + static_cast<std::uint32_t>(*p - '0');
    scan.found = true;
  }
  scan.value = negative ? 0u - magnitude : magnitude;
  scan.end = static_cast<std::size_t>(p - text);
  return scan;
}

double LeadingDouble(const char* text) {
  return ScanLeadingDouble(text).value;
}

NumberScan ScanLeadingDouble(const char* text) {
  NumberScan scan;
  if (text == nullptr) {
    return scan;
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
    return scan;
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
  scan.found = true;
  scan.end = static_cast<std::size_t>(end - text);
  double value = 0.0;
  const auto result = std::from_chars(p, end, value, std::chars_format::general);
  if (result.ec == std::errc()) {
    scan.value = negative ? -value : value;
  }
  return scan;
}

IntegerScan ScanProfileInteger(const char* text) {
  IntegerScan scan;
  if (text == nullptr) {
    return scan;
  }
  const char* p = text;
  while (*p != '\0' && static_cast<unsigned char>(*p) <= ' ') {
    ++p;
  }
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') {
    ++p;
  }
  std::uint32_t base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'o' || p[1] == 'b')) {
    base = p[1] == 'x' ? 16 : p[1] == 'o' ? 8 : 2;
    p += 2;
    scan.found = true;  // "0x" alone is the number 0
  }
  std::uint32_t total = 0;
  for (;; ++p) {
    const char c = *p;
    std::uint32_t digit = base;
    if (c >= '0' && c <= '9') {
      digit = static_cast<std::uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'z') {
      digit = static_cast<std::uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'Z') {
      digit = static_cast<std::uint32_t>(c - 'A' + 10);
    }
    if (digit >= base) {
      break;
    }
    total = total * base + digit;
    scan.found = true;
  }
  scan.value = negative ? 0u - total : total;
  scan.end = static_cast<std::size_t>(p - text);
  return scan;
}
