#include "config/ProfileReaders.h"

#include <charconv>
#include <cstring>

#include "config/NumberText.h"
#include "config/ProfileLookup.h"
#include "frame/Text.h"

namespace {

// A vector or tuple component keeps at most this many characters; the rest is skipped.
constexpr std::size_t kComponentSize = 19;

struct Component {
  bool supplied = false;
  char text[kComponentSize + 1] = "";
};

// An empty path names no file (class set-up leaves it empty when the vessel's path would not
// fit); the platform's lookup would search its own folders for it.
bool NamesNoFile(const char* path) {
  return path == nullptr || path[0] == '\0';
}

DWORD LookUp(const char* path, const char* section, const char* key, const char* defaultText,
             char (&value)[kProfileValueSize]) {
  if (NamesNoFile(path)) {
    return static_cast<DWORD>(CopyText(value, defaultText));
  }
  return GetPrivateProfileStringA(section, key, defaultText, value,
                                  static_cast<DWORD>(kProfileValueSize), path);
}

// Splits "(a,b,...)" into `count` components. Every component but the last ends at a comma; the
// last ends at ')' and may hold commas (its conversion stops there). An apostrophe ends any
// component as its separator would. A component the text does not supply (no leading '(', an
// empty component, too few separators) is left unsupplied, so the caller keeps its prior value.
void SplitComponents(const char* text, Component* components, int count) {
  if (text[0] != '(') {
    return;
  }
  const char* p = text + 1;
  for (int index = 0; index < count && *p != '\0'; ++index) {
    const bool last = index == count - 1;
    const char separator = last ? ')' : ',';
    std::size_t length = 0;
    while (*p != '\0' && *p != separator && *p != '\'') {
      if (length < kComponentSize) {
        components[index].text[length++] = *p;
      }
      ++p;
    }
    components[index].text[length] = '\0';
    components[index].supplied = length > 0;
    if (*p == '\0') {
      return;
    }
    ++p;
  }
}

// Formats the default of an absent vector key: nine significant digits, independent of locale.
void FormatVector(const VECTOR3& vector, char (&text)[kProfileValueSize]) {
  char* out = text;
  char* const end = text + sizeof text - 1;
  const double components[3] = {vector.x, vector.y, vector.z};
  *out++ = '(';
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      *out++ = ',';
    }
    const auto result = std::to_chars(out, end, components[i], std::chars_format::scientific, 8);
    out = result.ptr;
  }
  *out++ = ')';
  *out = '\0';
}

}  // namespace

bool ReadProfileInt(const char* path, const char* section, const char* key, int& value) {
  if (!NamesNoFile(path)) {
    value = static_cast<int>(GetPrivateProfileIntA(section, key, value, path));
  }
  return true;
}

bool ReadProfileDouble(const char* path, const char* section, const char* key, double& value) {
  char text[kProfileValueSize];
  if (LookUp(path, section, key, "", text) == 0) {
    return true;
  }
  // The first blank-separated token: conversion stops at the first blank after the number.
  value = LeadingDouble(text);
  return true;
}

bool ReadProfileVector(const char* path, const char* section, const char* key, VECTOR3& value) {
  char defaultText[kProfileValueSize];
  FormatVector(value, defaultText);
  char text[kProfileValueSize];
  LookUp(path, section, key, defaultText, text);
  Component components[3];
  SplitComponents(text, components, 3);
  double* const destinations[3] = {&value.x, &value.y, &value.z};
  for (int i = 0; i < 3; ++i) {
    if (components[i].supplied) {
      *destinations[i] = LeadingDouble(components[i].text);
    }
  }
  return true;
}

bool ReadProfileFourthElement(const char* path, const char* section, const char* key,
                              double& value) {
  char text[kProfileValueSize];
  LookUp(path, section, key, "", text);
  Component components[4];
  SplitComponents(text, components, 4);
  if (components[3].supplied) {
    value = LeadingDouble(components[3].text);
  }
  return true;
}

int ReadProfileString(const char* path, const char* section, const char* key, char* buffer,
                      std::size_t size) {
  if (buffer == nullptr || size == 0) {
    return 0;
  }
  // The current text is the default; copy it first, bounded, so an unterminated buffer is
  // never read past its end.
  char current[kProfileValueSize];
  std::size_t length = 0;
  while (length + 1 < sizeof current && length + 1 < size && buffer[length] != '\0') {
    current[length] = buffer[length];
    ++length;
  }
  current[length] = '\0';
  char text[kProfileValueSize];
  LookUp(path, section, key, current, text);
  return static_cast<int>(CopyText(buffer, size, text));
}

int ReadProfileIntList(const char* path, const char* section, const char* key, int* values,
                       int capacity) {
  if (values == nullptr || capacity <= 0) {
    return 0;
  }
  char text[kProfileValueSize];
  LookUp(path, section, key, "", text);
  // A local tokenizer: no state survives the call, so list reads may interleave.
  constexpr const char* kSeparators = "() ,\t\n";
  int stored = 0;
  const char* p = text;
  while (*p != '\0' && stored < capacity) {
    const std::size_t skip = std::strspn(p, kSeparators);
    p += skip;
    if (*p == '\0') {
      break;
    }
    const std::size_t length = std::strcspn(p, kSeparators);
    char token[kProfileValueSize];
    std::memcpy(token, p, length);
    token[length] = '\0';
    values[stored++] = LeadingInt(token);
    p += length;
  }
  return stored;
}

int KeyCodeFromLetter(const char* text) {
  if (text == nullptr) {
    return 0;
  }
  if (text[0] == '*') {
    return -1;
  }
  if (text[0] >= 'A' && text[0] <= 'Z') {
    return static_cast<int>(VKEY_LETTERS[text[0] - 'A']);
  }
  return 0;
}
