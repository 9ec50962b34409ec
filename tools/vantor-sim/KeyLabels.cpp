#include "KeyLabels.h"

#include <cctype>
#include <cstdlib>

#include "Errors.h"
#include "vantor/KeyCodes.h"

namespace {

struct Modifier {
  const char* prefix;
  DWORD scanCode;  // the left-hand key
};
constexpr Modifier kModifiers[] = {
    {"shift+", VKEY_LSHIFT}, {"ctrl+", VKEY_LCONTROL}, {"alt+", VKEY_LALT}};

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
        key.keyState[modifier.scanCode] = static_cast<char>(VKEY_HELD_BIT);
        rest.erase(0, prefix.size());
        found = true;
      }
    }
  }
  if (rest.size() == 1 && std::isdigit(static_cast<unsigned char>(rest[0]))) {
    key.scanCode = VKEY_DIGITS[rest[0] - '0'];
  } else if (rest.size() == 1 && rest[0] >= 'a' && rest[0] <= 'z') {
    key.scanCode = VKEY_LETTERS[rest[0] - 'a'];
  } else if (rest.size() > 5 && rest.compare(0, 5, "scan:") == 0) {
    const std::string digits = rest.substr(5);
    if (digits.size() > 3 || digits.find_first_not_of("0123456789") != std::string::npos) {
      BadLabel(label);
    }
    const long code = std::strtol(digits.c_str(), nullptr, 10);
    if (code < 1 || code >= static_cast<long>(VKEY_STATE_SIZE)) {
      BadLabel(label);
    }
    key.scanCode = static_cast<DWORD>(code);
  } else {
    BadLabel(label);
  }
  return key;
}
