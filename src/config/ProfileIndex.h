// A profile (INI) file read once and indexed: the one reader of the file format. The module's
// lookup answers every key from it, and the author's check lists the file's structure from it.
//
// The rules are the platform reader's:
//
// Lines. LF, CR and CRLF all end a line; so does a NUL byte. A UTF-8 byte-order mark at the very
// start is skipped. Blanks, tabs, vertical tabs, form feeds and Ctrl-Z at both ends of every
// line are ignored; "blanks" below means all of them. Line numbers count from 1; CRLF ends one
// line, a lone CR or a NUL ends one too.
//
// Sections. A line whose first character is '[' and that holds a ']' starts a section. Its name
// is the text up to the line's last ']', trimmed of blanks; text after that ']' is ignored. A
// line starting with '[' without any ']' starts no section and is no key either. Keys before the
// first section belong to the unnamed section, which only the empty name finds; a "[]" line
// starts a section no name finds. Only the first section of a given name is searched: a later
// section of the same name is not merged.
//
// Keys. A line whose first character is ';' is a comment. Any other line that holds '=' is a key:
// its name is the text before the first '=', trimmed; its value is the text after it, trimmed,
// and then one pair of matching surrounding quotes ("..." or '...') is removed. There are no
// comments after a value: "KEY=1 ; note" has the value "1 ; note". A line without '=' is no key.
// The first key of the name in the section wins.
//
// Names. Section and key names, in the file and in the call, are trimmed of blanks and compared
// without regard to ASCII case.
//
// Cost. Reading splits the file into lines and hashes the section names once: time and memory
// linear in the file's size. A section's keys are hashed the first time a lookup searches a
// large section (a small one is scanned), so a lookup is a hash probe, and a section nobody asks
// for costs nothing beyond the reading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class ProfileIndex {
 public:
  struct Entry {
    std::string_view key;    // trimmed, as written
    std::string_view value;  // trimmed and unquoted, whole (the lookup cuts it)
    int line = 0;
    std::uint32_t section = 0;  // index into sections()
  };
  struct Section {
    std::string_view name;  // trimmed, as written; empty for the keys before the first header
    int line = 0;           // 0 for the keys before the first header
    std::size_t firstEntry = 0;
    std::size_t entryCount = 0;
    bool repeated = false;  // an earlier section has the name: never searched
  };
  // A non-blank line that is neither a section, a key nor a comment.
  struct StrayLine {
    std::string_view text;
    int line = 0;
  };

  explicit ProfileIndex(std::string text);
  // The views point into the text held here: neither copied nor moved.
  ProfileIndex(const ProfileIndex&) = delete;
  ProfileIndex& operator=(const ProfileIndex&) = delete;
  // Null when the file cannot be opened or read (a folder, a missing file).
  static std::unique_ptr<ProfileIndex> Load(const char* path);

  // The key the lookup returns: the first of the name in the first section of the name; null
  // when there is none.
  const Entry* Find(std::string_view section, std::string_view key) const;
  // The section the lookup searches for the name, or null.
  const Section* FindSection(std::string_view section) const;

  // Every section in file order, the unnamed one first when keys precede the first header.
  const std::vector<Section>& sections() const { return sections_; }
  // Every key line in file order, repeated ones included; a section's are contiguous.
  const std::vector<Entry>& entries() const { return entries_; }
  const std::vector<StrayLine>& strayLines() const { return strayLines_; }
  // The first key of the entry's name in its section, which the lookup returns.
  bool IsFirstOfName(std::size_t entryIndex) const;

 private:
  void Parse();
  // equals: where the line's first '=' is, or npos.
  void AddLine(std::string_view line, std::size_t equals, int number);

  std::string text_;
  std::vector<Section> sections_;
  std::vector<Entry> entries_;
  std::vector<StrayLine> strayLines_;
  const Entry* FindInSection(std::uint32_t section, std::string_view key) const;

  // Folded section names to their indexes; per searched large section, folded key names to the
  // index of the first entry of the name.
  std::unordered_map<std::string, std::uint32_t> sectionByName_;
  mutable std::unordered_map<std::uint32_t, std::unordered_map<std::string, std::uint32_t>>
      keysBySection_;
};

// Whether two names are the same for the lookup: trimmed, ASCII case ignored.
bool SameProfileName(std::string_view a, std::string_view b);
