#include "authoring/Calibration.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <vantor/sim/Simulation.h>

#include "authoring/Gear.h"

namespace authoring {

namespace {

// The throttle a design cruises at: the rest is reserve for climbs and turns.
constexpr double kCruiseThrottle = 0.7;
constexpr int kPasses = 4;

struct Trial {
  Trim cruise;
  Performance performance;
  double stallSpeed = 0.0;
};

Trial TrimDesign(const std::string& name, const Design& design, bool withPerformance) {
  Trial trial;
  vantor::VesselRecord* vessel = vantor::sim::CreateVessel(name, "aircraft");
  if (vessel == nullptr) {
    trial.cruise.why = "cannot create vessel " + name;
    return trial;
  }
  SetGear(*vessel, 0, false);  // the generator writes the gear as sequence 0
  TrimSolver solver(*vessel);
  Condition condition;
  condition.altitude = design.cruiseAltitude;
  condition.airspeed = design.cruiseSpeed;
  if (withPerformance) {
    trial.performance = solver.PerformanceAt(condition);
  }
  trial.stallSpeed = solver.StallSpeed(condition);
  trial.cruise = solver.Solve(condition);
  vantor::sim::DeleteVessel(*vessel);
  return trial;
}

}  // namespace

Calibrated Calibrate(const std::string& name, Design& design,
                     const std::function<void(const std::string&)>& write) {
  Calibrated result;
  const Airframe first = Derive(design);
  design.momentOffset = first.wingOffset / first.chord * first.cruiseLift;
  const bool powered = design.kind != Kind::Glider;
  for (int pass = 0; pass < kPasses; ++pass) {
    result.text = AircraftText(name, design);
    write(result.text);
    Trial trial = TrimDesign(name, design, false);
    if (powered && (!trial.cruise.found || trial.cruise.throttle > kCruiseThrottle)) {
      // Slow the cruise to where the engine needs the cruise throttle, if any speed above a
      // safe margin over the stall does.
      const double lowest = 1.3 * trial.stallSpeed;
      double low = lowest;
      double high = design.cruiseSpeed;
      Design probe = design;
      probe.cruiseSpeed = lowest;
      write(AircraftText(name, probe));
      const Trial slow = TrimDesign(name, probe, false);
      if (!(lowest > 0.0) || !slow.cruise.found || slow.cruise.throttle > kCruiseThrottle) {
        char text[200];
        std::snprintf(text, sizeof text,
                      "not enough thrust to cruise: at %.0f m and %.0f m/s, 1.3 times the stall "
                      "speed, level flight needs %.0f N, more than %.0f %% of what the engine "
                      "gives there",
                      design.cruiseAltitude, lowest, slow.cruise.thrustRequired,
                      kCruiseThrottle * 100.0);
        result.why = text;
        result.cruise = slow.cruise;
        return result;
      }
      for (int i = 0; i < 20 && high - low > 0.2; ++i) {
        probe.cruiseSpeed = 0.5 * (low + high);
        write(AircraftText(name, probe));
        const Trial middle = TrimDesign(name, probe, false);
        (middle.cruise.found && middle.cruise.throttle <= kCruiseThrottle ? low : high) =
            probe.cruiseSpeed;
      }
      design.cruiseSpeed = std::floor(low);
      continue;
    }
    if (!trial.cruise.found) {
      result.why = trial.cruise.why;
      result.cruise = trial.cruise;
      return result;
    }
    design.momentOffset += trial.cruise.elevator * ElevatorAuthority(design);
    if (std::abs(trial.cruise.elevator) < 0.005 && pass > 0) {
      break;
    }
  }
  result.text = AircraftText(name, design);
  write(result.text);
  const Trial final = TrimDesign(name, design, true);
  result.cruise = final.cruise;
  result.performance = final.performance;
  if (!final.cruise.found) {
    result.why = final.cruise.why;
  }
  return result;
}

}  // namespace authoring
