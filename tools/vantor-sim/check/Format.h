// Numbers and vectors as messages show them.
#pragma once

#include <string>
#include <string_view>

namespace check {

// Shortest text of a number: 12.5, -4.35, 1e+20.
std::string Number(double value);
std::string VectorText(double x, double y, double z);
// 'text' in single quotes.
std::string Quoted(std::string_view text);

}  // namespace check
