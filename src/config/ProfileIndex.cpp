#include "config/ProfileIndex.h"

#include <cstdio>
#include <exception>

namespace {

// What the platform trims: blanks and tabs, and also vertical tabs, form feeds and the old
// end-of-file mark Ctrl-Z.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

bool IsLineEnd(char c) {
  return c == '\n' || c == '\r' || c == '\0';
}

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

std::string FoldedKey(std::uint32_t section, std::string_view key) {
  std::string folded(reinterpret_cast<const char*>(&section), sizeof section);
  AppendFolded(folded, key);
  return folded;
}

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
  int number = 0;
  std::size_t position = 0;
  while (position < text.size()) {
    std::size_t end = position;
    while (end < text.size() && !IsLineEnd(text[end])) {
      ++end;
    }
    AddLine(Trimmed(text.substr(position, end - position)), ++number);
    position = end;
    if (position < text.size()) {
      const bool crlf =
          text[position] == '\r' && position + 1 < text.size() && text[position + 1] == '\n';
      position += crlf ? 2 : 1;
    }
  }
}

void ProfileIndex::AddLine(std::string_view line, int number) {
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
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    strayLines_.push_back({line, number});
    return;
  }
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
  if (!section.repeated) {
    entryByName_.emplace(FoldedKey(sectionIndex, entry.key),
                         static_cast<std::uint32_t>(entries_.size()));
  }
  entries_.push_back(entry);
  ++section.entryCount;
}

const ProfileIndex::Section* ProfileIndex::FindSection(std::string_view section) const {
  const auto found = sectionByName_.find(FoldedSection(section));
  return found != sectionByName_.end() ? &sections_[found->second] : nullptr;
}

const ProfileIndex::Entry* ProfileIndex::Find(std::string_view section,
                                              std::string_view key) const {
  const auto foundSection = sectionByName_.find(FoldedSection(section));
  if (foundSection == sectionByName_.end()) {
    return nullptr;
  }
  const auto found = entryByName_.find(FoldedKey(foundSection->second, key));
  return found != entryByName_.end() ? &entries_[found->second] : nullptr;
}

bool ProfileIndex::IsFirstOfName(std::size_t entryIndex) const {
  const Entry& entry = entries_[entryIndex];
  const auto found = entryByName_.find(FoldedKey(entry.section, entry.key));
  return found != entryByName_.end() && found->second == entryIndex;
}
