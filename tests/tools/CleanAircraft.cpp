#include "tools/CleanAircraft.h"

#include <sstream>
#include <stdexcept>

const char* const kCleanAircraft = R"(; A complete aircraft.
[CONFIG]
MESHNAME=Delta
SIZE=12.5
EMPTY_MASS=8000
FUEL_MASS=3000
COG=1.8
CROSS_SECTION=(20,45,6)
PITCH_MOMENT_SCALE=0.0001
BANK_MOMENT_SCALE=0.0001
PMI=(6,14,9)
TRIM=0.05
CAMERA=(0,1.1,5.2)
VISIBLE=1
LAND_PT1=(0,-1.8,5)
LAND_PT2=(-2.5,-1.8,-1.5)
LAND_PT3=(2.5,-1.8,-1.5)
ISP=30000
BURN_ISP=20000
MAIN_THRUST=60000
BURN_THRUST=90000

[AUTOPILOT]
MAX_BANK=25
DAMP_BANK=5
DAMP_ELEVATOR=5
ELEVATOR_ASSIST=(0.01,0.005,1.5)
ROC=600
ROD=600
PITCH_LIMIT_UP=20
PITCH_LIMIT_DOWN=15
ELEVATOR_LIMIT=1
RUDDER_LIMIT=0.5

[AIRCRAFT]
FLIGHT_MODEL=1
EFFICIENCY=1
EXHAUST_TEXTURE=Exhaust
BURNER_TEXTURE=Exhaust
WAVE_DRAG=0.02
MACH_NUMBERS=(0.8,1.1,2.5)
ROTATIONAL_DRAG=(0.1,0.13,0.04)

[EX_MAIN_0]
LENGTH=4
WIDTH=0.5
OFF=(0,0,-5)
DIR=(0,0,1)

[EX_BURN_0]
LENGTH=8
WIDTH=0.7
OFF=(0,0,-5)
DIR=(0,0,1)

[DOCK_0]
DIR=(0,1,0)
POS=(0,1.5,2)
ROT=(0,0,1)

[PAYLOAD_0]
MASS=500
OFF=(0,-1.5,0)
SPEED=(0,0,0)
ROT_SPEED=(0,-1,0)
MESHNAME=Pod
NAME=Pod1
MODULE=Pod

[ANIM_SEQ_0]
KEY=G
DURATION=4
NAME=Gear

[ANIM_SEQ_1]
KEY=*
DURATION=2
NAME=Elevator

[ANIM_SEQ_2]
KEY=F
DURATION=3
NAME=Flaps

[ANIM_COMP_0]
GROUPS=(3,4)
SEQ=0
TYPE=ROTATE
ANGLE=90
ROT_PNT=(0,-1,4)
ROT_AXIS=(1,0,0)

[ANIM_COMP_1]
GROUPS=5
SEQ=1
TYPE=ROTATE
ANGLE=-20
ROT_PNT=(0,0,-6)
ROT_AXIS=(1,0,0)
RANGE=(0,1)

[ANIM_COMP_2]
GROUPS=6 7
SEQ=2
TYPE=TRANSLATE
SHIFT=(0,-0.2,-0.3)

[ELEVATOR]
SEQ=1
OFFSET=(0,0,-6)
AREA=2
LIFT=1.5

[RUDDER]
OFFSET=(0,1.5,-6)
AREA=1.5
LIFT=1.2

[AILERON]
AREA=1
LIFT=1.4
LEFT_OFFSET=(-5,0,-1)
RIGHT_OFFSET=(5,0,-1)

[FLAPS]
SEQ=2
OFFSET=(0,0,-1)
AREA=2.5
LIFT=1.6

[WING]
WING_EFFICIENCY=0.8
ASPECT_RATIO=6
OFFSET=(0,0,0.2)
AREA=12.5
CHORD=2.5

[FIN]
WING_EFFICIENCY=0.7
ASPECT_RATIO=1.5
OFFSET=(0,1,-5)
AREA=4
CHORD=1.8

[VLIFT]
USER_DRAG=0
ZERO_DRAG=0.015
PT0=(-10,-0.5,0)
PT1=(0,0.1,0)
PT2=(10,1.0,-0.05)
PT3=(15,1.2,-0.08)

[HLIFT]
USER_DRAG=0
ZERO_DRAG=0.01
PT0=(-20,-0.8,0)
PT1=(20,0.8,0)

[STEERING]
SEQ=-1
FACTOR=1
FRICTION=(0.1,0.2,0)
SPEED=30

[BRAKES]
FACTOR=50000
KEY=B
)";

const char* const kCleanFlightPlan = R"([GENERAL]
Description=Round trip

[WAYPOINT_0]
DESCRIPTION=Runway
POSITION=(-80.6,28.6,0)
PROXIMITY=2000
Course=360

[WAYPOINT_1]
DESCRIPTION=Turn
POSITION=(-80.0,28.0,3000)
PROXIMITY=5000
Course=90
THROTTLE=0.8
)";

std::string Replaced(const std::string& text, const std::string& from, const std::string& to) {
  const std::string wanted = "\n" + from + "\n";
  const std::size_t at = ("\n" + text).find(wanted);
  if (at == std::string::npos) {
    throw std::invalid_argument("no line " + from);
  }
  std::string result = text;
  result.replace(at, from.size() + 1, to.empty() ? "" : to + "\n");
  return result;
}

int LineNumberOf(const std::string& text, const std::string& line, int occurrence) {
  std::istringstream lines(text);
  int number = 0;
  for (std::string current; std::getline(lines, current);) {
    ++number;
    if (current == line && --occurrence == 0) {
      return number;
    }
  }
  return 0;
}
