// Placeholders until the host's default scenario parser and writer land: they log the call and
// keep every line unchanged, so nothing a scenario carried is lost meanwhile.
//
// For the real ones: both are module calls, so each writes its log line (vantor::log::Call);
// SaveDefaultState appends to scenario->written directly (vapiWriteScenario_string would log a
// call the module did not make); the status pointer is a ScenarioLoadStatus* or null.
#include "CallLog.h"
#include "ScenarioLoadStatus.h"
#include "vantor/Vessel.h"
#include "vantor/sim/ScenarioStream.h"

void VESSEL::ParseScenarioLineEx(char* line, void* status) const {
  vantor::log::Call("ParseScenarioLineEx", vantor::log::Quoted{line}, vantor::log::Pointer{status});
  if (line != nullptr) {
    GetHandle()->unknownScenarioLines.emplace_back(line);
  }
}

void VESSEL::SaveDefaultState(FILEHANDLE scenario) const {
  vantor::log::Call("SaveDefaultState", vantor::log::Handle{"file", scenario});
  if (scenario == nullptr) {
    return;
  }
  for (const auto& line : GetHandle()->unknownScenarioLines) {
    scenario->written.push_back(line);
  }
}
