// vantor-sim new: a complete, commented aircraft file from a handful of figures, checked by
// trimming it with the host's physics before it is handed to the author.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>

#include "Command.h"
#include "authoring/Calibration.h"
#include "authoring/CommandSupport.h"
#include "authoring/Generator.h"

namespace {

namespace fs = std::filesystem;

constexpr double kDegree = std::numbers::pi / 180.0;

// Written beside the target and renamed into place, so a failed write leaves no half file.
void WriteWhole(const fs::path& path, const std::string& text) {
  const fs::path temporary = path.string() + ".new";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file << text;
    if (!file.flush()) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      throw UsageError("cannot write " + temporary.string());
    }
  }
  std::error_code error;
  fs::rename(temporary, path, error);
  if (error) {
    fs::remove(temporary, error);
    throw UsageError("cannot write " + path.string());
  }
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

int RunNew(Arguments& arguments) {
  arguments.RequireKnown(
      {"--mass", "--span", "--thrust", "--kind", "--fuel", "--alt", "--cruise", "--force"});
  const std::string name = arguments.Positional("vessel NAME");
  if (!UsableName(name)) {
    throw UsageError("'" + name + "' cannot name an aircraft file (1 to 63 characters, no / \\ :)");
  }
  authoring::Design design;
  if (!authoring::ParseKind(arguments.Value("--kind", "trainer"), design.kind)) {
    throw UsageError("--kind takes trainer, jet, transport or glider, not '" +
                     arguments.Value("--kind", "") + "'");
  }
  if (!arguments.Has("--mass") || !arguments.Has("--span")) {
    throw UsageError("give at least --mass KG and --span M");
  }
  if (design.kind != authoring::Kind::Glider && !arguments.Has("--thrust")) {
    throw UsageError("give --thrust N for a powered aircraft (or --kind glider)");
  }
  design.mass = arguments.Number("--mass", 0.0);
  design.span = arguments.Number("--span", 0.0);
  design.thrust = arguments.Number("--thrust", 0.0);
  design.fuel = arguments.Number("--fuel", 0.0);
  design.cruiseAltitude = arguments.Number("--alt", 0.0);
  design.cruiseSpeed = arguments.Number("--cruise", 0.0);
  const std::string problem = authoring::Complete(design);
  if (!problem.empty()) {
    throw UsageError(problem);
  }

  EnterSimulatorRoot(arguments, true);
  const fs::path path = fs::path("Config") / "Aircraft" / (name + ".ini");
  std::error_code error;
  if (fs::exists(path, error) && !arguments.Has("--force")) {
    throw UsageError(path.string() + " exists already; --force replaces it");
  }
  fs::create_directories(path.parent_path(), error);
  const authoring::Calibrated made =
      authoring::Calibrate(name, design, [&](const std::string& text) { WriteWhole(path, text); });
  if (!made.why.empty()) {
    std::error_code ignored;
    fs::remove(path, ignored);
    throw UsageError("no " + std::string(authoring::KindName(design.kind)) +
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
  return 0;
}

}  // namespace

REGISTER_COMMAND(newAircraft, "new",
                 "new NAME --mass KG --span M --thrust N [--kind trainer|jet|transport|glider] "
                 "[--fuel KG] [--alt M] [--cruise M/S] [--force] [--root DIR] [--modules DIR]",
                 "writes Config/Aircraft/NAME.ini: a complete aircraft from a few figures, "
                 "trimmed at its design cruise",
                 "--force", RunNew);
