// What the host keeps of a vessel and answers from it.
#include <gtest/gtest.h>

#include "support/HostFixture.h"
#include "vantor/Vantor.h"

namespace {

using vantor::testing::CreateVesselRecord;

class VesselRecordTest : public HostFixture {};

TEST_F(VesselRecordTest, KindOperationsActOnTheNewestGroupOfThatKind) {
  vantor::VesselRecord& record = CreateVesselRecord("T");
  VESSEL vessel(&record);
  THRUSTER_HANDLE th[3];
  for (auto& thruster : th) {
    thruster = vessel.CreateThruster({0, 0, 0}, {0, 0, 1}, 1000, nullptr, 3000);
  }
  THGROUP_HANDLE older = vessel.CreateThrusterGroup(&th[0], 1, THGROUP_MAIN);
  vessel.CreateThrusterGroup(&th[1], 1, THGROUP_HOVER);
  THGROUP_HANDLE newer = vessel.CreateThrusterGroup(&th[2], 1, THGROUP_MAIN);

  vessel.SetThrusterGroupLevel(THGROUP_MAIN, 0.7);
  EXPECT_EQ(th[2]->level, 0.7);
  EXPECT_EQ(th[0]->level, 0.0);
  EXPECT_EQ(th[1]->level, 0.0);
  EXPECT_EQ(vessel.GetThrusterGroupLevel(THGROUP_MAIN), 0.7);
  EXPECT_EQ(vessel.GetThrusterGroupLevel(newer), 0.7);
  EXPECT_EQ(vessel.GetThrusterGroupLevel(older), 0.0);
  EXPECT_EQ(vessel.GetThrusterGroupLevel(THGROUP_RETRO), 0.0);
  vessel.SetThrusterGroupLevel(THGROUP_RETRO, 1.0);  // no such group: nothing moves

  // A group's level is the mean of its thrusters; setting it sets them all, as given.
  THGROUP_HANDLE both = vessel.CreateThrusterGroup(th, 2, THGROUP_RETRO);
  vessel.SetThrusterLevel(th[0], 1.0);
  vessel.SetThrusterLevel(th[1], 0.5);
  EXPECT_EQ(vessel.GetThrusterGroupLevel(both), 0.75);
  vessel.SetThrusterGroupLevel(both, -0.5);
  EXPECT_EQ(th[0]->level, -0.5);
  EXPECT_EQ(th[1]->level, -0.5);
  EXPECT_EQ(vessel.GetThrusterHandleByIndex(2), th[2]);
  EXPECT_EQ(vessel.GetThrusterHandleByIndex(3), nullptr);
}

TEST_F(VesselRecordTest, HandlesOfAnotherVesselAreIgnored) {
  VESSEL first(&CreateVesselRecord("A"));
  VESSEL second(&CreateVesselRecord("B"));
  THRUSTER_HANDLE foreign = second.CreateThruster({0, 0, 0}, {0, 0, 1}, 5, nullptr, 1);
  first.SetThrusterLevel(foreign, 1.0);
  first.SetThrusterMax0(foreign, 99);
  EXPECT_EQ(foreign->level, 0.0);
  EXPECT_EQ(foreign->max0, 5.0);
  EXPECT_EQ(first.GetThrusterLevel(foreign), 0.0);
  THGROUP_HANDLE group = first.CreateThrusterGroup(&foreign, 1, THGROUP_MAIN);
  EXPECT_TRUE(group->thrusters.empty());
}

TEST_F(VesselRecordTest, MassIsEmptyMassPlusPropellantAndANegativeMassFillsTheTank) {
  vantor::VesselRecord& record = CreateVesselRecord("M");
  VESSEL vessel(&record);
  vessel.SetEmptyMass(5000);
  vessel.CreatePropellantResource(2000);
  vessel.CreatePropellantResource(300, 100);
  vessel.CreatePropellantResource(50, 80);  // more than fits: full
  EXPECT_EQ(vessel.GetMass(), 5000 + 2000 + 100 + 50);
}

TEST_F(VesselRecordTest, AnimationsMeshesAndLevelsAreKeptAsTheModuleSetThem) {
  vantor::VesselRecord& record = CreateVesselRecord("N");
  VESSEL vessel(&record);
  EXPECT_EQ(vessel.CreateAnimation(0.0), 0u);
  EXPECT_EQ(vessel.CreateAnimation(1.0), 1u);
  EXPECT_TRUE(vessel.SetAnimation(1, 0.25));
  EXPECT_FALSE(vessel.SetAnimation(2, 0.5));
  EXPECT_FALSE(vessel.SetAnimation(NO_ANIMATION, 0.5));
  EXPECT_EQ(record.animations[1].state, 0.25);
  EXPECT_EQ(record.animations[0].state, 0.0);
  EXPECT_EQ(vessel.AddAnimationComponent(7, 0, 1, nullptr), nullptr);

  const VECTOR3 offset{0, 1, 2};
  EXPECT_EQ(vessel.AddMesh("Body"), 0u);
  EXPECT_EQ(vessel.AddMesh("Pod", &offset), 1u);
  vessel.SetMeshVisibilityMode(1, MESHVIS_ALWAYS);
  EXPECT_EQ(record.meshes[1].visibility, MESHVIS_ALWAYS);
  EXPECT_TRUE(record.meshes[1].hasOffset);
  vessel.ClearMeshes();
  EXPECT_TRUE(record.meshes.empty());
  EXPECT_EQ(vessel.AddMesh("Body"), 0u);

  vessel.SetControlSurfaceLevel(AIRCTRL_FLAP, -0.4);
  vessel.SetControlSurfaceLevel(AIRCTRL_RUDDER, 3.0);
  vessel.SetControlSurfaceLevel(static_cast<AIRCTRL_TYPE>(9), 1.0);
  EXPECT_EQ(vessel.GetControlSurfaceLevel(AIRCTRL_FLAP), -0.4);
  EXPECT_EQ(vessel.GetControlSurfaceLevel(AIRCTRL_RUDDER), 3.0);
  EXPECT_EQ(vessel.GetControlSurfaceLevel(static_cast<AIRCTRL_TYPE>(9)), 0.0);

  vessel.SetWheelbrakeLevel(1.0, 1);
  EXPECT_EQ(vessel.GetWheelbrakeLevel(1), 1.0);
  EXPECT_EQ(vessel.GetWheelbrakeLevel(2), 0.0);
  EXPECT_EQ(vessel.GetWheelbrakeLevel(0), 0.5);
  vessel.SetWheelbrakeLevel(0.0, 0);
  EXPECT_EQ(vessel.GetWheelbrakeLevel(0), 0.0);
}

TEST_F(VesselRecordTest, StatusAndFrameConversionsUseTheVesselRotation) {
  vantor::VesselRecord& record = CreateVesselRecord("S");
  vantor::testing::PlaceVessel(record, {0, 0, 100, 90, 0, 0, 50, true});
  VESSEL vessel(&record);
  VESSELSTATUS status{};
  vessel.GetStatus(status);
  EXPECT_EQ(status.landed, 1);
  EXPECT_EQ(status.position.x, record.state.position.x);
  EXPECT_NEAR(status.velocity.z, 50, 1e-9);

  // Heading east at longitude 0: the nose (local +z) is global +z, the right wing global -y.
  VECTOR3 global{};
  vessel.GlobalRot({1, 0, 2}, global);
  EXPECT_NEAR(global.x, 0, 1e-9);
  EXPECT_NEAR(global.y, -1, 1e-9);
  EXPECT_NEAR(global.z, 2, 1e-9);
  VECTOR3 relative{};
  vessel.Local2Rel({0, 0, 10}, relative);
  EXPECT_NEAR(relative.x, record.state.position.x, 1e-6);
  EXPECT_NEAR(relative.z, 10, 1e-9);
}

}  // namespace
