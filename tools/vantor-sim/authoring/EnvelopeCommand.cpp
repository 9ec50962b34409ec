// vantor-sim envelope: where an aircraft can fly, as a table, a CSV and a picture.
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <sstream>
#include <string>

#include "Command.h"
#include "Plot.h"
#include "Units.h"
#include "authoring/CommandSupport.h"
#include "authoring/Envelope.h"
#include "vantor/sim/OutputFile.h"

namespace {

std::string Row(const char* format, double a, double b, double c, double d = 0, double e = 0,
                double f = 0, double g = 0, double h = 0) {
  char line[400];
  std::snprintf(line, sizeof line, format, a, b, c, d, e, f, g, h);
  return line;
}

std::string SweepTable(const authoring::Envelope& envelope) {
  std::string table =
      "altitude_m,speed_mps,thrust_required_N,thrust_available_N,aoa_deg,elevator,throttle,"
      "level\n";
  for (const authoring::SpeedPoint& point : envelope.sweep) {
    table += Row("%.0f,%.3f,%.1f,%.1f,%.4f,%.5f,%.5f,%.0f\n", point.altitude, point.speed,
                 point.trim.thrustRequired, point.trim.thrustAvailable, point.trim.aoa / kDegree,
                 point.trim.elevator, point.trim.throttle, point.trim.LevelPossible() ? 1.0 : 0.0);
  }
  return table;
}

std::string PlotScript(const std::string& name, const authoring::Envelope& envelope, bool powered) {
  std::ostringstream s;
  for (std::size_t k = 0; k < envelope.curveAltitudes.size(); ++k) {
    s << "$sweep" << k << " << EOD\n";
    for (const authoring::SpeedPoint& point : envelope.sweep) {
      if (point.altitude == envelope.curveAltitudes[k]) {
        // A glider's first panel is its glide polar: sink rate against speed.
        s << Row("%.3f %.3f %.1f %.5f %.0f\n", point.speed,
                 powered ? point.trim.thrustRequired / 1000.0 : point.trim.sinkRate,
                 point.trim.thrustAvailable / 1000.0, point.trim.elevator,
                 std::abs(point.trim.elevator) <= 1.0 ? 1.0 : 0.0);
      }
    }
    s << "EOD\n";
  }
  s << "$lines << EOD\n";
  for (const authoring::EnvelopeLine& line : envelope.lines) {
    if (line.stallSpeed > 0.0) {
      s << line.altitude << ' ' << line.stallSpeed << ' '
        << (line.maxLevelSpeed > 0.0 ? std::to_string(line.maxLevelSpeed) : "?") << '\n';
    }
  }
  s << "EOD\n$moments << EOD\n";
  for (const authoring::MomentPoint& point : envelope.moments) {
    s << point.aoa << ' ' << point.moment << '\n';
  }
  s << "EOD\n$marks << EOD\n";
  for (const authoring::TrimMark& mark : envelope.marks) {
    s << mark.aoa << ' ' << mark.moment << '\n';
  }
  // Labels at least 2 degrees apart, so that the crowded fast end stays legible.
  s << "EOD\n$labels << EOD\n";
  double labelled = -1e9;
  for (const authoring::TrimMark& mark : envelope.marks) {
    if (std::abs(mark.aoa - labelled) >= 2.0) {
      labelled = mark.aoa;
      s << mark.aoa << ' ' << mark.moment << ' ' << static_cast<int>(mark.speed + 0.5) << '\n';
    }
  }
  s << "EOD\n";
  s << "set datafile missing '?'\nset grid\nset key top left\n";
  s << "set multiplot layout 2,2 title '" << name << ": performance envelope' font ',13'\n";

  s << "set title '"
    << (powered ? "Thrust required (solid) and available (dashed)" : "Sink rate in the glide")
    << "'\nset xlabel 'airspeed (m/s)'\nset ylabel '"
    << (powered ? "thrust (kN)" : "sink rate (m/s)") << "'\nplot ";
  for (std::size_t k = 0; k < envelope.curveAltitudes.size(); ++k) {
    s << (k > 0 ? ", " : "") << "$sweep" << k << " using 1:2 with lines lw 2 lc " << k + 1
      << " title '" << envelope.curveAltitudes[k] << " m'";
    if (powered) {
      s << ", $sweep" << k << " using 1:3 with lines dt 2 lw 1.5 lc " << k + 1 << " notitle";
    }
  }
  s << "\n";

  s << "set title '" << (powered ? "Level-flight envelope" : "Stall speed by altitude")
    << "'\nset xlabel 'airspeed (m/s)'\nset ylabel 'altitude (m)'\n";
  if (envelope.ceiling > 0.0) {
    s << "set arrow 1 from graph 0, first " << envelope.ceiling << " to graph 1, first "
      << envelope.ceiling << " nohead dt 3 lw 1.5\nset label 1 'ceiling " << envelope.ceiling
      << " m' at graph 0.4, first " << envelope.ceiling << " offset 0,0.7\n";
  }
  s << "set key bottom center\nplot $lines using 2:1 with lines lw 2 title 'stall'"
    << (powered ? ", $lines using 3:1 with lines lw 2 title 'maximum level speed'" : "")
    << "\nunset arrow 1\nunset label 1\nset key top left\n";

  s << "set title 'Elevator to trim'\nset xlabel 'airspeed (m/s)'\nset ylabel 'elevator level'\n"
       "set yrange [-1.2:1.2]\nplot ";
  for (std::size_t k = 0; k < envelope.curveAltitudes.size(); ++k) {
    s << (k > 0 ? ", " : "") << "$sweep" << k << " using 1:4 with lines lw 2 lc " << k + 1
      << " title '" << envelope.curveAltitudes[k] << " m'";
  }
  s << ", 1 with lines dt 3 lc rgb 'black' title 'full deflection', -1 with lines dt 3 lc rgb "
       "'black' notitle\nset autoscale y\n";

  s << "set title 'Pitch moment about the centre of gravity, elevator neutral, "
    << envelope.momentAltitude
    << " m'\nset xlabel 'angle of attack (deg)'\n"
       "set ylabel 'moment coefficient (nose up > 0)'\nset xzeroaxis lw 1.5\n"
       "plot $moments using 1:2 with lines lw 2 title 'moment', $marks using 1:2 with points "
       "pt 7 ps 1 title 'trim points (speed, m/s)', $labels using 1:2:3 with labels "
       "offset 1.5,1 notitle\n";
  s << "unset multiplot\nset output\n";
  return s.str();
}

struct EnvelopeOptions {
  PlaceOptions place;
  std::string name;
  authoring::ConditionOptions condition;
  std::string csv;
  std::string plot;
};

int RunEnvelope(const EnvelopeOptions& options) {
  const std::string& name = options.name;
  const authoring::Condition condition = options.condition.condition;
  const std::string csvPath = AbsolutePath(options.csv);
  const std::string plotPath = AbsolutePath(options.plot);
  vantor::VesselRecord& vessel = authoring::CreateToolAircraft(options.place, name);
  authoring::ApplyGear(options.condition, vessel, name);
  double area = 0.0;
  double chord = 0.0;
  for (const auto& airfoil : vessel.airfoils) {
    if (airfoil->orientation == LIFT_VERTICAL) {
      area = airfoil->area;
      chord = airfoil->chord;
      break;
    }
  }
  if (!(area > 0.0) || !(chord > 0.0)) {
    throw RunError(name + " has no wing with an area and a chord");
  }
  authoring::TrimSolver solver(vessel);
  const authoring::Envelope envelope = authoring::ComputeEnvelope(solver, condition, area, chord);

  std::printf("%s: level flight by altitude (gear %s, flaps %.2f, fuel %.0f %%)\n", name.c_str(),
              authoring::GearName(options.condition), condition.flaps,
              condition.fuelFraction * 100.0);
  std::printf("  altitude m   stall m/s   max level m/s\n");
  for (const authoring::EnvelopeLine& line : envelope.lines) {
    if (static_cast<long long>(line.altitude) % 2000 == 0 || line.altitude == envelope.ceiling) {
      std::printf("  %10.0f  %10.1f  %14s\n", line.altitude, line.stallSpeed,
                  line.maxLevelSpeed > 0.0 ? Row("%.1f", line.maxLevelSpeed, 0, 0).c_str() : "-");
    }
  }
  if (solver.HasEngine()) {
    std::printf("ceiling (level flight still possible): %.0f m\n", envelope.ceiling);
  } else {
    std::printf("no engine: the aircraft glides\n");
  }
  const std::string table = SweepTable(envelope);
  if (!csvPath.empty()) {
    vantor::sim::WriteFileAtomically(csvPath, table);
  }
  if (!plotPath.empty()) {
    DrawScript(PlotScript(name, envelope, solver.HasEngine()), plotPath, 1400, 1000);
  }
  return kExitDone;
}

CommandRun DefineEnvelope(CLI::App& command) {
  auto options = std::make_shared<EnvelopeOptions>();
  command.add_option("NAME", options->name, "the vessel: its file is Config/Aircraft/NAME.ini")
      ->required();
  AddPlaceOptions(command, options->place);
  authoring::AddConditionOptions(command, options->condition, false);
  command.add_option("--csv", options->csv, "write the speed sweeps to FILE")->type_name("FILE");
  AddPlotOption(command, options->plot, "the four panels of the envelope");
  return [options] { return RunEnvelope(*options); };
}

}  // namespace

REGISTER_COMMAND(envelope,
                 "thrust required and available, the level-flight envelope, elevator to trim "
                 "and the pitch moment, with the host's physics",
                 DefineEnvelope);
