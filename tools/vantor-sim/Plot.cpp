#include "Plot.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "Errors.h"
#include "frame/Aircraft.h"
#include "vantor/sim/OutputFile.h"
#include "vantor/sim/Simulation.h"

#if defined(_WIN32)
#define popen _popen
#define pclose _pclose
#endif

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kKilometresPerDegree = 6371.0 * kPi / 180.0;

std::string Trim(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) {
    ++begin;
  }
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) {
    --end;
  }
  return text.substr(begin, end - begin);
}

std::string Upper(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return text;
}

// The waypoints of a flight plan as the module holds them once it loaded the plan: the
// module's own loading runs on a vessel record of the plot's, offstage, so that the plot shows
// what the aircraft flew to and the run's host log does not see it.
std::vector<PlotWaypoint> LoadPlanWaypoints(const std::string& name) {
  const vantor::sim::Offstage offstage;
  vantor::VesselRecord vessel;
  vessel.name = "plot-flight-plan";
  Aircraft aircraft(&vessel);
  aircraft.LoadFlightPlan(name.c_str());
  std::vector<PlotWaypoint> waypoints;
  const FlightPlan& plan = aircraft.flightPlan;
  for (int w = 0; w < plan.count; ++w) {
    const VECTOR3& position = plan.waypoints[w].position;
    waypoints.push_back(PlotWaypoint{position.x * 180.0 / kPi, position.y * 180.0 / kPi, position.z,
                                     plan.waypoints[w].proximity});
  }
  return waypoints;
}

// The trace's columns the plot draws, in the order of its data blocks. Columns are found by
// name, so a trace with more columns (or an older one with fewer) still draws.
constexpr const char* kSeries[] = {
    "altitude", "altitude_target", "airspeed", "vertical_speed", "pitch", "bank",
    "throttle", "elevator",        "aileron",  "rudder",         "flaps", "fuel"};
constexpr std::size_t kSeriesCount = sizeof kSeries / sizeof kSeries[0];

struct TraceRow {
  double time = 0.0;
  double longitude = 0.0;
  double latitude = 0.0;
  std::string series[kSeriesCount];  // as written; empty when the trace has none
};

struct VesselTrack {
  std::string name;
  std::vector<TraceRow> rows;
};

std::vector<std::string> SplitCsv(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream columns(line);
  for (std::string field; std::getline(columns, field, ',');) {
    fields.push_back(Trim(field));
  }
  if (!line.empty() && line.back() == ',') {
    fields.emplace_back();
  }
  return fields;
}

std::vector<VesselTrack> ReadTrace(const std::string& path) {
  std::ifstream file(path);
  if (!file) {
    throw RunError("cannot read the trace " + path);
  }
  std::string line;
  std::getline(file, line);
  const std::vector<std::string> header = SplitCsv(line);
  const auto column = [&header](const std::string& name) {
    for (std::size_t i = 0; i < header.size(); ++i) {
      if (header[i] == name) {
        return static_cast<int>(i);
      }
    }
    return -1;
  };
  const int time = column("time");
  const int vessel = column("vessel");
  const int longitude = column("longitude");
  const int latitude = column("latitude");
  if (time < 0 || vessel < 0 || longitude < 0 || latitude < 0) {
    throw RunError(path + ": not a flight trace (no time, vessel, longitude or latitude column)");
  }
  int series[kSeriesCount];
  for (std::size_t i = 0; i < kSeriesCount; ++i) {
    series[i] = column(kSeries[i]);
  }
  std::vector<VesselTrack> tracks;
  while (std::getline(file, line)) {
    const std::vector<std::string> fields = SplitCsv(line);
    if (fields.size() < header.size()) {
      continue;
    }
    TraceRow row;
    row.time = std::atof(fields[time].c_str());
    row.longitude = std::atof(fields[longitude].c_str());
    row.latitude = std::atof(fields[latitude].c_str());
    for (std::size_t i = 0; i < kSeriesCount; ++i) {
      row.series[i] = series[i] >= 0 ? fields[series[i]] : "";
    }
    VesselTrack* track = nullptr;
    for (VesselTrack& existing : tracks) {
      if (existing.name == fields[vessel]) {
        track = &existing;
      }
    }
    if (track == nullptr) {
      tracks.push_back(VesselTrack{fields[vessel], {}});
      track = &tracks.back();
    }
    track->rows.push_back(std::move(row));
  }
  return tracks;
}

// gnuplot takes text in single quotes literally, with '' for a quote.
std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    quoted += c;
    if (c == '\'') {
      quoted += '\'';
    }
  }
  return quoted + "'";
}

// A path as one word of the shell that popen runs.
std::string ShellWord(const std::string& path) {
#if defined(_WIN32)
  return "\"" + path + "\"";
#else
  std::string word = "'";
  for (char c : path) {
    word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return word + "'";
#endif
}

std::string Number(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

// The terminal lines of a plot script: SVG when the picture's name ends in .svg, PNG otherwise.
std::string Terminal(const std::string& plotPath, const std::string& outputPath, int width,
                     int height) {
  const bool svg = plotPath.size() >= 4 && Upper(plotPath.substr(plotPath.size() - 4)) == ".SVG";
  std::ostringstream lines;
  lines << (svg ? "set terminal svg size " : "set terminal pngcairo size ") << width << ','
        << height << (svg ? " dynamic font 'sans,11'\n" : " font 'sans,10'\n");
  lines << "set output " << Quoted(outputPath) << "\n";
  return lines.str();
}

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Keeps the script beside the picture (FILE.gp), then has gnuplot draw it into a file beside
// the picture that replaces it only once gnuplot succeeded. What gnuplot says goes to a file
// of its own, shown only when it fails.
void RunGnuplot(const std::string& script, const std::string& plotPath, int width, int height) {
  const std::string scriptPath = plotPath + ".gp";
  vantor::sim::WriteFileAtomically(scriptPath,
                                   Terminal(plotPath, plotPath, width, height) + script);
  vantor::sim::OutputFile picture(plotPath);
  const std::string drawing = picture.HandOver();
  const std::string messagesPath = drawing + ".messages";
  std::FILE* gnuplot = popen(("gnuplot 2>" + ShellWord(messagesPath)).c_str(), "w");
  if (gnuplot == nullptr) {
    throw RunError("--plot needs gnuplot (apt-get install gnuplot-nox)");
  }
  const std::string text = Terminal(plotPath, drawing, width, height) + script;
  std::fwrite(text.data(), 1, text.size(), gnuplot);
  const int status = pclose(gnuplot);
  std::string messages = ReadAll(messagesPath);
  std::remove(messagesPath.c_str());
  if (status != 0) {
    const std::size_t end = messages.find_last_not_of("\n\r ");
    messages = end == std::string::npos ? "" : messages.substr(0, end + 1);
    const std::size_t lastLine = messages.rfind('\n');
    const std::string said =
        messages.empty() ? ""
                         : ": " + messages.substr(lastLine == std::string::npos ? 0 : lastLine + 1);
    throw RunError(
        "gnuplot could not draw " + plotPath + said +
        (messages.empty() ? " (is gnuplot installed? apt-get install gnuplot-nox)" : "") +
        "; the script is " + scriptPath);
  }
  picture.Commit();
}

// The square frame, in kilometres, that holds every point given, a little margin around.
struct Frame {
  double east0 = 0.0;
  double north0 = 0.0;
  double half = 1.0;  // half the side
};

Frame FitFrame(const std::vector<std::pair<double, double>>& points,
               const std::vector<std::pair<std::pair<double, double>, double>>& circles) {
  double west = INFINITY;
  double east = -INFINITY;
  double south = INFINITY;
  double north = -INFINITY;
  const auto take = [&](double x, double y, double radius) {
    if (std::isfinite(x) && std::isfinite(y) && std::isfinite(radius)) {
      west = std::min(west, x - radius);
      east = std::max(east, x + radius);
      south = std::min(south, y - radius);
      north = std::max(north, y + radius);
    }
  };
  for (const auto& [x, y] : points) {
    take(x, y, 0.0);
  }
  for (const auto& [centre, radius] : circles) {
    take(centre.first, centre.second, std::fabs(radius));
  }
  Frame frame;
  if (west > east) {
    return frame;
  }
  frame.east0 = (west + east) / 2.0;
  frame.north0 = (south + north) / 2.0;
  // At least a kilometre each way, so that a vessel standing still still gets a map.
  frame.half = std::max(std::max(east - west, north - south) * 0.54, 1.0);
  return frame;
}

// The panels of time series beside the ground track: title, y label, and the series drawn.
struct Panel {
  const char* title;
  const char* label;
  std::vector<std::size_t> series;  // indexes into kSeries
  const char* range;                // the y range, or "*:*" to fit the data
  const char* key;                  // where the key goes: over the least used part
};

std::string Script(const std::vector<VesselTrack>& tracks, const std::vector<PlotPlan>& plans) {
  // Distances in kilometres east and north of a reference point, so that the track keeps its
  // shape and the proximity circles are round.
  double lon0 = 0.0;
  double lat0 = 0.0;
  if (!plans.empty() && !plans.front().waypoints.empty()) {
    lon0 = plans.front().waypoints.front().longitude;
    lat0 = plans.front().waypoints.front().latitude;
  } else if (!tracks.empty() && !tracks.front().rows.empty()) {
    lon0 = tracks.front().rows.front().longitude;
    lat0 = tracks.front().rows.front().latitude;
  }
  const double eastScale = kKilometresPerDegree * std::cos(lat0 * kPi / 180.0);
  const auto east = [&](double longitude) { return (longitude - lon0) * eastScale; };
  const auto north = [&](double latitude) { return (latitude - lat0) * kKilometresPerDegree; };

  std::ostringstream script;
  script << "set datafile missing '?'\n";
  std::vector<std::pair<double, double>> points;
  for (std::size_t v = 0; v < tracks.size(); ++v) {
    script << "$track" << v << " << EOD\n";
    for (const TraceRow& row : tracks[v].rows) {
      const double x = east(row.longitude);
      const double y = north(row.latitude);
      points.emplace_back(x, y);
      script << Number(row.time) << ' ' << Number(x) << ' ' << Number(y);
      for (const std::string& value : row.series) {
        script << ' ' << (value.empty() || value == "nan" ? "?" : value);
      }
      script << '\n';
    }
    script << "EOD\n";
  }
  script << "$waypoints << EOD\n";
  std::vector<std::pair<std::pair<double, double>, double>> circles;
  for (const PlotPlan& plan : plans) {
    for (std::size_t w = 0; w < plan.waypoints.size(); ++w) {
      const PlotWaypoint& waypoint = plan.waypoints[w];
      const double x = east(waypoint.longitude);
      const double y = north(waypoint.latitude);
      script << Number(x) << ' ' << Number(y) << ' ' << w << '\n';
      circles.push_back({{x, y}, waypoint.proximity / 1000.0});
    }
  }
  script << "EOD\n";
  const Frame frame = FitFrame(points, circles);

  script << "set multiplot title 'Flight' font ',13'\n";
  // The ground track: one scale on both axes and a square frame round track and waypoints.
  script << "set origin 0,0\nset size 0.4,0.96\n";
  script << "set title 'Ground track'\nset size ratio -1\nset grid\n"
            "set xlabel 'east (km)'\nset ylabel 'north (km)'\nset key below horizontal font ',9'\n";
  script << "set xrange [" << Number(frame.east0 - frame.half) << ':'
         << Number(frame.east0 + frame.half) << "]\n";
  script << "set yrange [" << Number(frame.north0 - frame.half) << ':'
         << Number(frame.north0 + frame.half) << "]\n";
  int object = 1;
  for (const auto& [centre, radius] : circles) {
    script << "set object " << object++ << " circle at " << Number(centre.first) << ','
           << Number(centre.second) << " size " << Number(radius)
           << " fc rgb '#2a9d8f' fs transparent solid 0.15 border lc rgb '#2a9d8f'\n";
  }
  script << "plot ";
  for (std::size_t v = 0; v < tracks.size(); ++v) {
    script << "$track" << v << " using 2:3 with lines lw 2 lc " << v + 1 << " title "
           << Quoted(tracks[v].name) << ", $track" << v
           << " every ::0::0 using 2:3 with points pt 5 ps 1.2 lc rgb '#333333' "
           << (v == 0 ? "title 'start'" : "notitle") << ", ";
  }
  script << "$waypoints using 1:2 with points pt 7 ps 1.2 lc rgb '#264653' title 'waypoints', "
            "$waypoints using 1:2:3 with labels offset 1.2,1.2 notitle\n";
  script << "unset object\nset size noratio\nset autoscale\nset key inside top right opaque font "
            "',8'\n"
            "set xlabel 'time (s)'\n";

  const Panel panels[] = {
      {"Altitude", "m", {0, 1}, "*:*", "top right"},
      {"Airspeed", "m/s", {2}, "*:*", "top right"},
      {"Vertical speed", "m/s", {3}, "*:*", "top right"},
      {"Pitch and bank", "deg", {4, 5}, "*:*", "top right"},
      // Levels run from -1 to 1; a fixed scale shows how much of the travel is used, and the
      // throttle (0 to 1) leaves the lower half free.
      {"Throttle and control surfaces", "level", {6, 7, 8, 9, 10}, "-1.1:1.1", "bottom right"},
      {"Fuel", "kg", {11}, "*:*", "top right"},
  };
  const bool several = tracks.size() > 1;
  for (std::size_t p = 0; p < sizeof panels / sizeof panels[0]; ++p) {
    const Panel& panel = panels[p];
    const double x = 0.4 + 0.3 * static_cast<double>(p % 2);
    const double y = 0.64 - 0.32 * static_cast<double>(p / 2);
    script << "set origin " << Number(x) << ',' << Number(y) << "\nset size 0.3,0.32\n";
    script << "set title " << Quoted(panel.title) << "\nset ylabel " << Quoted(panel.label)
           << "\nset yrange [" << panel.range << "]\nset key " << panel.key << "\n";
    script << "plot ";
    bool first = true;
    for (std::size_t v = 0; v < tracks.size(); ++v) {
      for (std::size_t k = 0; k < panel.series.size(); ++k) {
        const std::size_t series = panel.series[k];
        // A series the trace does not hold at all (no target known) would only draw a warning.
        bool any = false;
        for (const TraceRow& row : tracks[v].rows) {
          any = any || !(row.series[series].empty() || row.series[series] == "nan");
        }
        if (!any) {
          continue;
        }
        std::string title = kSeries[series];
        for (char& c : title) {
          c = c == '_' ? ' ' : c;
        }
        if (several) {
          title = tracks[v].name + " " + title;
        }
        // With several vessels each keeps its colour in every panel and the series of a panel
        // differ by dashes; alone, the series differ by colour.
        script << (first ? "" : ", ") << "$track" << v << " using 1:" << series + 4
               << " with lines lw 1.5";
        if (several) {
          script << " lc " << v + 1 << " dt " << k + 1;
        } else if (series == 1) {
          script << " dt 2";
        }
        script << " title " << Quoted(title);
        first = false;
      }
    }
    if (first) {
      script << "NaN notitle";
    }
    script << '\n';
  }
  script << "unset multiplot\nset output\n";
  return script.str();
}

}  // namespace

void NoteHeldPlans(std::vector<std::string>& names) {
  for (vantor::VesselRecord* vessel : vantor::sim::Vessels()) {
    for (const std::string& line : vantor::sim::PeekState(*vessel)) {
      if (line.size() <= 10 || Upper(line.substr(0, 10)) != "FLIGHTPLAN" ||
          !std::isspace(static_cast<unsigned char>(line[10]))) {
        continue;
      }
      const std::string name = Trim(line.substr(10));
      if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) {
        names.push_back(name);
      }
    }
  }
}

std::vector<PlotPlan> ReadPlans(const std::vector<std::string>& names) {
  std::vector<PlotPlan> plans;
  for (const std::string& name : names) {
    PlotPlan plan{name, LoadPlanWaypoints(name)};
    if (!plan.waypoints.empty()) {
      plans.push_back(std::move(plan));
    }
  }
  return plans;
}

void DrawFlightPlot(const std::string& tracePath, const std::string& plotPath,
                    const std::vector<PlotPlan>& plans) {
  RunGnuplot(Script(ReadTrace(tracePath), plans), plotPath, 1800, 900);
}

void DrawPolarPlot(const std::string& csvPath, const std::string& plotPath,
                   const std::string& title) {
  std::ostringstream script;
  script << "set datafile separator ','\nset grid\nset xlabel 'angle of attack (deg)'\n"
            "set key top left\n";
  script << "set multiplot layout 1,3 title " << Quoted(title) << " font ',13'\n";
  const char* const names[3] = {"lift", "moment", "drag"};
  for (int column = 0; column < 3; ++column) {
    script << "set title '" << names[column] << " coefficient'\nset ylabel 'C'\n"
           << "plot " << Quoted(csvPath) << " every ::1 using 1:" << column + 2
           << " with linespoints pt 7 ps 0.5 lw 2 title 'wing', " << Quoted(csvPath)
           << " every ::1 using 1:" << column + 5
           << " with linespoints pt 7 ps 0.5 lw 2 title 'fin'\n";
  }
  script << "unset multiplot\nset output\n";
  RunGnuplot(script.str(), plotPath, 1400, 450);
}
