// The drag-coefficient helpers: the shape of the wave-drag curve and safety for odd inputs.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "vantor/Api.h"

namespace {

TEST(InducedDragTest, IsLiftSquaredOverPiAspectEfficiencyAndZeroWithoutASpan) {
  EXPECT_NEAR(vapiGetInducedDrag(0.5, 8, 0.8), 0.25 / (std::numbers::pi * 6.4), 1e-15);
  EXPECT_EQ(vapiGetInducedDrag(-0.5, 8, 0.8), vapiGetInducedDrag(0.5, 8, 0.8));
  EXPECT_EQ(vapiGetInducedDrag(0.5, 8, 0), 0.0);
  EXPECT_EQ(vapiGetInducedDrag(0.5, -8, 0.8), 0.0);
  EXPECT_EQ(vapiGetInducedDrag(0.5, std::nan(""), 0.8), 0.0);
  EXPECT_EQ(vapiGetInducedDrag(std::nan(""), 8, 0.8), 0.0);
}

TEST(WaveDragTest, RisesSmoothlyFromM1ToTheMaximumAtM2AndHoldsToM3) {
  const double m1 = 0.8, m2 = 1.0, m3 = 1.2, cmax = 0.03;
  EXPECT_EQ(vapiGetWaveDrag(0.0, m1, m2, m3, cmax), 0.0);
  EXPECT_EQ(vapiGetWaveDrag(0.79, m1, m2, m3, cmax), 0.0);
  EXPECT_EQ(vapiGetWaveDrag(m1, m1, m2, m3, cmax), 0.0);
  EXPECT_NEAR(vapiGetWaveDrag(0.9, m1, m2, m3, cmax), cmax / 2, 1e-12);
  EXPECT_EQ(vapiGetWaveDrag(m2, m1, m2, m3, cmax), cmax);
  EXPECT_EQ(vapiGetWaveDrag(1.1, m1, m2, m3, cmax), cmax);
  EXPECT_EQ(vapiGetWaveDrag(m3, m1, m2, m3, cmax), cmax);
  // Continuous and rising on the way up, with no jump at either end.
  double previous = 0.0;
  for (double mach = m1; mach <= m2; mach += 0.001) {
    const double drag = vapiGetWaveDrag(mach, m1, m2, m3, cmax);
    EXPECT_GE(drag, previous);
    EXPECT_LE(drag - previous, 1.5 * cmax * 0.001 / (m2 - m1) * 1.001);  // steepest smoothstep
    previous = drag;
  }
}

TEST(WaveDragTest, FallsOffBeyondM3LikeSupersonicWaveDrag) {
  const double m3 = 1.2, cmax = 0.03;
  EXPECT_NEAR(vapiGetWaveDrag(2.0, 0.8, 1.0, m3, cmax),
              cmax * std::sqrt((m3 * m3 - 1) / (2.0 * 2.0 - 1)), 1e-15);
  EXPECT_NEAR(vapiGetWaveDrag(m3 + 1e-9, 0.8, 1.0, m3, cmax), cmax, 1e-8);
  double previous = cmax;
  for (double mach = m3; mach < 20; mach += 0.05) {
    const double drag = vapiGetWaveDrag(mach, 0.8, 1.0, m3, cmax);
    EXPECT_LE(drag, previous);
    EXPECT_GT(drag, 0.0);
    previous = drag;
  }
}

TEST(WaveDragTest, IsFiniteForDegenerateAndOddThresholds) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double odd[] = {0.0, -1.0, 0.5, 1.0, 3.0, 1e300, -1e300, inf, -inf, nan};
  for (double mach : odd) {
    for (double m1 : odd) {
      for (double m2 : odd) {
        for (double m3 : odd) {
          for (double cmax : {0.02, -0.5, inf, nan}) {
            const double drag = vapiGetWaveDrag(mach, m1, m2, m3, cmax);
            ASSERT_TRUE(std::isfinite(drag))
                << mach << " " << m1 << " " << m2 << " " << m3 << " " << cmax;
          }
        }
      }
    }
  }
  // All thresholds at zero: full drag at rest, decaying smoothly with speed.
  EXPECT_EQ(vapiGetWaveDrag(0.0, 0, 0, 0, 0.02), 0.02);
  EXPECT_LT(vapiGetWaveDrag(0.5, 0, 0, 0, 0.02), 0.02);
  EXPECT_GT(vapiGetWaveDrag(0.5, 0, 0, 0, 0.02), vapiGetWaveDrag(1.5, 0, 0, 0, 0.02));
  // Thresholds out of order act as if sorted upwards from M1.
  EXPECT_EQ(vapiGetWaveDrag(0.9, 1.0, 0.5, 0.7, 0.02), 0.0);
  EXPECT_EQ(vapiGetWaveDrag(1.0, 1.0, 0.5, 0.7, 0.02), 0.02);
}

}  // namespace
