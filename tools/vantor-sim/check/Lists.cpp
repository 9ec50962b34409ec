#include "check/Lists.h"

#include "check/Catalogue.h"

namespace check {

std::string Numbered(const char* prefix, int index) {
  return std::string(prefix) + std::to_string(index);
}

void ReportListEnd(const FileReads& reader, const char* prefix, int capacity, const char* listOf,
                   int count, int stopLine, const std::string& reason, bool reportEnder) {
  Report& report = reader.report();
  const std::string ender = Numbered(prefix, count);
  if (reportEnder && count < capacity && reader.HasSection(ender)) {
    report.Warning(stopLine, std::string("[") + ender + "] ends the list of " + listOf + ": " +
                                 reason + "; " + std::to_string(count) + " read");
  }
  for (const ProfileIndex::Section& section : reader.file().sections()) {
    if (section.line == 0 || section.repeated) {
      continue;
    }
    const std::string name(section.name);
    const auto index = IndexAfter(name, prefix);
    if (!index) {
      continue;
    }
    if (*index >= static_cast<unsigned>(capacity)) {
      report.Warning(section.line,
                     std::string("[") + name + "] is never read: the module reads at most " +
                         std::to_string(capacity) + " " + listOf + ", " + Numbered(prefix, 0) +
                         " to " + Numbered(prefix, capacity - 1));
    } else if (*index > static_cast<unsigned>(count)) {
      const std::string why = reader.HasSection(ender)
                                  ? std::string("ends at [") + ender + "]"
                                  : std::string("ends at the gap where [") + ender + "] is missing";
      report.Warning(section.line, std::string("[") + name + "] is never read: the list of " +
                                       listOf + " " + why);
    }
  }
}

void ReportListUnread(const FileReads& reader, const char* prefix, const std::string& reason) {
  for (const ProfileIndex::Section& section : reader.file().sections()) {
    if (section.line != 0 && !section.repeated && IndexAfter(section.name, prefix)) {
      reader.report().Warning(section.line, std::string("[") + std::string(section.name) +
                                                "] is never read: " + reason);
    }
  }
}

}  // namespace check
