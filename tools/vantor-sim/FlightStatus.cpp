#include "FlightStatus.h"

#include <string_view>

#include "vantor/sim/Observation.h"

void FlightStatusCredits::BeforeTimestep() {
  statusBefore_.assign(vantor::sim::StatusLineView());
}

void FlightStatusCredits::AfterTimestep(const vantor::VesselRecord& vessel) {
  const std::string_view statusAfter = vantor::sim::StatusLineView();
  if (statusAfter == statusBefore_ || !reader_.Read(statusAfter)) {
    return;
  }
  for (Credit& credit : credits_) {
    if (credit.vessel == &vessel) {
      if (credit.status.reading != reader_.Fields().reading) {
        credit.status = reader_.Fields();
      }
      return;
    }
  }
  credits_.push_back(Credit{&vessel, reader_.Fields()});
}

const FlightStatusFields& FlightStatusCredits::Of(const vantor::VesselRecord& vessel) const {
  static const FlightStatusFields unknown;
  for (const Credit& credit : credits_) {
    if (credit.vessel == &vessel) {
      return credit.status;
    }
  }
  return unknown;
}
