#include "status/FlightStatusReader.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "status/TextShape.h"

namespace {

// Whether two lines of one length hold the same bytes from from up to to.
bool SameBytes(std::string_view a, std::string_view b, std::size_t from, std::size_t to) {
  return from <= to && to <= a.size() && to <= b.size() &&
         std::memcmp(a.data() + from, b.data() + from, to - from) == 0;
}

}  // namespace

bool FlightStatusReader::Read(std::string_view line) {
  return SaysTheSameAsLast(line) || ReadAfresh(line);
}

// Texts without digits are found at the same places in lines whose digits alone differ, so the
// three markers are where they were; each figure is read from its own characters, up to the one
// that ends it, which is the same in both.
bool FlightStatusReader::SaysTheSameAsLast(std::string_view line) const {
  return fields_.known && DigitsAloneDiffer(line, line_) &&
         SameBytes(line, line_, 0, descriptionEnd_) &&
         SameBytes(line, line_, altitudeStart_, altitudeEnd_ + 1) &&
         SameBytes(line, line_, waypointStart_, line.size());
}

bool FlightStatusReader::ReadAfresh(std::string_view line) {
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
  fields_.known = true;
  ++fields_.reading;
  fields_.waypoint = waypoint;
  fields_.altitudeTarget = altitude;
  fields_.description.assign(line.substr(kStart.size(), heading - kStart.size()));
  line_.assign(line);
  descriptionEnd_ = heading;
  altitudeStart_ = alt + 6;
  altitudeEnd_ = static_cast<std::size_t>(altRead.ptr - line.data());
  waypointStart_ = phase + 8;
  return true;
}
