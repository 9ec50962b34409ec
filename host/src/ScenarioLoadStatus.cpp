#include "ScenarioLoadStatus.h"

#include <numbers>

namespace vantor {
namespace {

double Degrees(double radians) {
  return radians * 180.0 / std::numbers::pi;
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
  if (status.placementGiven && status.vessel != nullptr) {
    testing::PlaceVessel(*status.vessel, status.placement);
  }
}

}  // namespace vantor
