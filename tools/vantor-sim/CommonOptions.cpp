#include "CommonOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#if defined(_WIN32)
#include "vantor/Platform.h"  // the platform's headers, included the host's way
#endif

namespace {

std::filesystem::path programDirectory;

// Empty when text is a finite number that passes the test; else the reason, naming the text.
std::string CheckNumber(const std::string& text, bool (*passes)(double), const char* needs) {
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(value)) {
    return "'" + text + "' is not a number";
  }
  if (!passes(value)) {
    return "'" + text + "' is not " + needs;
  }
  return "";
}

// Without a description of its own: the option's help says what it takes.
CLI::Validator NumberCheck(bool (*passes)(double), const char* needs) {
  return CLI::Validator(
      [passes, needs](std::string& text) { return CheckNumber(text, passes, needs); }, "");
}

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

void AddPlaceOptions(CLI::App& command, PlaceOptions& place) {
  place.root = VANTOR_SIM_EXAMPLE_ROOT;
  place.modules = programDirectory.string();
  command
      .add_option("--root", place.root,
                  "simulator root: its Config/ holds the aircraft and flight-plan files")
      ->type_name("DIR")
      ->capture_default_str();
  command.add_option("--modules", place.modules, "folder the vessel modules are loaded from")
      ->type_name("DIR")
      ->capture_default_str();
}

CLI::Option* AddHostLogOption(CLI::App& command, std::string& path) {
  return command
      .add_option("--host-log", path,
                  "write every host call the module made to FILE (docs/host-log.md)")
      ->type_name("FILE");
}

CLI::Option* AddPlotOption(CLI::App& command, std::string& path, const std::string& what) {
  return command.add_option("--plot", path, "draw " + what + " into FILE (PNG, with gnuplot)")
      ->type_name("FILE");
}

CLI::Validator FiniteNumber() {
  return NumberCheck([](double) { return true; }, "");
}

CLI::Validator NonNegativeNumber() {
  return NumberCheck([](double value) { return value >= 0.0; }, "0 or more");
}

CLI::Validator PositiveNumber() {
  return NumberCheck([](double value) { return value > 0.0; }, "more than 0");
}
