// Number conversion of profile values. Both read only a leading number and ignore what follows;
// neither depends on the process's locale (the host may have set one with a decimal comma).
#pragma once

#include <cstddef>
#include <cstdint>

// Blanks and tabs, then an optional sign and decimal digits, wrapped modulo 2^32 like a 32-bit
// register; no digits give 0. Null reads as the empty text.
std::int32_t LeadingInt(const char* text);

// Blanks and tabs, then a decimal floating-point number (sign, digits, fraction, exponent); no
// number gives 0.0, and so does a number outside the range of a double.
double LeadingDouble(const char* text);

// Where a conversion stopped: found is false when the text holds no number (value 0), end is
// the offset of the first character the conversion did not use.
struct NumberScan {
  double value = 0.0;
  bool found = false;
  std::size_t end = 0;
};
NumberScan ScanLeadingDouble(const char* text);

// The platform's reading of an integer value: leading blanks and control characters, a sign,
// then decimal digits, or after a lower-case prefix 0x, 0o or 0b hexadecimal, octal or binary
// ones; wrapped modulo 2^32.
struct IntegerScan {
  std::uint32_t value = 0;
  bool found = false;
  std::size_t end = 0;
};
IntegerScan ScanProfileInteger(const char* text);
// LeadingInt with where it stopped; found is false without digits.
IntegerScan ScanLeadingInt(const char* text);
