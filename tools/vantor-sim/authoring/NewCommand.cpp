// vantor-sim new: a complete, commented aircraft file from a handful of figures, checked by
// trimming it with the host's physics before it is handed to the author.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numbers>
#include <optional>
#include <sstream>
#include <string>

#include "Command.h"
#include "Units.h"
#include "authoring/Calibration.h"
#include "authoring/CommandSupport.h"
#include "authoring/Generator.h"
#include "vantor/sim/OutputFile.h"

namespace {

namespace fs = std::filesystem;

std::optional<std::string> ReadWhole(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return std::nullopt;
  }
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

bool UsableName(const std::string& name) {
  if (name.empty() || name.size() > 63 || name == "." || name == "..") {
    return false;
  }
  for (const char c : name) {
    if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20) {
      return false;
    }
  }
  return true;
}

struct NewOptions {
  PlaceOptions place;
  std::string name;
  std::string kind = "trainer";
  authoring::Design design;
  bool force = false;
};

int RunNew(const NewOptions& options) {
  const std::string& name = options.name;
  if (!UsableName(name)) {
    throw UsageError("'" + name + "' cannot name an aircraft file (1 to 63 characters, no / \\ :)");
  }
  authoring::Design design = options.design;
  authoring::ParseKind(options.kind, design.kind);
  if (design.kind != authoring::Kind::Glider && !(design.thrust > 0.0)) {
    throw UsageError("give --thrust N for a powered aircraft (or --kind glider)");
  }
  const std::string problem = authoring::Complete(design);
  if (!problem.empty()) {
    throw UsageError(problem);
  }

  EnterSimulatorRoot(options.place, true);
  const fs::path path = fs::path("Config") / "Aircraft" / (name + ".ini");
  std::error_code error;
  if (fs::exists(path, error) && !options.force) {
    throw RunError(path.string() + " exists already; --force replaces it");
  }
  // Calibration sets the file up through the module, so it is written where the module reads
  // it; a file replaced with --force comes back when no aircraft can be made.
  const std::optional<std::string> previous = ReadWhole(path);
  fs::create_directories(path.parent_path(), error);
  const authoring::Calibrated made = authoring::Calibrate(
      name, design,
      [&](const std::string& text) { vantor::sim::WriteFileAtomically(path.string(), text); });
  if (!made.why.empty()) {
    if (previous) {
      vantor::sim::WriteFileAtomically(path.string(), *previous);
    } else {
      std::error_code ignored;
      fs::remove(path, ignored);
    }
    throw RunError("no " + std::string(authoring::KindName(design.kind)) +
                   " from these figures: " + made.why);
  }
  const authoring::Airframe airframe = authoring::Derive(design);
  std::printf("wrote %s: a %s of %.0f kg empty, %.0f kg of fuel, wing %.1f m^2\n",
              path.string().c_str(), authoring::KindName(design.kind), design.mass, design.fuel,
              airframe.wingArea);
  std::printf("cruise at %.0f m and %.0f m/s: angle of attack %.2f deg, elevator %.3f",
              design.cruiseAltitude, design.cruiseSpeed, made.cruise.aoa / kDegree,
              made.cruise.elevator);
  if (made.cruise.glide) {
    std::printf(", glide ratio %.1f\n", made.cruise.LiftToDrag());
  } else {
    std::printf(", throttle %.2f\n", made.cruise.throttle);
  }
  std::printf("stall %.0f m/s, best lift to drag %.1f at %.0f m/s", made.performance.stallSpeed,
              made.performance.bestLiftToDrag, made.performance.bestGlideSpeed);
  if (made.performance.maxLevelSpeed > 0.0) {
    std::printf(", top speed %.0f m/s, best climb %.1f m/s", made.performance.maxLevelSpeed,
                made.performance.bestClimbRate);
  }
  std::printf(
      "\nturns at %.0f deg of bank have a radius of %.0f m: give waypoints a PROXIMITY of "
      "at least %.0f m\n",
      airframe.maxBank, airframe.turnRadius, 1.5 * airframe.turnRadius);
  return kExitDone;
}

CommandRun DefineNew(CLI::App& command) {
  auto options = std::make_shared<NewOptions>();
  command.add_option("NAME", options->name, "the vessel: writes Config/Aircraft/NAME.ini")
      ->required();
  AddPlaceOptions(command, options->place);
  command.add_option("--mass", options->design.mass, "empty mass, kg")
      ->required()
      ->check(CLI::Range(10.0, 1e6));
  command.add_option("--span", options->design.span, "wing span, m")
      ->required()
      ->check(CLI::Range(1.0, 150.0));
  command.add_option("--thrust", options->design.thrust, "engine thrust at sea level, N")
      ->check(CLI::Range(0.0, 1e7));
  command.add_option("--kind", options->kind, "what the aircraft is")
      ->check(CLI::IsMember({"trainer", "jet", "transport", "glider"}))
      ->capture_default_str();
  command.add_option("--fuel", options->design.fuel, "fuel, kg (default: the kind's share)")
      ->check(NonNegativeNumber());
  command
      .add_option("--alt", options->design.cruiseAltitude,
                  "design cruise altitude, m (default: the kind's)")
      ->check(CLI::Range(100.0, 15000.0));
  command
      .add_option("--cruise", options->design.cruiseSpeed,
                  "design cruise speed, m/s (default: the kind's)")
      ->check(CLI::Range(10.0, 300.0));
  command.add_flag("--force", options->force, "replace an existing file");
  return [options] { return RunNew(*options); };
}

}  // namespace

REGISTER_COMMAND(new,
                 "write Config/Aircraft/NAME.ini: a complete aircraft from a few figures, "
                 "trimmed at its design cruise",
                 DefineNew);
