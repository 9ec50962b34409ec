// One aircraft file given to the module's set-up and to the author's check: they must agree on
// every read the module makes, whether the key is there and what value it gives, or the check
// would explain a file the module does not see. The platform-signature lookup, asked outside any
// set-up, must agree with both.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <vantor/testing/HostTesting.h>

#include "FuzzSupport.h"
#include "check/FileReads.h"
#include "check/ModuleRun.h"
#include "config/ProfileLookup.h"
#include "config/ProfileObserver.h"
#include "config/ProfileReaders.h"

namespace {

constexpr const char* kPath = "./Config/Aircraft/F.ini";

class Recorder : public ProfileObserver {
 public:
  void Read(const ProfileRead& read) override { reads.push_back(read); }
  std::vector<ProfileRead> reads;
};

std::string Where(const ProfileRead& read) {
  return "[" + read.section + "] " + read.key;
}

bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

void RequireSameRead(const ProfileRead& module, const ProfileRead& checked) {
  const std::string where = Where(module);
  fuzz::Require(
      module.section == checked.section && module.key == checked.key && module.kind == checked.kind,
      "the check's set-up reads in another order", where + " / " + Where(checked));
  fuzz::Require(module.found == checked.found && module.line == checked.line &&
                    module.raw == checked.raw && module.defaultStayed == checked.defaultStayed,
                "the check finds another value", where);
  for (int i = 0; i < 3; ++i) {
    fuzz::Require(SameBits(module.numbers[i], checked.numbers[i]),
                  "the check converts a number otherwise", where);
  }
  fuzz::Require(module.integer == checked.integer && module.text == checked.text &&
                    module.integers == checked.integers,
                "the check converts a value otherwise", where);
}

// The platform-signature lookup outside any set-up reads the file afresh, without the cache.
void RequireLookupAgrees(const ProfileRead& read) {
  char value[kProfileValueSize];
  const DWORD count = GetPrivateProfileStringA(read.section.c_str(), read.key.c_str(), "\n", value,
                                               sizeof value, kPath);
  const bool found = !(count == 1 && value[0] == '\n');
  fuzz::Require(found == read.found, "the lookup finds the key otherwise", Where(read));
  if (found) {
    fuzz::Require(std::string(value, count) == read.raw.substr(0, kProfileValueSize - 1),
                  "the lookup returns another value", Where(read));
  }
}

// What the check's accessors answer must be what the module got.
void RequireAccessorsAgree(const check::FileReads& checked, const ProfileRead& read) {
  const ProfileIndex::Entry* entry = checked.Entry(read.section, read.key);
  fuzz::Require((entry != nullptr) == read.found, "the check's index finds the key otherwise",
                Where(read));
  if (entry != nullptr) {
    fuzz::Require(entry->line == read.line && entry->value == read.raw,
                  "the check's index holds another line or value", Where(read));
  }
  if (read.kind == ProfileValueKind::Number) {
    const auto scalar = checked.Scalar(read.section, read.key);
    fuzz::Require(scalar.has_value() == !read.defaultStayed &&
                      (!scalar || SameBits(*scalar, read.numbers[0])),
                  "the check reports another number", Where(read));
  } else if (read.kind == ProfileValueKind::Integer) {
    const auto integer = checked.Integer(read.section, read.key);
    fuzz::Require(
        integer.has_value() == !read.defaultStayed && (!integer || *integer == read.integer),
        "the check reports another integer", Where(read));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::EnterRoot();
  fuzz::WriteFile("Config/Aircraft/F.ini", {reinterpret_cast<const char*>(data), size});
  Recorder module;
  {
    const ObserveProfileReads observe(module);
    auto aircraft = fuzz::SetUpAircraft("F");
  }
  vantor::testing::ResetHost();

  const std::vector<ProfileRead> checkedReads = check::ReadsOfClassSetUp(".", "F");
  fuzz::Require(checkedReads.size() == module.reads.size(),
                "the check makes another number of "
                "reads");
  check::Report report;
  const check::FileReads checked(ProfileIndex::Load(kPath), checkedReads, report);
  for (std::size_t i = 0; i < module.reads.size(); ++i) {
    RequireSameRead(module.reads[i], checkedReads[i]);
    RequireLookupAgrees(module.reads[i]);
    RequireAccessorsAgree(checked, module.reads[i]);
  }
  return 0;
}
