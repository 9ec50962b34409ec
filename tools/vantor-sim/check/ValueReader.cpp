#include "check/ValueReader.h"

#include "check/Values.h"

namespace check {

bool ValueReader::HasSection(std::string_view section) const {
  return document_.FindSection(section) != nullptr;
}

const IniEntry* ValueReader::Entry(std::string_view section, std::string_view key) const {
  return document_.Find(section, key);
}

bool ValueReader::Given(std::string_view section, std::string_view key) const {
  const IniEntry* entry = Entry(section, key);
  return entry != nullptr && !entry->value.empty();
}

int ValueReader::LineOf(std::string_view section, std::string_view key) const {
  if (const IniEntry* entry = Entry(section, key)) {
    return entry->line;
  }
  return SectionLine(section);
}

int ValueReader::SectionLine(std::string_view section) const {
  const IniSection* found = document_.FindSection(section);
  return found != nullptr ? found->line : 0;
}

std::optional<double> ValueReader::Scalar(std::string_view section, std::string_view key) const {
  if (!Given(section, key)) {
    return std::nullopt;
  }
  return ConvertScalar(Entry(section, key)->value).value;
}

std::optional<long long> ValueReader::Integer(std::string_view section,
                                              std::string_view key) const {
  if (!Given(section, key)) {
    return std::nullopt;
  }
  return ConvertInteger(Entry(section, key)->value).value;
}

bool ValueReader::Vector(std::string_view section, std::string_view key, Vec3& value) const {
  if (!Given(section, key)) {
    return false;
  }
  const TupleValue tuple = ConvertTuple(Entry(section, key)->value, 3);
  for (std::size_t i = 0; i < 3; ++i) {
    if (tuple.supplied[i]) {
      value[i] = tuple.values[i];
    }
  }
  return true;
}

std::optional<std::string> ValueReader::Text(std::string_view section, std::string_view key) const {
  if (const IniEntry* entry = Entry(section, key)) {
    return entry->value;
  }
  return std::nullopt;
}

}  // namespace check
