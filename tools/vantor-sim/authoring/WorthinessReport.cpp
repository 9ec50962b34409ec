#include "authoring/WorthinessReport.h"

#include <vantor/sim/Simulation.h>

#include "authoring/FlightWorthiness.h"
#include "authoring/Gear.h"
#include "authoring/WorthinessInputs.h"
#include "config/ProfileIndex.h"

namespace authoring {

int PrintFlightWorthiness(const std::string& root, const std::string& name, std::FILE* out) {
  const std::string file = "Config/Aircraft/" + name + ".ini";
  vantor::VesselRecord* vessel = vantor::sim::CreateVessel(name, "aircraft");
  if (vessel == nullptr) {
    return 0;
  }
  SetGear(*vessel, FindGearSequence(file), false);
  const auto findings = AssessFlightWorthiness(*vessel, ReadWorthinessInputs(root, name));
  vantor::sim::DeleteVessel(*vessel);
  const auto document = ProfileIndex::Load(file.c_str());
  for (const WorthinessFinding& finding : findings) {
    int line = 0;
    if (document) {
      if (const ProfileIndex::Entry* entry =
              finding.key.empty() ? nullptr : document->Find(finding.section, finding.key)) {
        line = entry->line;
      } else if (const ProfileIndex::Section* section = document->FindSection(finding.section)) {
        line = section->line;
      }
    }
    std::fprintf(out, "%s:%d: warning: %s\n", file.c_str(), line, finding.message.c_str());
  }
  return static_cast<int>(findings.size());
}

}  // namespace authoring
