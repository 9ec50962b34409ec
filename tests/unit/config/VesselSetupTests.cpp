// Class set-up stages 0, 1 and 4 to 9: what the host receives from a vessel's file, in order.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "frame/Aircraft.h"
#include "support/HostFixture.h"
#include "support/TestRoot.h"

namespace {

constexpr const char* kFullFile = R"([CONFIG]
MESHNAME=Kestrel
SIZE=6.5
EMPTY_MASS=7200
FUEL_MASS=2500
COG=1.6
CROSS_SECTION=(9.5,28,4.1)
ROT_DRAG=(0.8,0.9,0.3)
PITCH_MOMENT_SCALE=1e-4
BANK_MOMENT_SCALE=2e-4
PMI=(7.4,8.9,2.2)
TRIM=0.05
CAMERA=(0,1.1,3.4)
VISIBLE=1
LAND_PT1=(0,-1.6,3.9)
LAND_PT2=(-1.4,-1.6,-0.8)
LAND_PT3=(1.4,-1.6,-0.8)
ISP=25000
BURN_ISP=12000
MAIN_THRUST=40000
BURN_THRUST=65000
RETRO_THRUST=1
HOVER_THUST=2
ATTITUDE_THRUST=3
[AIRCRAFT]
EXHAUST_TEXTURE=JetFlame
BURNER_TEXTURE=BurnerFlame
[EX_MAIN_0]
LENGTH=2
WIDTH=0.4
OFF=(0,0,-4.6)
DIR=(0,0,1)
[EX_BURN_0]
LENGTH=5
WIDTH=0.5
OFF=(0,0,-4.7)
DIR=(0,0,1)
[EX_BURN_1]
LENGTH=3
[DOCK_0]
POS=(0.6,0.4,5.5)
DIR=(0,0,1)
ROT=(0,1,0)
)";

void ExpectVector(const VECTOR3& v, double x, double y, double z) {
  EXPECT_DOUBLE_EQ(v.x, x);
  EXPECT_DOUBLE_EQ(v.y, y);
  EXPECT_DOUBLE_EQ(v.z, z);
}

// The names of the logged host calls, in order, without the callback markers.
std::vector<std::string> LoggedCalls() {
  std::vector<std::string> names;
  std::istringstream log(vantor::testing::LogText());
  std::string line;
  while (std::getline(log, line)) {
    if (!line.empty() && line[0] != '>') {
      names.push_back(line.substr(0, line.find('(')));
    }
  }
  return names;
}

bool Logged(const std::string& name) {
  for (const std::string& call : LoggedCalls()) {
    if (call == name) {
      return true;
    }
  }
  return false;
}

class VesselSetupTest : public HostFixture {
 protected:
  // Builds vessel NAME from the file text (no file when text is null) and runs class set-up.
  vantor::VesselRecord& SetUpVessel(const char* text, const char* name = "X1") {
    if (text != nullptr) {
      root.WriteAircraft(name, text);
    }
    vantor::VesselRecord& record = vantor::testing::CreateVesselRecord(name);
    aircraft.push_back(std::make_unique<Aircraft>(&record));
    aircraft.back()->SetClassCaps();
    return record;
  }

  TestRoot root;
  std::vector<std::unique_ptr<Aircraft>> aircraft;
};

TEST_F(VesselSetupTest, FullFileReachesTheHost) {
  vantor::VesselRecord& rec = SetUpVessel(kFullFile);
  const VesselConfig& config = aircraft.back()->vessel;
  EXPECT_STREQ(config.configPath, "./Config/Aircraft/X1.ini");
  EXPECT_STREQ(config.meshName, "Kestrel");
  EXPECT_DOUBLE_EQ(rec.size, 6.5);
  EXPECT_DOUBLE_EQ(rec.emptyMass, 7200);
  EXPECT_DOUBLE_EQ(rec.cogElevation, 1.6);
  EXPECT_DOUBLE_EQ(rec.wingAspect, rec.cw[3]);
  EXPECT_GT(rec.cw[0], 0.0);
  EXPECT_GT(rec.wingEffectiveness, 0.0);
  ExpectVector(rec.crossSections, 9.5, 28, 4.1);
  ExpectVector(config.rotDrag, 0.8, 0.9, 0.3);
  EXPECT_DOUBLE_EQ(rec.pitchMomentScale, 1e-4);
  EXPECT_DOUBLE_EQ(rec.bankMomentScale, 2e-4);
  ExpectVector(rec.pmi, 7.4, 8.9, 2.2);
  EXPECT_DOUBLE_EQ(rec.trimScale, 0.05);
  ExpectVector(rec.cameraOffset, 0, 1.1, 3.4);
  ExpectVector(rec.touchdownPoints[0], 0, -1.6, 3.9);
  ExpectVector(rec.touchdownPoints[2], 1.4, -1.6, -0.8);

  ASSERT_EQ(rec.propellants.size(), 1u);
  EXPECT_DOUBLE_EQ(rec.propellants[0]->maxMass, 2500);
  ASSERT_EQ(rec.thrusters.size(), 2u);
  const vantor::ThrusterRecord& main = *rec.thrusters[0];
  const vantor::ThrusterRecord& burner = *rec.thrusters[1];
  ExpectVector(main.pos, 0, 0, -4.35);
  ExpectVector(main.dir, 0, 0, 1);
  EXPECT_DOUBLE_EQ(main.max0, 40000);
  EXPECT_DOUBLE_EQ(main.isp, 25000);
  EXPECT_DOUBLE_EQ(main.ispRef, 0.0);
  EXPECT_DOUBLE_EQ(main.pRef, 101400);
  EXPECT_EQ(main.propellant, rec.propellants[0].get());
  EXPECT_DOUBLE_EQ(burner.max0, 65000);
  EXPECT_DOUBLE_EQ(burner.isp, 12000);
  EXPECT_EQ(burner.propellant, rec.propellants[0].get());
  ASSERT_EQ(rec.thrusterGroups.size(), 1u);
  EXPECT_EQ(rec.thrusterGroups[0]->type, THGROUP_MAIN);
  ASSERT_EQ(rec.thrusterGroups[0]->thrusters.size(), 1u);
  EXPECT_EQ(rec.thrusterGroups[0]->thrusters[0], &main);
  EXPECT_EQ(config.mainGroup, rec.thrusterGroups[0].get());
  EXPECT_FALSE(config.burnerEngaged);
  EXPECT_DOUBLE_EQ(config.retroThrust + config.hoverThrust + config.attitudeThrust, 6.0);

  ASSERT_EQ(rec.exhausts.size(), 3u);
  EXPECT_EQ(rec.exhausts[0].thruster, &main);
  EXPECT_EQ(rec.exhausts[0].texture->name, "JetFlame");
  ExpectVector(rec.exhausts[0].pos, 0, 0, -4.6);
  EXPECT_EQ(rec.exhausts[1].thruster, &burner);
  EXPECT_EQ(rec.exhausts[1].texture->name, "BurnerFlame");
  EXPECT_DOUBLE_EQ(rec.exhausts[1].length, 5);
  // A flame that gives its length only: no width, at the origin, pointing nowhere.
  EXPECT_DOUBLE_EQ(rec.exhausts[2].width, 0.0);
  ExpectVector(rec.exhausts[2].pos, 0, 0, 0);
  ExpectVector(rec.exhausts[2].dir, 0, 0, 0);

  ASSERT_EQ(rec.docks.size(), 1u);
  ExpectVector(rec.docks[0]->pos, 0.6, 0.4, 5.5);
  ExpectVector(rec.docks[0]->rot, 0, 1, 0);
  EXPECT_EQ(config.dockCount, 1);
  EXPECT_EQ(config.docks[0].handle, rec.docks[0].get());
}

TEST_F(VesselSetupTest, HostSeesTheStagesCallsInOrder) {
  vantor::testing::EnableLog(true);
  SetUpVessel(kFullFile);
  const std::vector<std::string> expected = {"GetName",
                                             "SetSize",
                                             "SetEmptyMass",
                                             "SetCOG_elev",
                                             "SetCW",
                                             "SetWingAspect",
                                             "SetWingEffectiveness",
                                             "SetCrossSections",
                                             "SetRotDrag",
                                             "SetPitchMomentScale",
                                             "SetBankMomentScale",
                                             "SetPMI",
                                             "SetTrimScale",
                                             "SetCameraOffset",
                                             "SetTouchdownPoints",
                                             "CreatePropellantResource",
                                             "CreateThruster",
                                             "CreateThruster",
                                             "CreateThrusterGroup",
                                             "vapiRegisterExhaustTexture",
                                             "vapiRegisterExhaustTexture",
                                             "AddExhaust",
                                             "AddExhaust",
                                             "AddExhaust",
                                             "CreateDock"};
  std::vector<std::string> ours;
  for (const std::string& call : LoggedCalls()) {
    for (const std::string& name : expected) {
      if (call == name) {
        ours.push_back(call);
        break;
      }
    }
  }
  ASSERT_GE(ours.size(), expected.size());
  ours.resize(expected.size());  // later stages set the rotational drag again
  EXPECT_EQ(ours, expected);
}

TEST_F(VesselSetupTest, MissingFileGivesDefaultsAndTheFixedCalls) {
  vantor::testing::EnableLog(true);
  vantor::VesselRecord& rec = SetUpVessel(nullptr);
  EXPECT_DOUBLE_EQ(rec.size, 0.0);
  EXPECT_DOUBLE_EQ(rec.wingAspect, rec.cw[3]);
  EXPECT_GT(rec.wingEffectiveness, 0.0);
  EXPECT_TRUE(Logged("SetCW"));
  EXPECT_TRUE(Logged("SetWingAspect"));
  EXPECT_TRUE(Logged("SetWingEffectiveness"));
  EXPECT_FALSE(Logged("SetCameraOffset"));
  ASSERT_EQ(rec.thrusters.size(), 1u);
  EXPECT_DOUBLE_EQ(rec.thrusters[0]->max0, 0.0);
  EXPECT_TRUE(rec.exhausts.empty());
  EXPECT_TRUE(rec.docks.empty());
  EXPECT_EQ(aircraft.back()->vessel.exhaustTexture->name, "Exhaust");
  EXPECT_EQ(aircraft.back()->vessel.burnerTexture->name, "Exhaust");
}

TEST_F(VesselSetupTest, FlameListsStopAtTheirRules) {
  // A gap ends the main list; a flame of length 0 ends the burner list; without afterburner
  // thrust no burner section is read.
  vantor::VesselRecord& rec = SetUpVessel(
      "[CONFIG]\nBURN_THRUST=-5\n[EX_MAIN_0]\nLENGTH=1\n[EX_MAIN_2]\nLENGTH=1\n"
      "[EX_BURN_0]\nLENGTH=2\n[EX_BURN_1]\nLENGTH=0\nWIDTH=1\nOFF=(1,1,1)\nDIR=(0,0,1)\n"
      "[EX_BURN_2]\nLENGTH=2\n");
  ASSERT_EQ(rec.thrusters.size(), 2u);  // a negative afterburner thrust is still one
  ASSERT_EQ(rec.exhausts.size(), 2u);
  EXPECT_EQ(rec.exhausts[1].thruster, rec.thrusters[1].get());

  vantor::VesselRecord& plain = SetUpVessel("[EX_MAIN_0]\nLENGTH=1\n[EX_BURN_0]\nLENGTH=2\n", "X2");
  EXPECT_EQ(plain.thrusters.size(), 1u);
  EXPECT_EQ(plain.exhausts.size(), 1u);

  std::string eleven = "[CONFIG]\nBURN_THRUST=1\n";
  for (int n = 0; n <= 10; ++n) {
    eleven += "[EX_MAIN_" + std::to_string(n) + "]\nLENGTH=1\n";
    eleven += "[EX_BURN_" + std::to_string(n) + "]\nLENGTH=1\n";
  }
  EXPECT_EQ(SetUpVessel(eleven.c_str(), "X3").exhausts.size(), 20u);
}

TEST_F(VesselSetupTest, DockListStopsAtAZeroDirection) {
  EXPECT_TRUE(SetUpVessel("[DOCK_0]\nPOS=(1,2,3)\n[DOCK_1]\nDIR=(0,0,1)\n").docks.empty());
  std::string six;
  for (int n = 0; n <= 5; ++n) {
    six += "[DOCK_" + std::to_string(n) + "]\nDIR=(0," + std::to_string(n + 1) + ",0)\n";
  }
  vantor::VesselRecord& rec = SetUpVessel(six.c_str(), "X2");
  ASSERT_EQ(rec.docks.size(), 5u);
  EXPECT_EQ(aircraft.back()->vessel.dockCount, 5);
  ExpectVector(rec.docks[4]->dir, 0, 5, 0);
  ExpectVector(rec.docks[4]->pos, 0, 0, 0);  // no POS: the record's zero
}

TEST_F(VesselSetupTest, TextureNamesFallBackToExhaust) {
  SetUpVessel("[AIRCRAFT]\nEXHAUST_TEXTURE=Blue\n", "A");
  EXPECT_EQ(aircraft.back()->vessel.burnerTexture->name, "Blue");
  EXPECT_NE(aircraft.back()->vessel.exhaustTexture, nullptr);
  SetUpVessel("[AIRCRAFT]\nEXHAUST_TEXTURE=\nBURNER_TEXTURE=\n", "B");
  EXPECT_EQ(aircraft.back()->vessel.exhaustTexture->name, "Exhaust");
  EXPECT_EQ(aircraft.back()->vessel.burnerTexture->name, "Exhaust");
  SetUpVessel("[AIRCRAFT]\nBURNER_TEXTURE=Hot\n", "C");
  EXPECT_EQ(aircraft.back()->vessel.exhaustTexture->name, "Exhaust");
  EXPECT_EQ(aircraft.back()->vessel.burnerTexture->name, "Hot");
  // The burner's default is the exhaust's name exactly as registered, trailing blanks and all.
  SetUpVessel("[AIRCRAFT]\nEXHAUST_TEXTURE=\"Tex  \"\n", "D");
  EXPECT_EQ(aircraft.back()->vessel.exhaustTexture->name, "Tex  ");
  EXPECT_EQ(aircraft.back()->vessel.burnerTexture->name, "Tex  ");
}

TEST_F(VesselSetupTest, CameraOffsetOnlyWhenVisibleIsOne) {
  vantor::testing::EnableLog(true);
  vantor::VesselRecord& rec = SetUpVessel("[CONFIG]\nCAMERA=(0,1,2)\nVISIBLE=2\n");
  EXPECT_FALSE(Logged("SetCameraOffset"));
  ExpectVector(rec.cameraOffset, 0, 0, 0);
  EXPECT_EQ(aircraft.back()->vessel.visibleMode, 2);
}

TEST_F(VesselSetupTest, EachVesselReadsItsOwnFileOnly) {
  root.WriteAircraft("Y1", "[CONFIG]\nSIZE=7\n");
  EXPECT_DOUBLE_EQ(SetUpVessel("[CONFIG]\nSIZE=5\n", "X1").size, 5.0);
  EXPECT_DOUBLE_EQ(SetUpVessel(nullptr, "Y1").size, 7.0);

  // The longest name that fits, and one whose cut path would name a file that exists.
  const std::string longest(41, 'L');
  EXPECT_DOUBLE_EQ(SetUpVessel("[CONFIG]\nSIZE=9\n", longest.c_str()).size, 9.0);
  const std::string tooLong = longest + "ab";
  root.WriteFile("Config/Aircraft/" + tooLong + ".i", "[CONFIG]\nSIZE=11\n");
  EXPECT_DOUBLE_EQ(SetUpVessel("[CONFIG]\nSIZE=12\n", tooLong.c_str()).size, 0.0);
  EXPECT_STREQ(aircraft.back()->vessel.configPath, "");
}

}  // namespace
