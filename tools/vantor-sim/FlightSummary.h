// The summary printed at the end of every `vantor-sim fly`, per vessel, and written as JSON with
// --summary FILE. It is computed from a sample of every vessel after every frame, so it sees
// more than the trace's 0.1 s rows; both read the same flight state.
#pragma once

#include <string>
#include <vector>

#include "FlightStatus.h"
#include "vantor/sim/VesselRecord.h"

struct WaypointReached {
  unsigned index = 0;
  std::string description;
  double time = 0.0;  // seconds: the frame on which the plan moved on from it
};

// A touchdown (the first contact after flight, with the speeds just before it), or a take-off
// (leaving the ground for at least kGroundSettle seconds, so that a bounce is not one).
struct GroundEvent {
  bool takeOff = false;  // false: touchdown
  double time = 0.0;     // the frame on which the contact changed
  double airspeed = 0.0;
  double verticalSpeed = 0.0;
};

struct VesselSummary {
  std::string name;
  double startTime = 0.0;
  double endTime = 0.0;
  double distance = 0.0;  // metres over the ground
  double fuelStart = 0.0;
  double fuelEnd = 0.0;
  double fuelCapacity = 0.0;
  std::vector<WaypointReached> waypoints;
  // Altitude error, counted from the frame the vessel first comes within kAltitudeCapture of a
  // target until the target changes; captureSeconds is how long it was counted.
  double captureSeconds = 0.0;
  double altitudeErrorRms = 0.0;
  double altitudeErrorMax = 0.0;
  double bankMax = 0.0;  // degrees, either side
  double airspeedMin = 0.0;
  double airspeedMax = 0.0;
  double machMin = 0.0;
  double machMax = 0.0;
  double climbMax = 0.0;  // m/s, largest vertical speed upward
  double sinkMax = 0.0;   // m/s, largest vertical speed downward, as a positive number
  double loadFactorMin = 0.0;
  double loadFactorMax = 0.0;
  std::vector<GroundEvent> groundEvents;
};

// A place on the ground, with the cosine of its latitude, which the distances to the places
// before and after it both need.
struct GroundPlace {
  double longitude = 0.0;
  double latitude = 0.0;
  double cosLatitude = 1.0;
};

class FlightSummary {
 public:
  static constexpr double kAltitudeCapture = 30.0;  // metres
  static constexpr double kGroundSettle = 1.0;      // seconds

  // After every frame (and once before the first): a sample of every vessel.
  void Sample(double simt, const FlightStatusCredits& credits);
  // At the end of the run, before Text or Json: the altitude error's RMS is worked out, and a
  // vessel that left the ground less than kGroundSettle before is reported as taken off.
  void Finish();

  const std::vector<VesselSummary>& vessels() const { return summaries_; }
  // For the terminal, a block of lines per vessel.
  std::string Text() const;
  std::string Json() const;

 private:
  // What is carried from one frame to the next.
  struct Watch {
    const vantor::VesselRecord* vessel = nullptr;
    bool started = false;
    double time = 0.0;
    GroundPlace place;
    double groundRadius = 0.0;
    bool statusKnown = false;
    FlightStatusFields status;
    bool captured = false;
    double errorSquares = 0.0;
    long long errorSamples = 0;
    double airspeed = 0.0;  // of the previous sample
    double verticalSpeed = 0.0;
    bool onGround = false;
    bool changing = false;  // off the ground, not yet for kGroundSettle
    GroundEvent pending;
  };
  void SampleVessel(double simt, const vantor::VesselRecord& vessel,
                    const FlightStatusFields& status, Watch& watch, VesselSummary& summary);

  std::vector<Watch> watches_;
  std::vector<VesselSummary> summaries_;
  std::vector<vantor::VesselRecord*> vessels_;  // kept from sample to sample
};
