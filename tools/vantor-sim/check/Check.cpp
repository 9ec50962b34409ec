#include "check/Check.h"

#include <filesystem>

#include "check/AircraftCheck.h"
#include "check/Catalogue.h"
#include "check/FlightPlanCheck.h"
#include "check/IniDocument.h"
#include "check/Structure.h"

namespace check {
namespace {

// The module builds "./Config/Aircraft/%s.ini" in 64 characters.
constexpr std::size_t kLongestVesselName = 41;

Report CheckAircraftDocument(const IniDocument& document) {
  Report report;
  CheckStructure(document, AircraftCatalogue(), report);
  const ValueReader reader(document, report);
  AircraftCheck(reader).Run();
  return report;
}

Report CheckFlightPlanDocument(const IniDocument& document) {
  Report report;
  CheckStructure(document, FlightPlanCatalogue(), report);
  CheckFlightPlan(ValueReader(document, report));
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

}  // namespace

Report CheckAircraftText(std::string_view text) {
  return CheckAircraftDocument(IniDocument::Parse(text));
}

Report CheckFlightPlanText(std::string_view text) {
  return CheckFlightPlanDocument(IniDocument::Parse(text));
}

}  // namespace check

int CheckAircraftFile(const std::string& root, const std::string& name, std::FILE* out,
                      bool errorsOnly) {
  const std::string file = "Config/Aircraft/" + name + ".ini";
  const auto document = check::IniDocument::Load(std::filesystem::path(root) / file);
  if (!document) {
    return check::Unreadable(file, out);
  }
  check::Report report = check::CheckAircraftDocument(*document);
  if (name.size() > check::kLongestVesselName) {
    report.Error(0, "the vessel name has " + std::to_string(name.size()) +
                        " characters: the module finds the files of names up to 41 characters "
                        "only");
  }
  return check::Finish(report, file, out, errorsOnly);
}

int CheckFlightPlanFile(const std::string& root, const std::string& plan, std::FILE* out,
                        bool errorsOnly) {
  const std::string file = "Config/Aircraft/FlightPlans/" + plan + ".ini";
  const auto document = check::IniDocument::Load(std::filesystem::path(root) / file);
  if (!document) {
    return check::Unreadable(file, out);
  }
  return check::Finish(check::CheckFlightPlanDocument(*document), file, out, errorsOnly);
}
