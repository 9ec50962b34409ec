#include "cockpit/Panel.h"

#include <curses.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "Units.h"
#include "cockpit/AircraftView.h"
#include "vantor/sim/Observation.h"
#include "vantor/sim/PilotControls.h"

namespace {

namespace sim = vantor::sim;

constexpr int kWidth = 80;

void Line(int row, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Line(int row, const char* format, ...) {
  char text[kWidth + 1];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  mvaddnstr(row, 0, text, kWidth);
}

double VerticalSpeed(const vantor::FlightState& state) {
  const VECTOR3& r = state.position;
  const VECTOR3& v = state.velocity;
  const double radius = std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z);
  return radius > 0.0 ? (v.x * r.x + v.y * r.y + v.z * r.z) / radius : 0.0;
}

void DrawSurface(int row, const char* name, const vantor::VesselRecord& vessel, AIRCTRL_TYPE type) {
  const bool pilot = sim::PilotHasSurface(vessel, type);
  Line(row, "%-9s %+6.2f%s %+8.2f %+9.2f", name, vessel.pilotLevels[type], pilot ? " " : "*",
       vessel.controlLevels[type], sim::SurfaceDeflection(vessel, type));
}

}  // namespace

void DrawPanel(const vantor::VesselRecord* vessel, const PanelState& state) {
  erase();
  Line(0, "%s   t %8.1f s   time x%-3d %s", vessel != nullptr ? vessel->name.c_str() : "-",
       state.simt, state.acceleration, state.paused ? "PAUSED (Ctrl+P flies)" : "");
  if (vessel != nullptr) {
    const vantor::FlightState& s = vessel->state;
    Line(2, "ALT %8.1f m   V/S %+7.1f m/s   IAS %6.1f m/s   MACH %4.2f   %s", s.altitude,
         VerticalSpeed(s), s.airspeed, s.mach, s.groundContact ? "ON GROUND" : "");
    // Standing still, the angle of attack is only the noise of the gear.
    const double aoa = s.airspeed > 1.0 ? s.aoa * kDegrees : 0.0;
    Line(3, "HDG %6.1f     PITCH %+6.1f     BANK %+6.1f     AOA %+6.1f", s.heading * kDegrees,
         s.pitch * kDegrees, s.bank * kDegrees, aoa);
    double fuel = 0.0;
    double capacity = 0.0;
    for (const auto& tank : vessel->propellants) {
      fuel += std::max(tank->mass, 0.0);
      capacity += std::max(tank->maxMass, 0.0);
    }
    const double throttle = sim::MainThrottle(*vessel);
    const int bars = std::clamp(static_cast<int>(std::lround(throttle * 20.0)), 0, 20);
    Line(4, "THR %3.0f %% [%-20.*s]   FUEL %6.0f kg (%3.0f %%)", throttle * 100.0, bars,
         "||||||||||||||||||||", fuel, capacity > 0.0 ? 100.0 * fuel / capacity : 0.0);
    Line(6, "%-9s %6s  %8s %9s   (* the autopilot holds it)", "control", "pilot", "module",
         "surface");
    DrawSurface(7, "elevator", *vessel, AIRCTRL_ELEVATOR);
    DrawSurface(8, "aileron", *vessel, AIRCTRL_AILERON);
    DrawSurface(9, "rudder", *vessel, AIRCTRL_RUDDER);
    DrawSurface(10, "trim", *vessel, AIRCTRL_ELEVATORTRIM);
    Line(11, "%-9s %6s  %+8.2f %+9.2f", "flaps", "", vessel->controlLevels[AIRCTRL_FLAP],
         sim::SurfaceDeflection(*vessel, AIRCTRL_FLAP));
    const double brakes = 0.5 * (vessel->wheelbrakeLevels[0] + vessel->wheelbrakeLevels[1]);
    Line(12, "BRAKES %s (%.2f)   AUTOPILOT %s", brakes > 0.0 ? "ON " : "off", brakes,
         vessel->adCtrlMode == 0 ? "engaged" : "off");
    const std::vector<SequenceView> sequences = ReadSequences(*vessel);
    for (std::size_t i = 0; i < sequences.size() && i < 12; ++i) {
      const int row = 14 + static_cast<int>(i / 4);
      const int column = static_cast<int>(i % 4) * 20;
      char cell[21];
      std::snprintf(cell, sizeof cell, "%-13.13s %4.2f", sequences[i].name.c_str(),
                    sequences[i].state);
      mvaddnstr(row, column, cell, kWidth - column);
    }
  }
  // The status line may be longer than a row: it continues on the next.
  const std::string status = sim::StatusLine();
  Line(17, "%s", status.c_str());
  if (status.size() > kWidth) {
    Line(18, "%s", status.c_str() + kWidth);
  }
  if (!state.prompt.empty()) {
    Line(19, "%s: %s_", state.prompt.c_str(), state.typed.c_str());
  } else if (!state.notice.empty()) {
    Line(19, "%s", state.notice.c_str());
  }
  Line(21, "stick: arrows  rudder: , .  centre: space  trim: [ ]  throttle: + - PgUp PgDn");
  Line(22, "pause: Ctrl+P   time: / *   quit: Ctrl+C   input box: type, Enter, Esc");
  Line(23, "any other key goes to the aircraft (G gear, F flaps, B brakes, 1 autopilot...)");
  refresh();
}
