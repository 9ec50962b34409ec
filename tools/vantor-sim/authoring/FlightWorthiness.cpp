#include "authoring/FlightWorthiness.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "authoring/Trim.h"

namespace authoring {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kGravity = 9.80665;
// Ratio of a fast economical cruise to the speed of best lift to drag.
constexpr double kCruiseOverBestGlide = 1.32;
// A turn this many times wider than the arrival circles tends to circle a waypoint for ever.
constexpr double kTurnOverProximity = 2.0;
constexpr double kSpeedStep = 2.0;
constexpr double kHighestSpeed = 700.0;

std::string Format(const char* format, double a = 0, double b = 0, double c = 0, double d = 0,
                   double e = 0) {
  char text[400];
  std::snprintf(text, sizeof text, format, a, b, c, d, e);
  return text;
}

// The pitch moment's slope over the angles the aircraft flies at below the stall.
void CheckStability(TrimSolver& solver, const Condition& condition,
                    std::vector<WorthinessFinding>& findings) {
  const double from = std::max(solver.LowestAoa() * 0.5, -2.0 * kDegree);
  const double to = std::max(0.8 * solver.StallAoa(), from + 4.0 * kDegree);
  const double rise =
      solver.PitchMoment(condition, to, 0.0) - solver.PitchMoment(condition, from, 0.0);
  if (rise > 0.0) {
    findings.push_back(
        {"VLIFT", "",
         Format("statically unstable in pitch: at %.0f m/s the pitch moment rises by %.0f N m "
                "per degree of angle of attack between %.1f and %.1f deg (it must fall: a "
                "falling moment column, or the wing's OFFSET further behind the centre of "
                "gravity)",
                condition.airspeed, rise / ((to - from) / kDegree), from / kDegree, to / kDegree)});
  }
}

}  // namespace

std::vector<WorthinessFinding> AssessFlightWorthiness(vantor::VesselRecord& vessel,
                                                      const WorthinessInputs& inputs) {
  std::vector<WorthinessFinding> findings;
  TrimSolver solver(vessel);
  Condition condition;
  condition.altitude = inputs.altitude;
  const double stall = solver.StallSpeed(condition);
  condition.airspeed = stall > 0.0 ? 1.5 * stall : 100.0;
  CheckStability(solver, condition, findings);
  if (!(stall > 0.0)) {
    findings.push_back({"WING", "AREA",
                        Format("the wing never lifts the aircraft's weight: no speed up to "
                               "%.0f m/s gives enough lift at %.0f m",
                               kHighestSpeed, inputs.altitude)});
    return findings;
  }

  // Every speed from the stall up: where the engine can hold level flight, and where the
  // elevator can hold the trim as well.
  int reachable = 0;
  int balanced = 0;
  double slowest = 0.0;
  double fastest = 0.0;
  double leastElevator = 1e30;
  double leastElevatorSpeed = 0.0;
  double leastThrust = 1e30;
  double leastThrustSpeed = 0.0;
  double available = 0.0;
  double bestLiftToDrag = 0.0;
  double bestGlideSpeed = 0.0;
  const bool powered = solver.HasEngine();
  for (double speed = stall * 1.02; speed <= kHighestSpeed; speed += kSpeedStep) {
    condition.airspeed = speed;
    const Trim trim = solver.Solve(condition);
    if (trim.aoa <= solver.LowestAoa() + 1e-9) {
      break;  // beyond the lift table's lowest lift: faster is no better
    }
    if (powered && trim.thrustRequired < leastThrust) {
      leastThrust = trim.thrustRequired;
      leastThrustSpeed = speed;
      available = trim.thrustAvailable;
    }
    if (powered && !(trim.throttle >= 0.0 && trim.throttle <= 1.0)) {
      continue;
    }
    slowest = reachable++ == 0 ? speed : slowest;
    fastest = speed;
    if (std::abs(trim.elevator) <= 1.0) {
      ++balanced;
      if (trim.LiftToDrag() > bestLiftToDrag) {
        bestLiftToDrag = trim.LiftToDrag();
        bestGlideSpeed = speed;
      }
    } else if (std::abs(trim.elevator) < std::abs(leastElevator)) {
      leastElevator = trim.elevator;
      leastElevatorSpeed = speed;
    }
  }
  if (reachable == 0) {
    findings.push_back(
        {"CONFIG", "MAIN_THRUST",
         Format("the engine cannot hold level flight at any speed at %.0f m: it gives %.0f N, "
                "level flight needs at least %.0f N (at %.0f m/s)",
                inputs.altitude, available, leastThrust, leastThrustSpeed)});
  } else if (balanced == 0) {
    findings.push_back(
        {"ELEVATOR", "",
         Format("no trim within the elevator's authority: at every speed the aircraft can fly "
                "at %.0f m (%.0f to %.0f m/s) the elevator would have to go beyond full "
                "deflection (at best %.2f, at %.0f m/s)",
                inputs.altitude, slowest, fastest, leastElevator, leastElevatorSpeed)});
  }

  if (inputs.typicalProximity > 0.0 && bestGlideSpeed > 0.0) {
    const double speed = kCruiseOverBestGlide * bestGlideSpeed;
    const double radius =
        speed * speed / (kGravity * std::tan(std::clamp(inputs.maxBank, 1.0, 89.0) * kDegree));
    if (radius > kTurnOverProximity * inputs.typicalProximity) {
      findings.push_back(
          {"AUTOPILOT", "MAX_BANK",
           Format("turns too wide for the flight plans: at MAX_BANK %.0f deg and %.0f m/s the "
                  "turn radius is %.0f m, more than twice the plans' typical PROXIMITY of %.0f m; "
                  "the autopilot may circle a waypoint without reaching it",
                  inputs.maxBank, speed, radius, inputs.typicalProximity)});
    }
  }
  return findings;
}

}  // namespace authoring
