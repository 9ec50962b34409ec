#include "config/ProfileIndex.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <exception>

namespace {

// What the platform trims: blanks and tabs, and also vertical tabs, form feeds and the old
// end-of-file mark Ctrl-Z.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

// Bytes the line splitter stops at: line ends and '='.
constexpr unsigned char kPlain = 0;
constexpr auto kByteClass = [] {
  std::array<unsigned char, 256> classes{};
  for (const char c : {'\n', '\r', '\0', '='}) {
    classes[static_cast<unsigned char>(c)] = 1;
  }
  return classes;
}();

std::string_view Trimmed(std::string_view view) {
  while (!view.empty() && IsBlank(view.front())) {
    view.remove_prefix(1);
  }
  while (!view.empty() && IsBlank(view.back())) {
    view.remove_suffix(1);
  }
  return view;
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == value.back() &&
      (value.front() == '"' || value.front() == '\'')) {
    value.remove_prefix(1);
    value.remove_suffix(1);
  }
  return value;
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void AppendFolded(std::string& out, std::string_view name) {
  for (const char c : Trimmed(name)) {
    out.push_back(LowerAscii(c));
  }
}

std::string FoldedSection(std::string_view name) {
  // No folded name can hold a line end, so this one is the unnamed section's alone.
  if (Trimmed(name).empty()) {
    return "\n";
  }
  std::string folded;
  AppendFolded(folded, name);
  return folded;
}

std::string FoldedKey(std::string_view key) {
  std::string folded;
  AppendFolded(folded, key);
  return folded;
}

// Up to this many keys a section is searched by comparing names, beyond it through a hash.
constexpr std::size_t kScannedSection = 16;

}  // namespace

bool SameProfileName(std::string_view a, std::string_view b) {
  a = Trimmed(a);
  b = Trimmed(b);
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) {
      return false;
    }
  }
  return true;
}

ProfileIndex::ProfileIndex(std::string text) : text_(std::move(text)) {
  Parse();
}

std::unique_ptr<ProfileIndex> ProfileIndex::Load(const char* path) {
  if (path == nullptr) {
    return nullptr;
  }
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    return nullptr;
  }
  std::unique_ptr<ProfileIndex> index;
  try {
    std::string text;
    // Read straight into place when the file tells its size; a file that grows meanwhile is
    // still read whole.
    if (std::fseek(file, 0, SEEK_END) == 0) {
      const long size = std::ftell(file);
      std::rewind(file);
      if (size > 0) {
        text.resize(static_cast<std::size_t>(size));
        text.resize(std::fread(text.data(), 1, text.size(), file));
      }
    }
    char chunk[65536];
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
      text.append(chunk, count);
    }
    // A folder opens but does not read; like any unreadable file it holds no keys.
    if (std::ferror(file) == 0) {
      index = std::make_unique<ProfileIndex>(std::move(text));
    }
  } catch (const std::exception&) {
    // A file too large to hold reads as one without keys, as an unreadable one does.
    index.reset();
  }
  std::fclose(file);
  return index;
}

void ProfileIndex::Parse() {
  std::string_view text = text_;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") {
    text.remove_prefix(3);
  }
  // Most lines are keys: room for them all at once, instead of growing the list line by line.
  entries_.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  // Most files end their lines with LF alone; their lines are found by the fastest search.
  const bool onlyLineFeeds = text.find('\r') == text.npos && text.find('\0') == text.npos;
  int number = 0;
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    const char* const start = p;
    const char* equals = nullptr;
    if (onlyLineFeeds) {
      const void* feed = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
      p = feed != nullptr ? static_cast<const char*>(feed) : end;
      equals =
          static_cast<const char*>(std::memchr(start, '=', static_cast<std::size_t>(p - start)));
    } else {
      // One pass over the line finds its end and its first '='.
      for (;;) {
        while (p < end && kByteClass[static_cast<unsigned char>(*p)] == kPlain) {
          ++p;
        }
        if (p == end || *p != '=') {
          break;
        }
        if (equals == nullptr) {
          equals = p;
        }
        ++p;
      }
    }
    const std::string_view line(start, static_cast<std::size_t>(p - start));
    AddLine(line, equals != nullptr ? static_cast<std::size_t>(equals - start) : line.npos,
            ++number);
    if (p < end) {
      p += *p == '\r' && p + 1 < end && p[1] == '\n' ? 2 : 1;
    }
  }
}

void ProfileIndex::AddLine(std::string_view untrimmed, std::size_t equals, int number) {
  const std::string_view line = Trimmed(untrimmed);
  if (line.empty() || line.front() == ';') {
    return;
  }
  if (line.front() == '[') {
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos) {
      strayLines_.push_back({line, number});
      return;
    }
    Section section;
    section.name = Trimmed(line.substr(1, close - 1));
    section.line = number;
    section.firstEntry = entries_.size();
    const auto index = static_cast<std::uint32_t>(sections_.size());
    // A "[]" header is a section no name finds: the empty name means the keys before any header.
    section.repeated =
        section.name.empty() || !sectionByName_.emplace(FoldedSection(section.name), index).second;
    sections_.push_back(section);
    return;
  }
  if (equals == std::string_view::npos) {
    strayLines_.push_back({line, number});
    return;
  }
  // From the untrimmed line's '=' to the trimmed line's.
  equals -= static_cast<std::size_t>(line.data() - untrimmed.data());
  if (sections_.empty()) {
    sections_.push_back(Section{});
    sectionByName_.emplace(FoldedSection(""), 0);
  }
  Section& section = sections_.back();
  const auto sectionIndex = static_cast<std::uint32_t>(sections_.size() - 1);
  Entry entry;
  entry.key = Trimmed(line.substr(0, equals));
  entry.value = Unquoted(Trimmed(line.substr(equals + 1)));
  entry.line = number;
  entry.section = sectionIndex;
  entries_.push_back(entry);
  ++section.entryCount;
}

const ProfileIndex::Section* ProfileIndex::FindSection(std::string_view section) const {
  const auto found = sectionByName_.find(FoldedSection(section));
  return found != sectionByName_.end() ? &sections_[found->second] : nullptr;
}

const ProfileIndex::Entry* ProfileIndex::Find(std::string_view section,
                                              std::string_view key) const {
  const auto found = sectionByName_.find(FoldedSection(section));
  return found != sectionByName_.end() ? FindInSection(found->second, key) : nullptr;
}

const ProfileIndex::Entry* ProfileIndex::FindInSection(std::uint32_t index,
                                                       std::string_view key) const {
  const Section& section = sections_[index];
  const std::size_t end = section.firstEntry + section.entryCount;
  if (section.entryCount <= kScannedSection) {
    for (std::size_t i = section.firstEntry; i < end; ++i) {
      if (SameProfileName(entries_[i].key, key)) {
        return &entries_[i];
      }
    }
    return nullptr;
  }
  auto [keys, fresh] = keysBySection_.try_emplace(index);
  if (fresh) {
    keys->second.reserve(section.entryCount);
    for (std::size_t i = section.firstEntry; i < end; ++i) {
      keys->second.emplace(FoldedKey(entries_[i].key), static_cast<std::uint32_t>(i));
    }
  }
  const auto found = keys->second.find(FoldedKey(key));
  return found != keys->second.end() ? &entries_[found->second] : nullptr;
}

bool ProfileIndex::IsFirstOfName(std::size_t entryIndex) const {
  const Entry& entry = entries_[entryIndex];
  const Section& section = sections_[entry.section];
  return !section.repeated && FindInSection(entry.section, entry.key) == &entry;
}
