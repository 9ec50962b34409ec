#include "check/Values.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "vantor/KeyCodes.h"

namespace check {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

std::string Quoted(std::string_view text) {
  return "'" + std::string(text) + "'";
}

const char* const kOrdinals[] = {"first", "second", "third", "fourth"};

}  // namespace

std::string Number(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string VectorText(double x, double y, double z) {
  return "(" + Number(x) + ", " + Number(y) + ", " + Number(z) + ")";
}

LeadingNumber ScanNumber(std::string_view text) {
  LeadingNumber result;
  std::size_t p = 0;
  while (p < text.size() && IsBlank(text[p])) {
    ++p;
  }
  const std::size_t start = p;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
    ++p;
  }
  std::size_t digits = 0;
  while (p < text.size() && IsDigit(text[p])) {
    ++p;
    ++digits;
  }
  if (p < text.size() && text[p] == '.') {
    ++p;
    while (p < text.size() && IsDigit(text[p])) {
      ++p;
      ++digits;
    }
  }
  if (digits == 0) {
    result.end = start;
    return result;
  }
  if (p < text.size() && (text[p] == 'e' || text[p] == 'E')) {
    std::size_t q = p + 1;
    if (q < text.size() && (text[q] == '+' || text[q] == '-')) {
      ++q;
    }
    if (q < text.size() && IsDigit(text[q])) {
      while (q < text.size() && IsDigit(text[q])) {
        ++q;
      }
      p = q;
    }
  }
  result.found = true;
  result.end = p;
  std::string number(text.substr(start, p - start));
  if (!number.empty() && number.front() == '+') {
    number.erase(0, 1);
  }
  double value = 0.0;
  const auto converted = std::from_chars(number.data(), number.data() + number.size(), value);
  result.value = converted.ec == std::errc() && std::isfinite(value) ? value : 0.0;
  return result;
}

ScalarValue ConvertScalar(std::string_view text) {
  ScalarValue result;
  text = TrimBlanks(text);
  std::size_t blank = 0;
  while (blank < text.size() && !IsBlank(text[blank])) {
    ++blank;
  }
  const std::string_view token = text.substr(0, blank);
  const std::string_view rest = TrimBlanks(text.substr(blank));
  const LeadingNumber number = ScanNumber(token);
  result.value = number.value;
  if (!number.found) {
    result.problems.push_back(
        {Severity::Error, Quoted(text) + " is not a number: the module reads 0"});
    return result;
  }
  if (number.end < token.size()) {
    result.problems.push_back({Severity::Warning, Quoted(token.substr(number.end)) +
                                                      " after the number is ignored: the module "
                                                      "reads " +
                                                      Number(number.value)});
  }
  if (!rest.empty()) {
    result.problems.push_back(
        {Severity::Note, "the text after the first blank, " + Quoted(rest) + ", is ignored"});
  }
  return result;
}

IntegerValue ConvertInteger(std::string_view text) {
  IntegerValue result;
  text = TrimBlanks(text);
  std::size_t p = 0;
  bool negative = false;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
    negative = text[p] == '-';
    ++p;
  }
  const std::size_t digitsStart = p;
  std::uint32_t wrapped = 0;
  while (p < text.size() && IsDigit(text[p])) {
    wrapped = wrapped * 10u + static_cast<std::uint32_t>(text[p] - '0');
    ++p;
  }
  if (negative) {
    wrapped = 0u - wrapped;
  }
  result.value = static_cast<std::int32_t>(wrapped);
  if (p == digitsStart) {
    result.problems.push_back(
        {Severity::Error, Quoted(text) + " is not a whole number: the module reads 0"});
  } else if (p < text.size()) {
    result.problems.push_back({Severity::Warning, Quoted(text.substr(p)) +
                                                      " after the whole number is ignored: the "
                                                      "module reads " +
                                                      std::to_string(result.value)});
  }
  return result;
}

bool TupleValue::Complete() const {
  for (int i = 0; i < count; ++i) {
    if (!supplied[static_cast<std::size_t>(i)]) {
      return false;
    }
  }
  return true;
}

TupleValue ConvertTuple(std::string_view text, int count) {
  constexpr std::size_t kComponentLimit = 19;
  TupleValue result;
  result.count = count;
  const std::string shape = count == 4 ? "(a,b,c,d)" : "(x,y,z)";
  if (text.empty() || text.front() != '(') {
    result.problems.push_back({Severity::Error, Quoted(text) + " needs the form " + shape +
                                                    ", beginning with '(': no component is "
                                                    "read and the prior value stays"});
    return result;
  }
  std::size_t p = 1;
  for (int index = 0; index < count && p < text.size(); ++index) {
    const bool last = index == count - 1;
    const char separator = last ? ')' : ',';
    const std::size_t start = p;
    while (p < text.size() && text[p] != separator && text[p] != '\'') {
      ++p;
    }
    std::string_view component = text.substr(start, p - start);
    const auto slot = static_cast<std::size_t>(index);
    if (last) {
      const std::size_t comma = component.find(',');
      if (comma != std::string_view::npos) {
        result.extra = std::string(component.substr(comma + 1));
        component = component.substr(0, comma);
      }
    }
    if (p - start > kComponentLimit) {
      result.problems.push_back({Severity::Warning, std::string("the ") + kOrdinals[index] +
                                                        " component is longer than 19 "
                                                        "characters and is cut"});
      component = component.substr(0, std::min(component.size(), kComponentLimit));
    }
    if (!component.empty()) {
      result.supplied[slot] = true;
      // "(6,14)" leaves ')' in the second component; the missing third is the news, not that.
      if (!last && p == text.size() && component.back() == ')') {
        component.remove_suffix(1);
      }
      const std::string_view trimmed = TrimBlanks(component);
      const LeadingNumber number = ScanNumber(trimmed);
      result.values[slot] = number.value;
      if (!number.found) {
        result.problems.push_back({Severity::Error, std::string("the ") + kOrdinals[index] +
                                                        " component " + Quoted(trimmed) +
                                                        " is not a number: the module reads 0"});
      } else if (number.end < trimmed.size()) {
        result.problems.push_back({Severity::Warning, Quoted(trimmed.substr(number.end)) +
                                                          " after the " + kOrdinals[index] +
                                                          " component is ignored"});
      }
    }
    if (p < text.size()) {
      ++p;
    }
    if (last && p < text.size() && text[p - 1] == ')') {
      const std::string_view after = TrimBlanks(text.substr(p));
      if (!after.empty()) {
        result.problems.push_back(
            {Severity::Warning, "the text after ')', " + Quoted(after) + ", is ignored"});
      }
    }
  }
  std::string missing;
  for (int i = 0; i < count; ++i) {
    if (!result.supplied[static_cast<std::size_t>(i)]) {
      missing += missing.empty() ? "" : ", ";
      missing += kOrdinals[i];
    }
  }
  if (!missing.empty()) {
    result.problems.push_back({Severity::Error, Quoted(text) + " lacks its " + missing +
                                                    " component (" + shape +
                                                    "): the prior value stays there"});
  }
  return result;
}

int KeyCodeFromLetter(std::string_view text) {
  if (text.empty()) {
    return 0;
  }
  if (text.front() == '*') {
    return -1;
  }
  if (text.front() >= 'A' && text.front() <= 'Z') {
    return static_cast<int>(VKEY_LETTERS[text.front() - 'A']);
  }
  return 0;
}

KeyLetterValue ConvertKeyLetter(std::string_view text) {
  KeyLetterValue result;
  result.code = KeyCodeFromLetter(text);
  if (text.empty()) {
    return result;
  }
  const char first = text.front();
  if (result.code == 0) {
    std::string why = "the module knows only the capital letters A to Z and '*'";
    if (first >= 'a' && first <= 'z') {
      why =
          "letters must be capitals: write " + std::string(1, static_cast<char>(first - 'a' + 'A'));
    } else if (first >= '0' && first <= '9') {
      why = "digits cannot be keys here; only letters map to keys";
    }
    result.problems.push_back(
        {Severity::Error, Quoted(text) + " is not a key letter (" + why + ")"});
  } else if (text.size() > 1) {
    result.problems.push_back({Severity::Warning, "only the first character of " + Quoted(text) +
                                                      " counts: the key is " +
                                                      std::string(1, first)});
  }
  return result;
}

IntListValue ConvertIntList(std::string_view text, std::size_t capacity) {
  IntListValue result;
  const std::string_view separators = "() ,\t\n";
  std::size_t p = 0;
  while (p < text.size()) {
    while (p < text.size() && separators.find(text[p]) != std::string_view::npos) {
      ++p;
    }
    const std::size_t start = p;
    while (p < text.size() && separators.find(text[p]) == std::string_view::npos) {
      ++p;
    }
    if (p == start) {
      break;
    }
    const std::string_view token = text.substr(start, p - start);
    IntegerValue number = ConvertInteger(token);
    for (Problem& problem : number.problems) {
      result.problems.push_back({problem.severity, "entry " + problem.message});
    }
    result.values.push_back(number.value);
  }
  if (result.values.size() > capacity) {
    result.problems.push_back({Severity::Warning, std::to_string(result.values.size()) +
                                                      " entries: only the first " +
                                                      std::to_string(capacity) + " are used"});
  }
  return result;
}

std::vector<Problem> CheckText(std::string_view text, std::size_t capacity) {
  std::vector<Problem> problems;
  if (text.size() > capacity) {
    problems.push_back({Severity::Warning, "is " + std::to_string(text.size()) +
                                               " characters long: only the first " +
                                               std::to_string(capacity) + " are kept"});
  }
  const std::size_t comment = text.find(';');
  if (comment != std::string_view::npos && comment > 0 && IsBlank(text[comment - 1])) {
    problems.push_back({Severity::Warning, "'" + std::string(text.substr(comment)) +
                                               "' is part of the value: there are no comments "
                                               "after a value"});
  }
  return problems;
}

}  // namespace check
