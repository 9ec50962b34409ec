#include "Arguments.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#if defined(_WIN32)
#include "vantor/Platform.h"  // the platform's headers, included the host's way
#endif

namespace {

std::filesystem::path programDirectory;

}  // namespace

void SetProgramPath(const char* argv0) {
  std::error_code error;
#if defined(_WIN32)
  char module[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::filesystem::path path(length > 0 && length < MAX_PATH ? module : "");
  if (path.empty()) {
#else
  std::filesystem::path path = std::filesystem::canonical("/proc/self/exe", error);
  if (error) {
#endif
    path = std::filesystem::absolute(argv0, error);
  }
  programDirectory = path.parent_path();
}

Arguments::Arguments(std::vector<std::string> words, std::vector<std::string> flags) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
      const bool isFlag = std::find(flags.begin(), flags.end(), word) != flags.end();
      if (isFlag) {
        options_.emplace_back(word, "");
      } else if (i + 1 < words.size()) {
        options_.emplace_back(word, words[++i]);
      } else {
        throw UsageError("option " + word + " needs a value");
      }
    } else {
      positional_.push_back(word);
    }
  }
}

std::string Arguments::Positional(const char* what) const {
  if (positional_.size() != 1) {
    throw UsageError(std::string("expected one ") + what);
  }
  return positional_[0];
}

bool Arguments::Has(const std::string& option) const {
  return std::any_of(options_.begin(), options_.end(),
                     [&](const auto& entry) { return entry.first == option; });
}

std::string Arguments::Value(const std::string& option, const std::string& fallback) const {
  std::string value = fallback;
  for (const auto& [name, text] : options_) {
    if (name == option) {
      value = text;
    }
  }
  return value;
}

std::vector<std::string> Arguments::Values(const std::string& option) const {
  std::vector<std::string> values;
  for (const auto& [name, text] : options_) {
    if (name == option) {
      values.push_back(text);
    }
  }
  return values;
}

double Arguments::Number(const std::string& option, double fallback) const {
  if (!Has(option)) {
    return fallback;
  }
  const std::string text = Value(option, "");
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(value)) {
    throw UsageError("option " + option + " needs a number, not '" + text + "'");
  }
  return value;
}

void Arguments::RequireKnown(const std::vector<std::string>& known) const {
  for (const auto& entry : options_) {
    if (std::find(known.begin(), known.end(), entry.first) == known.end() &&
        entry.first != "--root" && entry.first != "--modules") {
      throw UsageError("unknown option " + entry.first);
    }
  }
}

std::string Arguments::Root() const {
  return Value("--root", VANTOR_SIM_EXAMPLE_ROOT);
}

std::string Arguments::Modules() const {
  return Value("--modules", programDirectory.string());
}
