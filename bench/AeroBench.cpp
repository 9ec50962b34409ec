// Cost of one airfoil coefficient evaluation as the host's physics makes it (through the slot's
// callback), with the table's drag column and with the induced and wave drag of the host, for
// angles that drift as successive physics steps give them and for angles at random, a third of
// them beyond the table. Beside it, in the same run, the peer: a one-column table lookup as
// JSBSim's FGTable does it, and the bare cost of a plain search interpolating one column.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "flight/AeroProfiles.h"
#include "frame/Angles.h"

namespace {

constexpr int kAngleCount = 1 << 16;  // a power of two, cycled through; too many to learn
constexpr double kFirstDegrees = -20.0;
constexpr double kLastDegrees = 40.0;
constexpr int kPoints = kMaxLiftPoints;

// A full table of 19 points over -20 to 40 degrees with a stall near 15 degrees.
void FillTable(LiftTable& table, bool userDrag) {
  table.count = kPoints;
  table.userDragOn = userDrag;
  for (int i = 0; i < kPoints; ++i) {
    const double degrees = kFirstDegrees + (kLastDegrees - kFirstDegrees) * i / (kPoints - 1);
    const double lift = degrees < 15.0 ? 0.1 * degrees + 0.2 : 1.7 - 0.04 * (degrees - 15.0);
    table.points[i] = LiftPoint{degrees * RAD, lift, -0.01 * degrees};
    table.userDrag[i] = 0.02 + 0.0005 * degrees * degrees;
  }
  PrepareLiftTable(table);
}

void SetUpSlot(bool userDrag) {
  ResetAeroProfiles();
  FindProfileSlot("Bench");
  AeroProfile& profile = aeroProfiles[0];
  FillTable(profile.vertical, userDrag);
  FillTable(profile.horizontal, userDrag);
  profile.verticalAspectRatio = 7.0;
  profile.verticalEfficiency = 0.8;
  profile.verticalZeroDrag = 0.015;
  profile.waveDrag = 0.05;
  profile.machNumbers = VECTOR3{0.8, 1.1, 1.6};
}

// Drifting: a slow oscillation through the whole table, about 0.003 degrees per step.
std::vector<double> DriftingAngles() {
  std::vector<double> angles(kAngleCount);
  for (int i = 0; i < kAngleCount; ++i) {
    const double phase = 2.0 * PI * i / kAngleCount;
    angles[i] = (10.0 + 30.0 * std::sin(phase)) * RAD;
  }
  return angles;
}

// Random: uniform over -35 to 55 degrees, so a third of them lie beyond the table.
std::vector<double> RandomAngles() {
  std::mt19937_64 random(12345);
  std::uniform_real_distribution<double> degrees(kFirstDegrees - 15.0, kLastDegrees + 15.0);
  std::vector<double> angles(kAngleCount);
  for (double& angle : angles) {
    angle = degrees(random) * RAD;
  }
  return angles;
}

std::vector<double> Angles(int kind) {
  return kind == 0 ? DriftingAngles() : RandomAngles();
}

// args: 0 drifting / 1 random angles; 1 table drag / 0 host drag. As in a physics step, the
// Mach number changes every second evaluation (the wing and the fin are asked at one).
void BM_Coefficients(benchmark::State& state) {
  const std::vector<double> angles = Angles(static_cast<int>(state.range(0)));
  SetUpSlot(state.range(1) == 1);
  const AirfoilCoeffFunc callback = verticalLiftCallbacks[0];
  std::size_t i = 0;
  double cl = 0.0;
  double cm = 0.0;
  double cd = 0.0;
  double mach = 0.5;
  for (auto _ : state) {
    callback(angles[i], mach, 1e7, &cl, &cm, &cd);
    benchmark::DoNotOptimize(cl);
    benchmark::DoNotOptimize(cm);
    benchmark::DoNotOptimize(cd);
    i = (i + 1) & (kAngleCount - 1);
    mach += (i & 1) * 1e-7;
  }
  state.SetLabel(std::string(state.range(0) == 0 ? "drifting" : "random") +
                 (state.range(1) == 1 ? ", table drag" : ", host drag"));
}
BENCHMARK(BM_Coefficients)->ArgsProduct({{0, 1}, {1, 0}});

// The peer: a faithful small rendering of the one-column lookup of JSBSim's FGTable (a
// different flight-dynamics library), GetValue(key) of a table of one column: keys at or beyond
// either end give the end's value, a linear search starts from the row the previous lookup
// found, then a linear interpolation. Rows are numbered from 1 as there; row 0 is unused. Out of
// line, as a call into that library's table class is.
class OneColumnTable {
 public:
  OneColumnTable(const LiftPoint* points, int count)
      : rows_(static_cast<unsigned>(count)), data_(2 * (rows_ + 1)) {
    for (unsigned r = 1; r <= rows_; ++r) {
      data_[2 * r] = points[r - 1].angle;
      data_[2 * r + 1] = points[r - 1].lift;
    }
  }

  [[gnu::noinline]] double GetValue(double key) const {
    if (key <= Key(1)) {
      lastRowIndex_ = 2;
      return Value(1);
    }
    if (key >= Key(rows_)) {
      lastRowIndex_ = rows_;
      return Value(rows_);
    }
    unsigned r = lastRowIndex_;
    while (r > 2 && Key(r - 1) > key) {
      --r;
    }
    while (r < rows_ && Key(r) < key) {
      ++r;
    }
    lastRowIndex_ = r;
    const double span = Key(r) - Key(r - 1);
    if (span != 0.0) {
      double factor = (key - Key(r - 1)) / span;
      if (factor > 1.0) {
        factor = 1.0;
      }
      return factor * (Value(r) - Value(r - 1)) + Value(r - 1);
    }
    return Value(r);
  }

 private:
  double Key(unsigned r) const { return data_[2 * r]; }
  double Value(unsigned r) const { return data_[2 * r + 1]; }

  unsigned rows_;
  std::vector<double> data_;
  mutable unsigned lastRowIndex_ = 2;
};

void BM_PeerTableOneColumn(benchmark::State& state) {
  const std::vector<double> angles = Angles(static_cast<int>(state.range(0)));
  LiftTable table;
  FillTable(table, false);
  const OneColumnTable peer(table.points, table.count);
  std::size_t i = 0;
  for (auto _ : state) {
    double lift = peer.GetValue(angles[i]);
    benchmark::DoNotOptimize(lift);
    i = (i + 1) & (kAngleCount - 1);
  }
  state.SetLabel(state.range(0) == 0 ? "drifting" : "random");
}
BENCHMARK(BM_PeerTableOneColumn)->Arg(0)->Arg(1);

// The plain way: search the points from the start, interpolate one column.
double PlainOneColumn(const LiftPoint* points, int count, double aoa) {
  int i = 0;
  while (i < count - 2 && aoa > points[i + 1].angle) {
    ++i;
  }
  const double t = (aoa - points[i].angle) / (points[i + 1].angle - points[i].angle);
  return points[i].lift + t * (points[i + 1].lift - points[i].lift);
}

void BM_PlainSearchOneColumn(benchmark::State& state) {
  const std::vector<double> angles = Angles(static_cast<int>(state.range(0)));
  LiftTable table;
  FillTable(table, false);
  std::size_t i = 0;
  for (auto _ : state) {
    double lift = PlainOneColumn(table.points, table.count, angles[i]);
    benchmark::DoNotOptimize(lift);
    i = (i + 1) & (kAngleCount - 1);
  }
  state.SetLabel(state.range(0) == 0 ? "drifting" : "random");
}
BENCHMARK(BM_PlainSearchOneColumn)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
