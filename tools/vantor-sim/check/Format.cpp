#include "check/Format.h"

#include <charconv>

namespace check {

std::string Number(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string VectorText(double x, double y, double z) {
  return std::string("(") + Number(x) + ", " + Number(y) + ", " + Number(z) + ")";
}

std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.append(1, '\'').append(text).append(1, '\'');
  return quoted;
}

}  // namespace check
