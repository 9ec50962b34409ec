// Values of a file as the module's readers would deliver them, for the checks that follow what
// the module does with them. Kind problems are reported by the structure check, not here.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "check/IniDocument.h"
#include "check/Report.h"

namespace check {

using Vec3 = std::array<double, 3>;

class ValueReader {
 public:
  ValueReader(const IniDocument& document, Report& report) : document_(document), report_(report) {}

  Report& report() const { return report_; }
  const IniDocument& document() const { return document_; }

  bool HasSection(std::string_view section) const;
  // The key's entry, or null when absent.
  const IniEntry* Entry(std::string_view section, std::string_view key) const;
  // Whether the key gives a value (an empty number or vector counts as absent).
  bool Given(std::string_view section, std::string_view key) const;
  // Where to point at: the key's line, else its section's header, else 0.
  int LineOf(std::string_view section, std::string_view key) const;
  int SectionLine(std::string_view section) const;

  std::optional<double> Scalar(std::string_view section, std::string_view key) const;
  std::optional<long long> Integer(std::string_view section, std::string_view key) const;
  // Applies the components the key supplies to value; returns whether the key was given.
  bool Vector(std::string_view section, std::string_view key, Vec3& value) const;
  std::optional<std::string> Text(std::string_view section, std::string_view key) const;

 private:
  const IniDocument& document_;
  Report& report_;
};

}  // namespace check
