#include "Trace.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "Errors.h"
#include "vantor/sim/Observation.h"
#include "vantor/sim/PilotControls.h"
#include "vantor/sim/Simulation.h"

namespace {

constexpr double kDegrees = 180.0 / 3.14159265358979323846;

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

FlightStatusFields ParseFlightStatus(const std::string& line) {
  FlightStatusFields fields;
  if (line.rfind("Flight status - ", 0) != 0) {
    return fields;
  }
  const std::size_t alt = line.rfind("/ Alt ");
  const std::size_t phase = line.rfind("/ Phase ");
  if (alt == std::string::npos || phase == std::string::npos) {
    return fields;
  }
  const char* altText = line.c_str() + alt + 6;
  const char* phaseText = line.c_str() + phase + 8;
  char* altEnd = nullptr;
  char* phaseEnd = nullptr;
  const double altitude = std::strtod(altText, &altEnd);
  const unsigned long waypoint = std::strtoul(phaseText, &phaseEnd, 10);
  if (altEnd == altText || phaseEnd == phaseText || *phaseEnd != '\0' || !std::isfinite(altitude)) {
    return fields;
  }
  fields.known = true;
  fields.waypoint = static_cast<unsigned>(waypoint);
  fields.altitudeTarget = altitude;
  return fields;
}

FlightTrace::FlightTrace(const std::string& path) : path_(path) {
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) {
    throw RunError("cannot write the trace to " + path + ": " + std::strerror(errno));
  }
  std::fputs(
      "time,vessel,longitude,latitude,altitude,heading,pitch,bank,airspeed,mach,aoa,throttle,"
      "elevator,aileron,rudder,flaps,waypoint,altitude_target,pilot_elevator,pilot_aileron,"
      "pilot_rudder,pilot_trim\n",
      file_);
}

FlightTrace::~FlightTrace() {
  if (file_ != nullptr) {
    std::fclose(file_);
  }
}

void FlightTrace::BeforeTimestep() {
  statusBefore_ = vantor::sim::StatusLine();
}

void FlightTrace::AfterTimestep(const vantor::VesselRecord& vessel) {
  const std::string status = vantor::sim::StatusLine();
  if (status == statusBefore_) {
    return;
  }
  const FlightStatusFields fields = ParseFlightStatus(status);
  if (!fields.known) {
    return;
  }
  for (Credit& credit : credits_) {
    if (credit.vessel == &vessel) {
      credit.status = fields;
      return;
    }
  }
  credits_.push_back(Credit{&vessel, fields});
}

const FlightStatusFields& FlightTrace::StatusOf(const vantor::VesselRecord& vessel) const {
  static const FlightStatusFields unknown;
  for (const Credit& credit : credits_) {
    if (credit.vessel == &vessel) {
      return credit.status;
    }
  }
  return unknown;
}

void FlightTrace::Sample(double simt) {
  // Marks are counted, not summed, so that rounding never skips or repeats a row.
  if (file_ == nullptr || simt + 1e-9 < static_cast<double>(nextRow_) * kInterval) {
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
  std::fprintf(file_,
               "%.1f,%s,%.6f,%.6f,%.2f,%.3f,%.3f,%.3f,%.3f,%.4f,%.3f,%.4f,%.4f,%.4f,%.4f,%.4f,",
               time, CsvField(vessel.name).c_str(), s.longitude * kDegrees, s.latitude * kDegrees,
               s.altitude, s.heading * kDegrees, s.pitch * kDegrees, s.bank * kDegrees, s.airspeed,
               s.mach, s.aoa * kDegrees, vantor::sim::MainThrottle(vessel),
               vessel.controlLevels[AIRCTRL_ELEVATOR], vessel.controlLevels[AIRCTRL_AILERON],
               vessel.controlLevels[AIRCTRL_RUDDER], vessel.controlLevels[AIRCTRL_FLAP]);
  const FlightStatusFields& status = StatusOf(vessel);
  if (status.known) {
    std::fprintf(file_, "%u,%.0f,", status.waypoint, status.altitudeTarget);
  } else {
    std::fputs(",,", file_);
  }
  const double* pilot = vessel.pilotLevels;
  std::fprintf(file_, "%.4f,%.4f,%.4f,%.4f\n", pilot[AIRCTRL_ELEVATOR], pilot[AIRCTRL_AILERON],
               pilot[AIRCTRL_RUDDER], pilot[AIRCTRL_ELEVATORTRIM]);
}

void FlightTrace::Close() {
  if (file_ == nullptr) {
    return;
  }
  const bool failed = std::ferror(file_) != 0;
  const bool closeFailed = std::fclose(file_) != 0;
  file_ = nullptr;
  if (failed || closeFailed) {
    throw RunError("cannot write the trace to " + path_);
  }
}
