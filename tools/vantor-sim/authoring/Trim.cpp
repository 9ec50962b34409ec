#include "authoring/Trim.h"
#include "Units.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include <vantor/sim/Physics.h>
#include <vantor/sim/Simulation.h>

namespace authoring {

namespace {

// The lift table is searched for its highest and lowest lift over these angles.
constexpr double kScanFrom = -30.0 * kDegree;
constexpr double kScanTo = 45.0 * kDegree;
constexpr double kScanStep = 0.05 * kDegree;
// The module hands the throttle to the afterburner above this level.
constexpr double kHandOverLevel = 0.99;
constexpr int kBisections = 60;

VECTOR3 Add(const VECTOR3& a, const VECTOR3& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
VECTOR3 Scale(const VECTOR3& a, double s) {
  return {a.x * s, a.y * s, a.z * s};
}
double Dot(const VECTOR3& a, const VECTOR3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
double Norm(const VECTOR3& a) {
  return std::sqrt(Dot(a, a));
}

// The motion's direction and the lift's (perpendicular to it, upward) in the vessel frame.
VECTOR3 Motion(double aoa) {
  return {0.0, -std::sin(aoa), std::cos(aoa)};
}
VECTOR3 LiftDirection(double aoa) {
  return {0.0, std::cos(aoa), std::sin(aoa)};
}

// Loads as a pitch moment and a force; everything the solver combines is linear in the
// elevator level and in the throttle, as the host applies them.
struct Load {
  VECTOR3 force{};
  double pitch = 0.0;  // moment about the right axis; positive raises the nose

  Load operator+(const Load& other) const { return {Add(force, other.force), pitch + other.pitch}; }
  Load operator*(double s) const { return {Scale(force, s), pitch * s}; }
};

vantor::ThrusterGroupRecord* MainGroup(vantor::VesselRecord& vessel) {
  for (auto group = vessel.thrusterGroups.rbegin(); group != vessel.thrusterGroups.rend();
       ++group) {
    if ((*group)->type == THGROUP_MAIN) {
      return group->get();
    }
  }
  return nullptr;
}

// Sets the throttle as a pilot would and lets the module's engine management run, so that the
// hand-over to the afterburner and the thrust law apply at the vessel's present flight state.
void SetThrottle(vantor::VesselRecord& vessel, double level) {
  if (vantor::ThrusterGroupRecord* group = MainGroup(vessel)) {
    for (vantor::ThrusterRecord* thruster : group->thrusters) {
      thruster->level = level;
    }
  }
  vantor::sim::Timestep(vessel, 0.0);
}

const vantor::AirfoilRecord* Wing(const vantor::VesselRecord& vessel) {
  for (const auto& airfoil : vessel.airfoils) {
    if (airfoil->orientation == LIFT_VERTICAL && airfoil->coefficients != nullptr) {
      return airfoil.get();
    }
  }
  return nullptr;
}

// One engine's loads per unit of throttle at a flight condition.
struct EngineUnit {
  bool present = false;
  Load load;
  double fullThrust = 0.0;
  double cap = 1.0;  // the highest level this engine is flown at
};

struct Engines {
  EngineUnit main;
  EngineUnit burner;
};

// At one angle of attack: the balance with elevator and throttle still free.
struct Balance {
  double aoa = 0.0;
  double climbAngle = 0.0;
  double elevator = 0.0;
  double throttle = 0.0;
  double residual = 0.0;  // force still missing across the motion, newtons (positive: too much)
  Load aero;              // airframe alone, at that elevator level
};

class Problem {
 public:
  Problem(vantor::VesselRecord& vessel, const Condition& condition)
      : vessel_(vessel), condition_(condition) {}

  void Place(double aoa, double climbAngle) {
    vantor::sim::SteadyFlight flight;
    flight.altitude = condition_.altitude;
    flight.airspeed = condition_.airspeed;
    flight.climbAngle = climbAngle;
    flight.aoa = aoa;
    vantor::sim::PlaceInSteadyFlight(vessel_, flight);
  }

  // The loads at the present placement and throttle with the elevator at a level.
  Load Observe(double elevator) {
    vessel_.controlLevels[AIRCTRL_ELEVATOR] = elevator;
    const vantor::sim::ObservedLoads loads = vantor::sim::ObserveLoads(vessel_);
    mass_ = loads.mass;
    gravity_ = Norm(loads.gravity);
    return {loads.force, -loads.moment.x};
  }

  Engines MeasureEngines() {
    Engines engines;
    Place(0.0, 0.0);
    const auto measure = [&](double level) {
      SetThrottle(vessel_, level);
      const vantor::sim::ObservedLoads loads = vantor::sim::ObserveLoads(vessel_);
      EngineUnit unit;
      unit.load = Load{loads.thrustForce, -loads.thrustMoment.x} * (1.0 / level);
      unit.fullThrust = Norm(loads.thrustForce) / level;
      unit.present = unit.fullThrust > 0.0;
      const vantor::ThrusterGroupRecord* group = MainGroup(vessel_);
      return std::make_pair(
          unit, group != nullptr && !group->thrusters.empty() ? group->thrusters.front() : nullptr);
    };
    const auto [main, mainThruster] = measure(0.5);
    const auto [full, fullThruster] = measure(1.0);
    engines.main = main;
    if (fullThruster != mainThruster && full.present) {
      engines.burner = full;
      engines.main.cap = kHandOverLevel;
    }
    SetThrottle(vessel_, 0.0);
    return engines;
  }

  // Weight less what the curvature of the path over the planet takes off it.
  double EffectiveWeight(double climbAngle) const {
    const double radius = vessel_.state.radius;  // of the last placement
    const double speed = condition_.airspeed * std::cos(climbAngle);
    return mass_ * (gravity_ - speed * speed / radius);
  }

  // Level flight at aoa: the elevator holds the pitch moment, the engine the force along the
  // motion; what is left across the motion is the residual.
  Balance Level(double aoa, const EngineUnit& engine) {
    Place(aoa, 0.0);
    const Load zero = Observe(0.0);
    const Load full = Observe(1.0);
    const Load elevator = full + zero * -1.0;
    const VECTOR3 motion = Motion(aoa);
    // [elevator.pitch engine.pitch] [e]   [-zero.pitch]
    // [elevator.along engine.along] [t] = [-zero.along]
    const double a = elevator.pitch;
    const double b = engine.present ? engine.load.pitch : 0.0;
    const double c = Dot(elevator.force, motion);
    const double d = engine.present ? Dot(engine.load.force, motion) : 0.0;
    const double p = -zero.pitch;
    const double q = -Dot(zero.force, motion);
    Balance balance;
    balance.aoa = aoa;
    const double determinant = a * d - b * c;
    if (engine.present && determinant != 0.0) {
      balance.elevator = (p * d - b * q) / determinant;
      balance.throttle = (a * q - p * c) / determinant;
    } else if (a != 0.0) {
      balance.elevator = p / a;
    }
    balance.aero = zero + elevator * balance.elevator;
    const Load total = balance.aero + (engine.present ? engine.load * balance.throttle : Load{});
    balance.residual = Dot(total.force, LiftDirection(aoa)) - EffectiveWeight(0.0);
    return balance;
  }

  // A glide at aoa: the elevator holds the pitch moment, the path descends until the
  // airframe's force balances the weight.
  Balance Glide(double aoa) {
    Place(aoa, 0.0);
    const Load zero = Observe(0.0);
    const Load elevator = Observe(1.0) + zero * -1.0;
    Balance balance;
    balance.aoa = aoa;
    balance.elevator = elevator.pitch != 0.0 ? -zero.pitch / elevator.pitch : 0.0;
    balance.aero = zero + elevator * balance.elevator;
    const double lift = Dot(balance.aero.force, LiftDirection(aoa));
    const double drag = -Dot(balance.aero.force, Motion(aoa));
    balance.climbAngle = std::atan2(-drag, lift);
    // Only an upward lift glides; below zero lift the path would turn into a dive.
    balance.residual = lift > 0.0 ? std::hypot(lift, drag) - EffectiveWeight(balance.climbAngle)
                                  : lift - EffectiveWeight(0.0);
    return balance;
  }

  double mass() const { return mass_; }

 private:
  vantor::VesselRecord& vessel_;
  Condition condition_;
  double mass_ = 0.0;
  double gravity_ = 0.0;
};

// The angle where the residual crosses zero between low and high, by bisection.
template <typename Evaluate>
Balance FindAngle(double low, double high, Evaluate evaluate) {
  Balance lowBalance = evaluate(low);
  Balance highBalance = evaluate(high);
  // No crossing: the end nearer to balance says why (too slow at the top, too fast below).
  if ((lowBalance.residual < 0.0) == (highBalance.residual < 0.0)) {
    return lowBalance.residual < 0.0 ? highBalance : lowBalance;
  }
  for (int i = 0; i < kBisections && high - low > 1e-12; ++i) {
    const double middle = 0.5 * (low + high);
    const Balance balance = evaluate(middle);
    if ((balance.residual < 0.0) == (lowBalance.residual < 0.0)) {
      low = middle;
      lowBalance = balance;
    } else {
      high = middle;
      highBalance = balance;
    }
  }
  return std::abs(lowBalance.residual) < std::abs(highBalance.residual) ? lowBalance : highBalance;
}

std::string Format(const char* format, double a, double b = 0.0, double c = 0.0) {
  char text[400];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

void PrepareAirframe(vantor::VesselRecord& vessel, const Condition& condition) {
  for (const auto& propellant : vessel.propellants) {
    propellant->mass = std::clamp(condition.fuelFraction, 0.0, 1.0) * propellant->maxMass;
  }
  for (double& level : vessel.controlLevels) {
    level = 0.0;
  }
  vessel.controlLevels[AIRCTRL_FLAP] = -std::clamp(condition.flaps, 0.0, 1.0);
}

}  // namespace

const char* EngineName(Engine engine) {
  switch (engine) {
    case Engine::Main:
      return "main engine";
    case Engine::Afterburner:
      return "afterburner";
    default:
      return "none";
  }
}

TrimSolver::TrimSolver(vantor::VesselRecord& vessel) : vessel_(vessel) {
  Condition probe;
  PrepareAirframe(vessel_, probe);
  Problem problem(vessel_, probe);
  const Engines engines = problem.MeasureEngines();
  hasEngine_ = engines.main.present || engines.burner.present;

  stallAoa_ = kScanTo;
  lowestAoa_ = kScanFrom;
  if (const vantor::AirfoilRecord* wing = Wing(vessel_)) {
    double highest = -1e300;
    double lowest = 1e300;
    for (double aoa = kScanFrom; aoa <= kScanTo; aoa += kScanStep) {
      double cl = 0.0;
      double cm = 0.0;
      double cd = 0.0;
      wing->coefficients(aoa, 0.3, 1e7, &cl, &cm, &cd);
      if (cl > highest) {
        highest = cl;
        stallAoa_ = aoa;
      }
      if (aoa < 0.0 && cl < lowest) {
        lowest = cl;
        lowestAoa_ = aoa;
      }
    }
  }
}

Trim TrimSolver::Solve(const Condition& condition) {
  PrepareAirframe(vessel_, condition);
  Problem problem(vessel_, condition);
  Trim trim;
  if (!(condition.airspeed > 0.0)) {
    trim.why = "the airspeed must be above 0";
    return trim;
  }
  const Engines engines = problem.MeasureEngines();
  trim.glide = !engines.main.present && !engines.burner.present;
  const EngineUnit& first = engines.main.present ? engines.main : engines.burner;
  const auto level = [&](const EngineUnit& engine) {
    return [&problem, &engine](double aoa) { return problem.Level(aoa, engine); };
  };
  const auto glide = [&problem](double aoa) { return problem.Glide(aoa); };

  const auto solve = [&](const EngineUnit& engine) {
    return trim.glide ? FindAngle(lowestAoa_, stallAoa_, glide)
                      : FindAngle(lowestAoa_, stallAoa_, level(engine));
  };
  Balance balance = solve(first);
  trim.mass = problem.mass();
  const double weight = problem.EffectiveWeight(balance.climbAngle);
  if (balance.residual < -1e-6 * weight && balance.aoa >= stallAoa_ - 1e-9) {
    trim.why = Format(
        "too slow: at the lift table's highest lift (angle of attack %.1f deg) the aircraft "
        "lifts %.0f N of the %.0f N it weighs",
        stallAoa_ / kDegree, weight + balance.residual, weight);
  } else if (balance.residual > 1e-6 * weight) {
    trim.why = Format(
        "too fast: even at angle of attack %.1f deg, the table's lowest lift, the aircraft "
        "lifts %.0f N more than the %.0f N it weighs",
        lowestAoa_ / kDegree, balance.residual, weight);
  }

  Engine engine = trim.glide             ? Engine::None
                  : engines.main.present ? Engine::Main
                                         : Engine::Afterburner;
  const EngineUnit* unit = engines.main.present ? &engines.main : &engines.burner;
  // What level flight needs whatever engine gives it; the throttle below may differ from it
  // where no level of either engine gives exactly that.
  double required = balance.throttle * unit->fullThrust;
  if (!trim.glide && trim.why.empty() && balance.throttle > unit->cap && engines.burner.present &&
      unit == &engines.main) {
    balance = solve(engines.burner);
    engine = Engine::Afterburner;
    unit = &engines.burner;
    required = balance.throttle * unit->fullThrust;
    if (balance.throttle < kHandOverLevel) {
      // Between the two: the main engine at its highest level is short of what is needed, the
      // afterburner at its lowest gives more.
      balance.throttle = std::nextafter(kHandOverLevel, 1.0);
      trim.betweenEngines = true;
      trim.why = Format(
          "between the engines: level flight needs %.0f N, the main engine gives "
          "at most %.0f N and the afterburner at least %.0f N, so no throttle "
          "holds this speed steadily",
          required, engines.main.cap * engines.main.fullThrust,
          kHandOverLevel * engines.burner.fullThrust);
    }
  }

  trim.aoa = balance.aoa;
  trim.climbAngle = balance.climbAngle;
  trim.pitch = balance.aoa + balance.climbAngle;
  trim.elevator = balance.elevator;
  trim.throttle = trim.glide ? 0.0 : balance.throttle;
  trim.engine = engine;
  trim.lift = Dot(balance.aero.force, LiftDirection(balance.aoa));
  trim.drag = -Dot(balance.aero.force, Motion(balance.aoa));
  trim.sinkRate = -condition.airspeed * std::sin(balance.climbAngle);
  if (!trim.glide) {
    trim.thrustRequired = required;
    trim.thrustAvailable =
        std::max(engines.main.present ? engines.main.cap * engines.main.fullThrust : 0.0,
                 engines.burner.fullThrust);
  }
  if (trim.why.empty() && std::abs(trim.elevator) > 1.0) {
    trim.why = Format(
        "the elevator is at its limit: trim needs a level of %.2f, the elevator "
        "gives at most 1 either way",
        trim.elevator);
  }
  if (trim.why.empty() && trim.throttle < 0.0) {
    trim.why = Format(
        "even at idle the aircraft accelerates: it would need %.0f N of reverse "
        "thrust to fly level at this speed",
        -trim.throttle * unit->fullThrust);
  }
  if (trim.why.empty() && trim.throttle > 1.0) {
    trim.why = Format("not enough thrust: level flight needs %.0f N, the engine gives %.0f N here",
                      trim.thrustRequired, trim.thrustAvailable);
  }
  trim.found = trim.why.empty();

  Apply(condition, trim);
  trim.mach = vessel_.state.mach;
  for (const auto& thruster : vessel_.thrusters) {
    if (thruster->isp > 0.0 && thruster->level > 0.0 && thruster->propellant != nullptr &&
        thruster->propellant->mass > 0.0) {
      trim.fuelFlow += std::clamp(thruster->level, 0.0, 1.0) * thruster->max0 / thruster->isp;
    }
  }
  return trim;
}

void TrimSolver::Apply(const Condition& condition, const Trim& trim) {
  PrepareAirframe(vessel_, condition);
  vantor::sim::SteadyFlight flight;
  flight.altitude = condition.altitude;
  flight.airspeed = condition.airspeed;
  flight.climbAngle = trim.climbAngle;
  flight.aoa = trim.aoa;
  vantor::sim::PlaceInSteadyFlight(vessel_, flight);
  SetThrottle(vessel_, std::clamp(trim.throttle, 0.0, 1.0));
  vessel_.controlLevels[AIRCTRL_ELEVATOR] = std::clamp(trim.elevator, -1.0, 1.0);
}

double TrimSolver::PitchMoment(const Condition& condition, double aoa, double elevator) {
  PrepareAirframe(vessel_, condition);
  SetThrottle(vessel_, 0.0);
  Problem problem(vessel_, condition);
  problem.Place(aoa, 0.0);
  return problem.Observe(elevator).pitch;
}

double TrimSolver::StallSpeed(const Condition& condition) {
  // The lift across the motion at the stall angle grows with the speed: bisect on it.
  const auto excess = [&](double speed) {
    Condition at = condition;
    at.airspeed = speed;
    PrepareAirframe(vessel_, at);
    Problem problem(vessel_, at);
    const Engines engines = problem.MeasureEngines();
    const EngineUnit& unit = engines.main.present ? engines.main : engines.burner;
    return problem.Level(stallAoa_, unit).residual;
  };
  double low = 1.0;
  double high = 2000.0;
  if (excess(high) < 0.0) {
    return 0.0;
  }
  for (int i = 0; i < 50 && high - low > 1e-3; ++i) {
    const double middle = 0.5 * (low + high);
    (excess(middle) < 0.0 ? low : high) = middle;
  }
  return high;
}

Performance TrimSolver::PerformanceAt(const Condition& condition) {
  Performance performance;
  performance.stallSpeed = StallSpeed(condition);
  if (performance.stallSpeed <= 0.0) {
    return performance;
  }
  constexpr double kSpeedStep = 2.0;
  double lastLevel = 0.0;
  double firstShort = 0.0;
  for (double speed = performance.stallSpeed * kSweepAboveStall; speed <= kHighestSweepSpeed;
       speed += kSpeedStep) {
    Condition at = condition;
    at.airspeed = speed;
    const Trim trim = Solve(at);
    const bool balanced = std::abs(trim.elevator) <= 1.0 && trim.aoa > lowestAoa_;
    if (balanced && trim.LiftToDrag() > performance.bestLiftToDrag) {
      performance.bestLiftToDrag = trim.LiftToDrag();
      performance.bestGlideSpeed = speed;
    }
    if (trim.aoa <= lowestAoa_ + 1e-9) {
      break;  // beyond the lift table's lowest lift: faster is no better
    }
    if (trim.glide) {
      continue;
    }
    if (trim.LevelPossible()) {
      lastLevel = speed;
      const double excess = (trim.thrustAvailable - trim.thrustRequired) * std::cos(trim.aoa) *
                            speed / (trim.mass * 9.80665);
      if (excess > performance.bestClimbRate) {
        performance.bestClimbRate = excess;
        performance.bestClimbSpeed = speed;
      }
    } else if (lastLevel > 0.0) {
      firstShort = speed;
      break;
    }
  }
  if (lastLevel > 0.0 && firstShort > 0.0) {
    for (int i = 0; i < 30 && firstShort - lastLevel > 1e-3; ++i) {
      Condition at = condition;
      at.airspeed = 0.5 * (lastLevel + firstShort);
      (Solve(at).LevelPossible() ? lastLevel : firstShort) = at.airspeed;
    }
  }
  performance.maxLevelSpeed = lastLevel;
  return performance;
}

}  // namespace authoring
