// Command-line arguments of one vantor-sim command: positional words and --options.
// An option takes the next word as its value unless it is declared a flag.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// Thrown for any command-line or input error; main() prints it as one line and exits 1.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Arguments {
 public:
  // words: everything after the command name. flags: options that take no value.
  Arguments(std::vector<std::string> words, std::vector<std::string> flags);

  const std::vector<std::string>& positional() const { return positional_; }
  // The single positional argument named what (for the message when it is missing).
  std::string Positional(const char* what) const;

  bool Has(const std::string& option) const;
  // The value of the last occurrence, or fallback.
  std::string Value(const std::string& option, const std::string& fallback) const;
  std::vector<std::string> Values(const std::string& option) const;
  double Number(const std::string& option, double fallback) const;

  // Fails when an option was given that the command does not know.
  void RequireKnown(const std::vector<std::string>& known) const;

  // Options every command takes.
  std::string Root() const;     // --root, default: the example root
  std::string Modules() const;  // --modules, default: next to this program

 private:
  std::vector<std::string> positional_;
  std::vector<std::pair<std::string, std::string>> options_;
};

// Where the running program lives; set by main().
void SetProgramPath(const char* argv0);
