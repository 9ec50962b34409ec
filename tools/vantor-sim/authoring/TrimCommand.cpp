// vantor-sim trim: where an aircraft flies steadily at a flight condition, and what its engine
// and wing allow at that altitude, found with the host's physics.
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "Command.h"
#include "authoring/CommandSupport.h"
#include "authoring/Trim.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

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

int RunTrim(Arguments& arguments) {
  arguments.RequireKnown({"--alt", "--speed", "--mach", "--flaps", "--gear", "--fuel"});
  if (arguments.Has("--speed") && arguments.Has("--mach")) {
    throw UsageError("give either --speed or --mach, not both");
  }
  const std::string name = arguments.Positional("vessel NAME");
  authoring::Condition condition = authoring::ReadCondition(arguments);
  const double speed = authoring::NumberWithin(arguments, "--speed", 0.0, 0.0, 3000.0);
  const double mach = authoring::NumberWithin(arguments, "--mach", 0.0, 0.0, 10.0);
  vantor::VesselRecord& vessel = authoring::CreateToolAircraft(arguments, name);

  authoring::ApplyGear(arguments, vessel, name);
  authoring::TrimSolver solver(vessel);
  const authoring::Performance performance = solver.PerformanceAt(condition);
  if (arguments.Has("--mach")) {
    condition.airspeed = 100.0;
    solver.Apply(condition, authoring::Trim{});
    condition.airspeed = mach * 100.0 / vessel.state.mach;
  } else if (arguments.Has("--speed")) {
    condition.airspeed = speed;
  } else if (performance.bestGlideSpeed > 0.0) {
    condition.airspeed = performance.bestGlideSpeed;  // the speed an author wants to know first
  } else {
    throw UsageError("no speed gives " + name + " enough lift at this altitude; give --speed");
  }
  const authoring::Trim trim = solver.Solve(condition);
  std::printf(
      "%s at %.0f m, %.1f m/s (Mach %.3f), flaps %.2f, gear %s, fuel %.0f %%, mass %.0f kg\n",
      name.c_str(), condition.altitude, condition.airspeed, trim.mach, condition.flaps,
      arguments.Value("--gear", "up").c_str(), condition.fuelFraction * 100.0, trim.mass);
  PrintTrim(trim);
  PrintPerformance(performance, condition.altitude);
  if (!trim.found) {
    std::fflush(stdout);  // the reason comes last, after the figures it explains
    std::fprintf(stderr, "vantor-sim trim: no steady flight for %s: %s\n", name.c_str(),
                 trim.why.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

REGISTER_COMMAND(trim, "trim",
                 "trim NAME [--root DIR] [--modules DIR] [--alt M] [--speed M/S | --mach M] "
                 "[--flaps LEVEL] [--gear up|down] [--fuel FRACTION]",
                 "steady wings-level flight (angle of attack, elevator, throttle, thrust, lift "
                 "to drag) and the speeds the aircraft can fly at that altitude",
                 "", RunTrim);
