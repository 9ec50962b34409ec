// Aircraft files nobody tuned still fly (or fall) finitely: the physics never blows up.
#include <fstream>
#include <regex>

#include "flight_harness.h"

using namespace flight_test;

namespace {

class Robustness : public FlightFixture {};

std::string ExampleAircraft() {
  std::ifstream file(std::string(AIRCRAFT_EXAMPLE_ROOT) + "/Config/Aircraft/Kestrel.ini");
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string Replace(const std::string& text, const char* pattern, const char* replacement) {
  return std::regex_replace(text, std::regex(pattern), replacement);
}

TEST_F(Robustness, MangledAircraftFilesStayFiniteAndNearTheGround) {
  const std::string example = ExampleAircraft();
  const std::pair<const char*, std::string> variants[] = {
      {"Empty", ""},
      {"NoInertiaNoGear", Replace(example, "\n(PMI|LAND_PT[123]|EMPTY_MASS)=[^\n]*", "")},
      {"HugeLift", Replace(example, "\n(PT[0-9]+)=\\(([-0-9.]+),[-0-9.]+,", "\n$1=($2,50,")},
      {"HugeMoment",
       Replace(example, "\n(PT[0-9]+)=\\(([-0-9.]+),([-0-9.]+),[-0-9.]+\\)", "\n$1=($2,$3,5)")},
      {"Negative", Replace(Replace(example, "\n(AREA|SIZE)=[^\n]*", "\n$1=-5"),
                           "\nROTATIONAL_DRAG=[^\n]*", "\nROTATIONAL_DRAG=(-1,-1,-1)")},
  };
  const TestRoot root;
  root.WriteFlightPlan("Circuit",
                       "[WAYPOINT_0]\nPOSITION=(10.2,45.0,2000)\nPROXIMITY=1000\n"
                       "COURSE=90\n[WAYPOINT_1]\nPOSITION=(10.2,45.2,3000)\n"
                       "PROXIMITY=1000\nCOURSE=360\n");
  for (const auto& [name, text] : variants) {
    root.WriteAircraft(name, text);
    vantor::testing::ResetHost();
    vantor::VesselRecord& vessel = *Load(std::string(name) +
                                         ":aircraft\nSTATUS Flying\nPOS 10.0 45.0\nALT 2000\n"
                                         "HDG 90\nSPEED 180\nFUEL 1\nTHROTTLE 0.7\nAUTOPILOT 1\n"
                                         "ALTITUDE 2000\nHEADING 90\nFLIGHTPLAN Circuit\nEND\n")
                                        .front();
    bool finite = true;
    double highest = 0.0;
    double fastest = 0.0;
    Run(300.0, [&](double) {
      const vantor::FlightState& s = vessel.state;
      finite = finite && std::isfinite(s.altitude) && std::isfinite(s.airspeed) &&
               std::isfinite(s.pitch) && std::isfinite(s.bank) && std::isfinite(s.heading);
      highest = std::max(highest, s.altitude);
      fastest = std::max(fastest, s.airspeed);
    });
    EXPECT_TRUE(finite) << name;
    EXPECT_GE(vessel.state.altitude, -0.5) << name;
    EXPECT_LT(highest, 20000.0) << name;
    EXPECT_LT(fastest, 600.0) << name;
  }
}

}  // namespace
