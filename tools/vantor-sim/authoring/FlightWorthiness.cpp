#include "authoring/FlightWorthiness.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "Units.h"
#include "authoring/Trim.h"

namespace authoring {

namespace {

// Ratio of a fast economical cruise to the speed of best lift to drag.
constexpr double kCruiseOverBestGlide = 1.32;
// A turn this many times wider than the arrival circles tends to circle a waypoint for ever.
constexpr double kTurnOverProximity = 2.0;
constexpr double kSpeedStep = 2.0;
// The altitude error an aircraft may keep on its plans' legs before it is a finding.
constexpr double kHoldTolerance = 150.0;

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

// How far from its target the proportional altitude hold settles when level flight needs the
// elevator at a level: the law commands the elevator in proportion to the error of the flight
// path, which it derives from the altitude error over the aim distance (at most 5000 m, times the
// throttle). Positive: below the target. Infinite when the law cannot command that level.
double HoldOffset(double elevator, double throttle, const WorthinessInputs& inputs) {
  constexpr double kAimDistance = 5000.0;
  double raw = elevator;
  if (inputs.assistGain > 0.0) {
    const double unassisted = std::abs(elevator) / inputs.assistGain;
    if (inputs.assistLower <= unassisted && unassisted <= inputs.assistUpper) {
      raw = elevator / inputs.assistGain;
    }
  }
  const double limit = raw > 0.0 ? inputs.pitchLimitUp : inputs.pitchLimitDown;
  const double pathAngle = raw * limit * inputs.dampElevator;  // degrees
  if (std::abs(pathAngle) >= limit) {
    return raw > 0.0 ? HUGE_VAL : -HUGE_VAL;
  }
  return kAimDistance * throttle * std::tan(pathAngle / 3.0 * kDegree);
}

// At each altitude and throttle the plans command: the altitude error the proportional hold
// keeps there.
void CheckAltitudeHold(TrimSolver& solver, const WorthinessInputs& inputs,
                       std::vector<WorthinessFinding>& findings) {
  for (const PlanLeg& leg : inputs.legs) {
    const LegHold hold = PredictLegHold(solver, inputs, leg);
    if (!hold.flown || !(std::abs(hold.offset) > kHoldTolerance)) {
      continue;
    }
    std::string message = Format(
        "trims far from the plans' flight: at THROTTLE %.2f and %.0f m it flies level at "
        "%.0f m/s with the elevator at %.3f, ",
        leg.throttle, leg.altitude, hold.speed, hold.elevator);
    if (std::isfinite(hold.offset)) {
      message +=
          Format("so the proportional altitude hold settles about %.0f m ", std::abs(hold.offset)) +
          (hold.offset > 0.0 ? "below" : "above") +
          " its target; shift the moment column until trim shows an elevator near 0 "
          "there";
    } else {
      message += "more than the altitude hold commands: it drifts away from its target";
    }
    findings.push_back({"VLIFT", "", message});
    return;  // one leg says it; the others would repeat it
  }
}

}  // namespace

LegHold PredictLegHold(TrimSolver& solver, const WorthinessInputs& inputs, const PlanLeg& leg) {
  LegHold hold;
  if (!(leg.throttle > 0.0 && leg.throttle <= 1.0)) {
    return hold;
  }
  Condition condition;
  condition.altitude = leg.altitude;
  const Performance performance = solver.PerformanceAt(condition);
  if (!(performance.maxLevelSpeed > performance.bestGlideSpeed) ||
      !(performance.bestGlideSpeed > 0.0)) {
    return hold;
  }
  // On the fast side of the thrust curve the throttle rises with the speed.
  double low = performance.bestGlideSpeed;
  double high = performance.maxLevelSpeed;
  const auto throttleAt = [&](double speed) {
    condition.airspeed = speed;
    return solver.Solve(condition).throttle;
  };
  if (leg.throttle < throttleAt(low) || leg.throttle > throttleAt(high)) {
    return hold;  // it slows down or speeds up past these: other findings speak for that
  }
  for (int i = 0; i < 40 && high - low > 0.01; ++i) {
    const double middle = 0.5 * (low + high);
    (throttleAt(middle) < leg.throttle ? low : high) = middle;
  }
  condition.airspeed = low;
  hold.flown = true;
  hold.speed = low;
  hold.elevator = solver.Solve(condition).elevator;
  hold.offset = HoldOffset(hold.elevator, leg.throttle, inputs);
  return hold;
}

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
                               kHighestSweepSpeed, inputs.altitude)});
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
  for (double speed = stall * kSweepAboveStall; speed <= kHighestSweepSpeed; speed += kSpeedStep) {
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

  CheckAltitudeHold(solver, inputs, findings);
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
