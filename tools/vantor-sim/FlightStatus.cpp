#include "FlightStatus.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <utility>

#include "vantor/sim/Observation.h"

bool ReadFlightStatus(std::string_view line, FlightStatusFields& fields) {
  constexpr std::string_view kStart = "Flight status - ";
  if (!line.starts_with(kStart)) {
    return false;
  }
  const std::size_t heading = line.rfind(" : Hd : ");
  const std::size_t alt = line.rfind("/ Alt ");
  const std::size_t phase = line.rfind("/ Phase ");
  if (heading == std::string_view::npos || heading < kStart.size() ||
      alt == std::string_view::npos || phase == std::string_view::npos) {
    return false;
  }
  // The figures as the module prints them: the target a whole number of metres, the waypoint
  // an unsigned number that ends the line.
  const char* end = line.data() + line.size();
  double altitude = 0.0;
  unsigned waypoint = 0;
  const auto altRead = std::from_chars(line.data() + alt + 6, end, altitude);
  const auto phaseRead = std::from_chars(line.data() + phase + 8, end, waypoint);
  if (altRead.ec != std::errc{} || phaseRead.ec != std::errc{} || phaseRead.ptr != end ||
      !std::isfinite(altitude)) {
    return false;
  }
  fields.known = true;
  fields.waypoint = waypoint;
  fields.altitudeTarget = altitude;
  // The description changes only with the waypoint; an assignment every frame would cost more
  // than the comparison.
  const std::string_view description = line.substr(kStart.size(), heading - kStart.size());
  if (fields.description != description) {
    fields.description.assign(description);
  }
  return true;
}

FlightStatusFields ParseFlightStatus(const std::string& line) {
  FlightStatusFields fields;
  ReadFlightStatus(line, fields);
  return fields;
}

void FlightStatusCredits::BeforeTimestep() {
  statusBefore_.assign(vantor::sim::StatusLineView());
}

void FlightStatusCredits::AfterTimestep(const vantor::VesselRecord& vessel) {
  const std::string_view statusAfter = vantor::sim::StatusLineView();
  if (statusAfter == statusBefore_) {
    return;
  }
  if (!ReadFlightStatus(statusAfter, parsed_)) {
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
