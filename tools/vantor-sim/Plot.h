// Pictures drawn by gnuplot. FILE ending in .svg gives SVG, anything else PNG; the gnuplot
// script is kept beside it as FILE.gp.
//
// `vantor-sim fly --plot FILE`: the ground track of every vessel with the waypoints of the
// scenario's flight plans and their proximity circles, and altitude with its target over time.
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

// The flight plans named by the scenario's FLIGHTPLAN lines, each once, read from
// ./Config/Aircraft/FlightPlans/NAME.ini under the current directory (the simulator root).
// A plan that cannot be read is left out.
std::vector<PlotPlan> ReadScenarioPlans(const std::string& scenarioPath);

// Draws the trace (as written by FlightTrace) into plotPath; throws RunError when gnuplot is
// missing or fails.
void DrawFlightPlot(const std::string& tracePath, const std::string& plotPath,
                    const std::vector<PlotPlan>& plans);

// Draws the polar written by `vantor-sim polar` (its CSV, header line first) into plotPath.
void DrawPolarPlot(const std::string& csvPath, const std::string& plotPath,
                   const std::string& title);
