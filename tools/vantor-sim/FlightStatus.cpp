#include "FlightStatus.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "vantor/sim/Observation.h"

bool ReadFlightStatus(const std::string& line, FlightStatusFields& fields) {
  constexpr std::string_view kStart = "Flight status - ";
  if (line.rfind(kStart, 0) != 0) {
    return false;
  }
  const std::size_t heading = line.rfind(" : Hd : ");
  const std::size_t alt = line.rfind("/ Alt ");
  const std::size_t phase = line.rfind("/ Phase ");
  if (heading == std::string::npos || heading < kStart.size() || alt == std::string::npos ||
      phase == std::string::npos) {
    return false;
  }
  const char* altText = line.c_str() + alt + 6;
  const char* phaseText = line.c_str() + phase + 8;
  char* altEnd = nullptr;
  char* phaseEnd = nullptr;
  const double altitude = std::strtod(altText, &altEnd);
  const unsigned long waypoint = std::strtoul(phaseText, &phaseEnd, 10);
  if (altEnd == altText || phaseEnd == phaseText || *phaseEnd != '\0' || !std::isfinite(altitude)) {
    return false;
  }
  fields.known = true;
  fields.waypoint = static_cast<unsigned>(waypoint);
  fields.altitudeTarget = altitude;
  fields.description.assign(line, kStart.size(), heading - kStart.size());
  return true;
}

FlightStatusFields ParseFlightStatus(const std::string& line) {
  FlightStatusFields fields;
  ReadFlightStatus(line, fields);
  return fields;
}

void FlightStatusCredits::BeforeTimestep() {
  vantor::sim::ReadStatusLine(statusBefore_);
}

void FlightStatusCredits::AfterTimestep(const vantor::VesselRecord& vessel) {
  vantor::sim::ReadStatusLine(statusAfter_);
  if (statusAfter_ == statusBefore_) {
    return;
  }
  if (!ReadFlightStatus(statusAfter_, parsed_)) {
    return;
  }
  // Swapped, not moved: both descriptions keep their buffers from frame to frame.
  for (Credit& credit : credits_) {
    if (credit.vessel == &vessel) {
      std::swap(credit.status, parsed_);
      return;
    }
  }
  credits_.push_back(Credit{&vessel, parsed_});
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
