// Ground settings given to the host and the nose-wheel steering force.
#include "config/ProfileReaders.h"
#include "unit/flight/FlightFixture.h"

namespace {

class GroundHandlingTest : public FlightFixture {
 protected:
  // An aircraft of 10000 kg rolling at the given ground speed with the rudder at the level.
  Aircraft& Rolling(const char* text, double speed, double rudder) {
    Aircraft& plane = Build("G1", text);
    vantor::VesselRecord& rec = RecordOf(plane);
    rec.emptyMass = 10000;
    rec.propellants.clear();
    rec.state.groundContact = true;
    rec.state.horizonAirspeed = VECTOR3{0.6 * speed, 3.0, 0.8 * speed};  // climb rate left out
    rec.controlLevels[AIRCTRL_RUDDER] = rudder;
    plane.animations.links.steeringAnimation = plane.CreateAnimation(0.5);
    return plane;
  }
  static double SteeringState(Aircraft& plane) {
    return RecordOf(plane).animations[plane.animations.links.steeringAnimation].state;
  }
};

TEST_F(GroundHandlingTest, SteeringForcePeaksAtHalfTheSteeringSpeed) {
  Aircraft& plane = Rolling(nullptr, 50, 1.0);
  plane.SteerOnGround();
  const vantor::VesselRecord& rec = RecordOf(plane);
  ASSERT_EQ(rec.addedForces.size(), 1u);
  EXPECT_NEAR(rec.addedForces[0].force.x, 250000, 1e-6);
  EXPECT_EQ(rec.addedForces[0].force.y, 0.0);
  EXPECT_EQ(rec.addedForces[0].force.z, 0.0);
  EXPECT_EQ(rec.addedForces[0].point.z, 12.0);
  EXPECT_EQ(vantor::testing::StatusLine(), "250000.0000, 0.0000, 50.0000, 0.5000");
  EXPECT_EQ(SteeringState(plane), 1.0);
}

TEST_F(GroundHandlingTest, BeyondTheSteeringSpeedTheForceIsZeroButStillApplied) {
  Aircraft& plane = Rolling(nullptr, 150, 1.0);
  plane.SteerOnGround();
  ASSERT_EQ(RecordOf(plane).addedForces.size(), 1u);
  EXPECT_EQ(RecordOf(plane).addedForces[0].force.x, 0.0);
  EXPECT_EQ(vantor::testing::StatusLine(), "0.0000, 0.0000, 150.0000, 0.0000");
}

TEST_F(GroundHandlingTest, NegativeRudderTurnsTheWheelAndPushesTheOtherWay) {
  Aircraft& plane = Rolling("[STEERING]\nFACTOR=2\nSPEED=80\n", 20, -0.5);
  plane.SteerOnGround();
  EXPECT_EQ(SteeringState(plane), 0.25);
  ASSERT_EQ(RecordOf(plane).addedForces.size(), 1u);
  EXPECT_NEAR(RecordOf(plane).addedForces[0].force.x, 10000 * 2 * -0.5 * (0.75 * 20), 1e-6);
}

TEST_F(GroundHandlingTest, StandstillOrNoSteeringSpeedTurnsTheWheelOnly) {
  Aircraft& still = Rolling(nullptr, 0, 0.6);
  still.SteerOnGround();
  EXPECT_TRUE(RecordOf(still).addedForces.empty());
  EXPECT_EQ(vantor::testing::StatusLine(), "");
  EXPECT_DOUBLE_EQ(SteeringState(still), 0.8);

  Aircraft& unset = Rolling("[STEERING]\nSPEED=0\n", 30, 0.6);
  unset.SteerOnGround();
  EXPECT_TRUE(RecordOf(unset).addedForces.empty());
  EXPECT_DOUBLE_EQ(SteeringState(unset), 0.8);
}

TEST_F(GroundHandlingTest, TheFrameSteersOnlyOnTheGroundWithRudder) {
  Aircraft& plane = Rolling(nullptr, 50, 0.0);
  plane.StepAircraft(1.0);
  EXPECT_TRUE(RecordOf(plane).addedForces.empty());
  EXPECT_EQ(SteeringState(plane), 0.5);
  RecordOf(plane).controlLevels[AIRCTRL_RUDDER] = 1.0;
  plane.StepAircraft(2.0);
  EXPECT_EQ(RecordOf(plane).addedForces.size(), 1u);
}

TEST_F(GroundHandlingTest, SetUpDefaultsAndGivenValues) {
  Aircraft& bare = Build("G0", "[CONFIG]\nROT_DRAG=(1,2,3)\n");
  const vantor::VesselRecord& rec = RecordOf(bare);
  EXPECT_EQ(rec.rotDrag.x, 0.1);
  EXPECT_EQ(rec.rotDrag.y, 0.13);
  EXPECT_EQ(rec.rotDrag.z, 0.04);
  EXPECT_EQ(rec.frictionLongitudinal, 0.05);
  EXPECT_EQ(rec.frictionLateral, 0.8);
  EXPECT_EQ(rec.maxWheelbrakeForce, 50000.0);
  EXPECT_EQ(bare.ground.brakeKey, 0);
  EXPECT_EQ(bare.ground.steeringSpeed, 100.0);

  Aircraft& given = Build("G2", R"([AIRCRAFT]
ROTATIONAL_DRAG=(0.5,0.6,0.7)
[STEERING]
FRICTION=(0.1,2.5,9)
[BRAKES]
FACTOR=80000
KEY=B
)");
  const vantor::VesselRecord& set = RecordOf(given);
  EXPECT_EQ(set.rotDrag.z, 0.7);
  EXPECT_EQ(set.frictionLongitudinal, 0.1);
  EXPECT_EQ(set.frictionLateral, 2.5);
  EXPECT_EQ(set.maxWheelbrakeForce, 80000.0);
  EXPECT_EQ(given.ground.brakeKey, KeyCodeFromLetter("B"));
}

}  // namespace
