// Bad aircraft files: class set-up reads what it can, keeps defaults for the rest, and never
// writes past a record or hands the host a value that is not a number.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "BadInputFixture.h"

namespace {

using AircraftFile = BadInputTest;

const std::string kLong(100000, 'x');

TEST_F(AircraftFile, MissingEmptyAndBinaryFilesGiveABareVessel) {
  std::mt19937 random(11);
  std::string binary(32 * 1024, '\0');
  for (char& c : binary) {
    c = static_cast<char>(random() & 0xFF);
  }
  for (const char* name : {"Missing", "Empty", "Binary"}) {
    SCOPED_TRACE(name);
    Aircraft& aircraft = std::strcmp(name, "Missing") == 0 ? SetUpWithoutWriting(name)
                         : std::strcmp(name, "Empty") == 0 ? SetUp(name, "")
                                                           : SetUp(name, binary);
    EXPECT_STREQ(aircraft.vessel.meshName, "");
    EXPECT_EQ(aircraft.vessel.vesselSize, 0.0);
    EXPECT_EQ(aircraft.animations.sequenceCount, 0);
    EXPECT_EQ(aircraft.animations.componentCount, 0);
    EXPECT_EQ(aircraft.payloads.payloadCount, 0);
    EXPECT_EQ(aircraft.vessel.dockCount, 0);
    EXPECT_GE(aircraft.profileSlot, 0);
    EXPECT_EQ(RecordOf(aircraft).emptyMass, 0.0);
  }
}

TEST_F(AircraftFile, AHundredThousandCharacterLineIsCutAndTheNextKeysStillRead) {
  Aircraft& aircraft = SetUp("Long", "[CONFIG]\nMESHNAME=" + kLong + "\n" + kLong + "\nSIZE=6\n");
  EXPECT_EQ(std::string(aircraft.vessel.meshName), std::string(kMeshNameSize - 1, 'x'));
  EXPECT_EQ(aircraft.vessel.vesselSize, 6.0);
}

TEST_F(AircraftFile, OverlongTextsAreCutToTheirBuffers) {
  const std::string text = "[CONFIG]\nMESHNAME=" + kLong +
                           "\n[AIRCRAFT]\nEXHAUST_TEXTURE=" + kLong +
                           "\n[PAYLOAD_0]\nMASS=100\nMESHNAME=" + kLong + "\nNAME=" + kLong +
                           "\nMODULE=" + kLong + "\n[ANIM_SEQ_0]\nKEY=G\nNAME=" + kLong + "\n";
  Aircraft& aircraft = SetUp("Texts", text);
  EXPECT_EQ(std::strlen(aircraft.vessel.meshName), std::size_t{kMeshNameSize - 1});
  EXPECT_EQ(std::strlen(aircraft.vessel.textureName), std::size_t{kTextureNameSize - 1});
  ASSERT_EQ(aircraft.payloads.payloadCount, 1);
  const Payload& payload = aircraft.payloads.payloads[0];
  EXPECT_EQ(std::strlen(payload.meshName), std::size_t{kPayloadTextSize - 1});
  EXPECT_EQ(std::strlen(payload.name), std::size_t{kPayloadTextSize - 1});
  EXPECT_EQ(std::strlen(payload.module), std::size_t{kPayloadTextSize - 1});
  ASSERT_EQ(aircraft.animations.sequenceCount, 1);
  EXPECT_EQ(std::strlen(aircraft.animations.sequences[0].name), std::size_t{kSequenceNameSize - 1});
}

TEST_F(AircraftFile, NumbersThatAreNoFiniteNumbersReadAsZero) {
  // nan and inf are no decimal numbers; 1e400 lies beyond a double. -0 stays -0.
  Aircraft& aircraft = SetUp("Numbers",
                             "[CONFIG]\nSIZE=nan\nEMPTY_MASS=inf\nFUEL_MASS=1e400\nCOG=-0\n"
                             "CROSS_SECTION=(nan,-inf,1e400)\nMAIN_THRUST=-1e400\n");
  EXPECT_EQ(aircraft.vessel.vesselSize, 0.0);
  EXPECT_EQ(aircraft.vessel.emptyMass, 0.0);
  EXPECT_EQ(aircraft.vessel.fuelMass, 0.0);
  EXPECT_EQ(aircraft.vessel.cogElevation, 0.0);
  EXPECT_TRUE(std::signbit(aircraft.vessel.cogElevation));
  EXPECT_EQ(aircraft.vessel.crossSections.x, 0.0);
  EXPECT_EQ(aircraft.vessel.crossSections.y, 0.0);
  EXPECT_EQ(aircraft.vessel.crossSections.z, 0.0);
  EXPECT_EQ(aircraft.vessel.mainThrust, 0.0);
  EXPECT_EQ(RecordOf(aircraft).size, 0.0);
}

TEST_F(AircraftFile, ListsLongerThanTheirCapacityKeepTheFirstEntries) {
  std::string text;
  for (int i = 0; i < 12; ++i) {
    const std::string n = std::to_string(i);
    text += "[ANIM_SEQ_" + n + "]\nKEY=*\n[PAYLOAD_" + n + "]\nMASS=10\n[DOCK_" + n +
            "]\nDIR=(0,0,1)\n[EX_MAIN_" + n + "]\nLENGTH=1\n";
  }
  for (int i = 0; i < 25; ++i) {
    text += "[ANIM_COMP_" + std::to_string(i) + "]\nGROUPS=(1,2,3,4,5,6,7,8,9,10,11,12)\n";
  }
  text += "[VLIFT]\n";
  for (int i = 0; i < 25; ++i) {
    text += "PT" + std::to_string(i) + "=(" + std::to_string(i) + ",0.1,0)\n";
  }
  Aircraft& aircraft = SetUp("Lists", text);
  EXPECT_EQ(aircraft.animations.sequenceCount, kMaxSequences);
  EXPECT_EQ(aircraft.payloads.payloadCount, kMaxPayloads);
  EXPECT_EQ(aircraft.vessel.dockCount, kMaxDocks);
  EXPECT_EQ(aircraft.animations.componentCount, kMaxComponents);
  EXPECT_EQ(aircraft.animations.components[0].groupCount, kMaxComponentGroups);
  ASSERT_GE(aircraft.profileSlot, 0);
  EXPECT_EQ(aeroProfiles[aircraft.profileSlot].vertical.count, kMaxLiftPoints);
  EXPECT_EQ(RecordOf(aircraft).exhausts.size(), std::size_t{kMaxExhaustFlames});
}

TEST_F(AircraftFile, NegativeAndHugeIndexesNameNothing) {
  Aircraft& aircraft = SetUp("Indexes",
                             "[ANIM_SEQ_0]\nKEY=G\n"
                             "[ANIM_COMP_0]\nGROUPS=(-1,4294967296,99999999999)\nSEQ=-5\n"
                             "[ANIM_COMP_1]\nGROUPS=(1)\nSEQ=99999999999\n"
                             "[ANIM_COMP_2]\nGROUPS=(1)\nSEQ=1\n"
                             "[ELEVATOR]\nSEQ=-1\n[RUDDER]\nSEQ=10\n[STEERING]\nSEQ=4294967296\n"
                             "[AILERON]\nLSEQ=1\nRSEQ=-2147483648\n[FLAPS]\nSEQ=2147483647\n");
  ASSERT_EQ(aircraft.animations.componentCount, 3);
  // List entries wrap like the platform's integers; the host gets them as group numbers.
  EXPECT_EQ(aircraft.animations.components[0].groupCount, 3);
  EXPECT_EQ(aircraft.animations.sequences[0].componentCount, 0);
  const ControlLinks& links = aircraft.animations.links;
  EXPECT_EQ(links.elevatorAnimation, NO_ANIMATION);
  EXPECT_EQ(links.rudderAnimation, NO_ANIMATION);
  // 4294967296 wraps to 0, as in the platform's reader: it names the first sequence.
  EXPECT_EQ(links.steeringAnimation, aircraft.animations.sequences[0].animation);
  EXPECT_EQ(links.leftAileronAnimation, NO_ANIMATION);
  EXPECT_EQ(links.rightAileronAnimation, NO_ANIMATION);
  EXPECT_EQ(links.flapsSequence, -1);
  // Only the sequence's own animation exists: no component was attached to anything.
  ASSERT_EQ(RecordOf(aircraft).animations.size(), std::size_t{1});
  EXPECT_TRUE(RecordOf(aircraft).animations[0].components.empty());
}

TEST_F(AircraftFile, SequenceStatesStayBetweenZeroAndOne) {
  Aircraft& aircraft = SetUp("States",
                             "[ANIM_SEQ_0]\nKEY=G\nINITIAL=5\n"
                             "[ANIM_SEQ_1]\nKEY=H\nINITIAL=-3\nINCREMENT=-2\n"
                             "[ANIM_SEQ_2]\nKEY=J\nINCREMENT=1e300\nDURATION=-4\n");
  ASSERT_EQ(aircraft.animations.sequenceCount, 3);
  EXPECT_EQ(aircraft.animations.sequences[0].state, 1.0);
  EXPECT_EQ(aircraft.animations.sequences[1].state, 0.0);
  EXPECT_EQ(RecordOf(aircraft).animations[0].initialState, 1.0);
  for (int i = 0; i < 3; ++i) {
    aircraft.ToggleSequence(i);
  }
  aircraft.StepAircraft(1.0);
  aircraft.StepAircraft(2.0);
  for (int i = 0; i < 3; ++i) {
    const AnimationSequence& sequence = aircraft.animations.sequences[i];
    EXPECT_GE(sequence.state, 0.0) << i;
    EXPECT_LE(sequence.state, 1.0) << i;
  }
}

// Found by fuzzing: figures near the largest double overflowed into infinities that reached the
// host (thrust limit, rotation angle, airfoil coefficients, steering force).
TEST_F(AircraftFile, ExtremeFiguresNeverHandTheHostAnInfinity) {
  Aircraft& aircraft = SetUp("Extreme",
                             "[CONFIG]\nEMPTY_MASS=1e308\nMAIN_THRUST=1e308\n"
                             "[AIRCRAFT]\nFLIGHT_MODEL=1\nEFFICIENCY=1e308\n"
                             "[ANIM_SEQ_0]\nKEY=G\n"
                             "[ANIM_COMP_0]\nGROUPS=(1)\nSEQ=0\nANGLE=1e300\n"
                             "[STEERING]\nFACTOR=1e308\n"
                             "[VLIFT]\nPT0=(-1e308,-1e308,1e308)\nPT1=(1e308,1e308,-1e308)\n");
  vantor::VesselRecord& record = RecordOf(aircraft);
  ASSERT_EQ(record.animationComponents.size(), std::size_t{1});
  const auto* rotate = static_cast<const MGROUP_ROTATE*>(record.animationComponents[0]->transform);
  EXPECT_EQ(rotate->angle, 0.0f);

  aircraft.StepAircraft(1.0);
  ASSERT_FALSE(record.thrusters.empty());
  EXPECT_EQ(record.thrusters[0]->max0, 1e308);  // the overflowing law left it as set up

  ASSERT_FALSE(record.airfoils.empty());
  vantor::testing::ClearLog();
  vantor::testing::EnableLog(true);
  for (double aoa : {-1.0, 0.0, 0.5}) {
    double cl = 1.0;
    double cm = 1.0;
    double cd = 1.0;
    record.airfoils[0]->coefficients(aoa, 0.5, 1e7, &cl, &cm, &cd);
    EXPECT_TRUE(std::isfinite(cl) && std::isfinite(cm) && std::isfinite(cd)) << aoa;
  }
  vantor::testing::EnableLog(false);
  // Nor does the host's drag model see the overflowed lift.
  EXPECT_EQ(vantor::testing::LogText().find("inf"), std::string::npos)
      << vantor::testing::LogText();

  vantor::testing::Placement placement;
  placement.airspeed = 20.0;
  placement.landed = true;
  vantor::testing::PlaceVessel(record, placement);
  aircraft.SetControlSurfaceLevel(AIRCTRL_RUDDER, 0.5);
  aircraft.StepAircraft(2.0);
  EXPECT_TRUE(record.addedForces.empty());
}

TEST_F(AircraftFile, AVesselNameTooLongForThePathReadsNoFile) {
  const std::string name(70, 'N');
  Aircraft& aircraft = SetUp(name, "[CONFIG]\nSIZE=6\n");
  EXPECT_STREQ(aircraft.vessel.configPath, "");
  EXPECT_EQ(aircraft.vessel.vesselSize, 0.0);
  EXPECT_GE(aircraft.profileSlot, 0);
}

TEST_F(AircraftFile, ATenthVesselNameGetsNoProfileSlotAndNoAirfoils) {
  const std::string text = "[VLIFT]\nPT0=(-10,-1,0)\nPT1=(10,1,0)\n";
  for (int i = 0; i < kProfileSlotCount; ++i) {
    Aircraft& aircraft = SetUp("Slot" + std::to_string(i), text);
    EXPECT_EQ(aircraft.profileSlot, i);
  }
  Aircraft& tenth = SetUp("Slot9", text);
  EXPECT_EQ(tenth.profileSlot, -1);
  EXPECT_TRUE(RecordOf(tenth).airfoils.empty());
  // The rest of the vessel is set up, and it flies its frames without a slot.
  EXPECT_FALSE(RecordOf(tenth).controlSurfaces.empty());
  tenth.StepAircraft(1.0);
  // A name that already has a slot keeps it.
  EXPECT_EQ(FindProfileSlot("Slot3"), 3);
}

}  // namespace

namespace {

// Found by fuzzing: an offset near the limit of a double put the released vessel at infinity.
TEST_F(AircraftFile, APayloadWithNoFinitePlaceToStartFromStaysAboard) {
  Aircraft& aircraft = SetUp("Far", R"([PAYLOAD_0]
MASS=100
OFF=(1.7e308,1.7e308,1.7e308)
NAME=FarTank
MODULE=DropTank
MESHNAME=Tank
)");
  vantor::testing::PlaceVessel(RecordOf(aircraft), {10.0, 45.0, 2000.0, 0.0, 0.0, 0.0, 150.0});
  aircraft.ReleasePayload();
  EXPECT_EQ(aircraft.payloads.currentPayload, 0);
  EXPECT_EQ(vantor::testing::FindVessel("FarTank"), nullptr);
  EXPECT_EQ(vantor::testing::StatusLine(), "Payload release failed: FarTank");
  EXPECT_EQ(RecordOf(aircraft).meshes.size(), 2u);
}

}  // namespace
