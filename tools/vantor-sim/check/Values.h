// Conversion of profile values by kind, exactly as the module's readers convert them, together
// with what an author should hear about the text: a number that is not one, text that the
// conversion skips, components that are missing.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "check/Report.h"

namespace check {

struct Problem {
  Severity severity;
  std::string message;  // without the key's name; the caller adds it
};

// Blanks and tabs, then sign, digits, fraction and exponent; no number gives 0.
struct LeadingNumber {
  bool found = false;
  double value = 0.0;
  std::size_t end = 0;  // where the conversion stopped
};
LeadingNumber ScanNumber(std::string_view text);

struct ScalarValue {
  double value = 0.0;
  std::vector<Problem> problems;
};
// The first blank-separated token's leading number. The caller handles the empty value, which
// the module reads as absent.
ScalarValue ConvertScalar(std::string_view text);

struct IntegerValue {
  long long value = 0;
  std::vector<Problem> problems;
};
// Optional sign and leading decimal digits; "12.5" is 12, "abc" is 0.
IntegerValue ConvertInteger(std::string_view text);

// "(a,b,c)" or "(a,b,c,d)": each component but the last ends at a comma, the last at ')'; an
// apostrophe ends a component too. A component that is not there stays unsupplied, and the
// module keeps the prior value for it.
struct TupleValue {
  int count = 0;  // components asked for
  std::array<bool, 4> supplied{};
  std::array<double, 4> values{};
  std::string extra;  // what the last component holds after a comma: "(1,2,3,4)" gives "4"
  std::vector<Problem> problems;
  bool Complete() const;
};
TupleValue ConvertTuple(std::string_view text, int count);

// A capital letter's scan code, -1 for "*", 0 for anything else.
int KeyCodeFromLetter(std::string_view text);
struct KeyLetterValue {
  int code = 0;
  std::vector<Problem> problems;
};
KeyLetterValue ConvertKeyLetter(std::string_view text);

struct IntListValue {
  std::vector<long long> values;
  std::vector<Problem> problems;
};
IntListValue ConvertIntList(std::string_view text, std::size_t capacity);

// A text value for a buffer of the given capacity (characters, terminator excluded).
std::vector<Problem> CheckText(std::string_view text, std::size_t capacity);

// Shortest text of a number, for messages: 12.5, -4.35, 1e+20.
std::string Number(double value);
std::string VectorText(double x, double y, double z);

}  // namespace check
