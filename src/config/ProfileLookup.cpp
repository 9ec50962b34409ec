// The portable profile lookup: one streaming pass over the file per call, with constant memory.
#include "config/ProfileLookup.h"

#if !defined(_WIN32) || defined(AIRCRAFT_PORTABLE_PROFILE_LOOKUP)

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "config/ProfileReaders.h"

namespace {

// What the platform trims: blanks and tabs, and also vertical tabs, form feeds and the old
// end-of-file mark Ctrl-Z.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

bool IsLineEnd(char c) {
  return c == '\n' || c == '\r' || c == '\0';
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view Trimmed(const char* text) {
  std::string_view view(text);
  while (!view.empty() && IsBlank(view.front())) {
    view.remove_prefix(1);
  }
  while (!view.empty() && IsBlank(view.back())) {
    view.remove_suffix(1);
  }
  return view;
}

// Compares a name that arrives one character at a time with a wanted (trimmed) name, ignoring
// case and the blanks around the arriving name, without storing it: names in a file may be
// arbitrarily long.
class NameMatcher {
 public:
  explicit NameMatcher(std::string_view wanted) : wanted_(wanted) {}

  void Reset() {
    position_ = 0;
    blanksMatched_ = 0;
    started_ = false;
    blankMismatch_ = false;
    failed_ = false;
  }

  void Feed(char c) {
    if (failed_) {
      return;
    }
    if (IsBlank(c)) {
      if (!started_) {
        return;
      }
      // Blanks inside the name must match; trailing ones may not, so a mismatch only counts
      // once another character follows.
      if (!blankMismatch_ && position_ < wanted_.size() && wanted_[position_] == c) {
        ++position_;
        ++blanksMatched_;
      } else {
        blankMismatch_ = true;
      }
      return;
    }
    started_ = true;
    if (blankMismatch_ || position_ >= wanted_.size() ||
        LowerAscii(wanted_[position_]) != LowerAscii(c)) {
      failed_ = true;
      return;
    }
    ++position_;
    blanksMatched_ = 0;
  }

  bool Matched() const { return !failed_ && position_ - blanksMatched_ == wanted_.size(); }

 private:
  std::string_view wanted_;
  std::size_t position_ = 0;
  std::size_t blanksMatched_ = 0;
  bool started_ = false;
  bool blankMismatch_ = false;
  bool failed_ = false;
};

// Collects a value straight into the caller's buffer: the first `size` characters after the
// leading blanks (one more than fits, because a leading quote may yet be removed), and enough
// about the rest (trimmed length, first and last character) to trim and unquote it at the end.
class ValueCapture {
 public:
  ValueCapture(char* buffer, std::size_t size) : buffer_(buffer), size_(size) {}

  void Feed(char c) {
    if (length_ == 0 && IsBlank(c)) {
      return;
    }
    if (length_ < size_) {
      buffer_[length_] = c;
    }
    if (length_ == 0) {
      first_ = c;
    }
    ++length_;
    if (!IsBlank(c)) {
      trimmedLength_ = length_;
      last_ = c;
    }
  }

  DWORD Finish() {
    std::uint64_t start = 0;
    std::uint64_t count = trimmedLength_;
    if (count >= 2 && first_ == last_ && (first_ == '"' || first_ == '\'')) {
      start = 1;
      count -= 2;
    }
    if (count > size_ - 1) {
      count = size_ - 1;
    }
    std::memmove(buffer_, buffer_ + start, static_cast<std::size_t>(count));
    buffer_[count] = '\0';
    return static_cast<DWORD>(count);
  }

 private:
  char* buffer_;
  std::size_t size_;
  std::uint64_t length_ = 0;
  std::uint64_t trimmedLength_ = 0;
  char first_ = '\0';
  char last_ = '\0';
};

// Streams the file once, looking for the key in the first section of the wanted name. The
// value goes straight into the caller's buffer; returns whether the key was found.
class KeySearch {
 public:
  KeySearch(const char* section, const char* key, char* buffer, std::size_t size)
      : sectionName_(Trimmed(section)), keyName_(Trimmed(key)), capture_(buffer, size) {
    // Keys before any section belong to the unnamed one.
    inWantedSection_ = Trimmed(section).empty();
  }

  bool Run(std::FILE* file) {
    char chunk[8192];
    bool firstChunk = true;
    while (!done_) {
      const std::size_t count = std::fread(chunk, 1, sizeof chunk, file);
      if (count == 0) {
        break;
      }
      std::size_t i = 0;
      if (firstChunk && count >= 3 && static_cast<unsigned char>(chunk[0]) == 0xEF &&
          static_cast<unsigned char>(chunk[1]) == 0xBB &&
          static_cast<unsigned char>(chunk[2]) == 0xBF) {
        i = 3;
      }
      firstChunk = false;
      while (i < count && !done_) {
        if (line_ == Line::Ignored) {
          // Most lines of a file are not wanted: skip to their end without the state machine.
          while (i < count && !IsLineEnd(chunk[i])) {
            ++i;
          }
          if (i == count) {
            break;
          }
        }
        Feed(chunk[i++]);
      }
    }
    if (!done_) {
      EndLine();
    }
    return found_;
  }

  DWORD Finish() { return capture_.Finish(); }

 private:
  enum class Line { Start, Section, Key, Value, Ignored };

  void Feed(char c) {
    if (IsLineEnd(c)) {
      EndLine();
      return;
    }
    switch (line_) {
      case Line::Start:
        if (IsBlank(c)) {
          return;
        }
        if (c == '[') {
          sectionName_.Reset();
          sectionClosed_ = false;
          line_ = Line::Section;
        } else if (c == ';' || !inWantedSection_) {
          line_ = Line::Ignored;
        } else {
          keyName_.Reset();
          line_ = Line::Key;
          FeedKeyName(c);
        }
        return;
      case Line::Section:
        // The name runs to the line's last ']'; a ']' may yet turn out to be part of it.
        if (c == ']') {
          sectionClosed_ = true;
          sectionMatchedAtClose_ = sectionName_.Matched();
        }
        sectionName_.Feed(c);
        return;
      case Line::Key:
        FeedKeyName(c);
        return;
      case Line::Value:
        capture_.Feed(c);
        return;
      case Line::Ignored:
        return;
    }
  }

  void FeedKeyName(char c) {
    if (c != '=') {
      keyName_.Feed(c);
    } else if (keyName_.Matched()) {
      found_ = true;
      line_ = Line::Value;
    } else {
      line_ = Line::Ignored;
    }
  }

  void EndLine() {
    if (line_ == Line::Section && sectionClosed_) {  // without a ']' the line is no section
      EndSectionName();
    } else if (line_ == Line::Value) {
      done_ = true;  // the first key of the name wins
    }
    line_ = Line::Start;
  }

  void EndSectionName() {
    if (inWantedSection_) {
      done_ = true;  // later sections of the same name are not searched
    } else if (sectionMatchedAtClose_) {
      inWantedSection_ = true;
    }
  }

  NameMatcher sectionName_;
  NameMatcher keyName_;
  ValueCapture capture_;
  Line line_ = Line::Start;
  bool sectionClosed_ = false;
  bool sectionMatchedAtClose_ = false;
  bool inWantedSection_ = false;
  bool found_ = false;
  bool done_ = false;
};

// The platform's reading of an integer value: leading blanks, a sign, then decimal digits, or
// after a lower-case prefix 0x, 0o or 0b hexadecimal, octal or binary ones; wrapped modulo 2^32.
std::uint32_t ProfileInteger(const char* text) {
  while (*text != '\0' && static_cast<unsigned char>(*text) <= ' ') {
    ++text;
  }
  const bool negative = *text == '-';
  if (*text == '+' || *text == '-') {
    ++text;
  }
  std::uint32_t base = 10;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'o' || text[1] == 'b')) {
    base = text[1] == 'x' ? 16 : text[1] == 'o' ? 8 : 2;
    text += 2;
  }
  std::uint32_t total = 0;
  for (;; ++text) {
    const char c = *text;
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
  }
  return negative ? 0u - total : total;
}

DWORD CopyDefault(const char* defaultText, char* buffer, std::size_t size) {
  std::size_t length = 0;
  if (defaultText != nullptr) {
    while (length + 1 < size && defaultText[length] != '\0') {
      ++length;
    }
    // The platform drops trailing blanks of the default.
    while (length > 0 && defaultText[length - 1] == ' ') {
      --length;
    }
    std::memmove(buffer, defaultText, length);
  }
  buffer[length] = '\0';
  return static_cast<DWORD>(length);
}

}  // namespace

DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultText,
                               char* buffer, DWORD size, const char* path) {
  if (buffer == nullptr || size == 0) {
    return 0;
  }
  if (section == nullptr || key == nullptr || path == nullptr) {
    return CopyDefault(defaultText, buffer, size);
  }
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    return CopyDefault(defaultText, buffer, size);
  }
  KeySearch search(section, key, buffer, size);
  const bool found = search.Run(file);
  std::fclose(file);
  return found ? search.Finish() : CopyDefault(defaultText, buffer, size);
}

UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                           const char* path) {
  char value[kProfileValueSize];
  if (GetPrivateProfileStringA(section, key, "", value, sizeof value, path) == 0) {
    return static_cast<UINT>(defaultValue);
  }
  return static_cast<UINT>(ProfileInteger(value));
}

#endif
