// The airfoils' geometry and the control surfaces: one set of holders read section after
// section, so a missing key inherits the previous section's value.
#include "unit/flight/FlightFixture.h"

namespace {

void ExpectVector(const VECTOR3& v, double x, double y, double z) {
  EXPECT_DOUBLE_EQ(v.x, x);
  EXPECT_DOUBLE_EQ(v.y, y);
  EXPECT_DOUBLE_EQ(v.z, z);
}

class SurfacesTest : public FlightFixture {
 protected:
  // Runs the airfoil and control-surface stages alone, with the given animation links.
  vantor::VesselRecord& SetUpSurfaces(const char* text, const ControlLinks& links) {
    root.WriteAircraft("S1", text);
    vantor::VesselRecord& record = vantor::testing::CreateVesselRecord("S1");
    aircraft.push_back(std::make_unique<Aircraft>(&record));
    Aircraft& plane = *aircraft.back();
    plane.BuildConfigPath();
    plane.animations.links = links;
    SurfaceHolders holders;
    plane.SetupAirfoils(holders);
    plane.SetupControlSurfaces(holders);
    return record;
  }
};

TEST_F(SurfacesTest, FinAndSurfacesInheritMissingValues) {
  ControlLinks links;
  links.elevatorAnimation = 4;
  links.rudderAnimation = 5;
  links.leftAileronAnimation = 6;
  links.rightAileronAnimation = 7;
  links.flapsAnimation = 8;
  vantor::VesselRecord& rec = SetUpSurfaces(R"([WING]
OFFSET=(0,0.5,0.2)
AREA=30
CHORD=2.5
ASPECT_RATIO=7
[FIN]
OFFSET=(0,1.5,-6)
[ELEVATOR]
OFFSET=(0,0,-7)
AREA=3
LIFT=1.4
[RUDDER]
OFFSET=(0,2,-7.5)
LIFT=1.1
[AILERON]
AREA=1.5
LIFT=1.2
LEFT_OFFSET=(-5,0,-1)
[FLAPS]
OFFSET=(0,0,-0.5)
)",
                                            links);
  ASSERT_EQ(rec.airfoils.size(), 2u);
  const vantor::AirfoilRecord& wing = *rec.airfoils[0];
  const vantor::AirfoilRecord& fin = *rec.airfoils[1];
  EXPECT_EQ(wing.orientation, LIFT_VERTICAL);
  EXPECT_EQ(fin.orientation, LIFT_HORIZONTAL);
  ExpectVector(wing.ref, 0, 0.5, 0.2);
  // A FIN section with only OFFSET gets the wing's area, chord and aspect ratio.
  ExpectVector(fin.ref, 0, 1.5, -6);
  EXPECT_EQ(fin.area, 30.0);
  EXPECT_EQ(fin.chord, 2.5);
  EXPECT_EQ(fin.aspectRatio, 7.0);

  ASSERT_EQ(rec.controlSurfaces.size(), 6u);
  struct Expected {
    AIRCTRL_TYPE type;
    double area, lift;
    VECTOR3 ref;
    int axis;
    UINT animation;
  };
  const Expected expected[] = {
      {AIRCTRL_ELEVATOR, 3, 1.4, {0, 0, -7}, 3, 4},
      {AIRCTRL_ELEVATORTRIM, 3, 1.4, {0, 0, -7}, 3, NO_ANIMATION},
      {AIRCTRL_RUDDER, 3, 1.1, {0, 2, -7.5}, 1, 5},  // the elevator's area
      {AIRCTRL_AILERON, 1.5, 1.2, {-5, 0, -1}, 4, 6},
      {AIRCTRL_AILERON, 1.5, 1.2, {-5, 0, -1}, 3, 7},  // no RIGHT_OFFSET: at LEFT_OFFSET
      {AIRCTRL_FLAP, 1.5, 1.2, {0, 0, -0.5}, 3, 8},    // the aileron's area and lift
  };
  for (std::size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    const vantor::ControlSurfaceRecord& surface = *rec.controlSurfaces[i];
    EXPECT_EQ(surface.type, expected[i].type);
    EXPECT_EQ(surface.area, expected[i].area);
    EXPECT_EQ(surface.lift, expected[i].lift);
    ExpectVector(surface.ref, expected[i].ref.x, expected[i].ref.y, expected[i].ref.z);
    EXPECT_EQ(surface.axis, expected[i].axis);
    EXPECT_EQ(surface.animation, expected[i].animation);
  }
}

TEST_F(SurfacesTest, AnEmptyFileDeclaresEverythingAtZero) {
  vantor::VesselRecord& rec = SetUpSurfaces("", ControlLinks{});
  ASSERT_EQ(rec.airfoils.size(), 2u);
  EXPECT_EQ(rec.airfoils[0]->area, 0.0);
  ASSERT_EQ(rec.controlSurfaces.size(), 6u);
  for (const auto& surface : rec.controlSurfaces) {
    EXPECT_EQ(surface->lift, 0.0);
    EXPECT_EQ(surface->animation, NO_ANIMATION);
  }
}

TEST_F(SurfacesTest, ClassSetUpRunsTheFlightStagesInOrder) {
  root.WriteAircraft("S2", "[CONFIG]\nROT_DRAG=(1,2,3)\n");
  vantor::testing::EnableLog(true);
  Build("S2", nullptr);
  std::vector<std::string> ours;
  for (const std::string& call : LoggedCalls()) {
    if (call == "CreateAirfoil" || call == "CreateControlSurface" || call == "SetRotDrag" ||
        call == "SetSurfaceFrictionCoeff" || call == "SetMaxWheelbrakeForce") {
      ours.push_back(call);
    }
  }
  const std::vector<std::string> expected = {
      "SetRotDrag",           "CreateAirfoil",           "CreateAirfoil",
      "CreateControlSurface", "CreateControlSurface",    "CreateControlSurface",
      "CreateControlSurface", "CreateControlSurface",    "CreateControlSurface",
      "SetRotDrag",           "SetSurfaceFrictionCoeff", "SetMaxWheelbrakeForce"};
  EXPECT_EQ(ours, expected);
}

}  // namespace
