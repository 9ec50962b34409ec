// Engine settings of the AIRCRAFT section and the state engine management keeps per aircraft.
#pragma once

struct EngineSettings {
  int flightModel = 1;
  double ceiling = 0.0;
  double engineEfficiency = 1.0;
  double lastThrottleLevel = 0.0;  // group level seen by this aircraft's previous frame
};
