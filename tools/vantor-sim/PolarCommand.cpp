// vantor-sim polar: the wing's and the fin's coefficients over a range of angles of attack, as
// the host's physics gets them from the module's airfoil callbacks. This is how an author checks
// a lift table.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include <vantor/sim/OutputFile.h>
#include <vantor/sim/Simulation.h>
#include <vantor/sim/VesselRecord.h>

#include "Command.h"
#include "Plot.h"
#include "Preflight.h"
#include "SimulatorRoot.h"

namespace {

// More lines than any author reads; a guard against a step far too small for the range.
constexpr long long kMaxAngles = 1000000;

struct AngleRange {
  double from = -20.0;
  double to = 20.0;
  double step = 1.0;
  long long count = 41;
};

double ParseNumber(const std::string& text, const std::string& what) {
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(value)) {
    throw UsageError(what + " needs a number, not '" + text + "'");
  }
  return value;
}

AngleRange ParseAngleRange(const std::string& text) {
  const std::size_t first = text.find(':');
  const std::size_t second = first == std::string::npos ? first : text.find(':', first + 1);
  if (second == std::string::npos || text.find(':', second + 1) != std::string::npos) {
    throw UsageError("--aoa needs FROM:TO:STEP in degrees, not '" + text + "'");
  }
  AngleRange range;
  range.from = ParseNumber(text.substr(0, first), "--aoa FROM");
  range.to = ParseNumber(text.substr(first + 1, second - first - 1), "--aoa TO");
  range.step = ParseNumber(text.substr(second + 1), "--aoa STEP");
  if (range.step == 0.0) {
    throw UsageError("--aoa STEP must not be 0");
  }
  const double steps = (range.to - range.from) / range.step;
  if (steps < 0.0) {
    throw UsageError("--aoa STEP must lead from FROM towards TO");
  }
  // A range that is a whole number of steps long ends on TO despite rounding.
  const double whole = std::floor(steps + 1e-9);
  if (!(whole < static_cast<double>(kMaxAngles))) {
    throw UsageError("--aoa gives more than " + std::to_string(kMaxAngles) + " angles");
  }
  range.count = static_cast<long long>(whole) + 1;
  return range;
}

const vantor::AirfoilRecord* FindAirfoil(const vantor::VesselRecord& vessel,
                                         AIRFOIL_ORIENTATION orientation) {
  for (const auto& airfoil : vessel.airfoils) {
    if (airfoil->orientation == orientation && airfoil->coefficients != nullptr) {
      return airfoil.get();
    }
  }
  return nullptr;
}

struct Coefficients {
  double lift = 0.0;
  double moment = 0.0;
  double drag = 0.0;
};

// The Reynolds number is the one the wing would see at this Mach number in sea-level air.
Coefficients Evaluate(const vantor::AirfoilRecord& airfoil, double aoaDegrees, double mach) {
  constexpr double kSpeedOfSound = 340.29;
  constexpr double kDensity = 1.225;
  constexpr double kViscosity = 1.789e-5;
  const double reynolds = kDensity * mach * kSpeedOfSound * airfoil.chord / kViscosity;
  Coefficients result;
  airfoil.coefficients(aoaDegrees * std::numbers::pi / 180.0, mach, reynolds, &result.lift,
                       &result.moment, &result.drag);
  return result;
}

struct PolarOptions {
  PlaceOptions place;
  std::string name;
  std::string aoa;
  double mach = 0.5;
  std::string csv;
  std::string plot;
};

int RunPolar(const PolarOptions& options) {
  const std::string& name = options.name;
  const AngleRange range = options.aoa.empty() ? AngleRange{} : ParseAngleRange(options.aoa);
  const double mach = options.mach;
  if (name.empty()) {
    throw UsageError("the vessel name is empty");
  }
  const std::string csvPath = AbsolutePath(options.csv);
  const std::string plotPath = AbsolutePath(options.plot);
  EnterSimulatorRoot(options.place, true);
  const std::string missing = MissingAircraft(name);
  if (!missing.empty()) {
    throw RunError(missing);
  }
  vantor::VesselRecord* vessel = vantor::sim::CreateVessel(name, kAircraftClass);
  if (vessel == nullptr) {
    throw RunError("cannot create vessel " + name);
  }
  const vantor::AirfoilRecord* wing = FindAirfoil(*vessel, LIFT_VERTICAL);
  const vantor::AirfoilRecord* fin = FindAirfoil(*vessel, LIFT_HORIZONTAL);
  if (wing == nullptr || fin == nullptr) {
    throw RunError("vessel " + name + " has no wing or fin airfoil");
  }

  std::string table = "aoa_deg,wing_cl,wing_cm,wing_cd,fin_cl,fin_cm,fin_cd\n";
  for (long long k = 0; k < range.count; ++k) {
    const double aoa = range.from + static_cast<double>(k) * range.step;
    const Coefficients w = Evaluate(*wing, aoa, mach);
    const Coefficients f = Evaluate(*fin, aoa, mach);
    char line[512];
    std::snprintf(line, sizeof line, "%.15g,%.17g,%.17g,%.17g,%.17g,%.17g,%.17g\n", aoa, w.lift,
                  w.moment, w.drag, f.lift, f.moment, f.drag);
    table += line;
  }
  // Where a file went is said on standard output, unless the table itself goes there.
  std::FILE* notes = csvPath.empty() ? stderr : stdout;
  if (csvPath.empty()) {
    std::fwrite(table.data(), 1, table.size(), stdout);
  } else {
    vantor::sim::WriteFileAtomically(csvPath, table);
    std::fprintf(notes, "table: %s\n", csvPath.c_str());
  }
  if (!plotPath.empty()) {
    // gnuplot reads the table from a file: the --csv file, or one written beside the picture.
    const std::string plotTable = csvPath.empty() ? plotPath + ".csv" : csvPath;
    if (csvPath.empty()) {
      vantor::sim::WriteFileAtomically(plotTable, table);
    }
    char title[160];
    std::snprintf(title, sizeof title, "%s at Mach %g", name.c_str(), mach);
    DrawPolarPlot(plotTable, plotPath, title);
    std::fprintf(notes, "plot: %s\n", plotPath.c_str());
  }
  return kExitDone;
}

CommandRun DefinePolar(CLI::App& command) {
  auto options = std::make_shared<PolarOptions>();
  command.add_option("NAME", options->name, "the vessel: its file is Config/Aircraft/NAME.ini")
      ->required();
  AddPlaceOptions(command, options->place);
  command
      .add_option("--aoa", options->aoa,
                  "angles of attack FROM:TO:STEP in degrees (default -20:20:1)")
      ->type_name("FROM:TO:STEP");
  command.add_option("--mach", options->mach, "Mach number of the airflow")
      ->type_name("M")
      ->check(NonNegativeNumber())
      ->capture_default_str();
  command.add_option("--csv", options->csv, "write the table to FILE, not to the terminal")
      ->type_name("FILE");
  AddPlotOption(command, options->plot, "the coefficients");
  return [options] { return RunPolar(*options); };
}

}  // namespace

REGISTER_COMMAND(polar,
                 "wing and fin lift, moment and drag coefficients over angles of attack (degrees)",
                 DefinePolar);
