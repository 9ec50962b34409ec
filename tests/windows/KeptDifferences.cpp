#include "KeptDifferences.h"

#include <algorithm>

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && blank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

bool HasNonAscii(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

}  // namespace

const char* KeptDifference(const Difference& difference) {
  const std::string_view key = Trimmed(difference.key);
  if (!key.empty() && (key.front() == ';' || key.front() == '[')) {
    return "key names starting with ';' or '[' (comment lines, '[' lines without ']')";
  }
  const std::string& bytes = difference.fileBytes;
  if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0) {
    return "files in UTF-16";
  }
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 && HasNonAscii(difference.portableText)) {
    return "non-ASCII text in a file with a byte-order mark";
  }
  if (difference.size == 0) {
    if (difference.portableText.size() > 29) {
      return "integer values longer than 29 characters";
    }
    return nullptr;
  }
  const std::string_view portable = difference.portableText;
  if (portable.size() == difference.size - 1 && !portable.empty() &&
      difference.platformText == portable.substr(0, portable.size() - 1) &&
      difference.fileBytes.find_first_of("\"'") != std::string::npos) {
    return "a quoted value whose text just fills the buffer";
  }
  return nullptr;
}
