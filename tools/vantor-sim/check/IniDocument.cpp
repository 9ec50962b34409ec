#include "check/IniDocument.h"

#include <fstream>
#include <iterator>

namespace check {
namespace {

constexpr std::size_t kValueLimit = 254;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == value.back() &&
      (value.front() == '"' || value.front() == '\'')) {
    value.remove_prefix(1);
    value.remove_suffix(1);
  }
  return value;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) {
      return false;
    }
  }
  return true;
}

const IniEntry* IniSection::Find(std::string_view key) const {
  for (const IniEntry& entry : entries) {
    if (SameName(entry.key, key)) {
      return &entry;
    }
  }
  return nullptr;
}

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument document;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") {
    text.remove_prefix(3);
  }
  int lineNumber = 0;
  std::size_t position = 0;
  while (position < text.size()) {
    std::size_t end = position;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r' && text[end] != '\0') {
      ++end;
    }
    const std::string_view line = Trim(text.substr(position, end - position));
    ++lineNumber;
    position = end;
    if (position < text.size()) {
      const bool crlf =
          text[position] == '\r' && position + 1 < text.size() && text[position + 1] == '\n';
      position += crlf ? 2 : 1;
    }

    if (line.empty() || line.front() == ';') {
      continue;
    }
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      IniSection section;
      section.name = std::string(Trim(
          line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
      section.line = lineNumber;
      document.sections_.push_back(std::move(section));
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      document.strayLines_.push_back({lineNumber, std::string(line)});
      continue;
    }
    if (document.sections_.empty()) {
      document.sections_.push_back(IniSection{});
    }
    IniEntry entry;
    entry.key = std::string(Trim(line.substr(0, equals)));
    std::string_view value = Unquote(Trim(line.substr(equals + 1)));
    entry.cut = value.size() > kValueLimit;
    entry.value = std::string(value.substr(0, kValueLimit));
    entry.line = lineNumber;
    document.sections_.back().entries.push_back(std::move(entry));
  }
  return document;
}

std::optional<IniDocument> IniDocument::Load(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    return std::nullopt;
  }
  return Parse(text);
}

const IniSection* IniDocument::FindSection(std::string_view name) const {
  for (const IniSection& section : sections_) {
    if ((section.line != 0 || name.empty()) && SameName(section.name, name)) {
      return &section;
    }
  }
  return nullptr;
}

const IniEntry* IniDocument::Find(std::string_view section, std::string_view key) const {
  const IniSection* found = FindSection(section);
  return found != nullptr ? found->Find(key) : nullptr;
}

}  // namespace check
