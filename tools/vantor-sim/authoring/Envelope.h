// The performance envelope of an aircraft with the host's physics: thrust required and
// available against speed at several altitudes, the level-flight envelope (stall line, maximum
// speed, ceiling), the elevator to trim against speed, and the pitch moment against angle of
// attack with the trim points on it.
#pragma once

#include <vector>

#include "authoring/Trim.h"

namespace authoring {

struct SpeedPoint {
  double altitude = 0.0;
  double speed = 0.0;
  Trim trim;
};

struct EnvelopeLine {
  double altitude = 0.0;
  double stallSpeed = 0.0;     // 0: no speed lifts the weight
  double maxLevelSpeed = 0.0;  // 0: no level flight
};

struct MomentPoint {
  double aoa = 0.0;     // degrees
  double moment = 0.0;  // pitch moment coefficient about the centre of gravity, elevator neutral
};

struct TrimMark {
  double speed = 0.0;
  double aoa = 0.0;  // degrees
  double moment = 0.0;
};

struct Envelope {
  std::vector<double> curveAltitudes;  // those of the speed sweeps
  std::vector<SpeedPoint> sweep;       // per curve altitude, rising speeds
  std::vector<EnvelopeLine> lines;     // rising altitudes
  double ceiling = 0.0;                // highest level flight; 0 for none
  double momentAltitude = 0.0;
  std::vector<MomentPoint> moments;
  std::vector<TrimMark> marks;
};

// wingArea and chord scale the moment into a coefficient.
Envelope ComputeEnvelope(TrimSolver& solver, const Condition& base, double wingArea, double chord);

}  // namespace authoring
