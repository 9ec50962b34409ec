// What `vantor-sim fly` leaves behind: the summary checked against the trace of the same
// flight, files that a failed write does not destroy, and the plot script's frame and waypoints.
#include <map>

#include "flight_harness.h"

using namespace flight_test;

namespace {

const std::string kExamples = std::string(AIRCRAFT_EXAMPLE_ROOT) + "/Scenarios/";

std::string Read(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The trace as columns by name.
struct Columns {
  std::map<std::string, std::vector<std::string>> byName;
  const std::vector<std::string>& operator[](const std::string& name) const {
    return byName.at(name);
  }
  double Number(const std::string& name, std::size_t row) const {
    return std::atof(byName.at(name).at(row).c_str());
  }
  std::size_t rows() const { return byName.at("time").size(); }
};

Columns ReadColumns(const std::filesystem::path& path) {
  std::istringstream lines(Read(path));
  std::vector<std::string> header;
  std::string line;
  std::getline(lines, line);
  std::istringstream names(line);
  for (std::string name; std::getline(names, name, ',');) {
    header.push_back(name);
  }
  Columns columns;
  while (std::getline(lines, line)) {
    std::vector<std::string> fields;
    std::istringstream values(line);
    for (std::string value; std::getline(values, value, ',');) {
      fields.push_back(value);
    }
    fields.resize(header.size());
    for (std::size_t i = 0; i < header.size(); ++i) {
      columns.byName[header[i]].push_back(fields[i]);
    }
  }
  return columns;
}

// The number after "name": in the JSON text, from position from on.
double JsonNumber(const std::string& json, const std::string& name, std::size_t from = 0) {
  const std::size_t at = json.find("\"" + name + "\": ", from);
  EXPECT_NE(at, std::string::npos) << name;
  return at == std::string::npos ? NAN : std::atof(json.c_str() + at + name.size() + 4);
}

double Haversine(double lon0, double lat0, double lon1, double lat1) {
  const double r = kPi / 180.0;
  const double a = std::sin((lat1 - lat0) * r / 2);
  const double b = std::sin((lon1 - lon0) * r / 2);
  return 2 * 6371000.0 *
         std::asin(std::sqrt(a * a + std::cos(lat0 * r) * std::cos(lat1 * r) * b * b));
}

struct Extremes {
  double min = INFINITY;
  double max = -INFINITY;
};

Extremes Range(const Columns& trace, const std::string& name, bool absolute = false) {
  Extremes range;
  for (std::size_t row = 0; row < trace.rows(); ++row) {
    const double value = absolute ? std::fabs(trace.Number(name, row)) : trace.Number(name, row);
    range.min = std::min(range.min, value);
    range.max = std::max(range.max, value);
  }
  return range;
}

TEST(FlightSummary, TheFiguresAgreeWithTheTraceOfTheSameFlight) {
  const TestRoot scratch;
  const std::filesystem::path trace = scratch.path() / "flight.csv";
  const std::filesystem::path summary = scratch.path() / "summary.json";
  const std::string output = RunSimulator(
      "fly \"" + kExamples + "Airborne.scn\" --duration 600 --status-every 1000 --trace \"" +
          trace.string() + "\" --summary \"" + summary.string() + "\"",
      scratch.path());
  EXPECT_NE(output.find("Summary of Kestrel from 0.00 to 600.00 s"), std::string::npos);
  EXPECT_NE(output.find("summary: " + summary.string()), std::string::npos);
  const Columns t = ReadColumns(trace);
  const std::string json = Read(summary);
  ASSERT_GT(t.rows(), 6000u);
  const std::size_t last = t.rows() - 1;

  double distance = 0.0;
  for (std::size_t row = 1; row < t.rows(); ++row) {
    distance += Haversine(t.Number("longitude", row - 1), t.Number("latitude", row - 1),
                          t.Number("longitude", row), t.Number("latitude", row));
  }
  EXPECT_NEAR(JsonNumber(json, "distance_m"), distance, distance * 0.002);
  EXPECT_NEAR(JsonNumber(json, "fuel_used_kg"), t.Number("fuel", 0) - t.Number("fuel", last), 0.01);
  EXPECT_NEAR(JsonNumber(json, "fuel_left_kg"), t.Number("fuel", last), 0.01);

  // Every frame is sampled, the trace every fifth: the summary's extremes reach at least as far,
  // and not much further.
  const struct {
    const char* trace;
    const char* lowest;
    const char* highest;
    double slack;
  } extremes[] = {{"airspeed", "airspeed_min_m_s", "airspeed_max_m_s", 0.5},
                  {"mach", "mach_min", "mach_max", 0.002},
                  {"vertical_speed", nullptr, "climb_max_m_s", 1.0}};
  for (const auto& e : extremes) {
    SCOPED_TRACE(e.trace);
    const Extremes range = Range(t, e.trace);
    if (e.lowest != nullptr) {
      EXPECT_LE(JsonNumber(json, e.lowest), range.min + 1e-3);
      EXPECT_GE(JsonNumber(json, e.lowest), range.min - e.slack);
    }
    EXPECT_GE(JsonNumber(json, e.highest), range.max - 1e-3);
    EXPECT_LE(JsonNumber(json, e.highest), range.max + e.slack);
  }
  EXPECT_NEAR(JsonNumber(json, "sink_max_m_s"), -Range(t, "vertical_speed").min, 1.0);
  EXPECT_NEAR(JsonNumber(json, "bank_max_deg"), Range(t, "bank", true).max, 1.0);

  // A waypoint is reached on the frame the plan moves on: within the 0.1 s before the row that
  // first shows the next one.
  const std::size_t list = json.find("\"waypoints_reached\"");
  std::size_t at = list;
  int reached = 0;
  for (std::size_t row = 1; row < t.rows(); ++row) {
    const std::string& before = t["waypoint"][row - 1];
    if (before.empty() || t["waypoint"][row] == before) {
      continue;
    }
    ++reached;
    at = json.find("{\"index\": ", at + 1);
    ASSERT_NE(at, std::string::npos) << "the summary misses waypoint " << before;
    EXPECT_EQ(JsonNumber(json, "index", at), std::atof(before.c_str()));
    EXPECT_GT(JsonNumber(json, "time_s", at), t.Number("time", row) - 0.1);
    EXPECT_LE(JsonNumber(json, "time_s", at), t.Number("time", row) + 1e-6);
  }
  EXPECT_GE(reached, 4);
  const std::size_t extra = json.find("{\"index\": ", at + 1);
  EXPECT_TRUE(extra == std::string::npos || extra > json.find("\"altitude_captured_s\""));

  // The altitude error once captured, recomputed from the rows by the same rule.
  double squares = 0.0;
  double largest = 0.0;
  int samples = 0;
  bool captured = false;
  for (std::size_t row = 0; row < t.rows(); ++row) {
    if (t["altitude_target"][row].empty()) {
      continue;
    }
    if (row == 0 || t["altitude_target"][row] != t["altitude_target"][row - 1]) {
      captured = false;
    }
    const double error = std::fabs(t.Number("altitude", row) - t.Number("altitude_target", row));
    captured = captured || error < 30.0;
    if (captured) {
      squares += error * error;
      largest = std::max(largest, error);
      ++samples;
    }
  }
  ASSERT_GT(samples, 100);
  EXPECT_NEAR(JsonNumber(json, "altitude_error_rms_m"), std::sqrt(squares / samples),
              0.05 * std::sqrt(squares / samples));
  EXPECT_NEAR(JsonNumber(json, "altitude_error_max_m"), largest, 1.0);
  EXPECT_LT(JsonNumber(json, "load_factor_min"), 1.0);
  EXPECT_GT(JsonNumber(json, "load_factor_max"), 1.0);
}

TEST(FlightSummary, TakeOffAndTouchdownAreWhereTheTraceLeavesAndMeetsTheGround) {
  const struct {
    const char* scenario;
    const char* event;
    double seconds;
  } cases[] = {
      {"Kestrel:aircraft\nSTATUS Landed\nPOS 10.0 45.0\nALT 0\nHDG 0\nSPEED 70\nFUEL 1\n"
       "THROTTLE 1\nSEQ 0 1 1.0000\nAUTOPILOT 1\nALTITUDE 500\nHEADING 0.00\nEND\n",
       "take-off", 60.0},
      {"Kestrel:aircraft\nSTATUS Flying\nPOS 10.0 45.0\nALT 150\nHDG 0\nSPEED 90\nFUEL 1\n"
       "THROTTLE 0\nSEQ 0 1 1.0000\nAUTOPILOT 0\nEND\n",
       "touchdown", 60.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.event);
    const TestRoot scratch;
    scratch.WriteFile("run.scn", c.scenario);
    const std::filesystem::path trace = scratch.path() / "run.csv";
    const std::filesystem::path summary = scratch.path() / "run.json";
    RunSimulator("fly run.scn --root \"" + std::string(AIRCRAFT_EXAMPLE_ROOT) +
                     "\" --status-every 1000 --duration " + std::to_string(c.seconds) +
                     " --trace \"" + trace.string() + "\" --summary \"" + summary.string() + "\"",
                 scratch.path());
    const std::string json = Read(summary);
    const std::size_t event = json.find(std::string("{\"event\": \"") + c.event + "\"");
    ASSERT_NE(event, std::string::npos) << json;
    const double time = JsonNumber(json, "time_s", event);
    const Columns t = ReadColumns(trace);
    const auto row = [&](double at) {
      return static_cast<std::size_t>(std::clamp(std::round(at / 0.1), 0.0, t.rows() - 1.0));
    };
    const bool takeOff = std::string(c.event) == "take-off";
    // At the event the vessel is on its gear; before a touchdown it was higher, after a
    // take-off it climbs away.
    EXPECT_LT(t.Number("altitude", row(time)), 5.0);
    if (takeOff) {
      EXPECT_GT(t.Number("altitude", row(time + 10.0)), 10.0);
    } else {
      EXPECT_GT(t.Number("altitude", row(time - 1.0)), t.Number("altitude", row(time)) + 1.0);
    }
    EXPECT_NEAR(JsonNumber(json, "airspeed_m_s", event), t.Number("airspeed", row(time)), 3.0);
    EXPECT_EQ(JsonNumber(json, "vertical_speed_m_s", event) < 0.0, !takeOff);
  }
}

bool HasGnuplot() {
  return std::system("gnuplot --version > /dev/null 2>&1") == 0;
}

// Names in the folder that are temporaries of the write seam.
std::vector<std::string> Leftovers(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.find(".tmp") != std::string::npos) {
      names.push_back(name);
    }
  }
  return names;
}

// Runs vantor-sim with a write fault injected through the environment; gives its exit status
// and what it printed.
std::pair<int, std::string> RunWithFault(const std::string& fault, const std::string& arguments,
                                         const std::filesystem::path& folder) {
  const std::filesystem::path output = folder / "output.txt";
  const std::string command = "VANTOR_WRITE_FAULT='" + fault + "' \"" + VANTOR_SIM_PATH + "\" " +
                              arguments + " > \"" + output.string() + "\" 2>&1";
  const int status = std::system(command.c_str());
  return {status, Read(output)};
}

TEST(FlyOutputs, AFailedWriteKeepsTheOldFileAndEndsTheRunNamingIt) {
  const struct {
    const char* option;
    const char* file;
    const char* fault;
  } cases[] = {
      {"--save", "mine.scn", "disk-full"},     {"--trace", "flight.csv", "short-write"},
      {"--summary", "summary.json", "rename"}, {"--host-log", "host.log", "unwritable-folder"},
      {"--plot", "flight.png", "disk-full"},   {"--plot", "flight.png", "rename"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.option) + " " + c.fault);
    if (std::string(c.option) == "--plot" && !HasGnuplot()) {
      continue;
    }
    const TestRoot scratch;
    const std::filesystem::path target = scratch.path() / c.file;
    scratch.WriteFile(c.file, "the user's own file\n");
    const auto [status, output] =
        RunWithFault(std::string(c.fault) + ":" + c.file,
                     "fly \"" + kExamples + "Airborne.scn\" --duration 1 " + c.option + " \"" +
                         target.string() + "\"",
                     scratch.path());
    EXPECT_NE(status, 0) << output;
    EXPECT_NE(output.find("cannot write " + target.string()), std::string::npos) << output;
    EXPECT_EQ(Read(target), "the user's own file\n");
    EXPECT_TRUE(Leftovers(scratch.path()).empty());
  }

  // A real failure, not an injected one: the folder is a file.
  const TestRoot scratch;
  scratch.WriteFile("plain", "not a folder\n");
  const std::string target = (scratch.path() / "plain" / "summary.json").string();
  const std::string output = RunSimulator(
      "fly \"" + kExamples + "Airborne.scn\" --duration 1 --summary \"" + target + "\"",
      scratch.path(), 1);
  EXPECT_NE(output.find("cannot write " + target), std::string::npos);
}

// The numbers of "set NAME [LOW:HIGH]" in a gnuplot script.
std::pair<double, double> ScriptRange(const std::string& script, const std::string& name) {
  const std::size_t at = script.find("set " + name + " [");
  EXPECT_NE(at, std::string::npos) << name;
  if (at == std::string::npos) {
    return {NAN, NAN};
  }
  const char* low = script.c_str() + at + name.size() + 6;
  char* colon = nullptr;
  const double first = std::strtod(low, &colon);
  return {first, std::strtod(colon + 1, nullptr)};
}

// The rows of a data block "$NAME << EOD" ... "EOD", split into numbers.
std::vector<std::vector<double>> ScriptBlock(const std::string& script, const std::string& name) {
  std::vector<std::vector<double>> rows;
  std::istringstream lines(script.substr(script.find("$" + name + " << EOD\n")));
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line) && line != "EOD") {
    std::istringstream numbers(line);
    std::vector<double> row;
    for (double value; numbers >> value;) {
      row.push_back(value);
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(FlyPlot, TheTrackHasEqualScalesAndTheWaypointsOfAPlanLoadedByKey) {
  if (!HasGnuplot()) {
    GTEST_SKIP() << "gnuplot is not installed";
  }
  const struct {
    const char* name;
    const char* scenario;
    const char* script;
    std::size_t waypoints;
  } cases[] = {
      // No FLIGHTPLAN line: the plan comes through the input box the L key opens.
      {"plan by key",
       "Kestrel:aircraft\nSTATUS Flying\nPOS 10.08 45.0\nALT 2000\nHDG 270\nSPEED 180\nFUEL 1\n"
       "THROTTLE 0.7\nSEQ 0 -1 0\nAUTOPILOT 1\nALTITUDE 2000\nHEADING 270\nEND\n",
       "--key 2:l --input 2:Circuit", 5},
      // A straight flight east: a strip of track in a square frame.
      {"east-west",
       "Kestrel:aircraft\nSTATUS Flying\nPOS 10.0 45.0\nALT 2000\nHDG 90\nSPEED 180\nFUEL 1\n"
       "THROTTLE 0.7\nSEQ 0 -1 0\nAUTOPILOT 1\nALTITUDE 2000\nHEADING 90\nEND\n",
       "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TestRoot scratch;
    scratch.WriteFile("run.scn", c.scenario);
    const std::filesystem::path plot = scratch.path() / "flight.png";
    const std::string output = RunSimulator(
        "fly run.scn --root \"" + std::string(AIRCRAFT_EXAMPLE_ROOT) +
            "\" --duration 60 --status-every 1000 --plot \"" + plot.string() + "\" " + c.script,
        scratch.path());
    // Nothing of gnuplot's reaches the user.
    EXPECT_EQ(output.find("arning"), std::string::npos) << output;
    EXPECT_NE(output.find("plot: " + plot.string()), std::string::npos);
    const std::string script = Read(plot.string() + ".gp");
    EXPECT_NE(script.find("set size ratio -1"), std::string::npos);
    const auto [west, east] = ScriptRange(script, "xrange");
    const auto [south, north] = ScriptRange(script, "yrange");
    EXPECT_NEAR(east - west, north - south, 1e-3);
    std::vector<std::vector<double>> points = ScriptBlock(script, "track0");
    ASSERT_GT(points.size(), 500u);
    const std::vector<std::vector<double>> waypoints = ScriptBlock(script, "waypoints");
    EXPECT_EQ(waypoints.size(), c.waypoints);
    for (const auto& waypoint : waypoints) {
      points.push_back({0.0, waypoint.at(0), waypoint.at(1)});
    }
    double low[3] = {INFINITY, INFINITY, INFINITY};
    double high[3] = {-INFINITY, -INFINITY, -INFINITY};
    for (const auto& point : points) {
      EXPECT_GT(point.at(1), west);
      EXPECT_LT(point.at(1), east);
      EXPECT_GT(point.at(2), south);
      EXPECT_LT(point.at(2), north);
      for (int axis = 1; axis < 3; ++axis) {
        low[axis] = std::min(low[axis], point.at(axis));
        high[axis] = std::max(high[axis], point.at(axis));
      }
    }
    // Fitted: the frame is not much larger than what it shows (and the proximity circles).
    const double extent = std::max(high[1] - low[1], high[2] - low[2]);
    EXPECT_LT(east - west, 1.1 * (std::max(extent, 2.0) + (c.waypoints > 0 ? 5.0 : 0.0)));
    if (c.waypoints > 0) {
      // Kilometres from the plan's first waypoint; the second is 0.225 degrees north of it.
      EXPECT_NEAR(waypoints[0][0], 0.0, 1e-6);
      EXPECT_NEAR(waypoints[1][1], 0.225 * 6371.0 * kPi / 180.0, 0.01);
    }
  }
}

}  // namespace
