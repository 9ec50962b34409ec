// A vessel's scenario block through LoadState and SaveState. The saved lines, loaded into a
// fresh aircraft and saved again, must come back unchanged: a saved scenario restores the
// state it was saved from.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <vantor/testing/HostTesting.h>

#include "FuzzSupport.h"

namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}

// The host writes an angle that rounds to zero from below as "-0.0000" and reads it back as
// 0; that is the host's printing, not a lost state, so the comparison reads both as one.
std::vector<std::string> WithoutNegativeZeros(std::vector<std::string> lines) {
  for (std::string& line : lines) {
    for (std::size_t minus = line.find(" -0"); minus != std::string::npos;
         minus = line.find(" -0", minus + 1)) {
      std::size_t end = minus + 2;
      while (end < line.size() && (line[end] == '0' || line[end] == '.')) {
        ++end;
      }
      if (end == line.size() || line[end] == ' ') {
        line.erase(minus + 1, 1);
      }
    }
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::EnterRoot();
  const auto block = fuzz::SplitLines({reinterpret_cast<const char*>(data), size});

  auto aircraft = fuzz::SetUpAircraft("Kestrel");
  const std::vector<std::string> saved = fuzz::LoadThenSave(*aircraft, block);
  aircraft.reset();

  auto fresh = fuzz::SetUpAircraft("Kestrel");
  const std::vector<std::string> savedAgain = fuzz::LoadThenSave(*fresh, saved);
  fuzz::Require(WithoutNegativeZeros(saved) == WithoutNegativeZeros(savedAgain),
                "saved lines read back differently",
                "first save:\n" + Joined(saved) + "second save:\n" + Joined(savedAgain));

  fuzz::PlaceAircraft(*fresh, false);
  fresh->StepAircraft(1.0);
  fuzz::CheckInvariants(*fresh);
  fuzz::CheckWaypointIndex(*fresh);
  fresh.reset();
  vantor::testing::ResetHost();
  return 0;
}
