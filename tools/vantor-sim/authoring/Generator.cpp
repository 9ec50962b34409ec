#include "authoring/Generator.h"
#include "Units.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <numbers>

namespace authoring {

namespace {

// What sets one kind of aircraft apart, as a designer's first guess.
struct KindFigures {
  const char* name;
  double wingLoading;    // kg of take-off mass per m^2 of wing
  double lengthPerSpan;  // fuselage length over span
  double zeroDrag;       // zero-lift drag coefficient of the wing table
  double efficiency;     // span efficiency
  double maxLift;        // lift coefficient at the stall
  double zeroLiftAngle;  // degrees
  double cruiseSpeed;    // m/s
  double cruiseAltitude;
  double fuelShare;  // of the empty mass
  double isp;        // m/s
  double maxBank;    // degrees
  double waveDrag;
  double mach[3];
  double staticMargin;  // of the chord: how far the wing's lift acts behind the centre of gravity
};

constexpr KindFigures kKinds[] = {
    {"trainer",
     55.0,
     0.8,
     0.028,
     0.8,
     1.5,
     -2.0,
     60.0,
     1500.0,
     0.15,
     150000.0,
     30.0,
     0.05,
     {0.55, 0.75, 1.0},
     0.12},
    {"jet",
     450.0,
     1.4,
     0.018,
     0.8,
     1.3,
     -1.5,
     190.0,
     4000.0,
     0.35,
     40000.0,
     40.0,
     0.035,
     {0.85, 1.0, 1.3},
     0.12},
    {"transport",
     550.0,
     1.0,
     0.020,
     0.85,
     1.5,
     -2.0,
     210.0,
     8000.0,
     0.3,
     60000.0,
     25.0,
     0.04,
     {0.78, 0.92, 1.2},
     0.15},
    {"glider",
     30.0,
     0.45,
     0.010,
     0.9,
     1.4,
     -3.0,
     30.0,
     1500.0,
     0.0,
     0.0,
     30.0,
     0.05,
     {0.55, 0.75, 1.0},
     0.10},
};

const KindFigures& Figures(Kind kind) {
  return kKinds[static_cast<int>(kind)];
}

// Sizes of the tail and the control surfaces, as shares of the wing.
constexpr double kElevatorArea = 0.10;
constexpr double kSurfaceLift = 1.2;
constexpr double kTailArm = 0.45;  // of the length, behind the centre of gravity
constexpr double kFinArea = 0.15;
constexpr double kFinAspectRatio = 1.5;
constexpr double kRudderArea = 0.05;
constexpr double kAileronArea = 0.025;
constexpr double kAileronSpan = 0.38;  // of the span, from the centre line
constexpr double kFlapArea = 0.15;
// Rotational drag per unit of what each axis's damping grows with (area times arm squared,
// over the size to the fourth power, as the host scales it).
constexpr double kPitchDamping = 5.0;
constexpr double kYawDamping = 0.76;
constexpr double kRollDamping = 0.28;

// Lift slope per radian of a finite wing (Helmbold's formula).
double LiftSlope(double aspectRatio) {
  return 2.0 * std::numbers::pi * aspectRatio / (2.0 + std::sqrt(aspectRatio * aspectRatio + 4.0));
}

class Writer {
 public:
  void Line(const char* format, ...) __attribute__((format(printf, 2, 3))) {
    char line[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    text_ += line;
    text_ += '\n';
  }
  void Blank() { text_ += '\n'; }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// The standard atmosphere's density below 11 km, enough for a first design.
double Density(double altitude) {
  const double temperature = 288.15 - 0.0065 * std::clamp(altitude, 0.0, 11000.0);
  return 1.225 * std::pow(temperature / 288.15, 4.2559);
}

}  // namespace

bool ParseKind(const std::string& text, Kind& kind) {
  for (int k = 0; k < 4; ++k) {
    if (text == kKinds[k].name) {
      kind = static_cast<Kind>(k);
      return true;
    }
  }
  return false;
}

const char* KindName(Kind kind) {
  return Figures(kind).name;
}

std::string Complete(Design& design) {
  const KindFigures& figures = Figures(design.kind);
  if (!(design.mass >= 10.0 && design.mass <= 1e6)) {
    return "--mass must lie between 10 and 1000000 kg";
  }
  if (!(design.span >= 1.0 && design.span <= 150.0)) {
    return "--span must lie between 1 and 150 m";
  }
  if (design.kind == Kind::Glider) {
    if (design.thrust != 0.0) {
      return "a glider has no engine: leave out --thrust";
    }
  } else if (!(design.thrust > 0.0 && design.thrust <= 1e7)) {
    return "--thrust must lie above 0 and at most 10000000 N for a powered aircraft";
  }
  if (design.fuel == 0.0) {
    design.fuel = figures.fuelShare * design.mass;
  }
  if (design.kind == Kind::Glider) {
    design.fuel = 0.0;
  }
  if (!(design.fuel >= 0.0 && design.fuel <= 10.0 * design.mass)) {
    return "--fuel must lie between 0 and ten times the mass";
  }
  if (design.cruiseAltitude == 0.0) {
    design.cruiseAltitude = figures.cruiseAltitude;
  }
  if (!(design.cruiseAltitude >= 100.0 && design.cruiseAltitude <= 15000.0)) {
    return "--alt must lie between 100 and 15000 m";
  }
  if (design.cruiseSpeed == 0.0) {
    design.cruiseSpeed = figures.cruiseSpeed;
  }
  if (!(design.cruiseSpeed >= 10.0 && design.cruiseSpeed <= 300.0)) {
    return "--cruise must lie between 10 and 300 m/s";
  }
  const Airframe airframe = Derive(design);
  if (!(airframe.aspectRatio >= 2.0 && airframe.aspectRatio <= 40.0)) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "a %s of %.0f kg gets a wing of %.1f m^2; a span of %.1f m would give it an "
                  "aspect ratio of %.1f, and only 2 to 40 make a wing",
                  figures.name, design.mass, airframe.wingArea, design.span, airframe.aspectRatio);
    return text;
  }
  // The lift table needs room between the cruise and the stall.
  if (airframe.cruiseLift > 0.6 * airframe.maxLift) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "a cruise of %.0f m/s at %.0f m is too slow for this wing: it needs a lift "
                  "coefficient of %.2f, the wing stalls at %.2f; give a faster --cruise",
                  design.cruiseSpeed, design.cruiseAltitude, airframe.cruiseLift, airframe.maxLift);
    return text;
  }
  return "";
}

Airframe Derive(const Design& design) {
  const KindFigures& figures = Figures(design.kind);
  Airframe a;
  a.fuel = design.fuel;
  a.wingArea = (design.mass + design.fuel) / figures.wingLoading;
  a.aspectRatio = design.span * design.span / a.wingArea;
  a.chord = a.wingArea / design.span;
  a.length = figures.lengthPerSpan * design.span;
  a.liftSlope = LiftSlope(a.aspectRatio) * kDegree;
  a.zeroLiftAngle = figures.zeroLiftAngle;
  a.maxLift = figures.maxLift;
  a.stallAngle = a.zeroLiftAngle + a.maxLift / a.liftSlope;
  a.wingOffset = figures.staticMargin * a.chord;
  a.cruiseAltitude = design.cruiseAltitude;
  a.cruiseSpeed = design.cruiseSpeed;
  const double q = 0.5 * Density(design.cruiseAltitude) * design.cruiseSpeed * design.cruiseSpeed;
  a.cruiseLift = (design.mass + design.fuel) * kGravity / (q * a.wingArea);
  a.maxBank = figures.maxBank;
  a.turnRadius =
      design.cruiseSpeed * design.cruiseSpeed / (kGravity * std::tan(a.maxBank * kDegree));
  return a;
}

double ElevatorAuthority(const Design& design) {
  const Airframe a = Derive(design);
  return kElevatorArea * kSurfaceLift * kTailArm * a.length / a.chord;
}

std::string AircraftText(const std::string& name, const Design& design) {
  const KindFigures& figures = Figures(design.kind);
  const Airframe a = Derive(design);
  const bool powered = design.kind != Kind::Glider;
  const double size = 0.5 * std::max(a.length, design.span);
  const double size4 = size * size * size * size;
  const double tailArm = kTailArm * a.length;
  const double diameter = std::max(0.08 * a.length, 0.6);
  const double gearHeight = 0.08 * a.length + 0.4;
  const double elevatorArea = kElevatorArea * a.wingArea;
  const double finArea = kFinArea * a.wingArea;
  const double finHeight = std::sqrt(kFinAspectRatio * finArea);
  const double pitchGyration = std::pow(0.23 * a.length, 2.0);
  const double rollGyration = std::pow(0.16 * design.span, 2.0);
  const double aileronZ = -a.wingOffset - 0.3 * a.chord;

  Writer w;
  w.Line("; %s: a %s written by vantor-sim new from %.0f kg, a %.1f m span and %.0f N of thrust.",
         name.c_str(), figures.name, design.mass, design.span, design.thrust);
  w.Line(
      "; Wing %.1f m^2 (aspect ratio %.1f, chord %.2f m), length %.1f m. Design cruise: %.0f m/s",
      a.wingArea, a.aspectRatio, a.chord, a.length, a.cruiseSpeed);
  w.Line("; at %.0f m, lift coefficient %.2f. Check it with vantor-sim check, trim and envelope.",
         a.cruiseAltitude, a.cruiseLift);
  w.Line("; Units: metres, kilograms, newtons, seconds, degrees. Vessel frame: x right, y up,");
  w.Line("; z forward. Lines starting with ';' are comments.");
  w.Blank();
  w.Line("[CONFIG]");
  w.Line("MESHNAME=%s", name.c_str());
  w.Line("; Mean radius: half the larger of length and span.");
  w.Line("SIZE=%.2f", size);
  w.Line("EMPTY_MASS=%.0f", design.mass);
  w.Line("FUEL_MASS=%.0f", a.fuel);
  w.Line("; Height of the centre of gravity above the ground when resting on the gear.");
  w.Line("COG=%.2f", gearHeight);
  w.Line("; Areas seen along x (side), y (top) and z (front), m^2: the fuselage alone; the wing's");
  w.Line("; drag is in its lift table.");
  w.Line("CROSS_SECTION=(%.2f,%.2f,%.2f)", a.length * diameter + finArea, 0.8 * a.length * diameter,
         0.8 * diameter * diameter);
  w.Line("PITCH_MOMENT_SCALE=0.0001");
  w.Line("BANK_MOMENT_SCALE=0.0001");
  w.Line("; Principal moments of inertia over the mass (m^2): pitch, yaw, roll.");
  w.Line("PMI=(%.2f,%.2f,%.2f)", pitchGyration, pitchGyration + 0.6 * rollGyration, rollGyration);
  w.Line("TRIM=0.05");
  w.Line("CAMERA=(0,%.2f,%.2f)", 0.4 * diameter, 0.3 * a.length);
  w.Line("VISIBLE=1");
  w.Line("; Touchdown points: nose wheel, left main wheel, right main wheel.");
  w.Line("LAND_PT1=(0,%.2f,%.2f)", -gearHeight, 0.35 * a.length);
  w.Line("LAND_PT2=(%.2f,%.2f,%.2f)", -0.12 * design.span, -gearHeight, -0.06 * a.length);
  w.Line("LAND_PT3=(%.2f,%.2f,%.2f)", 0.12 * design.span, -gearHeight, -0.06 * a.length);
  w.Line("; Engine on the axis, pushing along +z. ISP is thrust over fuel flow (m/s).");
  w.Line("ISP=%.0f", powered ? figures.isp : 1.0);
  w.Line("MAIN_THRUST=%.0f", design.thrust);
  w.Line("BURN_THRUST=0");
  w.Blank();
  w.Line("[AIRCRAFT]");
  w.Line("; Thrust follows the air's density (capped at 1) from the sea-level figure.");
  w.Line("FLIGHT_MODEL=1");
  w.Line("EFFICIENCY=1");
  w.Line("WAVE_DRAG=%.3f", figures.waveDrag);
  w.Line("MACH_NUMBERS=(%.2f,%.2f,%.2f)", figures.mach[0], figures.mach[1], figures.mach[2]);
  w.Line("; Rotational drag (pitch, yaw, roll): the damping of the tailplane, fin and wing.");
  w.Line("ROTATIONAL_DRAG=(%.4g,%.4g,%.4g)", kPitchDamping * a.wingArea * tailArm * tailArm / size4,
         kYawDamping * a.wingArea * tailArm * tailArm / size4,
         kRollDamping * a.wingArea * design.span * design.span / size4);
  w.Blank();
  w.Line("[AUTOPILOT]");
  w.Line("; A turn at MAX_BANK and %.0f m/s has a radius of %.0f m: give waypoints a PROXIMITY",
         a.cruiseSpeed, a.turnRadius);
  w.Line("; of at least %.0f m and legs of at least %.0f m.", 1.5 * a.turnRadius,
         4.0 * a.turnRadius);
  w.Line("MAX_BANK=%.0f", a.maxBank);
  w.Line("DAMP_BANK=10");
  w.Line("DAMP_ELEVATOR=3");
  w.Line(
      "; Climb and descent rates in m/min; also the height band (m) outside which they are flown.");
  const double rate = std::clamp(a.cruiseSpeed * 60.0 * std::tan(4.0 * kDegree), 200.0, 1500.0);
  w.Line("ROC=%.0f", rate);
  w.Line("ROD=%.0f", rate);
  w.Line("PITCH_LIMIT_UP=15");
  w.Line("PITCH_LIMIT_DOWN=10");
  w.Line("ELEVATOR_LIMIT=0.6");
  w.Line("RUDDER_LIMIT=0.1");
  w.Blank();
  w.Line("; The wing: its lift acts %.2f m behind the centre of gravity, which makes the aircraft",
         a.wingOffset);
  w.Line("; stable in pitch.");
  w.Line("[WING]");
  w.Line("WING_EFFICIENCY=%.2f", figures.efficiency);
  w.Line("ASPECT_RATIO=%.2f", a.aspectRatio);
  w.Line("OFFSET=(0,0,%.3f)", -a.wingOffset);
  w.Line("AREA=%.2f", a.wingArea);
  w.Line("CHORD=%.3f", a.chord);
  w.Blank();
  w.Line("[FIN]");
  w.Line("WING_EFFICIENCY=0.8");
  w.Line("ASPECT_RATIO=%.1f", kFinAspectRatio);
  w.Line("OFFSET=(0,%.2f,%.2f)", diameter * 0.5 + 0.4 * finHeight, -0.42 * a.length);
  w.Line("AREA=%.2f", finArea);
  w.Line("CHORD=%.3f", finArea / finHeight);
  w.Blank();

  // The lift table: straight from the zero-lift angle to the stall, a break beyond it, and the
  // same shape mirrored below. The moment column holds the aircraft at the design cruise with
  // the elevator neutral and pitches the nose down past the stall.
  const double slope = a.liftSlope;
  const double negativeStall = a.zeroLiftAngle - 0.8 * a.maxLift / slope;
  const double cruiseAngle = a.zeroLiftAngle + a.cruiseLift / slope;
  const double moment0 = design.momentOffset;
  const auto lift = [&](double angle) { return slope * (angle - a.zeroLiftAngle); };
  const auto moment = [&](double angle) { return moment0 - 0.002 * (angle - cruiseAngle); };
  struct Point {
    double angle;
    double lift;
    double moment;
  };
  const Point points[] = {
      {negativeStall - 10.0, -0.5 * a.maxLift, moment(negativeStall) + 0.06},
      {negativeStall - 3.0, -0.7 * a.maxLift, moment(negativeStall) + 0.02},
      {negativeStall, -0.8 * a.maxLift, moment(negativeStall)},
      {a.zeroLiftAngle, 0.0, moment(a.zeroLiftAngle)},
      {cruiseAngle, lift(cruiseAngle), moment(cruiseAngle)},
      {0.5 * (cruiseAngle + a.stallAngle), lift(0.5 * (cruiseAngle + a.stallAngle)),
       moment(0.5 * (cruiseAngle + a.stallAngle))},
      {a.stallAngle - 2.0, lift(a.stallAngle - 2.0), moment(a.stallAngle - 2.0)},
      {a.stallAngle, a.maxLift, moment(a.stallAngle)},
      {a.stallAngle + 3.0, 0.9 * a.maxLift, moment(a.stallAngle) - 0.03},
      {a.stallAngle + 10.0, 0.65 * a.maxLift, moment(a.stallAngle) - 0.08},
  };
  w.Line("; Wing lift table: PTn=(angle of attack, lift, moment). Lift slope %.4f per degree from",
         slope);
  w.Line("; zero lift at %.1f deg, stall at %.1f deg (lift %.2f). With the elevator neutral the",
         a.zeroLiftAngle, a.stallAngle, a.maxLift);
  w.Line("; aircraft trims at %.1f deg, the design cruise.", cruiseAngle);
  w.Line("[VLIFT]");
  w.Line("USER_DRAG=0");
  w.Line("ZERO_DRAG=%.4f", figures.zeroDrag);
  int index = 0;
  for (const Point& point : points) {
    w.Line("PT%d=(%.3f,%.4f,%.5f)", index++, point.angle, point.lift, point.moment);
  }
  w.Blank();

  const double finSlope = LiftSlope(kFinAspectRatio) * kDegree;
  w.Line("; Fin side-force table over the slip angle: symmetric, %.4f per degree, stall at 20 deg.",
         finSlope);
  w.Line("[HLIFT]");
  w.Line("USER_DRAG=0");
  w.Line("ZERO_DRAG=0.010");
  const double finAngles[] = {-30, -20, -10, 0, 10, 20, 30};
  index = 0;
  for (const double angle : finAngles) {
    const double magnitude =
        std::abs(angle) <= 20.0 ? finSlope * std::abs(angle) : finSlope * 20.0 * 0.75;
    const double side = angle < 0.0 ? -magnitude : magnitude;
    w.Line("PT%d=(%.0f,%.4f,%.5f)", index++, angle, side, -0.02 * side);
  }
  w.Blank();

  w.Line("; Control surfaces: position, area (m^2), lift coefficient at full deflection.");
  w.Line("[ELEVATOR]");
  w.Line("OFFSET=(0,0,%.2f)", -tailArm);
  w.Line("AREA=%.3f", elevatorArea);
  w.Line("LIFT=%.2f", kSurfaceLift);
  w.Blank();
  w.Line("[RUDDER]");
  w.Line("OFFSET=(0,%.2f,%.2f)", diameter * 0.5 + 0.5 * finHeight, -tailArm - 0.3 * a.chord);
  w.Line("AREA=%.3f", kRudderArea * a.wingArea);
  w.Line("LIFT=%.2f", kSurfaceLift);
  w.Blank();
  w.Line("[AILERON]");
  w.Line("AREA=%.3f", kAileronArea * a.wingArea);
  w.Line("LIFT=%.2f", kSurfaceLift);
  w.Line("LEFT_OFFSET=(%.2f,0,%.2f)", -kAileronSpan * design.span, aileronZ);
  w.Line("RIGHT_OFFSET=(%.2f,0,%.2f)", kAileronSpan * design.span, aileronZ);
  w.Blank();
  w.Line("; The flaps follow the Flaps sequence (key F, two notches).");
  w.Line("[FLAPS]");
  w.Line("SEQ=1");
  w.Line("OFFSET=(0,0,%.2f)", aileronZ);
  w.Line("AREA=%.3f", kFlapArea * a.wingArea);
  w.Line("LIFT=1.0");
  w.Blank();
  w.Line("[STEERING]");
  w.Line("FACTOR=0.05");
  w.Line("FRICTION=(0.04,0.8,0)");
  w.Line("SPEED=30");
  w.Blank();
  w.Line("[BRAKES]");
  w.Line("FACTOR=%.0f", 0.6 * (design.mass + a.fuel) * kGravity);
  w.Line("KEY=B");
  w.Blank();
  w.Line("; Gear (key G; down at the start) and flaps. QFACTOR is the gear's drag while down.");
  w.Line("[ANIM_SEQ_0]");
  w.Line("NAME=Gear");
  w.Line("KEY=G");
  w.Line("DURATION=6");
  w.Line("INITIAL=1");
  w.Line("INCREMENT=1");
  w.Line("QFACTOR=%.3f", 0.02 * a.wingArea);
  w.Line("OFFSET=(0,%.2f,0)", -0.7 * gearHeight);
  w.Blank();
  w.Line("[ANIM_SEQ_1]");
  w.Line("NAME=Flaps");
  w.Line("KEY=F");
  w.Line("DURATION=4");
  w.Line("INITIAL=0");
  w.Line("INCREMENT=0.5");
  return w.text();
}

}  // namespace authoring
