#include "check/Structure.h"

#include <cctype>
#include <string>

#include "check/Format.h"

namespace check {
namespace {

// Candidates for a misspelt section: the fixed names, and each family with the index the name
// ends in ("EX_MAIN_01" is compared with "EX_MAIN_1").
std::vector<std::string> SectionCandidates(const Catalogue& catalogue, std::string_view name) {
  std::size_t digits = name.size();
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1]))) {
    --digits;
  }
  std::string index = "0";
  if (digits < name.size() && name.size() - digits < 9) {
    index = std::to_string(std::stoul(std::string(name.substr(digits))));
  }
  std::vector<std::string> names;
  for (const SectionRule& rule : catalogue.sections) {
    names.push_back(rule.numbered ? std::string(rule.name) + index : rule.name);
  }
  return names;
}

// The sections that do read a key of this name: "[ELEVATOR], [RUDDER]".
std::string SectionsOfKey(const Catalogue& catalogue, std::string_view key) {
  std::string sections;
  for (const SectionRule& rule : catalogue.sections) {
    if (Catalogue::FindKey(rule, key) != nullptr) {
      sections += sections.empty() ? "[" : ", [";
      sections += rule.name;
      sections += rule.numbered ? "n]" : "]";
    }
  }
  return sections;
}

void CheckUnknownKey(const ProfileIndex::Entry& entry, const SectionRule& rule,
                     std::string_view section, const Catalogue& catalogue, Report& report) {
  std::vector<std::string> names;
  for (const KeyRule& key : rule.keys) {
    names.push_back(key.name);
  }
  if (rule.hasPoints) {
    names.push_back("PT0");
  }
  const std::string key(entry.key);
  std::string message = std::string("unknown key ") + key + " in [" + std::string(section) +
                        "]: the module never "
                        "reads it";
  const std::string nearest = NearestName(key, names);
  const std::string home = SectionsOfKey(catalogue, key);
  if (!nearest.empty()) {
    message += std::string("; did you mean ") + nearest + "?";
  } else if (!home.empty()) {
    message += std::string(" (it is read in ") + home + ")";
  }
  report.Warning(entry.line, message);
}

void CheckSectionKeys(const ProfileIndex& file, const ProfileIndex::Section& section,
                      const SectionRule& rule, const Catalogue& catalogue, Report& report) {
  for (std::size_t i = section.firstEntry; i < section.firstEntry + section.entryCount; ++i) {
    const ProfileIndex::Entry& entry = file.entries()[i];
    const std::string key(entry.key);
    if (!file.IsFirstOfName(i)) {
      report.Warning(entry.line, key + " repeats the key of line " +
                                     std::to_string(file.Find(section.name, key)->line) +
                                     ": the module uses the first one only");
      continue;
    }
    if (const KeyRule* known = Catalogue::FindKey(rule, key)) {
      if (known->ignored != nullptr) {
        report.Note(entry.line, key + " has no effect: " + known->ignored);
      }
      continue;
    }
    if (rule.hasPoints) {
      if (const auto index = Catalogue::PointIndex(key)) {
        if (*index > 18) {
          report.Warning(entry.line, key +
                                         " is never read: a lift table has at most 19 points, "
                                         "PT0 to PT18");
        }
        continue;
      }
    }
    CheckUnknownKey(entry, rule, section.name, catalogue, report);
  }
}

}  // namespace

void CheckStructure(const ProfileIndex& file, const Catalogue& catalogue, Report& report) {
  for (const ProfileIndex::StrayLine& stray : file.strayLines()) {
    report.Warning(stray.line, Quoted(stray.text) +
                                   " is not a section, a key=value line or a comment: the "
                                   "module skips it");
  }
  for (const ProfileIndex::Section& section : file.sections()) {
    const std::string name(section.name);
    if (section.line == 0) {
      for (std::size_t i = section.firstEntry; i < section.firstEntry + section.entryCount; ++i) {
        report.Warning(file.entries()[i].line, std::string(file.entries()[i].key) +
                                                   " stands before the first [section]: the "
                                                   "module never reads it");
      }
      continue;
    }
    if (name.empty()) {
      report.Warning(section.line,
                     "a section without a name: the module never reads what is in it");
      continue;
    }
    if (section.repeated) {
      report.Warning(section.line, std::string("[") + name + "] repeats the section of line " +
                                       std::to_string(file.FindSection(name)->line) +
                                       ": the module reads only the first, everything here is "
                                       "ignored");
      continue;
    }
    const auto match = catalogue.FindSection(name);
    if (!match) {
      std::string message =
          std::string("unknown section [") + name + "]: the module never reads it";
      const std::string nearest = NearestName(name, SectionCandidates(catalogue, name));
      if (!nearest.empty()) {
        message += std::string("; did you mean [") + nearest + "]?";
      }
      report.Warning(section.line, message);
      continue;
    }
    CheckSectionKeys(file, section, *match->rule, catalogue, report);
  }
}

}  // namespace check
