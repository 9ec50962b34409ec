// An aircraft or flight-plan file as the module's profile lookup sees it, with line numbers kept
// so that the check can say where each thing is. The lookup rules are the module's: lines end at
// LF, CR, CRLF or NUL; a leading byte-order mark is skipped; names are trimmed and compared
// without regard to ASCII case; only the first section of a name is searched and the first key of
// a name in it wins; ';' starts a comment line; a value is trimmed and one pair of matching
// surrounding quotes is removed; there are no comments after a value.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace check {

struct IniEntry {
  std::string key;
  std::string value;  // as the lookup returns it, cut to 254 characters
  int line = 0;
  bool cut = false;  // the value was longer than the lookup returns
};

struct IniSection {
  std::string name;
  int line = 0;  // 0 for the unnamed section of keys before the first header
  std::vector<IniEntry> entries;
  const IniEntry* Find(std::string_view key) const;  // the first key of the name
};

// A line the lookup skips although it is neither blank nor a comment.
struct StrayLine {
  int line = 0;
  std::string text;
};

class IniDocument {
 public:
  static IniDocument Parse(std::string_view text);
  // Empty when the file cannot be opened.
  static std::optional<IniDocument> Load(const std::filesystem::path& path);

  // All sections in file order, repeated ones included; the unnamed section comes first when
  // keys stand before the first header.
  const std::vector<IniSection>& sections() const { return sections_; }
  const std::vector<StrayLine>& strayLines() const { return strayLines_; }

  // The section the lookup searches for this name: the first of the name.
  const IniSection* FindSection(std::string_view name) const;
  // The entry the lookup returns, or null when the section or key does not exist.
  const IniEntry* Find(std::string_view section, std::string_view key) const;

 private:
  std::vector<IniSection> sections_;
  std::vector<StrayLine> strayLines_;
};

bool SameName(std::string_view a, std::string_view b);

}  // namespace check
