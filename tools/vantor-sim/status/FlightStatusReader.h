// Reading the module's flight-status line ("Flight status - DESCRIPTION : Hd : ... / Alt %.0f /
// Ds %.3f / Phase %u"), which is all the host learns of a vessel's flight plan.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What the flight-status line says, as far as the trace, the summary and the plot need it.
struct FlightStatusFields {
  bool known = false;
  unsigned waypoint = 0;
  double altitudeTarget = 0.0;
  std::string description;  // of the waypoint now current
  // Counts the lines the reader read afresh: fields of the same reading say the same, and a
  // copy of them need not be made again.
  unsigned long reading = 0;
};

// Reads flight-status lines one after another. The line changes every frame, but mostly only in
// the steering figures: a line that differs from the last one read afresh only in digits, and
// not in the description, the target altitude or the waypoint, says what that one said, and is
// read without searching it again.
class FlightStatusReader {
 public:
  // Whether the line is a flight status; Fields() then says what it says. Any other line leaves
  // Fields() as they were.
  bool Read(std::string_view line);
  const FlightStatusFields& Fields() const { return fields_; }

 private:
  bool ReadAfresh(std::string_view line);
  bool SaysTheSameAsLast(std::string_view line) const;

  FlightStatusFields fields_;
  std::string line_;  // the last flight status read afresh, and where its figures are:
  std::size_t descriptionEnd_ = 0;
  std::size_t altitudeStart_ = 0;
  std::size_t altitudeEnd_ = 0;
  std::size_t waypointStart_ = 0;
};
