// The aircraft object as the host and other modules see it: its construction, the query
// interface's table and the fixed order of the per-frame driver.
#include <gmock/gmock.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "frame/Aircraft.h"
#include "support/TestRoot.h"
#include "unit/AircraftFixture.h"

// How another module sees the interface: nothing but a table of virtual operations in a fixed
// order. Calling through this view checks the slots, not just the names. It has external
// linkage so that the compiler cannot conclude that no class implements it.
class PeerView {
 public:
  virtual int Slot0(void*) = 0;
  virtual int Slot1(int, int) = 0;
  virtual void Slot2(int) = 0;
  virtual bool Slot3(const char*) = 0;
  virtual void Slot4(int, char*) = 0;
  virtual double Slot5(int) = 0;
  virtual double Slot6(const char*) = 0;
  virtual int Slot7() = 0;
  virtual double Slot8(int) = 0;
  virtual double Slot9() = 0;
  virtual double Slot10() = 0;
  virtual double Slot11() = 0;
  virtual int Slot12() = 0;
  virtual int Slot13() = 0;
  virtual int Slot14() = 0;
  virtual int Slot15() = 0;

 protected:
  ~PeerView() = default;
};

namespace {

namespace host = vantor::testing;
using ::testing::ElementsAre;

// A peer reaches the operations through its own declaration of the table, which is not a type
// the object has: exactly the cast the sanitizer's type check objects to, so it is off here.
__attribute__((no_sanitize("undefined"))) void CallEverySlotAsAPeerWould(
    AircraftInterface* interface) {
  PeerView* peer = reinterpret_cast<PeerView*>(interface);
  EXPECT_EQ(peer->Slot0(nullptr), 0);
  EXPECT_EQ(peer->Slot1(4, 5), 0);
  peer->Slot2(99);
  EXPECT_TRUE(peer->Slot3("123.5"));
  EXPECT_EQ(peer->Slot7(), 0);
  EXPECT_EQ(peer->Slot5(0), 0.0);
  EXPECT_EQ(peer->Slot8(0), 0.0);
  EXPECT_EQ(peer->Slot9(), 0.0);
  EXPECT_EQ(peer->Slot10(), 0.0);
  EXPECT_EQ(peer->Slot11(), 0.0);
  EXPECT_EQ(peer->Slot12(), 1);
  EXPECT_EQ(peer->Slot13(), 3);
  EXPECT_EQ(peer->Slot14(), 2);
  EXPECT_EQ(peer->Slot15(), 0);
}

class AircraftFrameTest : public AircraftFixture {
 protected:
  AircraftFrameTest() : AircraftFixture("F1") {}

  // The names of the host calls of one frame, in order.
  std::vector<std::string> CallsOfOneFrame(double simt) {
    host::ClearLog();
    host::EnableLog(true);
    aircraft_->StepAircraft(simt);
    host::EnableLog(false);
    std::vector<std::string> calls;
    std::istringstream lines(host::LogText());
    for (std::string line; std::getline(lines, line);) {
      calls.push_back(line.substr(0, line.find('(')));
    }
    return calls;
  }

  // The control-surface kinds the frame set, in order.
  std::vector<std::string> SurfacesSet(double simt) {
    host::ClearLog();
    host::EnableLog(true);
    aircraft_->StepAircraft(simt);
    host::EnableLog(false);
    std::vector<std::string> kinds;
    std::istringstream lines(host::LogText());
    for (std::string line; std::getline(lines, line);) {
      const std::string call = "SetControlSurfaceLevel(";
      if (line.rfind(call, 0) == 0) {
        kinds.push_back(line.substr(call.size(), line.find(',') - call.size()));
      }
    }
    return kinds;
  }

  TestRoot root_;
};

TEST_F(AircraftFrameTest, ConstructionSetsTheDefaultsAndFlightModelOne) {
  const Aircraft& a = *aircraft_;
  EXPECT_EQ(a.GetFlightModel(), 1);
  EXPECT_FALSE(a.autopilot.autopilotEngaged || a.autopilot.altitudeHoldOn ||
               a.autopilot.headingHoldOn || a.autopilot.bankHoldOn);
  EXPECT_EQ(a.autopilot.maxBank, 20.0);
  EXPECT_EQ(a.autopilot.pitchLimitUp, 30.0);
  EXPECT_EQ(a.autopilot.pitchLimitDown, 20.0);
  EXPECT_EQ(a.autopilot.climbDistance, 3000.0);
  EXPECT_EQ(a.autopilot.headingTarget, 180.0);
  EXPECT_EQ(a.autopilot.altitudeTarget, 10000.0);
  EXPECT_EQ(a.autopilot.bankTarget, 0.0);
  EXPECT_EQ(a.autopilot.elevatorCommand, 0.0);
  EXPECT_EQ(a.autopilot.aileronCommand, 0.0);
  EXPECT_EQ(a.flightPlan.count, 0);
  EXPECT_EQ(a.flightPlan.current, 0);
  EXPECT_STREQ(a.flightPlan.name, "");
}

TEST_F(AircraftFrameTest, TheInterfaceTableComesFirstWithItsSixteenSlotsInOrder) {
  Aircraft& a = *aircraft_;
  AircraftInterface* interface = &a;
  VESSEL* vessel = Aircraft::ToVessel(&a);
  // The table pointer begins the object; the host's part follows it.
  EXPECT_EQ(static_cast<void*>(interface), static_cast<void*>(&a));
  EXPECT_GT(reinterpret_cast<char*>(vessel), reinterpret_cast<char*>(interface));
  EXPECT_EQ(Aircraft::FromVessel(vessel), &a);

  CallEverySlotAsAPeerWould(interface);
  EXPECT_TRUE(a.interfaceFlag);
  EXPECT_EQ(a.autopilot.headingTarget, 123.5);
}

TEST_F(AircraftFrameTest, WithTheSwitchesOffAFrameOnlyManagesTheEngines) {
  root_.WriteAircraft("F1", "[CONFIG]\nMAIN_THRUST=10000\nISP=30000\nFUEL_MASS=100\n");
  aircraft_->SetClassCaps();
  record_->state.groundContact = false;
  const std::vector<std::string> calls = CallsOfOneFrame(1.0);
  for (const std::string& call : calls) {
    EXPECT_THAT(call, ::testing::Not(::testing::AnyOf("SetControlSurfaceLevel", "AddForce")));
  }
  EXPECT_THAT(calls, ::testing::Contains("GetThrusterGroupLevel"));
}

TEST_F(AircraftFrameTest, ChannelsRunInTheOrderAltitudeHeadingBank) {
  aircraft_->autopilot.altitudeHoldOn = true;
  aircraft_->autopilot.headingHoldOn = true;
  aircraft_->autopilot.bankHoldOn = true;
  host::PlaceVessel(*record_, {10.0, 45.0, 2000.0, 90.0, 0.0, 0.0, 150.0, false});
  EXPECT_THAT(SurfacesSet(1.0),
              ElementsAre("AIRCTRL_ELEVATOR", "AIRCTRL_RUDDER", "AIRCTRL_AILERON"));
  // The bank target that heading hold set this frame is the one bank hold flew.
  EXPECT_EQ(aircraft_->autopilot.bankTarget, -20.0);
  EXPECT_EQ(aircraft_->autopilot.aileronCommand, 1.0);

  aircraft_->autopilot.headingHoldOn = false;
  EXPECT_THAT(SurfacesSet(1.02), ElementsAre("AIRCTRL_ELEVATOR", "AIRCTRL_AILERON"));
}

TEST_F(AircraftFrameTest, GroundSteeringRunsOnlyOnTheGroundWithTheRudderDeflected) {
  host::PlaceVessel(*record_, {10.0, 45.0, 0.0, 0.0, 0.0, 0.0, 10.0, true});
  record_->state.groundContact = true;
  const auto steered = [&](double simt) {
    const std::vector<std::string> calls = CallsOfOneFrame(simt);
    return std::find(calls.begin(), calls.end(), "AddForce") != calls.end();
  };
  aircraft_->SetControlSurfaceLevel(AIRCTRL_RUDDER, 0.0);
  EXPECT_FALSE(steered(1.0));
  aircraft_->SetControlSurfaceLevel(AIRCTRL_RUDDER, 0.5);
  EXPECT_TRUE(steered(1.02));
  record_->state.groundContact = false;
  EXPECT_FALSE(steered(1.04));
}

}  // namespace
