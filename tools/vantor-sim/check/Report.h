// What the check found in one file: findings with their line and severity.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace check {

// Error: the aircraft or plan will not be what the file says (a value the module cannot use, a
// required key missing, content that is lost). Warning: content the module silently ignores or
// replaces. Note: behaviour worth knowing that is probably intended.
enum class Severity { Note, Warning, Error };

const char* SeverityName(Severity severity);

struct Finding {
  int line = 0;  // 0: the file as a whole (something that is missing has no line)
  Severity severity = Severity::Note;
  std::string message;
};

class Report {
 public:
  void Add(int line, Severity severity, std::string message);
  void Error(int line, std::string message) { Add(line, Severity::Error, std::move(message)); }
  void Warning(int line, std::string message) { Add(line, Severity::Warning, std::move(message)); }
  void Note(int line, std::string message) { Add(line, Severity::Note, std::move(message)); }

  // In line order; findings of one line keep the order they were found in.
  std::vector<Finding> Sorted() const;
  int Count(Severity severity) const;

  // One "FILE:LINE: severity: message" line per finding (errors only if asked), then the
  // summary line unless only errors are asked for and there are none.
  void Print(std::FILE* out, const std::string& file, bool errorsOnly) const;

 private:
  std::vector<Finding> findings_;
};

std::string Summary(const std::string& file, int errors, int warnings, int notes);

}  // namespace check
