// Steady flight of an aircraft found with the host's own physics: the loads the physics step
// would apply (airfoils through the module's callbacks, control surfaces, drag, thrust after the
// module's engine law) are observed at trial flight states and balanced. Nothing here models
// the aircraft a second time; it only solves.
#pragma once

#include <string>

#include <vantor/sim/VesselRecord.h>

namespace authoring {

// The speeds every sweep for level flight covers: from just above the stall (where the table's
// highest lift would just hold the weight) up to a speed no aircraft of this kind reaches.
inline constexpr double kSweepAboveStall = 1.02;
inline constexpr double kHighestSweepSpeed = 700.0;

struct Condition {
  double altitude = 1000.0;   // metres
  double airspeed = 150.0;    // metres per second
  double flaps = 0.0;         // flap state, 0 (up) to 1 (fully down)
  double fuelFraction = 1.0;  // of every tank
};

enum class Engine { None, Main, Afterburner };

struct Trim {
  bool found = false;
  std::string why;     // when not found: what stands in the way, with its numbers
  bool glide = false;  // an aircraft without thrust: a steady descent instead of level flight

  double aoa = 0.0;         // radians
  double pitch = 0.0;       // radians
  double climbAngle = 0.0;  // radians; 0 in level flight, negative in a glide
  double elevator = 0.0;    // control level
  double throttle = 0.0;    // main engine group level (above 0.99: the afterburner)
  Engine engine = Engine::None;

  double thrustRequired = 0.0;   // newtons
  double thrustAvailable = 0.0;  // newtons, the most the engine gives here
  double lift = 0.0;             // newtons, perpendicular to the motion
  double drag = 0.0;             // newtons, against the motion
  double fuelFlow = 0.0;         // kg/s
  double mass = 0.0;             // kg
  double mach = 0.0;
  double sinkRate = 0.0;  // m/s, in a glide

  // The engine can give the thrust, but only across the hand-over to the afterburner, where no
  // throttle level gives exactly that thrust: the aircraft climbs or slows on either side.
  bool betweenEngines = false;

  double LiftToDrag() const { return drag > 0.0 ? lift / drag : 0.0; }
  // Whether the engine can hold level flight here, steadily or across the hand-over.
  bool LevelPossible() const { return found || betweenEngines; }
};

// What the engine and the airframe allow at one altitude.
struct Performance {
  double stallSpeed = 0.0;      // m/s, at the lift table's highest lift; 0 when none is found
  double bestGlideSpeed = 0.0;  // m/s, speed of the best lift-to-drag ratio
  double bestLiftToDrag = 0.0;
  double maxLevelSpeed = 0.0;   // m/s, 0 when the engine cannot hold level flight at any speed
  double bestClimbRate = 0.0;   // m/s, from the excess of available over required thrust
  double bestClimbSpeed = 0.0;  // m/s
};

// Solves on one vessel of the host; the vessel's flight state, control levels, fuel and
// engine are changed by every call. Create the vessel for this use only.
class TrimSolver {
 public:
  explicit TrimSolver(vantor::VesselRecord& vessel);

  bool HasEngine() const { return hasEngine_; }
  // The angle of attack of the wing table's highest lift (radians).
  double StallAoa() const { return stallAoa_; }
  double LowestAoa() const { return lowestAoa_; }

  // Steady wings-level flight at the condition: level with an engine, a glide without one.
  Trim Solve(const Condition& condition);
  // Level flight at the stall angle of attack: the slowest steady flight; 0 if none.
  double StallSpeed(const Condition& condition);
  Performance PerformanceAt(const Condition& condition);

  // The pitch moment (N m, positive raises the nose) in level flight at the condition's speed
  // and an angle of attack, with the elevator at a level and the engine at idle.
  double PitchMoment(const Condition& condition, double aoa, double elevator);
  // The air's density at the vessel's last placement.
  double LastDensity() const { return vessel_.state.density; }

  // Leaves the vessel flying the trim: placed in it, with its elevator and throttle set.
  void Apply(const Condition& condition, const Trim& trim);

 private:
  vantor::VesselRecord& vessel_;
  bool hasEngine_ = false;
  double stallAoa_ = 0.0;
  double lowestAoa_ = 0.0;  // of the table's lowest lift, below zero
};

const char* EngineName(Engine engine);

}  // namespace authoring
