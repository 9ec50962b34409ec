#include "config/ProfileReaders.h"

#include <charconv>
#include <cstring>
#include <utility>
#include <vector>

#include "config/NumberText.h"
#include "config/ProfileCache.h"
#include "config/ProfileLookup.h"
#include "config/ProfileObserver.h"
#include "frame/Text.h"

namespace {

ProfileObserver* gObserver = nullptr;

// No value holds a line end, so this default tells an absent key from any value.
constexpr const char* kAbsent = "\n";

// A vector or tuple component keeps at most this many characters; the rest is skipped.
constexpr std::size_t kComponentSize = 19;

struct Component {
  bool supplied = false;
  bool cut = false;
  char text[kComponentSize + 1] = "";
};

// An empty path names no file (class set-up leaves it empty when the vessel's path would not
// fit); the platform's lookup would search its own folders for it.
bool NamesNoFile(const char* path) {
  return path == nullptr || path[0] == '\0';
}

// The value as the lookup returns it; false (and an empty text) when the key is absent.
bool LookUp(const char* path, const char* section, const char* key,
            char (&value)[kProfileValueSize]) {
  value[0] = '\0';
  if (NamesNoFile(path)) {
    return false;
  }
  const DWORD count = GetPrivateProfileStringA(section, key, kAbsent, value,
                                               static_cast<DWORD>(kProfileValueSize), path);
  if (count == 1 && value[0] == '\n') {
    value[0] = '\0';
    return false;
  }
  return true;
}

// A read as the observer sees it, with what the file holds at the key.
ProfileRead StartRead(const char* path, const char* section, const char* key,
                      ProfileValueKind kind) {
  ProfileRead read;
  read.section = section != nullptr ? section : "";
  read.key = key != nullptr ? key : "";
  read.kind = kind;
  if (NamesNoFile(path) || section == nullptr || key == nullptr) {
    return read;
  }
  const std::shared_ptr<const ProfileIndex> file = ProfileFile(path);
  if (const ProfileIndex::Entry* entry = file != nullptr ? file->Find(section, key) : nullptr) {
    read.found = true;
    read.line = entry->line;
    read.raw = std::string(entry->value);
    read.cut = entry->value.size() > kProfileValueSize - 1;
  }
  return read;
}

ProfileRead::Part NumberPart(const char* text, bool supplied) {
  ProfileRead::Part part;
  part.supplied = supplied;
  if (supplied) {
    const NumberScan scan = ScanLeadingDouble(text);
    part.number = scan.found;
    part.ignored = text + scan.end;
  }
  return part;
}

// Splits "(a,b,...)" into `count` components. Every component but the last ends at a comma; the
// last ends at ')' and may hold commas (its conversion stops there). An apostrophe ends any
// component as its separator would. A component the text does not supply (no leading '(', an
// empty component, too few separators) is left unsupplied, so the caller keeps its prior value.
// Returns where the split stopped: after the last component's ')', or where the text ran out.
const char* SplitComponents(const char* text, Component* components, int count) {
  if (text[0] != '(') {
    return text;
  }
  const char* p = text + 1;
  for (int index = 0; index < count && *p != '\0'; ++index) {
    const bool last = index == count - 1;
    const char separator = last ? ')' : ',';
    std::size_t length = 0;
    while (*p != '\0' && *p != separator && *p != '\'') {
      if (length < kComponentSize) {
        components[index].text[length++] = *p;
      } else {
        components[index].cut = true;
      }
      ++p;
    }
    components[index].text[length] = '\0';
    components[index].supplied = length > 0;
    if (*p == '\0') {
      return p;
    }
    ++p;
  }
  return p;
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

ObserveProfileReads::ObserveProfileReads(ProfileObserver& observer) : previous_(gObserver) {
  gObserver = &observer;
}

ObserveProfileReads::~ObserveProfileReads() {
  gObserver = previous_;
}

bool ReadProfileInt(const char* path, const char* section, const char* key, int& value) {
  if (!NamesNoFile(path)) {
    value = static_cast<int>(GetPrivateProfileIntA(section, key, value, path));
  }
  if (gObserver != nullptr) {
    ProfileRead read = StartRead(path, section, key, ProfileValueKind::Integer);
    read.destination = &value;
    read.defaultStayed = !read.found || read.raw.empty();
    read.integer = value;
    if (!read.defaultStayed) {
      const std::string looked = read.raw.substr(0, kProfileValueSize - 1);
      const IntegerScan scan = ScanProfileInteger(looked.c_str());
      read.parts[0] = {true, scan.found, false, looked.substr(scan.end), looked};
    }
    gObserver->Read(read);
  }
  return true;
}

bool ReadProfileDouble(const char* path, const char* section, const char* key, double& value) {
  char text[kProfileValueSize];
  LookUp(path, section, key, text);
  const bool given = text[0] != '\0';
  if (given) {
    // The first blank-separated token: conversion stops at the first blank after the number.
    value = LeadingDouble(text);
  }
  if (gObserver != nullptr) {
    ProfileRead read = StartRead(path, section, key, ProfileValueKind::Number);
    read.destination = &value;
    read.defaultStayed = !given;
    read.numbers[0] = value;
    read.parts[0] = NumberPart(text, given);
    gObserver->Read(read);
  }
  return true;
}

bool ReadProfileVector(const char* path, const char* section, const char* key, VECTOR3& value) {
  char text[kProfileValueSize];
  if (!LookUp(path, section, key, text)) {
    FormatVector(value, text);
  }
  Component components[3];
  const char* end = SplitComponents(text, components, 3);
  double* const destinations[3] = {&value.x, &value.y, &value.z};
  for (int i = 0; i < 3; ++i) {
    if (components[i].supplied) {
      *destinations[i] = LeadingDouble(components[i].text);
    }
  }
  if (gObserver != nullptr) {
    ProfileRead read = StartRead(path, section, key, ProfileValueKind::Vector);
    read.destination = &value;
    for (int i = 0; i < 3; ++i) {
      read.numbers[i] = *destinations[i];
      if (read.found) {
        read.parts[i] = NumberPart(components[i].text, components[i].supplied);
        read.parts[i].cut = components[i].cut;
      }
      read.defaultStayed = read.defaultStayed || !read.parts[i].supplied;
    }
    if (read.found && end > text && end[-1] == ')') {
      read.afterClose = end;
    }
    gObserver->Read(read);
  }
  return true;
}

bool ReadProfileFourthElement(const char* path, const char* section, const char* key,
                              double& value) {
  char text[kProfileValueSize];
  LookUp(path, section, key, text);
  Component components[4];
  SplitComponents(text, components, 4);
  if (components[3].supplied) {
    value = LeadingDouble(components[3].text);
  }
  if (gObserver != nullptr) {
    ProfileRead read = StartRead(path, section, key, ProfileValueKind::FourthElement);
    read.destination = &value;
    read.numbers[0] = value;
    read.parts[0] = NumberPart(components[3].text, components[3].supplied);
    read.parts[0].cut = components[3].cut;
    read.defaultStayed = !components[3].supplied;
    gObserver->Read(read);
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
  // An absent key keeps the caller's text exactly, trailing blanks included.
  const bool found = LookUp(path, section, key, text);
  const int count = static_cast<int>(CopyText(buffer, size, found ? text : current));
  if (gObserver != nullptr) {
    ProfileRead read = StartRead(path, section, key, ProfileValueKind::Text);
    read.destination = buffer;
    read.defaultStayed = !found;
    read.text = buffer;
    read.cut = read.cut || (found && std::strlen(text) > size - 1);
    gObserver->Read(read);
  }
  return count;
}

int ReadProfileIntList(const char* path, const char* section, const char* key, int* values,
                       int capacity) {
  if (values == nullptr || capacity <= 0) {
    return 0;
  }
  char text[kProfileValueSize];
  LookUp(path, section, key, text);
  // A local tokenizer: no state survives the call, so list reads may interleave.
  constexpr const char* kSeparators = "() ,\t\n";
  int stored = 0;
  bool dropped = false;
  std::vector<ProfileRead::Part> entries;
  const char* p = text;
  while (*p != '\0') {
    const std::size_t skip = std::strspn(p, kSeparators);
    p += skip;
    if (*p == '\0') {
      break;
    }
    if (stored == capacity) {
      dropped = true;
      break;
    }
    const std::size_t length = std::strcspn(p, kSeparators);
    char token[kProfileValueSize];
    std::memcpy(token, p, length);
    token[length] = '\0';
    values[stored++] = LeadingInt(token);
    if (gObserver != nullptr) {
      const IntegerScan scan = ScanLeadingInt(token);
      entries.push_back({true, scan.found, false, token + scan.end, token});
    }
    p += length;
  }
  if (gObserver != nullptr) {
    ProfileRead read = StartRead(path, section, key, ProfileValueKind::IntegerList);
    read.destination = values;
    read.defaultStayed = !read.found;
    read.integers.assign(values, values + stored);
    read.entries = std::move(entries);
    read.cut = read.cut || dropped;
    gObserver->Read(read);
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
