// What the module read from a file: the file as the module's own lookup indexes it, and every
// read the module's set-up or plan load made, observed as it happened. The checks ask here what
// a key holds instead of converting anything themselves.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/Report.h"
#include "config/ProfileIndex.h"
#include "config/ProfileObserver.h"

namespace check {

using Vec3 = std::array<double, 3>;

class FileReads {
 public:
  FileReads(std::shared_ptr<const ProfileIndex> file, std::vector<ProfileRead> reads,
            Report& report);

  Report& report() const { return report_; }
  const ProfileIndex& file() const { return *file_; }
  // Every read in the order the module made them.
  const std::vector<ProfileRead>& reads() const { return reads_; }

  bool HasSection(std::string_view section) const;
  // The key as the lookup finds it, or null when absent.
  const ProfileIndex::Entry* Entry(std::string_view section, std::string_view key) const;
  // Whether the key gives a value (an empty value counts as absent).
  bool Given(std::string_view section, std::string_view key) const;
  // Where to point at: the key's line, else its section's header, else 0.
  int LineOf(std::string_view section, std::string_view key) const;
  int SectionLine(std::string_view section) const;

  // The module's first read of the key as this kind, or null when it made none.
  const ProfileRead* Read(std::string_view section, std::string_view key,
                          ProfileValueKind kind) const;
  // The module's read of a number or vector key, whichever kind it was read as.
  const ProfileRead* NumberRead(std::string_view section, std::string_view key) const;
  // For a read that kept its destination's value: the last read before it that gave that
  // destination a value (a shared holder passes values from section to section), or null.
  const ProfileRead* InheritedFrom(const ProfileRead& read) const;
  // The values the module got, when it read the key as that kind and the key gave one.
  std::optional<double> Scalar(std::string_view section, std::string_view key) const;
  std::optional<long long> Integer(std::string_view section, std::string_view key) const;
  // Applies the components the module read to value; returns whether the key was given.
  bool Vector(std::string_view section, std::string_view key, Vec3& value) const;
  // The text the module stored, or else the value as the lookup returns it.
  std::optional<std::string> Text(std::string_view section, std::string_view key) const;

 private:
  std::shared_ptr<const ProfileIndex> file_;
  std::vector<ProfileRead> reads_;
  std::map<std::string, std::size_t> firstRead_;  // folded section, key and kind: index
  Report& report_;
};

// Folds a section and key name as the lookup compares them, with the kind of the read.
std::string ReadKey(std::string_view section, std::string_view key, ProfileValueKind kind);

}  // namespace check
