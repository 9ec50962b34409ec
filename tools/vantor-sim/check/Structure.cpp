#include "check/Structure.h"

#include <cctype>
#include <string>

#include "check/Values.h"

namespace check {
namespace {

void AddProblems(Report& report, int line, const std::string& key,
                 const std::vector<Problem>& problems) {
  for (const Problem& problem : problems) {
    report.Add(line, problem.severity, key + ": " + problem.message);
  }
}

bool ReadsEmptyAsAbsent(ValueKind kind) {
  return kind != ValueKind::Text && kind != ValueKind::KeyLetter && kind != ValueKind::IntList;
}

void CheckValue(const IniEntry& entry, const KeyRule& rule, Report& report) {
  const std::string& value = entry.value;
  if (entry.cut) {
    report.Warning(entry.line, rule.name + std::string(": the value is longer than 254 "
                                                       "characters and is cut"));
  }
  if (value.empty() && ReadsEmptyAsAbsent(rule.kind)) {
    report.Note(entry.line,
                rule.name + std::string(" is empty: the module reads it as if it were absent"));
    return;
  }
  switch (rule.kind) {
    case ValueKind::Integer:
      AddProblems(report, entry.line, rule.name, ConvertInteger(value).problems);
      break;
    case ValueKind::Scalar:
      AddProblems(report, entry.line, rule.name, ConvertScalar(value).problems);
      break;
    case ValueKind::Vector: {
      TupleValue tuple = ConvertTuple(value, 3);
      AddProblems(report, entry.line, rule.name, tuple.problems);
      if (!tuple.extra.empty()) {
        report.Note(entry.line, rule.name + std::string(": only three components are used; '") +
                                    tuple.extra + "' is ignored");
      }
      break;
    }
    case ValueKind::Range:
      AddProblems(report, entry.line, rule.name, ConvertTuple(value, 2).problems);
      break;
    case ValueKind::Point:
      AddProblems(report, entry.line, rule.name, ConvertTuple(value, 3).problems);
      break;
    case ValueKind::Text:
      AddProblems(report, entry.line, rule.name, CheckText(value, rule.capacity));
      break;
    case ValueKind::IntList:
      AddProblems(report, entry.line, rule.name, ConvertIntList(value, rule.capacity).problems);
      break;
    case ValueKind::KeyLetter:
      AddProblems(report, entry.line, rule.name, ConvertKeyLetter(value).problems);
      break;
  }
  if (rule.ignored != nullptr) {
    report.Note(entry.line, rule.name + std::string(" has no effect: ") + rule.ignored);
  }
}

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

void CheckUnknownKey(const IniEntry& entry, const SectionRule& rule, const std::string& section,
                     const Catalogue& catalogue, Report& report) {
  std::vector<std::string> names;
  for (const KeyRule& key : rule.keys) {
    names.push_back(key.name);
  }
  if (rule.hasPoints) {
    names.push_back("PT0");
  }
  std::string message = "unknown key " + entry.key + " in [" + section +
                        "]: the module never "
                        "reads it";
  const std::string nearest = NearestName(entry.key, names);
  const std::string home = SectionsOfKey(catalogue, entry.key);
  if (!nearest.empty()) {
    message += "; did you mean " + nearest + "?";
  } else if (!home.empty()) {
    message += " (it is read in " + home + ")";
  }
  report.Warning(entry.line, message);
}

void CheckSectionKeys(const IniSection& section, const SectionRule& rule,
                      const Catalogue& catalogue, Report& report) {
  for (std::size_t i = 0; i < section.entries.size(); ++i) {
    const IniEntry& entry = section.entries[i];
    const IniEntry* first = section.Find(entry.key);
    if (first != &entry) {
      report.Warning(entry.line, entry.key + " repeats the key of line " +
                                     std::to_string(first->line) +
                                     ": the module uses the first one only");
      continue;
    }
    if (const KeyRule* key = Catalogue::FindKey(rule, entry.key)) {
      CheckValue(entry, *key, report);
      continue;
    }
    if (rule.hasPoints) {
      if (const auto index = Catalogue::PointIndex(entry.key)) {
        if (*index > 18) {
          report.Warning(entry.line, entry.key +
                                         " is never read: a lift table has at most 19 points, "
                                         "PT0 to PT18");
        } else {
          CheckValue(entry, KeyRule{"PT", ValueKind::Point}, report);
        }
        continue;
      }
    }
    CheckUnknownKey(entry, rule, section.name, catalogue, report);
  }
}

}  // namespace

void CheckStructure(const IniDocument& document, const Catalogue& catalogue, Report& report) {
  for (const StrayLine& stray : document.strayLines()) {
    report.Warning(stray.line, "'" + stray.text +
                                   "' is not a section, a key=value line or a comment: the "
                                   "module skips it");
  }
  for (const IniSection& section : document.sections()) {
    if (section.line == 0) {
      for (const IniEntry& entry : section.entries) {
        report.Warning(entry.line, entry.key +
                                       " stands before the first [section]: the module "
                                       "never reads it");
      }
      continue;
    }
    const IniSection* first = document.FindSection(section.name);
    if (first != &section) {
      report.Warning(section.line, "[" + section.name + "] repeats the section of line " +
                                       std::to_string(first->line) +
                                       ": the module reads only the first, everything here is "
                                       "ignored");
      continue;
    }
    const auto match = catalogue.FindSection(section.name);
    if (!match) {
      std::string message = "unknown section [" + section.name + "]: the module never reads it";
      const std::string nearest =
          NearestName(section.name, SectionCandidates(catalogue, section.name));
      if (!nearest.empty()) {
        message += "; did you mean [" + nearest + "]?";
      }
      report.Warning(section.line, message);
      continue;
    }
    CheckSectionKeys(section, *match->rule, catalogue, report);
  }
}

}  // namespace check
