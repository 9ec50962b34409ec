#include "authoring/Envelope.h"
#include "Units.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace authoring {

namespace {

constexpr double kAltitudeStep = 500.0;
constexpr double kHighestAltitude = 25000.0;
constexpr double kCurveAltitudeStep = 3000.0;
constexpr int kMaxCurves = 5;
constexpr double kCoarseSpeedStep = 10.0;

// The fastest level flight at the condition's altitude: a coarse sweep up from the stall to
// the first speed the engine cannot hold, then bisection. 0 when there is none.
double MaxLevelSpeed(TrimSolver& solver, Condition condition, double stall) {
  double last = 0.0;
  double first = 0.0;
  for (double speed = stall * kSweepAboveStall; speed <= kHighestSweepSpeed;
       speed += kCoarseSpeedStep) {
    condition.airspeed = speed;
    if (solver.Solve(condition).LevelPossible()) {
      last = speed;
    } else if (last > 0.0) {
      first = speed;
      break;
    }
  }
  if (last > 0.0 && first > 0.0) {
    for (int i = 0; i < 20 && first - last > 0.05; ++i) {
      condition.airspeed = 0.5 * (last + first);
      (solver.Solve(condition).LevelPossible() ? last : first) = condition.airspeed;
    }
  }
  return last;
}

}  // namespace

Envelope ComputeEnvelope(TrimSolver& solver, const Condition& base, double wingArea, double chord) {
  Envelope envelope;
  const bool powered = solver.HasEngine();
  for (double altitude = 0.0; altitude <= kHighestAltitude; altitude += kAltitudeStep) {
    Condition condition = base;
    condition.altitude = altitude;
    EnvelopeLine line;
    line.altitude = altitude;
    line.stallSpeed = solver.StallSpeed(condition);
    if (line.stallSpeed > 0.0 && powered) {
      line.maxLevelSpeed = MaxLevelSpeed(solver, condition, line.stallSpeed);
    }
    if (line.maxLevelSpeed > 0.0) {
      envelope.ceiling = altitude;
    }
    envelope.lines.push_back(line);
    if (powered && line.maxLevelSpeed <= 0.0 && altitude > 0.0) {
      break;  // above the ceiling
    }
  }

  const double top = powered ? envelope.ceiling : 10000.0;
  for (int k = 0; k < kMaxCurves; ++k) {
    const double altitude = std::min(k * kCurveAltitudeStep, top);
    if (k > 0 && altitude <= envelope.curveAltitudes.back()) {
      break;
    }
    envelope.curveAltitudes.push_back(altitude);
  }
  for (const double altitude : envelope.curveAltitudes) {
    Condition condition = base;
    condition.altitude = altitude;
    const double stall = solver.StallSpeed(condition);
    if (!(stall > 0.0)) {
      continue;
    }
    const double highest =
        std::min(kHighestSweepSpeed, powered ? 2.5 * stall + 150.0 : 3.0 * stall);
    for (double speed = stall * kSweepAboveStall; speed <= highest;
         speed += (highest - stall) / 80.0) {
      condition.airspeed = speed;
      const Trim trim = solver.Solve(condition);
      if (trim.aoa <= solver.LowestAoa() + 1e-9) {
        break;
      }
      envelope.sweep.push_back({altitude, speed, trim});
    }
  }

  // The moment curve at the first altitude and a speed in the middle of its range; trim
  // points of the sweep at that altitude sit on it where the elevator must hold the moment.
  Condition condition = base;
  condition.altitude = envelope.curveAltitudes.empty() ? 0.0 : envelope.curveAltitudes.front();
  envelope.momentAltitude = condition.altitude;
  const double stall = solver.StallSpeed(condition);
  condition.airspeed = stall > 0.0 ? 1.6 * stall : 100.0;
  const double q = 0.5 * condition.airspeed * condition.airspeed;
  const auto coefficient = [&](double aoa) {
    // The density cancels: the moment is taken at the same speed, divided by the same q.
    Condition at = condition;
    const double moment = solver.PitchMoment(at, aoa, 0.0);
    const double density = solver.LastDensity();
    return moment / (density * q * wingArea * chord);
  };
  const double from = solver.LowestAoa() / kDegree;
  const double to = solver.StallAoa() / kDegree + 5.0;
  for (double aoa = std::floor(from); aoa <= to; aoa += 0.5) {
    envelope.moments.push_back({aoa, coefficient(aoa * kDegree)});
  }
  for (const SpeedPoint& point : envelope.sweep) {
    if (point.altitude == envelope.momentAltitude && std::abs(point.trim.elevator) <= 1.0) {
      envelope.marks.push_back(
          {point.speed, point.trim.aoa / kDegree, coefficient(point.trim.aoa)});
    }
  }
  return envelope;
}

}  // namespace authoring
