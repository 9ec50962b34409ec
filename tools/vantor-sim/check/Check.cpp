#include "check/Check.h"

#include <chrono>
#include <filesystem>
#include <fstream>

#include "check/AircraftCheck.h"
#include "check/Catalogue.h"
#include "check/FileReads.h"
#include "check/FlightPlanCheck.h"
#include "check/ModuleRun.h"
#include "check/Structure.h"
#include "check/ValueFindings.h"

namespace check {
namespace {

namespace fs = std::filesystem;

// The module builds "./Config/Aircraft/%s.ini" in 64 characters.
constexpr std::size_t kLongestVesselName = 41;

constexpr const char* kAircraftFolder = "Config/Aircraft/";
constexpr const char* kPlanFolder = "Config/Aircraft/FlightPlans/";

std::shared_ptr<const ProfileIndex> LoadFile(const std::string& root, const std::string& file) {
  return ProfileIndex::Load((fs::path(root) / file).string().c_str());
}

// Layout findings are never errors: a run that shows only errors (before setup and fly) skips
// them, which on a file of 100,000 unknown sections is most of the work.
Report CheckAircraft(const std::string& root, const std::string& name,
                     std::shared_ptr<const ProfileIndex> file, bool errorsOnly = false) {
  Report report;
  if (!errorsOnly) {
    CheckStructure(*file, AircraftCatalogue(), report);
  }
  if (name.size() > kLongestVesselName) {
    report.Error(0, std::string("the vessel name has ") + std::to_string(name.size()) +
                        " characters: the module finds the files of names up to 41 characters "
                        "only");
    return report;
  }
  const FileReads reads(std::move(file), ReadsOfClassSetUp(root, name), report);
  ReportValueFindings(reads, AircraftCatalogue());
  AircraftCheck(reads).Run();
  return report;
}

Report CheckPlan(const std::string& root, const std::string& plan,
                 std::shared_ptr<const ProfileIndex> file, bool errorsOnly = false) {
  Report report;
  if (!errorsOnly) {
    CheckStructure(*file, FlightPlanCatalogue(), report);
  }
  const FileReads reads(std::move(file), ReadsOfPlanLoad(root, plan), report);
  ReportValueFindings(reads, FlightPlanCatalogue());
  CheckFlightPlan(reads);
  return report;
}

int Finish(const Report& report, const std::string& file, std::FILE* out, bool errorsOnly) {
  report.Print(out, file, errorsOnly);
  return report.Count(Severity::Error) > 0 ? 1 : 0;
}

int Unreadable(const std::string& file, std::FILE* out) {
  std::fprintf(out, "%s:0: error: cannot read the file\n", file.c_str());
  return 2;
}

// A simulator root of its own for a text to check, removed afterwards.
class TextRoot {
 public:
  TextRoot(std::string_view text, const std::string& file) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    root_ = fs::temp_directory_path() / (std::string("vantor-check-") + std::to_string(stamp));
    fs::create_directories((root_ / file).parent_path());
    std::ofstream(root_ / file, std::ios::binary) << text;
  }
  ~TextRoot() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  TextRoot(const TextRoot&) = delete;
  TextRoot& operator=(const TextRoot&) = delete;
  std::string path() const { return root_.string(); }

 private:
  fs::path root_;
};

constexpr const char* kTextName = "Checked";

}  // namespace

Report CheckAircraftText(std::string_view text) {
  const std::string file = std::string(kAircraftFolder) + kTextName + ".ini";
  const TextRoot root(text, file);
  return CheckAircraft(root.path(), kTextName, LoadFile(root.path(), file));
}

Report CheckFlightPlanText(std::string_view text) {
  const std::string file = std::string(kPlanFolder) + kTextName + ".ini";
  const TextRoot root(text, file);
  return CheckPlan(root.path(), kTextName, LoadFile(root.path(), file));
}

}  // namespace check

int CheckAircraftFile(const std::string& root, const std::string& name, std::FILE* out,
                      bool errorsOnly) {
  const std::string file = check::kAircraftFolder + name + ".ini";
  auto index = check::LoadFile(root, file);
  if (index == nullptr) {
    return check::Unreadable(file, out);
  }
  return check::Finish(check::CheckAircraft(root, name, std::move(index), errorsOnly), file, out,
                       errorsOnly);
}

int CheckFlightPlanFile(const std::string& root, const std::string& plan, std::FILE* out,
                        bool errorsOnly) {
  const std::string file = check::kPlanFolder + plan + ".ini";
  auto index = check::LoadFile(root, file);
  if (index == nullptr) {
    return check::Unreadable(file, out);
  }
  return check::Finish(check::CheckPlan(root, plan, std::move(index), errorsOnly), file, out,
                       errorsOnly);
}
