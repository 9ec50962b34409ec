// An aircraft file through class set-up, then a few frames in flight and on the ground with
// the autopilot on, every sequence moving and every payload released.
#include <cstddef>
#include <cstdint>

#include <vantor/testing/HostTesting.h>

#include "FuzzSupport.h"

namespace {

constexpr DWORD kKeyAutopilot = VKEY_1;
constexpr DWORD kKeyReleasePayload = VKEY_J;

void StepAndCheck(Aircraft& aircraft, double simt) {
  aircraft.StepAircraft(simt);
  fuzz::CheckInvariants(aircraft);
  fuzz::CheckWaypointIndex(aircraft);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::EnterRoot();
  fuzz::WriteFile("Config/Aircraft/F.ini", {reinterpret_cast<const char*>(data), size});
  auto aircraft = fuzz::SetUpAircraft("F");
  fuzz::CheckAirfoils(*aircraft);

  fuzz::PlaceAircraft(*aircraft, false);
  const char keyState[VKEY_STATE_SIZE] = {};
  aircraft->ConsumeBufferedKey(kKeyAutopilot, false, keyState);
  for (int i = 0; i < aircraft->GetSequenceCount(); ++i) {
    aircraft->ToggleSequence(i);
  }
  fuzz::CheckInvariants(*aircraft);
  for (int frame = 0; frame < 4; ++frame) {
    StepAndCheck(*aircraft, 10.0 + 0.7 * frame);
  }

  // Steering acts only on the ground with the rudder off centre.
  fuzz::PlaceAircraft(*aircraft, true);
  aircraft->SetControlSurfaceLevel(AIRCTRL_RUDDER, 0.6);
  StepAndCheck(*aircraft, 20.0);
  aircraft->SetThrusterGroupLevel(THGROUP_MAIN, 1.0);
  StepAndCheck(*aircraft, 20.5);

  for (int i = 0; i <= kMaxPayloads; ++i) {
    aircraft->ConsumeBufferedKey(kKeyReleasePayload, false, keyState);
    fuzz::CheckInvariants(*aircraft);
  }
  aircraft.reset();
  vantor::testing::ResetHost();
  return 0;
}
