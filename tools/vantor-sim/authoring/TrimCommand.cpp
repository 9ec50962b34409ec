// vantor-sim trim: where an aircraft flies steadily at a flight condition, and what its engine
// and wing allow at that altitude, found with the host's physics.
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <string>

#include "Command.h"
#include "Units.h"
#include "authoring/CommandSupport.h"
#include "authoring/Trim.h"

namespace {

void PrintTrim(const authoring::Trim& trim) {
  std::printf("%s\n", trim.glide ? "steady glide (no engine)" : "level flight, wings level");
  std::printf("  angle of attack      %8.2f deg\n", trim.aoa / kDegree);
  std::printf("  pitch                %8.2f deg\n", trim.pitch / kDegree);
  if (trim.glide) {
    std::printf("  glide path           %8.2f deg\n", trim.climbAngle / kDegree);
    std::printf("  sink rate            %8.2f m/s\n", trim.sinkRate);
  }
  std::printf("  elevator             %8.3f\n", trim.elevator);
  if (!trim.glide) {
    std::printf("  throttle             %8.3f (%s)\n", trim.throttle,
                authoring::EngineName(trim.engine));
    std::printf("  thrust required      %8.0f N\n", trim.thrustRequired);
    std::printf("  thrust available     %8.0f N\n", trim.thrustAvailable);
    std::printf("  fuel flow            %8.3f kg/s\n", trim.fuelFlow);
  }
  std::printf("  lift to drag         %8.2f\n", trim.LiftToDrag());
}

void PrintPerformance(const authoring::Performance& performance, double altitude) {
  std::printf("at %.0f m\n", altitude);
  if (performance.stallSpeed <= 0.0) {
    std::printf("  no speed gives enough lift\n");
    return;
  }
  std::printf("  stall speed          %8.1f m/s\n", performance.stallSpeed);
  std::printf("  best lift to drag    %8.2f at %.1f m/s\n", performance.bestLiftToDrag,
              performance.bestGlideSpeed);
  if (performance.maxLevelSpeed > 0.0) {
    std::printf("  maximum level speed  %8.1f m/s\n", performance.maxLevelSpeed);
    std::printf("  best rate of climb   %8.1f m/s at %.1f m/s\n", performance.bestClimbRate,
                performance.bestClimbSpeed);
  } else {
    std::printf("  the engine cannot hold level flight at any speed\n");
  }
}

struct TrimOptions {
  PlaceOptions place;
  std::string name;
  authoring::ConditionOptions condition;
  double speed = 0.0;
  double mach = 0.0;
};

int RunTrim(const TrimOptions& options) {
  const std::string& name = options.name;
  authoring::Condition condition = options.condition.condition;
  vantor::VesselRecord& vessel = authoring::CreateToolAircraft(options.place, name);
  authoring::ApplyGear(options.condition, vessel, name);
  authoring::TrimSolver solver(vessel);
  const authoring::Performance performance = solver.PerformanceAt(condition);
  if (options.mach > 0.0) {
    condition.airspeed = 100.0;
    solver.Apply(condition, authoring::Trim{});
    condition.airspeed = options.mach * 100.0 / vessel.state.mach;
  } else if (options.speed > 0.0) {
    condition.airspeed = options.speed;
  } else if (performance.bestGlideSpeed > 0.0) {
    condition.airspeed = performance.bestGlideSpeed;  // the speed an author wants to know first
  } else {
    throw RunError("no speed gives " + name + " enough lift at this altitude; give --speed");
  }
  const authoring::Trim trim = solver.Solve(condition);
  std::printf(
      "%s at %.0f m, %.1f m/s (Mach %.3f), flaps %.2f, gear %s, fuel %.0f %%, mass %.0f kg\n",
      name.c_str(), condition.altitude, condition.airspeed, trim.mach, condition.flaps,
      authoring::GearName(options.condition), condition.fuelFraction * 100.0, trim.mass);
  PrintTrim(trim);
  PrintPerformance(performance, condition.altitude);
  if (!trim.found) {
    std::fflush(stdout);  // the reason comes last, after the figures it explains
    std::fprintf(stderr, "vantor-sim trim: no steady flight for %s: %s\n", name.c_str(),
                 trim.why.c_str());
    return kExitFailed;
  }
  return kExitDone;
}

CommandRun DefineTrim(CLI::App& command) {
  auto options = std::make_shared<TrimOptions>();
  command.add_option("NAME", options->name, "the vessel: its file is Config/Aircraft/NAME.ini")
      ->required();
  AddPlaceOptions(command, options->place);
  authoring::AddConditionOptions(command, options->condition, true);
  CLI::Option* speed = command
                           .add_option("--speed", options->speed,
                                       "airspeed, m/s (default: the speed of best lift to drag)")
                           ->check(CLI::Range(0.1, 3000.0));
  CLI::Option* mach = command.add_option("--mach", options->mach, "Mach number instead of --speed")
                          ->check(CLI::Range(0.001, 10.0));
  speed->excludes(mach);
  command.footer(
      "Exit codes: 0 a steady flight was found; 1 none exists (the reason is "
      "printed); 2 the command line is wrong.");
  return [options] { return RunTrim(*options); };
}

}  // namespace

REGISTER_COMMAND(trim,
                 "steady wings-level flight (angle of attack, elevator, throttle, thrust, lift "
                 "to drag) and the speeds the aircraft can fly at that altitude",
                 DefineTrim);
