#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "AnimationFixture.h"
#include "frame/StatusLine.h"

namespace {

using vantor::testing::FindVessel;

const char* const kThreePayloads =
    "[PAYLOAD_0]\nMASS=100\nOFF=(1,2,3)\nSPEED=(0.1,0.2,0.3)\nROT_SPEED=(0,0,-2)\n"
    "MESHNAME=Crate\nNAME=Box\nMODULE=Cargo\n"
    "[PAYLOAD_1]\nMASS=-5\nOFF=(0,-1,0)\nMESHNAME=Pod\n"
    "NAME=A payload name far longer than its buffer\n"
    "[PAYLOAD_2]\nMASS=1\n"
    "[PAYLOAD_3]\nMASS=0\nNAME=Never\n"
    "[PAYLOAD_4]\nMASS=1\nNAME=Behind\n";

class PayloadTest : public AnimationFixture {
 protected:
  std::string MeshNames() const {
    std::string names;
    for (const vantor::MeshRecord& mesh : record_->meshes) {
      names += mesh.name + ";";
    }
    return names;
  }
};

TEST_F(PayloadTest, ListEndsAtFirstMasslessPayloadAndFillsGaps) {
  Aircraft& a = Build(kThreePayloads);
  ASSERT_EQ(a.payloads.payloadCount, 3);
  EXPECT_EQ(a.payloads.currentPayload, 0);
  EXPECT_STREQ(a.payloads.payloads[1].name, "A payload name far longer than ");
  const Payload& bare = a.payloads.payloads[2];
  EXPECT_STREQ(bare.name, "X1-payload-2");
  EXPECT_STREQ(bare.meshName, "");
  EXPECT_STREQ(bare.module, "");
  EXPECT_EQ(bare.off.x, 0.0);
  EXPECT_EQ(bare.rotSpeed.z, 0.0);
}

TEST_F(PayloadTest, OnlyTenPayloadsAreRead) {
  std::string config;
  for (int n = 0; n < 12; ++n) {
    config += "[PAYLOAD_" + std::to_string(n) + "]\nMASS=1\nNAME=P" + std::to_string(n) + "\n";
  }
  Aircraft& a = Build(config);
  EXPECT_EQ(a.payloads.payloadCount, 10);
  EXPECT_EQ(record_->meshes.size(), 11u);
}

TEST_F(PayloadTest, GeneratedNamesFitAndDifferByAircraftAndIndex) {
  char name[kPayloadTextSize];
  MakeDefaultPayloadName(name, "ABCDEFGHIJKLMNOPQRST", 9);  // 20 characters: still fits
  EXPECT_STREQ(name, "ABCDEFGHIJKLMNOPQRST-payload-9");

  char first[kPayloadTextSize];
  char second[kPayloadTextSize];
  MakeDefaultPayloadName(first, "ABCDEFGHIJKLMNOPQRSTU", 0);
  MakeDefaultPayloadName(second, "ABCDEFGHIJKLMNOPQRSTV", 0);
  EXPECT_EQ(std::strlen(first), 31u);
  EXPECT_EQ(std::strncmp(first, "ABCDEFGHIJKL~", 13), 0);
  EXPECT_STREQ(first + 21, "-payload-0");
  EXPECT_STRNE(first, second);
  MakeDefaultPayloadName(second, "ABCDEFGHIJKLMNOPQRSTU", 1);
  EXPECT_STRNE(first, second);
}

TEST_F(PayloadTest, MainMeshComesFirstWithItsVisibility) {
  Aircraft& a = Build(kThreePayloads, "Delta", 1);
  EXPECT_EQ(MeshNames(), "Delta;Crate;Pod;;");
  EXPECT_FALSE(record_->meshes[0].hasOffset);
  EXPECT_EQ(record_->meshes[0].visibility, MESHVIS_ALWAYS);
  EXPECT_TRUE(record_->meshes[1].hasOffset);
  EXPECT_EQ(record_->meshes[1].offset.z, 3.0);
  EXPECT_EQ(record_->meshes[1].visibility, MESHVIS_EXTERNAL);
  for (int mode : {0, 2}) {
    a.vessel.visibleMode = mode;
    a.BuildMeshes();
    EXPECT_EQ(record_->meshes.size(), 4u);
    EXPECT_EQ(record_->meshes[0].visibility, MESHVIS_EXTERNAL);
  }
}

TEST_F(PayloadTest, ReleasedPayloadLeavesFromItsPlaceWithItsVelocity) {
  Aircraft& a = Build(kThreePayloads);
  vantor::FlightState& state = record_->state;
  state.position = {6.4e6, 1000.0, -50.0};
  state.velocity = {0.0, 100.0, 5.0};
  state.angularVelocity = {9.0, 9.0, 9.0};
  // Nose (z) along global x, right wing (x) along global -z.
  const double rotation[3][3] = {{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}};
  std::memcpy(state.rotation, rotation, sizeof rotation);

  a.ReleasePayload();
  const vantor::VesselRecord* box = FindVessel("Box");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->className, "Cargo");
  EXPECT_EQ(box->module, nullptr);  // no module of that name: a plain vessel
  // Position: aircraft + R * (1,2,3); velocity: aircraft + R * (0,0,-2); spin: SPEED.
  EXPECT_DOUBLE_EQ(box->state.position.x, 6.4e6 + 3.0);
  EXPECT_DOUBLE_EQ(box->state.position.y, 1002.0);
  EXPECT_DOUBLE_EQ(box->state.position.z, -51.0);
  EXPECT_DOUBLE_EQ(box->state.velocity.x, -2.0);
  EXPECT_DOUBLE_EQ(box->state.velocity.y, 100.0);
  EXPECT_DOUBLE_EQ(box->state.velocity.z, 5.0);
  EXPECT_EQ(box->state.angularVelocity.x, 0.1);
  EXPECT_EQ(box->state.angularVelocity.z, 0.3);
  EXPECT_EQ(box->state.rotation[2][0], -1.0);  // the aircraft's attitude
  EXPECT_EQ(a.payloads.currentPayload, 1);
  EXPECT_EQ(MeshNames(), "Main;Pod;;");

  a.ReleasePayload();
  a.ReleasePayload();
  EXPECT_NE(FindVessel("X1-payload-2"), nullptr);
  EXPECT_EQ(MeshNames(), "Main;");
  a.ReleasePayload();  // nothing left
  EXPECT_EQ(a.payloads.currentPayload, 3);
}

TEST_F(PayloadTest, FailedReleaseKeepsThePayloadAboard) {
  Aircraft& a = Build(kThreePayloads);
  vantor::testing::EnableLog(true);
  vantor::testing::ClearLog();
  vantor::testing::SetVesselCreationFails(true);
  a.ReleasePayload();
  EXPECT_EQ(a.payloads.currentPayload, 0);
  EXPECT_EQ(MeshNames(), "Main;Crate;Pod;;");
  EXPECT_EQ(vantor::testing::LogText().find("Mesh"), std::string::npos);
  EXPECT_EQ(vantor::testing::StatusLine(), "Payload release failed: Box");

  vantor::testing::SetVesselCreationFails(false);
  a.ReleasePayload();
  EXPECT_EQ(a.payloads.currentPayload, 1);

  // A name already taken fails the same way.
  vantor::testing::CreateVesselRecord(a.payloads.payloads[1].name);
  a.ReleasePayload();
  EXPECT_EQ(a.payloads.currentPayload, 1);
  EXPECT_EQ(MeshNames(), "Main;Pod;;");
  EXPECT_EQ(vantor::testing::StatusLine(),
            std::string("Payload release failed: ") + a.payloads.payloads[1].name);
}

TEST_F(PayloadTest, PayloadIndexFromOutsideTheListTouchesNothing) {
  Aircraft& a = Build(kThreePayloads);
  a.payloads.currentPayload = 7;
  a.BuildMeshes();
  EXPECT_EQ(MeshNames(), "Main;");
  a.ReleasePayload();
  a.payloads.currentPayload = -2;
  a.BuildMeshes();
  EXPECT_EQ(MeshNames(), "Main;Crate;Pod;;");
  a.ReleasePayload();
  EXPECT_EQ(FindVessel("Box"), nullptr);
  EXPECT_EQ(a.payloads.currentPayload, -2);
}

}  // namespace
