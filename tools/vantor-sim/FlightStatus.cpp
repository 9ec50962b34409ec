#include "FlightStatus.h"

#include <cmath>
#include <cstdlib>

#include "vantor/sim/Observation.h"

FlightStatusFields ParseFlightStatus(const std::string& line) {
  FlightStatusFields fields;
  constexpr std::string_view kStart = "Flight status - ";
  if (line.rfind(kStart, 0) != 0) {
    return fields;
  }
  const std::size_t heading = line.rfind(" : Hd : ");
  const std::size_t alt = line.rfind("/ Alt ");
  const std::size_t phase = line.rfind("/ Phase ");
  if (heading == std::string::npos || heading < kStart.size() || alt == std::string::npos ||
      phase == std::string::npos) {
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
  fields.description = line.substr(kStart.size(), heading - kStart.size());
  return fields;
}

void FlightStatusCredits::BeforeTimestep() {
  statusBefore_ = vantor::sim::StatusLine();
}

void FlightStatusCredits::AfterTimestep(const vantor::VesselRecord& vessel) {
  const std::string status = vantor::sim::StatusLine();
  if (status == statusBefore_) {
    return;
  }
  FlightStatusFields fields = ParseFlightStatus(status);
  if (!fields.known) {
    return;
  }
  for (Credit& credit : credits_) {
    if (credit.vessel == &vessel) {
      credit.status = std::move(fields);
      return;
    }
  }
  credits_.push_back(Credit{&vessel, std::move(fields)});
}

const FlightStatusFields& FlightStatusCredits::Of(const vantor::VesselRecord& vessel) const {
  static const FlightStatusFields unknown;
  for (const Credit& credit : credits_) {
    if (credit.vessel == &vessel) {
      return credit.status;
    }
  }
  return unknown;
}
