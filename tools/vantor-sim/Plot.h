// Pictures drawn by gnuplot. FILE ending in .svg gives SVG, anything else PNG; the gnuplot
// script is kept beside it as FILE.gp. The picture and the script are written beside their
// targets and moved into place when complete; gnuplot's own messages are shown only when it
// fails.
//
// `vantor-sim fly --plot FILE`: the ground track of every vessel in a square frame with equal
// scales, with the waypoints of the flight plans the vessels held and their proximity circles;
// beside it altitude with its target, airspeed, vertical speed, pitch and bank, throttle and the
// control surfaces, and fuel over time.
// `vantor-sim polar --plot FILE`: lift, moment and drag against angle of attack, wing and fin.
#pragma once

#include <string>
#include <vector>

struct PlotWaypoint {
  double longitude = 0.0;  // degrees
  double latitude = 0.0;   // degrees
  double altitude = 0.0;   // metres
  double proximity = 0.0;  // metres
};

struct PlotPlan {
  std::string name;
  std::vector<PlotWaypoint> waypoints;
};

// Adds to names, each once, the flight plan every vessel's module holds now, as it would save
// it (its FLIGHTPLAN line): a plan loaded from the scenario, through the input box or by any
// other way is drawn alike. Nothing is logged.
void NoteHeldPlans(std::vector<std::string>& names);

// The waypoints of each named plan as the module loads it from
// ./Config/Aircraft/FlightPlans/NAME.ini under the current directory (the simulator root); a
// plan without waypoints is left out.
std::vector<PlotPlan> ReadPlans(const std::vector<std::string>& names);

// Draws the trace (as written by FlightTrace) into plotPath; throws RunError when gnuplot is
// missing or fails, and what the write seam throws when a file cannot be written.
void DrawFlightPlot(const std::string& tracePath, const std::string& plotPath,
                    const std::vector<PlotPlan>& plans);

// Draws the polar written by `vantor-sim polar` (its CSV, header line first) into plotPath.
void DrawPolarPlot(const std::string& csvPath, const std::string& plotPath,
                   const std::string& title);
