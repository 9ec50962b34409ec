// Payloads, animation sequences and components, the links from controls to sequences, and keys
// that clash.
#include <map>
#include <utility>
#include <vector>

#include "check/AircraftCheck.h"
#include "check/Format.h"
#include "check/Lists.h"
#include "config/ProfileReaders.h"
#include "vantor/KeyCodes.h"

namespace check {
namespace {

std::string KeyName(int code) {
  for (std::size_t i = 0; i < 26; ++i) {
    if (static_cast<int>(VKEY_LETTERS[i]) == code) {
      return std::string(1, static_cast<char>('A' + i));
    }
  }
  return std::to_string(code);
}

// The pilot's fixed keys that a letter can reach: digits are never sequence or brake keys.
const char* FixedKeyAction(int code) {
  if (code == static_cast<int>(VKEY_S)) {
    return "S (skip to the next waypoint)";
  }
  if (code == static_cast<int>(VKEY_J)) {
    return "J (release a payload)";
  }
  if (code == static_cast<int>(VKEY_L)) {
    return "L (the flight-plan name box)";
  }
  return nullptr;
}

struct Working {
  bool given = false;
  std::string from;  // the section that gave the value
};

}  // namespace

void AircraftCheck::CheckPayloads() {
  constexpr int kCapacity = 10;
  std::map<std::string, std::string> payloadNames;  // name, section
  int count = 0;
  for (; count < kCapacity; ++count) {
    const std::string section = Numbered("PAYLOAD_", count);
    const double mass = reader_.Scalar(section, "MASS").value_or(0.0);
    if (mass == 0.0) {
      const std::string reason =
          reader_.Given(section, "MASS") ? "its MASS is 0" : "it has no MASS";
      ReportListEnd(reader_, "PAYLOAD_", kCapacity, "payloads", count,
                    reader_.LineOf(section, "MASS"), reason);
      return;
    }
    const char* s = section.c_str();
    Missing(s, "NAME", Severity::Note,
            std::string("the released vessel is named after the aircraft: NAME-payload-") +
                std::to_string(count));
    Missing(s, "MODULE", Severity::Warning, "the released vessel is a plain vessel of no class");
    // The simulator refuses a vessel name that is taken: the second payload never leaves.
    if (const auto name = reader_.Text(s, "NAME"); name && !name->empty()) {
      const std::string kept = name->substr(0, 31);
      if (const auto earlier = payloadNames.find(kept); earlier != payloadNames.end()) {
        report_.Warning(reader_.LineOf(s, "NAME"),
                        std::string("[") + section + "] has the NAME '" + kept + "' of [" +
                            earlier->second + "]: once that one is released, this one cannot be");
      } else {
        payloadNames.emplace(kept, section);
      }
    }
    Missing(s, "MESHNAME", Severity::Warning, "the payload is not shown while attached");
    Missing(s, "OFF", Severity::Warning, "the payload sits at (0, 0, 0)");
    Missing(s, "SPEED", Severity::Note, "the payload leaves without spin");
    Missing(s, "ROT_SPEED", Severity::Note, "the payload leaves with the aircraft's velocity");
  }
  ReportListEnd(reader_, "PAYLOAD_", kCapacity, "payloads", count, 0, "");
}

void AircraftCheck::CheckSequences() {
  constexpr int kCapacity = 10;
  std::vector<std::pair<std::string, std::string>> sequenceNames;  // name, section
  int count = 0;
  for (; count < kCapacity; ++count) {
    const std::string section = Numbered("ANIM_SEQ_", count);
    const auto key = reader_.Text(section, "KEY");
    const int code = KeyCodeFromLetter(key.value_or("").c_str());
    if (code == 0) {
      std::string reason = "it has no KEY";
      if (key && key->empty()) {
        reason = "its KEY is empty";
      } else if (key) {
        reason = std::string("its KEY '") + *key + "' is not a key letter";
      }
      ReportListEnd(reader_, "ANIM_SEQ_", kCapacity, "animation sequences", count,
                    reader_.LineOf(section, "KEY"), reason);
      break;
    }
    const char* s = section.c_str();
    if (!Missing(s, "DURATION", Severity::Error, "it has no default")) {
      const double duration = *reader_.Scalar(s, "DURATION");
      if (duration <= 0.0) {
        report_.Error(reader_.LineOf(s, "DURATION"),
                      std::string("DURATION ") + Number(duration) +
                          " is not positive: every move jumps to its end in one step");
      } else if (duration <= 0.001) {
        report_.Warning(reader_.LineOf(s, "DURATION"),
                        std::string("DURATION ") + Number(duration) +
                            " is at most a millisecond: every move jumps to its end in one step");
      }
    }
    const double initial = reader_.Scalar(s, "INITIAL").value_or(0.0);
    if (initial < 0.0 || initial > 1.0) {
      report_.Warning(reader_.LineOf(s, "INITIAL"),
                      std::string("INITIAL ") + Number(initial) + " lies outside 0 to 1");
    }
    if (const auto increment = reader_.Scalar(s, "INCREMENT"); increment && *increment <= 0.0) {
      report_.Warning(reader_.LineOf(s, "INCREMENT"), std::string("INCREMENT ") +
                                                          Number(*increment) +
                                                          " is not positive: no key press moves "
                                                          "the sequence");
    }
    if (const auto qfactor = reader_.Scalar(s, "QFACTOR"); qfactor && *qfactor < 0.0) {
      report_.Warning(reader_.LineOf(s, "QFACTOR"), std::string("QFACTOR ") + Number(*qfactor) +
                                                        " is negative: the drag element pushes "
                                                        "forward");
    }
    // Look-ups by name find the first sequence of a name, after the cut to 23 characters.
    const std::string name = reader_.Text(s, "NAME")
                                 .value_or(std::string("Sequence ") + std::to_string(count))
                                 .substr(0, 23);
    for (const auto& [earlier, earlierSection] : sequenceNames) {
      if (earlier == name) {
        report_.Warning(reader_.LineOf(s, "NAME"), std::string("[") + section + "] has the name '" +
                                                       name + std::string("' of [") +
                                                       earlierSection +
                                                       "]: a look-up by name finds only that one");
        break;
      }
    }
    sequenceNames.emplace_back(name, section);
    sequences_.push_back({section, code, reader_.LineOf(s, "KEY"), initial, 0});
  }
  if (count == kCapacity) {
    ReportListEnd(reader_, "ANIM_SEQ_", kCapacity, "animation sequences", count, 0, "");
  }
}

void AircraftCheck::CheckComponents() {
  constexpr int kCapacity = 20;
  constexpr std::size_t kComponentsPerSequence = 10;
  Working angle, point, axis, shift, scale, type;
  Vec3 axisValue{};
  std::string typeText;
  const int sequenceCount = static_cast<int>(sequences_.size());
  int count = 0;
  for (; count < kCapacity; ++count) {
    const std::string section = Numbered("ANIM_COMP_", count);
    const char* s = section.c_str();
    const auto groups = reader_.Text(s, "GROUPS");
    const ProfileRead* list = reader_.Read(s, "GROUPS", ProfileValueKind::IntegerList);
    if (!groups || list == nullptr || list->integers.empty()) {
      ReportListEnd(reader_, "ANIM_COMP_", kCapacity, "animation components", count,
                    reader_.LineOf(s, "GROUPS"),
                    groups ? "its GROUPS has no entry" : "it has no GROUPS");
      return;
    }
    if (!Missing(s, "SEQ", Severity::Error,
                 "it has no default, so the component belongs to "
                 "no sequence")) {
      const long long sequence = *reader_.Integer(s, "SEQ");
      if (sequence < 0 || sequence >= sequenceCount) {
        report_.Error(reader_.LineOf(s, "SEQ"),
                      std::string("SEQ ") + std::to_string(sequence) +
                          " names no sequence, so the component moves nothing: " +
                          std::to_string(sequenceCount) + " animation sequence" +
                          (sequenceCount == 1 ? " is" : "s are") + " read");
      } else if (++sequences_[static_cast<std::size_t>(sequence)].components ==
                 static_cast<int>(kComponentsPerSequence) + 1) {
        report_.Warning(reader_.LineOf(s, "SEQ"),
                        std::string("[") + sequences_[static_cast<std::size_t>(sequence)].section +
                            "] gets more than 10 components; the sequence keeps track of 10");
      }
    }

    // Working values carry over from the component before when a key is missing.
    auto take = [&](const char* key, Working& working) {
      if (reader_.Given(s, key)) {
        working = {true, section};
      }
    };
    take("ANGLE", angle);
    take("ROT_PNT", point);
    take("ROT_AXIS", axis);
    take("SHIFT", shift);
    take("SCALE", scale);
    reader_.Vector(s, "ROT_AXIS", axisValue);
    if (const auto text = reader_.Text(s, "TYPE")) {
      typeText = *text;
      type = {true, section};
    }
    const bool translate = typeText == "TRANSLATE";
    const bool scaling = typeText == "SCALE";
    if (reader_.Entry(s, "TYPE") != nullptr && !translate && !scaling) {
      if (SameProfileName(typeText, "TRANSLATE") || SameProfileName(typeText, "SCALE")) {
        report_.Warning(reader_.LineOf(s, "TYPE"),
                        std::string("TYPE '") + typeText +
                            "' builds a rotation: only TRANSLATE and SCALE in "
                            "capitals are recognised");
      } else if (!typeText.empty() && !SameProfileName(typeText, "ROTATE") &&
                 !SameProfileName(typeText, "ROTATION")) {
        report_.Warning(reader_.LineOf(s, "TYPE"),
                        std::string("TYPE '") + typeText +
                            "' is neither TRANSLATE nor SCALE: the component "
                            "rotates");
      }
    }
    auto inherited = [&](const char* key, const Working& working, const char* what,
                         const char* zero, Severity severity) {
      if (reader_.Given(s, key)) {
        return;
      }
      if (working.given) {
        report_.Note(reader_.SectionLine(s), std::string("[") + section + "] " + key +
                                                 " missing: it keeps " + what + " of [" +
                                                 working.from + "]");
      } else {
        report_.Add(reader_.SectionLine(s), severity,
                    std::string("[") + section + "] " + key +
                        " missing: no component before gave one, so " + what + " is " + zero);
      }
    };
    if (reader_.Entry(s, "TYPE") == nullptr && type.given) {
      report_.Note(reader_.SectionLine(s), std::string("[") + section +
                                               "] TYPE missing: it keeps '" + typeText +
                                               std::string("' of [") + type.from + "]");
    }
    if (translate) {
      inherited("SHIFT", shift, "the shift", "(0, 0, 0)", Severity::Warning);
    } else if (scaling) {
      inherited("SCALE", scale, "the scale factors", "(0, 0, 0)", Severity::Error);
      if (!reader_.Given(s, "REF") && !reader_.Given(s, "ROT_PNT") && point.given) {
        report_.Note(reader_.SectionLine(s), std::string("[") + section +
                                                 "] REF missing: it scales about "
                                                 "the reference point of [" +
                                                 point.from + "]");
      }
    } else {
      inherited("ANGLE", angle, "the angle", "0", Severity::Warning);
      inherited("ROT_AXIS", axis, "the axis", "(0, 0, 0)", Severity::Error);
      if (axis.given && axisValue[0] == 0.0 && axisValue[1] == 0.0 && axisValue[2] == 0.0) {
        report_.Error(reader_.LineOf(s, "ROT_AXIS"),
                      std::string("[") + section + "] rotates about the axis (0, 0, 0)");
      }
    }
    if (reader_.Given(s, "REF") && !scaling) {
      report_.Note(reader_.LineOf(s, "REF"), "REF is read only for SCALE components");
    }
    Vec3 range{0.0, 1.0, 0.0};
    reader_.Vector(s, "RANGE", range);
    if (range[0] < 0.0 || range[1] > 1.0 || range[0] >= range[1]) {
      report_.Warning(reader_.LineOf(s, "RANGE"), std::string("RANGE from ") + Number(range[0]) +
                                                      " to " + Number(range[1]) +
                                                      " is not a part of the sequence's 0 to 1");
    }
  }
  ReportListEnd(reader_, "ANIM_COMP_", kCapacity, "animation components", count, 0, "");
}

void AircraftCheck::CheckLinks() {
  struct Link {
    const char* section;
    const char* key;
  };
  const int sequenceCount = static_cast<int>(sequences_.size());
  for (const Link link : {Link{"ELEVATOR", "SEQ"}, Link{"RUDDER", "SEQ"}, Link{"STEERING", "SEQ"},
                          Link{"AILERON", "LSEQ"}, Link{"AILERON", "RSEQ"}, Link{"FLAPS", "SEQ"}}) {
    const auto value = reader_.Integer(link.section, link.key);
    if (!value || *value < 0) {
      continue;
    }
    const int line = reader_.LineOf(link.section, link.key);
    if (*value >= sequenceCount) {
      report_.Error(line, std::string(link.key) + " " + std::to_string(*value) +
                              std::string(" names no sequence, so nothing is linked: ") +
                              std::to_string(sequenceCount) + std::string(" animation sequence") +
                              (sequenceCount == 1 ? " is" : "s are") + " read");
    } else if (std::string(link.section) == "FLAPS" &&
               sequences_[static_cast<std::size_t>(*value)].initial != 0.0) {
      report_.Note(line, "the flaps start retracted: the INITIAL of [" +
                             sequences_[static_cast<std::size_t>(*value)].section +
                             "] does not count");
    }
  }
}

void AircraftCheck::CheckKeyClashes() {
  std::map<int, const Sequence*> first;
  for (const Sequence& sequence : sequences_) {
    if (sequence.keyCode <= 0) {
      continue;
    }
    const std::string key = KeyName(sequence.keyCode);
    if (const auto found = first.find(sequence.keyCode); found != first.end()) {
      report_.Warning(sequence.keyLine, std::string("[") + sequence.section + "] has the key " +
                                            key + " of [" + found->second->section +
                                            "]: only that one reacts to it");
      continue;
    }
    first.emplace(sequence.keyCode, &sequence);
    if (sequence.keyCode == brakeKey_) {
      report_.Warning(sequence.keyLine, std::string("[") + sequence.section +
                                            "] takes the brake key " + key +
                                            ": the sequence goes first, so the key no longer "
                                            "works the brakes");
    }
    if (const char* action = FixedKeyAction(sequence.keyCode)) {
      report_.Warning(sequence.keyLine, std::string("[") + sequence.section + "] takes the key " +
                                            action +
                                            ": the sequence goes first, so that key is lost");
    }
  }
  if (const char* action = FixedKeyAction(brakeKey_)) {
    report_.Warning(reader_.LineOf("BRAKES", "KEY"),
                    std::string("the brake key takes the key ") + action +
                        ": the brakes go first, so that key is lost");
  }
}

}  // namespace check
