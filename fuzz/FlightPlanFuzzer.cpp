// A flight-plan file through LoadFlightPlan, then flight-plan steps with the autopilot engaged,
// from the first waypoint and from every other.
#include <cstddef>
#include <cstdint>

#include <vantor/testing/HostTesting.h>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::EnterRoot();
  fuzz::WriteFile("Config/Aircraft/FlightPlans/P.ini", {reinterpret_cast<const char*>(data), size});
  auto aircraft = fuzz::SetUpAircraft("Kestrel");
  fuzz::PlaceAircraft(*aircraft, false);
  fuzz::Require(aircraft->LoadFlightPlan("P"), "a plan with a short name loads");
  fuzz::CheckInvariants(*aircraft);
  fuzz::CheckWaypointIndex(*aircraft);

  const char keyState[VKEY_STATE_SIZE] = {};
  aircraft->ConsumeBufferedKey(VKEY_1, false, keyState);  // autopilot on
  const int count = aircraft->flightPlan.count;
  for (int waypoint = 0; waypoint <= count; ++waypoint) {
    aircraft->StepAircraft(5.0 + waypoint);
    fuzz::CheckInvariants(*aircraft);
    fuzz::CheckWaypointIndex(*aircraft);
    aircraft->ConsumeBufferedKey(VKEY_S, false, keyState);  // skip to the next waypoint
  }
  aircraft.reset();
  vantor::testing::ResetHost();
  return 0;
}
