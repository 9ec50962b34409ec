#include "ScenarioLoadStatus.h"

#include "HostState.h"

#include <cmath>
#include <numbers>

namespace vantor {
namespace {

double Degrees(double radians) {
  return radians * 180.0 / std::numbers::pi;
}

bool IsFinite(const VECTOR3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool IsFinite(const FlightState& state) {
  for (const auto& row : state.rotation) {
    for (double value : row) {
      if (!std::isfinite(value)) {
        return false;
      }
    }
  }
  const double observables[] = {state.longitude, state.latitude, state.radius, state.altitude,
                                state.heading,   state.pitch,    state.bank,   state.airspeed,
                                state.mach,      state.aoa,      state.slip};
  for (double value : observables) {
    if (!std::isfinite(value)) {
      return false;
    }
  }
  return IsFinite(state.position) && IsFinite(state.velocity) && IsFinite(state.angularVelocity) &&
         IsFinite(state.horizonAirspeed);
}

}  // namespace

ScenarioLoadStatus::ScenarioLoadStatus(VesselRecord& vessel) : vessel(&vessel) {
  const FlightState& state = vessel.state;
  placement.longitudeDeg = Degrees(state.longitude);
  placement.latitudeDeg = Degrees(state.latitude);
  placement.altitude = state.altitude;
  placement.headingDeg = Degrees(state.heading);
  placement.pitchDeg = Degrees(state.pitch);
  placement.bankDeg = Degrees(state.bank);
  placement.airspeed = state.airspeed;
  placement.landed = state.groundContact;
}

void FinishScenarioLoad(ScenarioLoadStatus& status) {
  const auto place = Host().simulation.placeVessel;
  if (status.placementGiven && status.vessel != nullptr && place != nullptr) {
    const FlightState before = status.vessel->state;
    place(*status.vessel, status.placement);
    // Figures so extreme that the kinematics overflow (an altitude and a speed near the
    // largest double) place nothing: the vessel stays where it was.
    if (!IsFinite(status.vessel->state)) {
      status.vessel->state = before;
    }
  }
}

}  // namespace vantor
