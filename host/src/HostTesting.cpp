// The host's testing face.
#include "vantor/testing/HostTesting.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "CallLog.h"
#include "Geometry.h"
#include "HostState.h"
#include "ModuleLoader.h"
#include "physics/GroundContact.h"
#include "vantor/Vessel.h"

namespace vantor::testing {
namespace {

constexpr std::size_t kInputBufferSize = 256;

double Radians(double degrees) {
  const double radians = degrees * std::numbers::pi / 180.0;
  // Beyond about 5.7e307 degrees the product overflows; the quotient first still fits.
  return std::isfinite(radians) ? radians : degrees * (std::numbers::pi / 180.0);
}

}  // namespace

void ResetHost() {
  HandBackModuleVessels();
  HostState& host = Host();
  host.vessels.clear();
  host.focus = nullptr;
  std::memset(host.statusLine, 0, sizeof host.statusLine);
  host.inputBox = InputBox{};
  host.vesselCreationFails = false;
  log::Enable(false);
  log::Clear();
  log::ResetNames();
}

VesselRecord& CreateVesselRecord(const char* name, const char* className) {
  auto vessel = std::make_unique<VesselRecord>();
  vessel->name = name != nullptr ? name : "";
  vessel->className = className != nullptr ? className : "";
  Host().vessels.push_back(std::move(vessel));
  return *Host().vessels.back();
}

VesselRecord* FindVessel(const char* name) {
  return name != nullptr ? FindVesselByName(name) : nullptr;
}

VesselRecord& Record(const VESSEL& vessel) {
  return *vessel.GetHandle();
}

void PlaceVessel(VesselRecord& vessel, const Placement& placement) {
  PlaceKinematics(vessel.state, Radians(placement.longitudeDeg), Radians(placement.latitudeDeg),
                  placement.altitude, Radians(placement.headingDeg), Radians(placement.pitchDeg),
                  Radians(placement.bankDeg), placement.airspeed);
  // A landed vessel is never put with its gear in the ground (at altitude 0 everywhere), where
  // the gear would throw it into the air.
  if (placement.landed && placement.altitude < physics::RestingAltitude(vessel)) {
    PlaceKinematics(vessel.state, Radians(placement.longitudeDeg), Radians(placement.latitudeDeg),
                    physics::RestingAltitude(vessel), Radians(placement.headingDeg),
                    Radians(placement.pitchDeg), Radians(placement.bankDeg), placement.airspeed);
  }
  vessel.state.groundContact = placement.landed;
}

void RefreshObservables(VesselRecord& vessel) {
  DeriveObservables(vessel.state);
}

void SetFocus(VesselRecord* vessel) {
  Host().focus = vessel;
}

std::string StatusLine() {
  return StatusText();
}

void EnableLog(bool enabled) {
  log::Enable(enabled);
}

std::string LogText() {
  return log::Text();
}

void ClearLog() {
  log::Clear();
}

bool InputBoxOpen() {
  return Host().inputBox.open;
}

std::string InputBoxTitle() {
  return Host().inputBox.open ? Host().inputBox.title : "";
}

bool AnswerInputBox(const char* text) {
  InputBox box = Host().inputBox;
  if (!box.open || box.callback == nullptr) {
    return false;
  }
  // Closed before the call, so the callback may open the next box.
  Host().inputBox = InputBox{};
  // The callback gets a writable copy with room to spare, as a pilot's edit field would have.
  const std::string answer = text != nullptr ? text : "";
  std::vector<char> buffer(std::max<std::size_t>(answer.size() + 1, kInputBufferSize), '\0');
  std::copy(answer.begin(), answer.end(), buffer.begin());
  log::ModuleCallMark mark(log::Function{reinterpret_cast<std::uintptr_t>(box.callback)});
  return box.callback(&Host().inputBox, buffer.data(), box.context);
}

void CancelInputBox() {
  Host().inputBox = InputBox{};
}

void SetVesselCreationFails(bool fails) {
  Host().vesselCreationFails = fails;
}

}  // namespace vantor::testing
