#include "KeyLabels.h"

#include <cctype>
#include <cstdlib>

#include "Errors.h"

namespace {

// PC keyboard set-1 scan codes of the letters A to Z and of the digits 0 to 9.
constexpr DWORD kLetterCodes[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                    49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
constexpr DWORD kDigitCodes[10] = {11, 2, 3, 4, 5, 6, 7, 8, 9, 10};

struct Modifier {
  const char* prefix;
  int scanCode;  // the left-hand key
};
constexpr Modifier kModifiers[] = {{"shift+", 42}, {"ctrl+", 29}, {"alt+", 56}};

constexpr char kHeld = static_cast<char>(0x80);

std::string Lower(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

[[noreturn]] void BadLabel(const std::string& label) {
  throw UsageError("'" + label +
                   "' is not a key label (a digit, a letter or scan:N with N from 1 to 255, "
                   "optionally after shift+, ctrl+ or alt+)");
}

}  // namespace

ScriptedKey ParseKeyLabel(const std::string& label) {
  ScriptedKey key;
  std::string rest = Lower(label);
  for (bool found = true; found;) {
    found = false;
    for (const Modifier& modifier : kModifiers) {
      const std::string prefix = modifier.prefix;
      if (rest.size() > prefix.size() && rest.compare(0, prefix.size(), prefix) == 0) {
        key.keyState[static_cast<std::size_t>(modifier.scanCode)] = kHeld;
        rest.erase(0, prefix.size());
        found = true;
      }
    }
  }
  if (rest.size() == 1 && std::isdigit(static_cast<unsigned char>(rest[0]))) {
    key.scanCode = kDigitCodes[rest[0] - '0'];
  } else if (rest.size() == 1 && rest[0] >= 'a' && rest[0] <= 'z') {
    key.scanCode = kLetterCodes[rest[0] - 'a'];
  } else if (rest.size() > 5 && rest.compare(0, 5, "scan:") == 0) {
    const std::string digits = rest.substr(5);
    if (digits.size() > 3 || digits.find_first_not_of("0123456789") != std::string::npos) {
      BadLabel(label);
    }
    const long code = std::strtol(digits.c_str(), nullptr, 10);
    if (code < 1 || code > 255) {
      BadLabel(label);
    }
    key.scanCode = static_cast<DWORD>(code);
  } else {
    BadLabel(label);
  }
  return key;
}
