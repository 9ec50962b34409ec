#include "FlightSummary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "FlightReadings.h"
#include "Units.h"
#include "vantor/sim/Simulation.h"

namespace {

// Great-circle distance between two places on a sphere of the given radius (haversine, which
// stays exact for the few metres between two frames).
double GroundDistance(const GroundPlace& from, const GroundPlace& to, double radius) {
  const double sinLatitude = std::sin((to.latitude - from.latitude) / 2.0);
  const double sinLongitude = std::sin((to.longitude - from.longitude) / 2.0);
  const double h =
      sinLatitude * sinLatitude + from.cosLatitude * to.cosLatitude * sinLongitude * sinLongitude;
  return 2.0 * radius * std::asin(std::sqrt(std::min(h, 1.0)));
}

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// A JSON number; a figure that is no number becomes null, which JSON can hold.
std::string JsonNumber(double value) {
  return std::isfinite(value) ? Format("%.9g", value) : "null";
}

std::string JsonText(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

}  // namespace

void FlightSummary::Sample(double simt, const FlightStatusCredits& credits) {
  vantor::sim::ListVessels(vessels_);
  for (const vantor::VesselRecord* vessel : vessels_) {
    // By address and name: a vessel made after another was deleted may get its address.
    std::size_t index = 0;
    while (index < watches_.size() &&
           (watches_[index].vessel != vessel || summaries_[index].name != vessel->name)) {
      ++index;
    }
    if (index == watches_.size()) {
      watches_.push_back(Watch{});
      watches_.back().vessel = vessel;
      summaries_.push_back(VesselSummary{});
      summaries_.back().name = vessel->name;
    }
    SampleVessel(simt, *vessel, credits.Of(*vessel), watches_[index], summaries_[index]);
  }
}

void FlightSummary::SampleVessel(double simt, const vantor::VesselRecord& vessel,
                                 const FlightStatusFields& status, Watch& watch,
                                 VesselSummary& summary) {
  const vantor::FlightState& s = vessel.state;
  const double verticalSpeed = VerticalSpeed(vessel);
  const double bank = std::fabs(s.bank * kDegrees);
  const double groundRadius = s.radius - s.altitude;
  const GroundPlace place{s.longitude, s.latitude, std::cos(s.latitude)};
  if (!watch.started) {
    watch.started = true;
    summary.startTime = simt;
    summary.fuelStart = FuelMass(vessel);
    summary.fuelCapacity = FuelCapacity(vessel);
    summary.airspeedMin = summary.airspeedMax = s.airspeed;
    summary.machMin = summary.machMax = s.mach;
    summary.loadFactorMin = summary.loadFactorMax = s.loadFactor;
    watch.onGround = s.groundContact;
  } else {
    summary.distance +=
        GroundDistance(watch.place, place, (watch.groundRadius + groundRadius) / 2.0);
  }
  watch.place = place;
  watch.groundRadius = groundRadius;
  const double elapsed = simt - watch.time;
  watch.time = simt;
  summary.endTime = simt;
  summary.fuelEnd = FuelMass(vessel);

  summary.bankMax = std::max(summary.bankMax, bank);
  summary.airspeedMin = std::min(summary.airspeedMin, s.airspeed);
  summary.airspeedMax = std::max(summary.airspeedMax, s.airspeed);
  summary.machMin = std::min(summary.machMin, s.mach);
  summary.machMax = std::max(summary.machMax, s.mach);
  summary.climbMax = std::max(summary.climbMax, verticalSpeed);
  summary.sinkMax = std::max(summary.sinkMax, -verticalSpeed);
  summary.loadFactorMin = std::min(summary.loadFactorMin, s.loadFactor);
  summary.loadFactorMax = std::max(summary.loadFactorMax, s.loadFactor);

  if (status.known) {
    if (watch.statusKnown && status.waypoint != watch.status.waypoint) {
      summary.waypoints.push_back(
          WaypointReached{watch.status.waypoint, watch.status.description, simt});
    }
    if (!watch.statusKnown || status.altitudeTarget != watch.status.altitudeTarget) {
      watch.captured = false;
    }
    const double error = std::fabs(s.altitude - status.altitudeTarget);
    watch.captured = watch.captured || error < kAltitudeCapture;
    if (watch.captured) {
      watch.errorSquares += error * error;
      ++watch.errorSamples;
      summary.altitudeErrorMax = std::max(summary.altitudeErrorMax, error);
      summary.captureSeconds += watch.errorSamples > 1 ? elapsed : 0.0;
    }
    watch.statusKnown = true;
    if (watch.status.reading != status.reading) {
      watch.status = status;
    }
  }

  // A touchdown counts from the first contact, with the speeds of the frame before it; leaving
  // the ground counts as a take-off only once the vessel stayed off it for kGroundSettle.
  if (!watch.onGround && s.groundContact) {
    summary.groundEvents.push_back(GroundEvent{false, simt, watch.airspeed, watch.verticalSpeed});
    watch.onGround = true;
  } else if (watch.onGround && s.groundContact) {
    watch.changing = false;  // a bounce
  } else if (watch.onGround && !watch.changing) {
    watch.changing = true;
    watch.pending = GroundEvent{true, simt, s.airspeed, verticalSpeed};
  } else if (watch.onGround && simt - watch.pending.time >= kGroundSettle - 1e-9) {
    summary.groundEvents.push_back(watch.pending);
    watch.onGround = false;
    watch.changing = false;
  }
  watch.airspeed = s.airspeed;
  watch.verticalSpeed = verticalSpeed;
}

void FlightSummary::Finish() {
  for (std::size_t i = 0; i < watches_.size(); ++i) {
    Watch& watch = watches_[i];
    if (watch.errorSamples > 0) {
      summaries_[i].altitudeErrorRms =
          std::sqrt(watch.errorSquares / static_cast<double>(watch.errorSamples));
    }
    if (watch.changing && watch.onGround) {
      summaries_[i].groundEvents.push_back(watch.pending);
      watch.changing = false;
    }
  }
}

std::string FlightSummary::Text() const {
  std::string text;
  const auto line = [&text](const char* label, const std::string& value) {
    char start[32];
    std::snprintf(start, sizeof start, "  %-17s ", label);
    text += start + value + "\n";
  };
  for (const VesselSummary& v : summaries_) {
    text += "Summary of " + v.name + " from " + Format("%.2f", v.startTime) + " to " +
            Format("%.2f s", v.endTime) + "\n";
    line("distance flown", Format("%.2f km over the ground", v.distance / 1000.0));
    if (v.fuelCapacity > 0.0) {
      line("fuel", "used " + Format("%.1f kg", v.fuelStart - v.fuelEnd) + ", left " +
                       Format("%.1f kg", v.fuelEnd) +
                       Format(" (%.0f %%", 100.0 * v.fuelEnd / v.fuelCapacity) +
                       Format(" of %.1f kg)", v.fuelCapacity));
    } else {
      line("fuel", "no tanks");
    }
    if (v.waypoints.empty()) {
      line("waypoints", "none reached");
    }
    for (const WaypointReached& waypoint : v.waypoints) {
      line("waypoint reached", std::to_string(waypoint.index) + " " + waypoint.description +
                                   " at " + Format("%.2f s", waypoint.time));
    }
    if (v.captureSeconds > 0.0) {
      line("altitude held", "error RMS " + Format("%.1f m", v.altitudeErrorRms) + ", largest " +
                                Format("%.1f m", v.altitudeErrorMax) + " over " +
                                Format("%.1f s", v.captureSeconds) + " after capture");
    } else {
      line("altitude held",
           Format("no flight-plan target captured (within %.0f m)", kAltitudeCapture));
    }
    line("bank", "largest " + Format("%.1f deg", v.bankMax));
    line("airspeed", Format("%.1f", v.airspeedMin) + " to " + Format("%.1f m/s", v.airspeedMax) +
                         ", Mach " + Format("%.3f", v.machMin) + " to " +
                         Format("%.3f", v.machMax));
    line("vertical speed", "climb up to " + Format("%.1f m/s", v.climbMax) + ", sink up to " +
                               Format("%.1f m/s", v.sinkMax));
    line("load factor",
         Format("%.2f", v.loadFactorMin) + " to " + Format("%.2f g", v.loadFactorMax));
    for (const GroundEvent& event : v.groundEvents) {
      line(event.takeOff ? "take-off" : "touchdown",
           "at " + Format("%.2f s", event.time) + ", airspeed " +
               Format("%.1f m/s", event.airspeed) + ", vertical speed " +
               Format("%.2f m/s", event.verticalSpeed));
    }
  }
  return text;
}

std::string FlightSummary::Json() const {
  std::string json = "{\n  \"vessels\": [";
  for (std::size_t i = 0; i < summaries_.size(); ++i) {
    const VesselSummary& v = summaries_[i];
    const auto field = [&json](const char* name, const std::string& value) {
      json += "\n      \"" + std::string(name) + "\": " + value + ",";
    };
    json += i > 0 ? ",\n    {" : "\n    {";
    field("name", JsonText(v.name));
    field("start_time_s", JsonNumber(v.startTime));
    field("end_time_s", JsonNumber(v.endTime));
    field("distance_m", JsonNumber(v.distance));
    field("fuel_start_kg", JsonNumber(v.fuelStart));
    field("fuel_used_kg", JsonNumber(v.fuelStart - v.fuelEnd));
    field("fuel_left_kg", JsonNumber(v.fuelEnd));
    field("fuel_capacity_kg", JsonNumber(v.fuelCapacity));
    std::string waypoints = "[";
    for (const WaypointReached& waypoint : v.waypoints) {
      waypoints += std::string(waypoints.size() > 1 ? ", " : "") +
                   "{\"index\": " + std::to_string(waypoint.index) +
                   ", \"description\": " + JsonText(waypoint.description) +
                   ", \"time_s\": " + JsonNumber(waypoint.time) + "}";
    }
    field("waypoints_reached", waypoints + "]");
    const bool captured = v.captureSeconds > 0.0;
    field("altitude_captured_s", JsonNumber(v.captureSeconds));
    field("altitude_error_rms_m", captured ? JsonNumber(v.altitudeErrorRms) : "null");
    field("altitude_error_max_m", captured ? JsonNumber(v.altitudeErrorMax) : "null");
    field("bank_max_deg", JsonNumber(v.bankMax));
    field("airspeed_min_m_s", JsonNumber(v.airspeedMin));
    field("airspeed_max_m_s", JsonNumber(v.airspeedMax));
    field("mach_min", JsonNumber(v.machMin));
    field("mach_max", JsonNumber(v.machMax));
    field("climb_max_m_s", JsonNumber(v.climbMax));
    field("sink_max_m_s", JsonNumber(v.sinkMax));
    field("load_factor_min", JsonNumber(v.loadFactorMin));
    field("load_factor_max", JsonNumber(v.loadFactorMax));
    std::string events = "[";
    for (const GroundEvent& event : v.groundEvents) {
      events += std::string(events.size() > 1 ? ", " : "") +
                "{\"event\": " + (event.takeOff ? "\"take-off\"" : "\"touchdown\"") +
                ", \"time_s\": " + JsonNumber(event.time) +
                ", \"airspeed_m_s\": " + JsonNumber(event.airspeed) +
                ", \"vertical_speed_m_s\": " + JsonNumber(event.verticalSpeed) + "}";
    }
    field("ground_events", events + "]");
    json.pop_back();  // the last field's comma
    json += "\n    }";
  }
  return json + (summaries_.empty() ? "]\n}\n" : "\n  ]\n}\n");
}
