#include "check/ModuleRun.h"

#include <filesystem>
#include <functional>

#include "config/ProfileObserver.h"
#include "flight/AeroProfiles.h"
#include "frame/Aircraft.h"
#include "vantor/sim/Simulation.h"
#include "vantor/sim/VesselRecord.h"

namespace check {
namespace {

class Recorder : public ProfileObserver {
 public:
  void Read(const ProfileRead& read) override { reads.push_back(read); }
  std::vector<ProfileRead> reads;
};

// The module names its files relative to the simulator root, its working directory.
class InRoot {
 public:
  explicit InRoot(const std::string& root) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(root);
  }
  ~InRoot() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }
  InRoot(const InRoot&) = delete;
  InRoot& operator=(const InRoot&) = delete;

 private:
  std::filesystem::path previous_;
};

// The plan load needs a vessel but no file of it.
constexpr const char* kPlanVessel = "check-flight-plan";

std::vector<ProfileRead> Observe(const std::string& root, const std::string& name,
                                 const std::function<void(Aircraft&)>& run) {
  const InRoot inRoot(root);
  // A record of the check's own, outside the simulation: a vessel of the name may be flying, and
  // a run's host log must not show the check.
  const vantor::sim::Offstage offstage;
  vantor::VesselRecord vessel;
  vessel.name = name;
  Recorder recorder;
  {
    const ObserveProfileReads observe(recorder);
    Aircraft aircraft(&vessel);
    run(aircraft);
  }
  return std::move(recorder.reads);
}

}  // namespace

std::vector<ProfileRead> ReadsOfClassSetUp(const std::string& root, const std::string& name) {
  return Observe(root, name, [](Aircraft& aircraft) {
    // The check's copy of the module serves no other vessel: every check starts with the nine
    // lift-table slots free, as a module just loaded does.
    ResetAeroProfiles();
    aircraft.SetClassCaps();
  });
}

std::vector<ProfileRead> ReadsOfPlanLoad(const std::string& root, const std::string& plan) {
  return Observe(root, kPlanVessel,
                 [&](Aircraft& aircraft) { aircraft.LoadFlightPlan(plan.c_str()); });
}

}  // namespace check
