// Number conversion of profile values. Both read only a leading number and ignore what follows;
// neither depends on the process's locale (the host may have set one with a decimal comma).
#pragma once

#include <cstdint>

// Blanks and tabs, then an optional sign and decimal digits, wrapped modulo 2^32 like a 32-bit
// register; no digits give 0. Null reads as the empty text.
std::int32_t LeadingInt(const char* text);

// Blanks and tabs, then a decimal floating-point number (sign, digits, fraction, exponent); no
// number gives 0.0, and so does a number outside the range of a double.
double LeadingDouble(const char* text);
