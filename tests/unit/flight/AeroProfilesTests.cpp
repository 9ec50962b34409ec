// Lift tables, their evaluation and the module-wide profile slots.
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "unit/flight/FlightFixture.h"

namespace {

// The evaluation as authors read it: search the points from the start, interpolate.
Coefficients PlainFormula(const LiftTable& table, double aoa) {
  const LiftPoint* p = table.points;
  int i = 0;
  while (i < table.count - 2 && !(aoa <= p[i + 1].angle)) {
    ++i;
  }
  const double t = (aoa - p[i].angle) / (p[i + 1].angle - p[i].angle);
  Coefficients c;
  c.lift = p[i].lift + t * (p[i + 1].lift - p[i].lift);
  c.moment = p[i].moment + t * (p[i + 1].moment - p[i].moment);
  c.drag = table.userDrag[i] + t * (table.userDrag[i + 1] - table.userDrag[i]);
  return c;
}

// Slot 0's wing table, filled directly: angles in degrees, (lift, moment, drag) per point.
LiftTable& WingTable(std::initializer_list<std::initializer_list<double>> points) {
  if (aeroProfileCount == 0) {
    FindProfileSlot("Table");
  }
  LiftTable& table = aeroProfiles[0].vertical;
  table.count = 0;
  table.userDragOn = true;
  for (const auto& point : points) {
    const double* v = point.begin();
    table.points[table.count] = LiftPoint{v[0] * RAD, v[1], v[2]};
    table.userDrag[table.count] = point.size() > 3 ? v[3] : 0.0;
    ++table.count;
  }
  PrepareLiftTable(table);
  return table;
}

Coefficients Wing(double aoa) {
  Coefficients c;
  verticalLiftCallbacks[0](aoa, 0.5, 1e6, &c.lift, &c.moment, &c.drag);
  return c;
}

constexpr const char* kThreePointWing = R"([VLIFT]
PT0=(-10,-0.5,0)
PT1=(0,0.1,0)
PT2=(10,1.0,-0.05)
PT4=(20,2,0)
)";

using AeroProfilesTest = FlightFixture;

TEST_F(AeroProfilesTest, ThreePointTableInterpolatesAndExtrapolatesLinearly) {
  Aircraft& plane = Build("X1", kThreePointWing);
  vantor::VesselRecord& rec = RecordOf(plane);
  ASSERT_EQ(rec.airfoils.size(), 2u);
  // The absent PT3 reads as angle 0, below 10 degrees: the table ends at three points.
  EXPECT_EQ(aeroProfiles[0].vertical.count, 3);
  const vantor::AirfoilRecord& wing = *rec.airfoils[0];
  EXPECT_NEAR(Evaluate(wing, 5).lift, 0.55, 1e-12);
  EXPECT_NEAR(Evaluate(wing, 5).moment, -0.025, 1e-12);
  EXPECT_NEAR(Evaluate(wing, 20).lift, 1.9, 1e-12);
  EXPECT_NEAR(Evaluate(wing, 20).moment, -0.1, 1e-12);
  EXPECT_NEAR(Evaluate(wing, -20).lift, -1.1, 1e-12);
  EXPECT_NEAR(Evaluate(wing, -20).moment, 0.0, 1e-12);
  // A missing HLIFT section: nineteen points at angle 0, all zero.
  EXPECT_EQ(aeroProfiles[0].horizontal.count, 19);
  EXPECT_EQ(Evaluate(*rec.airfoils[1], 7).lift, 0.0);
}

TEST_F(AeroProfilesTest, AnAngleOnAPointBelongsToTheSegmentEndingThere) {
  // A step at 10 degrees: two points of equal angle inside the table.
  WingTable({{0, 0, 0}, {10, 1, 0}, {10, 5, 0}, {20, 6, 0}});
  EXPECT_EQ(Wing(10 * RAD).lift, 1.0);
  EXPECT_NEAR(Wing(15 * RAD).lift, 5.5, 1e-12);
  EXPECT_NEAR(Wing(std::nextafter(10 * RAD, 1.0)).lift, 5.0, 1e-9);
  EXPECT_EQ(Wing(10 * RAD).lift, 1.0);  // also when the previous call was in the next segment
}

TEST_F(AeroProfilesTest, DegenerateTablesGiveTheNearestPointAndNeverNaN) {
  // Equal angles at the first segment: below it the first point holds.
  WingTable({{10, 1, 0.1, 0.01}, {10, 2, 0.2, 0.02}, {20, 3, 0.3, 0.03}});
  EXPECT_EQ(Wing(0.0).lift, 1.0);
  EXPECT_EQ(Wing(0.0).drag, 0.01);
  EXPECT_EQ(Wing(10 * RAD).lift, 2.0);
  EXPECT_NEAR(Wing(15 * RAD).lift, 2.5, 1e-12);
  EXPECT_NEAR(Wing(30 * RAD).lift, 4.0, 1e-12);  // the other end still extrapolates
  // Equal angles at the last segment: above it the last point holds.
  WingTable({{0, 0, 0}, {10, 1, 0}, {10, 2, 0}});
  EXPECT_EQ(Wing(20 * RAD).lift, 2.0);
  EXPECT_NEAR(Wing(5 * RAD).lift, 0.5, 1e-12);
  EXPECT_NEAR(Wing(-10 * RAD).lift, -1.0, 1e-12);
  // Every angle equal.
  WingTable({{10, 1, 0}, {10, 2, 0}, {10, 3, 0}});
  EXPECT_EQ(Wing(0.0).lift, 1.0);
  EXPECT_EQ(Wing(10 * RAD).lift, 2.0);
  EXPECT_EQ(Wing(20 * RAD).lift, 3.0);
  // One point holds everywhere; no point gives zeros.
  WingTable({{5, 0.7, -0.1, 0.03}});
  for (double degrees : {-90.0, 5.0, 90.0}) {
    const Coefficients c = Wing(degrees * RAD);
    EXPECT_EQ(c.lift, 0.7);
    EXPECT_EQ(c.moment, -0.1);
    EXPECT_EQ(c.drag, 0.03);
  }
  WingTable({});
  const Coefficients none = Wing(0.3);
  EXPECT_EQ(none.lift, 0.0);
  EXPECT_EQ(none.drag, 0.0);
  // A table no file filled, as ResetAeroProfiles leaves every slot, searches within its arrays.
  aeroProfiles[0].vertical = LiftTable{};
  for (double degrees : {-90.0, 0.0, 30.0, 180.0}) {
    EXPECT_EQ(Wing(degrees * RAD).lift, 0.0) << degrees;
  }
  // Angles that are no finite numbers, in the file or from the host, keep the search inside
  // the table (what comes out of an infinite angle is the formula's business).
  const double inf = std::numeric_limits<double>::infinity();
  WingTable({{0, 0, 0}, {inf, 1, 0}, {inf, 2, 0}});
  EXPECT_EQ(Wing(5 * RAD).lift, 0.0);
  Wing(-inf);
  Wing(inf);
  Wing(std::nan(""));
  WingTable({{0, 0, 0}, {10, 1, 0}, {20, 2, 0}});
  EXPECT_EQ(Wing(inf).lift, inf);
  EXPECT_TRUE(std::isnan(Wing(std::nan("")).lift));
  // Points out of order (a file's table ends before them; this one is built directly) give
  // the plain formula's answer whatever was asked before.
  const LiftTable& unordered = WingTable({{0, 0, 0}, {10, 1, 0}, {5, 3, 0}, {20, 2, 0}});
  for (double degrees : {15.0, 15.0, 15.0, 15.0, 15.0, 7.0, -3.0, 30.0}) {
    EXPECT_EQ(Wing(degrees * RAD).lift, PlainFormula(unordered, degrees * RAD).lift) << degrees;
  }
}

TEST_F(AeroProfilesTest, EvaluationMatchesThePlainFormula) {
  // Random tables (uneven spacing, repeated angles) and angles at random and drifting, a good
  // share beyond the table: the prepared search must find the plain formula's segment.
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int round = 0; round < 300; ++round) {
    const int count = 2 + static_cast<int>(unit(random) * 18);
    LiftTable& table = WingTable({});
    double degrees = -30.0 + 20.0 * unit(random);
    for (int i = 0; i < count; ++i) {
      table.points[i] = LiftPoint{degrees * RAD, unit(random) * 2 - 1, unit(random) * 0.2};
      table.userDrag[i] = unit(random) * 0.1;
      const double gap = unit(random);
      degrees += gap < 0.15 ? 0.0 : gap < 0.3 ? 0.01 : gap * 15.0;
    }
    table.count = count;
    PrepareLiftTable(table);
    const double first = table.points[0].angle;
    const double span = table.points[count - 1].angle - first;
    double drifting = first;
    for (int k = 0; k < 400; ++k) {
      drifting += (unit(random) - 0.45) * 0.01;
      // Points and their neighbours are where buckets and windows end.
      const double point = table.points[k % count].angle;
      const double aoa = k % 2 == 0   ? first + (unit(random) * 1.6 - 0.3) * span
                         : k % 7 == 1 ? point
                         : k % 7 == 3 ? std::nextafter(point, -1.0)
                         : k % 7 == 5 ? std::nextafter(point, 1.0)
                                      : drifting;
      const Coefficients plain = PlainFormula(table, aoa);
      if (!std::isfinite(plain.lift)) {
        continue;  // a segment of equal angles: covered by the degenerate cases
      }
      const Coefficients fast = Wing(aoa);
      ASSERT_EQ(fast.lift, plain.lift) << "round " << round << " angle " << aoa;
      ASSERT_EQ(fast.moment, plain.moment);
      ASSERT_EQ(fast.drag, plain.drag);
    }
  }
}

TEST_F(AeroProfilesTest, AnglesAtRandomAreSearchedUntilTheyDriftAgain) {
  LiftTable& table = WingTable({{-20, -1, 0}, {-10, 0, 0}, {0, 1, 0}, {10, 2, 0}, {20, 1, 0}});
  std::mt19937_64 random(3);
  std::uniform_real_distribution<double> degrees(-30.0, 30.0);
  for (int k = 0; k < 50; ++k) {
    const double aoa = degrees(random) * RAD;
    ASSERT_EQ(Wing(aoa).lift, PlainFormula(table, aoa).lift);
  }
  EXPECT_TRUE(table.searching);
  for (double aoa = 1 * RAD; aoa < 9 * RAD; aoa += 0.5 * RAD) {
    ASSERT_EQ(Wing(aoa).lift, PlainFormula(table, aoa).lift);
  }
  EXPECT_FALSE(table.searching);
}

TEST_F(AeroProfilesTest, NoCoefficientOverflowsNearTheLargestNumbers) {
  // Steps and extrapolations that overflow somewhere within the angles of attack, and figures
  // just small enough not to: every coefficient is finite and, where the formula's is, equal.
  constexpr double big = 1e308;
  const std::initializer_list<std::initializer_list<double>> tables[] = {
      {{0, 0, 0, 0}, {1, big, 0, 0}},
      {{-1, 0, 0, 0}, {0, 0, big, 0}, {1, 0, 0, 0}},
      {{-10, 0, 0, -big}, {-9, 0, 0, big}, {10, 1, 0, 0}},
      {{0, 1e290, -1e290, 1e290}, {10, -1e290, 1e290, 0}, {20, 1e290, 0, -1e290}},
  };
  for (const auto& points : tables) {
    LiftTable& table = WingTable(points);
    for (double degrees = -300; degrees <= 300; degrees += 0.75) {
      const double aoa = degrees * RAD;
      const Coefficients c = Wing(aoa);
      ASSERT_TRUE(std::isfinite(c.lift) && std::isfinite(c.moment) && std::isfinite(c.drag))
          << degrees;
      const Coefficients plain = PlainFormula(table, aoa);
      if (std::isfinite(plain.lift + plain.moment + plain.drag)) {
        ASSERT_EQ(c.lift, plain.lift) << degrees;
        ASSERT_EQ(c.drag, plain.drag) << degrees;
      }
    }
  }
}

TEST_F(AeroProfilesTest, TableDragReplacesTheHostsDragModel) {
  Aircraft& plane = Build("X1", R"([VLIFT]
USER_DRAG=1
ZERO_DRAG=0.5
PT0=(-10,-0.5,0,0.04)
PT1=(0,0.1,0,0.02)
PT2=(10,1.0,-0.05)
[HLIFT]
PT0=(0,0,0,0.3)
PT1=(10,1,0,0.5)
)");
  vantor::VesselRecord& rec = RecordOf(plane);
  vantor::testing::EnableLog(true);
  // The point without a fourth element has drag 0; the zero-lift drag does not enter.
  EXPECT_NEAR(Evaluate(*rec.airfoils[0], -5).drag, 0.03, 1e-12);
  EXPECT_NEAR(Evaluate(*rec.airfoils[0], 5).drag, 0.01, 1e-12);
  // HLIFT without USER_DRAG repeats VLIFT's switch.
  EXPECT_NEAR(Evaluate(*rec.airfoils[1], 5).drag, 0.4, 1e-12);
  for (const std::string& call : LoggedCalls()) {
    EXPECT_NE(call, "vapiGetInducedDrag");
    EXPECT_NE(call, "vapiGetWaveDrag");
  }
}

TEST_F(AeroProfilesTest, HostDragAddsInducedWaveAndZeroDragWaveFirst) {
  // No WING efficiency: both airfoils take AIRCRAFT's efficiency and aspect ratio.
  Aircraft& plane = Build("X1", R"([AIRCRAFT]
WING_EFFICIENCY=0.8
ASPECT_RATIO=6
WAVE_DRAG=0.2
MACH_NUMBERS=(0.8,1.1,1.5)
[VLIFT]
ZERO_DRAG=0.02
PT0=(0,0,0)
PT1=(10,1,0)
[HLIFT]
USER_DRAG=0
ZERO_DRAG=0.01
PT0=(0,0,0)
PT1=(10,0.5,0)
[WING]
ASPECT_RATIO=9
)");
  vantor::VesselRecord& rec = RecordOf(plane);
  const AeroProfile& profile = aeroProfiles[plane.profileSlot];
  EXPECT_EQ(profile.horizontalEfficiency, 0.8);
  EXPECT_EQ(profile.horizontalAspectRatio, 6.0);
  EXPECT_EQ(rec.airfoils[0]->aspectRatio, 9.0);  // the airfoil keeps its own section's value
  vantor::testing::EnableLog(true);
  const Coefficients wing = Evaluate(*rec.airfoils[0], 5, 1.2);
  const double expected =
      vapiGetInducedDrag(0.5, 6, 0.8) + vapiGetWaveDrag(1.2, 0.8, 1.1, 1.5, 0.2);
  EXPECT_NEAR(wing.drag, expected + 0.02, 1e-12);
  EXPECT_GT(vapiGetWaveDrag(1.2, 0.8, 1.1, 1.5, 0.2), 0.0);
  const std::vector<std::string> calls = LoggedCalls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0], "vapiGetWaveDrag");
  EXPECT_EQ(calls[1], "vapiGetInducedDrag");
  const Coefficients fin = Evaluate(*rec.airfoils[1], 5, 0.5);
  EXPECT_NEAR(fin.drag, vapiGetInducedDrag(0.25, 6, 0.8) + 0.01, 1e-12);
}

TEST_F(AeroProfilesTest, TheWaveDragOfOneMachNumberIsAskedOnceUntilAnArgumentChanges) {
  Aircraft& plane = Build("X1", R"([AIRCRAFT]
WING_EFFICIENCY=0.8
ASPECT_RATIO=6
WAVE_DRAG=0.2
MACH_NUMBERS=(0.8,1.1,1.5)
[VLIFT]
PT0=(0,0,0)
PT1=(10,1,0)
[HLIFT]
PT0=(0,0,0)
PT1=(10,0.5,0)
)");
  vantor::VesselRecord& rec = RecordOf(plane);
  AeroProfile& profile = aeroProfiles[plane.profileSlot];
  vantor::testing::EnableLog(true);
  const auto waveCalls = [] {
    int count = 0;
    for (const std::string& call : LoggedCalls()) {
      count += call == "vapiGetWaveDrag" ? 1 : 0;
    }
    return count;
  };
  // A physics step: the wing and the fin at one Mach number.
  const double wing = Evaluate(*rec.airfoils[0], 5, 1.2).drag;
  const double fin = Evaluate(*rec.airfoils[1], 5, 1.2).drag;
  EXPECT_EQ(waveCalls(), 1);
  EXPECT_EQ(wing, vapiGetInducedDrag(0.5, 6, 0.8) + vapiGetWaveDrag(1.2, 0.8, 1.1, 1.5, 0.2));
  EXPECT_EQ(fin, vapiGetInducedDrag(0.25, 6, 0.8) + vapiGetWaveDrag(1.2, 0.8, 1.1, 1.5, 0.2));
  vantor::testing::ClearLog();

  // Each argument of the host's function counts, to the last bit.
  profile.machNumbers.z = 1.15;  // past the plateau: the decay
  const double decaying = Evaluate(*rec.airfoils[0], 5, 1.2).drag;
  EXPECT_LT(decaying, wing);
  profile.waveDrag = 0.4;
  EXPECT_GT(Evaluate(*rec.airfoils[0], 5, 1.2).drag, decaying);
  Evaluate(*rec.airfoils[0], 5, std::nextafter(1.2, 2.0));
  Evaluate(*rec.airfoils[0], 5, 1.2);
  EXPECT_EQ(waveCalls(), 4);
  EXPECT_EQ(Evaluate(*rec.airfoils[0], 5, 1.2).drag, Evaluate(*rec.airfoils[0], 5, 1.2).drag);
}

TEST_F(AeroProfilesTest, WingEfficiencySelectsWingAndFinValues) {
  Aircraft& plane = Build("X1", R"([WING]
WING_EFFICIENCY=0.9
ASPECT_RATIO=8
[FIN]
WING_EFFICIENCY=0.5
ASPECT_RATIO=2
[AIRCRAFT]
WING_EFFICIENCY=0.1
ASPECT_RATIO=1
WING_ANGLE=3
)");
  const AeroProfile& profile = aeroProfiles[plane.profileSlot];
  EXPECT_EQ(profile.verticalEfficiency, 0.9);
  EXPECT_EQ(profile.verticalAspectRatio, 8.0);
  EXPECT_EQ(profile.horizontalEfficiency, 0.5);
  EXPECT_EQ(profile.horizontalAspectRatio, 2.0);
  EXPECT_NEAR(profile.wingAngle, 3 * RAD, 1e-15);
}

TEST_F(AeroProfilesTest, TwoAircraftKeepTheirOwnSlotsAndDragSwitches) {
  root.WriteAircraft("B2", R"([VLIFT]
PT0=(0,0,0)
PT1=(10,1,0)
[AIRCRAFT]
WING_EFFICIENCY=1
ASPECT_RATIO=5
)");
  Aircraft& a = Build("A1", R"([VLIFT]
USER_DRAG=1
PT0=(0,0,0,0.05)
PT1=(10,1,0,0.05)
)");
  Aircraft& b = Build("B2", nullptr);
  EXPECT_EQ(a.profileSlot, 0);
  EXPECT_EQ(b.profileSlot, 1);
  EXPECT_EQ(RecordOf(a).airfoils[0]->coefficients, verticalLiftCallbacks[0]);
  EXPECT_EQ(RecordOf(b).airfoils[0]->coefficients, verticalLiftCallbacks[1]);
  EXPECT_EQ(RecordOf(b).airfoils[1]->coefficients, horizontalLiftCallbacks[1]);
  // B's set-up came last and has no table drag; A keeps its own.
  EXPECT_NEAR(Evaluate(*RecordOf(a).airfoils[0], 5).drag, 0.05, 1e-12);
  EXPECT_NEAR(Evaluate(*RecordOf(b).airfoils[0], 5).drag, 0.25 / (PI * 5), 1e-6);
  // The same name again gets its old slot back, refilled from its file.
  Aircraft& again = Build("A1", nullptr);
  EXPECT_EQ(again.profileSlot, 0);
  EXPECT_EQ(aeroProfileCount, 2);
}

TEST_F(AeroProfilesTest, ATenthNameGetsNoSlotAndNoAirfoils) {
  for (int i = 0; i < kProfileSlotCount; ++i) {
    EXPECT_EQ(Build(("P" + std::to_string(i)).c_str(), kThreePointWing).profileSlot, i);
  }
  Aircraft& tenth = Build("Tenth", kThreePointWing);
  EXPECT_EQ(tenth.profileSlot, -1);
  EXPECT_TRUE(RecordOf(tenth).airfoils.empty());
  EXPECT_EQ(RecordOf(tenth).controlSurfaces.size(), 6u);
  EXPECT_NE(vantor::testing::StatusLine().find("Tenth"), std::string::npos);
  EXPECT_NE(vantor::testing::StatusLine().find("slots"), std::string::npos);
  EXPECT_EQ(aeroProfileCount, kProfileSlotCount);
  EXPECT_EQ(aeroProfiles[kProfileSlotCount - 1].name, "P8");
  EXPECT_EQ(FindProfileSlot("P3"), 3);  // known names still find their slots
}

TEST_F(AeroProfilesTest, LongNamesAreMatchedWhole) {
  const std::string stem(80, 'L');
  EXPECT_EQ(FindProfileSlot((stem + "1").c_str()), 0);
  EXPECT_EQ(FindProfileSlot((stem + "2").c_str()), 1);
  EXPECT_EQ(FindProfileSlot((stem + "1").c_str()), 0);
  EXPECT_EQ(FindProfileSlot(stem.c_str()), 2);
  EXPECT_EQ(aeroProfileCount, 3);
}

}  // namespace
