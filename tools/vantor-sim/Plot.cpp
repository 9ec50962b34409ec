#include "Plot.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "Errors.h"

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

// The waypoints of a flight-plan file: WAYPOINT_0, WAYPOINT_1, ... up to the first section
// without a POSITION.
std::vector<PlotWaypoint> ReadPlanFile(const std::string& path) {
  std::ifstream file(path);
  std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> sections;
  for (std::string line; std::getline(file, line);) {
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') {
      continue;
    }
    if (line[0] == '[') {
      sections.push_back({Upper(Trim(line.substr(1, line.find(']') - 1))), {}});
    } else if (const std::size_t equals = line.find('=');
               equals != std::string::npos && !sections.empty()) {
      sections.back().second.push_back(
          {Upper(Trim(line.substr(0, equals))), Trim(line.substr(equals + 1))});
    }
  }
  const auto value = [&](const std::string& section, const std::string& key) -> std::string {
    for (const auto& [name, entries] : sections) {
      if (name == section) {
        for (const auto& [entryKey, entryValue] : entries) {
          if (entryKey == key) {
            return entryValue;
          }
        }
      }
    }
    return "";
  };
  std::vector<PlotWaypoint> waypoints;
  for (int index = 0;; ++index) {
    const std::string section = "WAYPOINT_" + std::to_string(index);
    std::string position = value(section, "POSITION");
    for (char& c : position) {
      if (c == '(' || c == ')' || c == ',') {
        c = ' ';
      }
    }
    PlotWaypoint waypoint;
    std::istringstream numbers(position);
    if (!(numbers >> waypoint.longitude >> waypoint.latitude >> waypoint.altitude)) {
      break;
    }
    waypoint.proximity = std::atof(value(section, "PROXIMITY").c_str());
    waypoints.push_back(waypoint);
  }
  return waypoints;
}

struct TraceRow {
  double time;
  double longitude;
  double latitude;
  double altitude;
  std::string target;  // empty while unknown
};

struct VesselTrack {
  std::string name;
  std::vector<TraceRow> rows;
};

std::vector<VesselTrack> ReadTrace(const std::string& path) {
  std::ifstream file(path);
  if (!file) {
    throw RunError("cannot read the trace " + path);
  }
  std::vector<VesselTrack> tracks;
  std::string line;
  std::getline(file, line);  // header
  while (std::getline(file, line)) {
    std::vector<std::string> fields;
    std::istringstream columns(line);
    for (std::string field; std::getline(columns, field, ',');) {
      fields.push_back(field);
    }
    if (fields.size() < 17) {
      continue;
    }
    TraceRow row{std::atof(fields[0].c_str()), std::atof(fields[2].c_str()),
                 std::atof(fields[3].c_str()), std::atof(fields[4].c_str()),
                 fields.size() > 17 ? fields[17] : ""};
    VesselTrack* track = nullptr;
    for (VesselTrack& existing : tracks) {
      if (existing.name == fields[1]) {
        track = &existing;
      }
    }
    if (track == nullptr) {
      tracks.push_back(VesselTrack{fields[1], {}});
      track = &tracks.back();
    }
    track->rows.push_back(row);
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

std::string Number(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

// The terminal lines of a plot script: SVG for FILE.svg, PNG otherwise.
std::string Terminal(const std::string& plotPath, int width, int height) {
  const bool svg = plotPath.size() >= 4 && Upper(plotPath.substr(plotPath.size() - 4)) == ".SVG";
  std::ostringstream lines;
  lines << (svg ? "set terminal svg size " : "set terminal pngcairo size ") << width << ','
        << height << (svg ? " dynamic font 'sans,11'\n" : " font 'sans,10'\n");
  lines << "set output " << Quoted(plotPath) << "\n";
  return lines.str();
}

// Keeps the script beside the picture (FILE.gp), then has gnuplot draw it.
void RunGnuplot(const std::string& script, const std::string& plotPath) {
  const std::string scriptPath = plotPath + ".gp";
  {
    std::ofstream file(scriptPath, std::ios::binary | std::ios::trunc);
    file << script;
    if (!file) {
      throw RunError("cannot write the plot script " + scriptPath);
    }
  }
  std::FILE* gnuplot = popen("gnuplot", "w");
  if (gnuplot == nullptr) {
    throw RunError("--plot needs gnuplot (apt-get install gnuplot-nox)");
  }
  std::fwrite(script.data(), 1, script.size(), gnuplot);
  const int status = pclose(gnuplot);
  if (status != 0) {
    throw RunError("gnuplot could not draw " + plotPath +
                   " (is gnuplot installed? apt-get install gnuplot-nox); the script is " +
                   scriptPath);
  }
}

std::string Script(const std::string& plotPath, const std::vector<VesselTrack>& tracks,
                   const std::vector<PlotPlan>& plans) {
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
  script << Terminal(plotPath, 1400, 650);
  script << "set datafile missing '?'\n";
  for (std::size_t v = 0; v < tracks.size(); ++v) {
    script << "$track" << v << " << EOD\n";
    for (const TraceRow& row : tracks[v].rows) {
      script << Number(row.time) << ' ' << Number(east(row.longitude)) << ' '
             << Number(north(row.latitude)) << ' ' << Number(row.altitude) << ' '
             << (row.target.empty() ? "?" : row.target) << '\n';
    }
    script << "EOD\n";
  }
  script << "$waypoints << EOD\n";
  int object = 1;
  std::ostringstream circles;
  for (const PlotPlan& plan : plans) {
    for (std::size_t w = 0; w < plan.waypoints.size(); ++w) {
      const PlotWaypoint& waypoint = plan.waypoints[w];
      const double x = east(waypoint.longitude);
      const double y = north(waypoint.latitude);
      script << Number(x) << ' ' << Number(y) << ' ' << w << '\n';
      circles << "set object " << object++ << " circle at " << Number(x) << ',' << Number(y)
              << " size " << Number(waypoint.proximity / 1000.0)
              << " fc rgb '#2a9d8f' fs transparent solid 0.15 border lc rgb '#2a9d8f'\n";
    }
  }
  script << "EOD\n";
  script << "set multiplot layout 1,2 title 'Flight' font ',13'\n";
  script << "set title 'Ground track'\nset size ratio -1\nset grid\n"
            "set xlabel 'east (km)'\nset ylabel 'north (km)'\nset key bottom right\n";
  script << circles.str();
  script << "plot ";
  for (std::size_t v = 0; v < tracks.size(); ++v) {
    script << "$track" << v << " using 2:3 with lines lw 2 title " << Quoted(tracks[v].name)
           << ", ";
  }
  script << "$waypoints using 1:2 with points pt 7 ps 1.2 lc rgb '#264653' title 'waypoints', "
            "$waypoints using 1:2:3 with labels offset 1.2,1.2 notitle\n";
  script << "unset object\nset size noratio\nset title 'Altitude'\n"
            "set xlabel 'time (s)'\nset ylabel 'altitude (m)'\nset key top right\n";
  script << "plot ";
  for (std::size_t v = 0; v < tracks.size(); ++v) {
    script << (v > 0 ? ", " : "") << "$track" << v << " using 1:4 with lines lw 2 title "
           << Quoted(tracks[v].name) << ", $track" << v
           << " using 1:5 with lines dt 2 lw 1.5 title " << Quoted(tracks[v].name + " target");
  }
  script << "\nunset multiplot\nset output\n";
  return script.str();
}

}  // namespace

std::vector<PlotPlan> ReadScenarioPlans(const std::string& scenarioPath) {
  std::ifstream scenario(scenarioPath);
  std::vector<PlotPlan> plans;
  for (std::string line; std::getline(scenario, line);) {
    line = Trim(line);
    if (line.rfind("FLIGHTPLAN", 0) != 0 || line.size() <= 10 ||
        !std::isspace(static_cast<unsigned char>(line[10]))) {
      continue;
    }
    const std::string name = Trim(line.substr(10));
    bool seen = name.empty();
    for (const PlotPlan& plan : plans) {
      seen = seen || plan.name == name;
    }
    if (!seen) {
      PlotPlan plan{name, ReadPlanFile("./Config/Aircraft/FlightPlans/" + name + ".ini")};
      if (!plan.waypoints.empty()) {
        plans.push_back(std::move(plan));
      }
    }
  }
  return plans;
}

void DrawFlightPlot(const std::string& tracePath, const std::string& plotPath,
                    const std::vector<PlotPlan>& plans) {
  RunGnuplot(Script(plotPath, ReadTrace(tracePath), plans), plotPath);
}

void DrawPolarPlot(const std::string& csvPath, const std::string& plotPath,
                   const std::string& title) {
  std::ostringstream script;
  script << Terminal(plotPath, 1400, 450);
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
  RunGnuplot(script.str(), plotPath);
}
