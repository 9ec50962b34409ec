// Whether an aircraft can fly steadily, found with the host's physics: static stability in
// pitch, trim within the elevator's authority and the lift table, thrust for level flight, and
// turns that fit the arrival circles of flight plans. Each finding carries its numbers.
#pragma once

#include <string>
#include <vector>

#include <vantor/sim/VesselRecord.h>

namespace authoring {

struct WorthinessFinding {
  std::string section;  // where in the aircraft file the cause lies, for the line
  std::string key;      // empty: the section as a whole
  std::string message;
};

// A waypoint of the root's plans that commands the engine.
struct PlanLeg {
  double altitude = 0.0;
  double throttle = 0.0;
};

struct WorthinessInputs {
  double maxBank = 20.0;        // degrees, the autopilot's MAX_BANK as the module uses it
  double typicalProximity = 0;  // metres, of the root's flight plans; 0: none to compare with
  double altitude = 1000.0;     // where the aircraft is assessed
  std::vector<PlanLeg> legs;    // distinct altitude and throttle pairs of the root's plans
  // The altitude hold's settings, as the module uses them.
  double pitchLimitUp = 30.0;
  double pitchLimitDown = 20.0;
  double dampElevator = 5.0;
  double assistUpper = 0.01;
  double assistLower = 0.005;
  double assistGain = 1.5;
};

// Where the aircraft settles on a plan's leg under its autopilot: the level speed at the leg's
// throttle, the elevator that needs, and the altitude error the proportional hold keeps for it
// far from the waypoint (metres, positive below the target; infinite beyond the law's reach).
struct LegHold {
  bool flown = false;  // false: no steady level flight at that throttle and altitude
  double speed = 0.0;
  double elevator = 0.0;
  double offset = 0.0;
};
class TrimSolver;
LegHold PredictLegHold(TrimSolver& solver, const WorthinessInputs& inputs, const PlanLeg& leg);

// Assesses the vessel (set up from its file, gear up); changes its state and controls.
std::vector<WorthinessFinding> AssessFlightWorthiness(vantor::VesselRecord& vessel,
                                                      const WorthinessInputs& inputs);

}  // namespace authoring
