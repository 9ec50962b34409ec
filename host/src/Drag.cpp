// The host's drag-coefficient helpers; the curves are described in docs/host-conventions.md.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "CallLog.h"
#include "vantor/Api.h"

namespace {

// Thresholds and Mach numbers beyond this are as good as infinite for any flight.
constexpr double kMachLimit = 1.0e6;
// Smallest M3^2 - 1 used by the supersonic fall-off, so that thresholds at or below Mach 1
// still give a finite, smooth decay.
constexpr double kMinimumDecayScale = 0.2;

double InducedDrag(double cl, double aspectRatio, double efficiency) {
  const double spanFactor = std::numbers::pi * aspectRatio * efficiency;
  if (!(spanFactor > 0.0) || !std::isfinite(spanFactor) || !std::isfinite(cl)) {
    return 0.0;
  }
  return cl * cl / spanFactor;
}

double WaveDrag(double mach, double m1, double m2, double m3, double maxDrag) {
  if (std::isnan(mach) || std::isnan(m1) || std::isnan(m2) || std::isnan(m3) ||
      !std::isfinite(maxDrag)) {
    return 0.0;
  }
  mach = std::clamp(mach, 0.0, kMachLimit);
  m1 = std::clamp(m1, 0.0, kMachLimit);
  m2 = std::clamp(m2, m1, kMachLimit);
  m3 = std::clamp(m3, m2, kMachLimit);
  if (mach < m1) {
    return 0.0;
  }
  if (mach < m2) {
    const double t = (mach - m1) / (m2 - m1);
    return maxDrag * t * t * (3.0 - 2.0 * t);
  }
  if (mach <= m3) {
    return maxDrag;
  }
  const double scale = std::max(m3 * m3 - 1.0, kMinimumDecayScale);
  return maxDrag * std::sqrt(scale / (scale + mach * mach - m3 * m3));
}

}  // namespace

double vapiGetInducedDrag(double cl, double aspectRatio, double efficiency) {
  const double drag = InducedDrag(cl, aspectRatio, efficiency);
  vantor::log::CallReturning("vapiGetInducedDrag", drag, cl, aspectRatio, efficiency);
  return drag;
}

double vapiGetWaveDrag(double mach, double m1, double m2, double m3, double maxDrag) {
  const double drag = WaveDrag(mach, m1, m2, m3, maxDrag);
  vantor::log::CallReturning("vapiGetWaveDrag", drag, mach, m1, m2, m3, maxDrag);
  return drag;
}
