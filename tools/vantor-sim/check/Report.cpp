#include "check/Report.h"

#include <algorithm>

namespace check {

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::Error:
      return "error";
    case Severity::Warning:
      return "warning";
    case Severity::Note:
      break;
  }
  return "note";
}

void Report::Add(int line, Severity severity, std::string message) {
  findings_.push_back({line, severity, std::move(message)});
}

std::vector<Finding> Report::Sorted() const {
  std::vector<Finding> sorted = findings_;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return sorted;
}

int Report::Count(Severity severity) const {
  return static_cast<int>(std::count_if(findings_.begin(), findings_.end(),
                                        [&](const Finding& f) { return f.severity == severity; }));
}

namespace {

std::string Counted(int count, const char* what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

}  // namespace

std::string Summary(const std::string& file, int errors, int warnings, int notes) {
  if (errors + warnings + notes == 0) {
    return file + ": no findings";
  }
  return file + ": " + Counted(errors, "error") + ", " + Counted(warnings, "warning") + ", " +
         Counted(notes, "note");
}

void Report::Print(std::FILE* out, const std::string& file, bool errorsOnly) const {
  for (const Finding& finding : Sorted()) {
    if (errorsOnly && finding.severity != Severity::Error) {
      continue;
    }
    std::fprintf(out, "%s:%d: %s: %s\n", file.c_str(), finding.line, SeverityName(finding.severity),
                 finding.message.c_str());
  }
  const int errors = Count(Severity::Error);
  if (errorsOnly && errors == 0) {
    return;
  }
  if (errorsOnly) {
    std::fprintf(out, "%s: %s (the check command lists warnings and notes too)\n", file.c_str(),
                 Counted(errors, "error").c_str());
    return;
  }
  std::fprintf(out, "%s\n",
               Summary(file, errors, Count(Severity::Warning), Count(Severity::Note)).c_str());
}

}  // namespace check
