#include "Trace.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "FlightReadings.h"
#include "Units.h"
#include "vantor/sim/Simulation.h"

namespace {

// A vessel name as one CSV field: the separators it must not contain become underscores.
std::string CsvField(const std::string& text) {
  std::string field = text;
  for (char& c : field) {
    if (c == ',' || c == '"' || c == '\n' || c == '\r') {
      c = '_';
    }
  }
  return field;
}

}  // namespace

FlightTrace::FlightTrace(const std::string& path, const FlightStatusCredits& credits)
    : file_(path), credits_(credits) {
  file_.Write(
      "time,vessel,longitude,latitude,altitude,heading,pitch,bank,airspeed,mach,aoa,throttle,"
      "elevator,aileron,rudder,flaps,waypoint,altitude_target,vertical_speed,fuel,pilot_elevator,"
      "pilot_aileron,pilot_rudder,pilot_trim\n");
}

void FlightTrace::Sample(double simt) {
  // Marks are counted, not summed, so that rounding never skips or repeats a row.
  if (simt + 1e-9 < static_cast<double>(nextRow_) * kInterval) {
    return;
  }
  const double time = static_cast<double>(nextRow_) * kInterval;
  for (const vantor::VesselRecord* vessel : vantor::sim::Vessels()) {
    WriteRow(time, *vessel);
  }
  nextRow_ = static_cast<long long>(std::floor(simt / kInterval + 1e-9)) + 1;
}

void FlightTrace::WriteRow(double time, const vantor::VesselRecord& vessel) {
  const vantor::FlightState& s = vessel.state;
  char figures[384];
  std::snprintf(figures, sizeof figures, "%.1f,", time);
  std::string row = figures + CsvField(vessel.name);
  std::snprintf(figures, sizeof figures,
                ",%.6f,%.6f,%.2f,%.3f,%.3f,%.3f,%.3f,%.4f,%.3f,%.4f,%.4f,%.4f,%.4f,%.4f,",
                s.longitude * kDegrees, s.latitude * kDegrees, s.altitude, s.heading * kDegrees,
                s.pitch * kDegrees, s.bank * kDegrees, s.airspeed, s.mach, s.aoa * kDegrees,
                ThrottleLevel(vessel), vessel.controlLevels[AIRCTRL_ELEVATOR],
                vessel.controlLevels[AIRCTRL_AILERON], vessel.controlLevels[AIRCTRL_RUDDER],
                vessel.controlLevels[AIRCTRL_FLAP]);
  row += figures;
  const FlightStatusFields& status = credits_.Of(vessel);
  if (status.known) {
    std::snprintf(figures, sizeof figures, "%u,%.0f", status.waypoint, status.altitudeTarget);
    row += figures;
  } else {
    row += ',';
  }
  const double* pilot = vessel.pilotLevels;
  std::snprintf(figures, sizeof figures, ",%.3f,%.3f,%.4f,%.4f,%.4f,%.4f\n", VerticalSpeed(vessel),
                FuelMass(vessel), pilot[AIRCTRL_ELEVATOR], pilot[AIRCTRL_AILERON],
                pilot[AIRCTRL_RUDDER], pilot[AIRCTRL_ELEVATORTRIM]);
  row += figures;
  file_.Write(row);
}

void FlightTrace::Close() {
  file_.Commit();
}
