#include "cockpit/AircraftView.h"

#include <cmath>

#include "Command.h"

// The query interface as a peer declares it: a table of operations in a fixed slot order. Only
// the slots used here matter, but every earlier one must be declared to keep the order. It has
// external linkage so that the compiler cannot conclude that nothing implements it.
class CockpitQueryTable {
 public:
  virtual int Slot0(void*) = 0;
  virtual int Slot1(int, int) = 0;
  virtual void Slot2(int) = 0;
  virtual bool Slot3(const char*) = 0;
  virtual void GetSequenceName(int index, char* name) = 0;
  virtual double GetSequenceState(int index) = 0;
  virtual double Slot6(const char*) = 0;
  virtual int GetSequenceCount() = 0;

 protected:
  ~CockpitQueryTable() = default;
};

namespace {

// The object begins with the table's pointer, followed by the part the host was given.
__attribute__((no_sanitize("undefined"))) std::vector<SequenceView> Query(void* vessel) {
  auto* table = reinterpret_cast<CockpitQueryTable*>(static_cast<char*>(vessel) - sizeof(void*));
  std::vector<SequenceView> sequences;
  const int count = table->GetSequenceCount();
  for (int i = 0; i < count && i < 64; ++i) {
    char name[64] = {};
    table->GetSequenceName(i, name);
    name[sizeof name - 1] = '\0';
    const double state = table->GetSequenceState(i);
    sequences.push_back(SequenceView{name, std::isfinite(state) ? state : 0.0});
  }
  return sequences;
}

}  // namespace

std::vector<SequenceView> ReadSequences(const vantor::VesselRecord& vessel) {
  if (vessel.className != kAircraftClass || vessel.moduleVessel == nullptr) {
    return {};
  }
  return Query(vessel.moduleVessel);
}
