#include "check/ValueFindings.h"

#include <algorithm>
#include <set>

#include "check/Format.h"
#include "config/ProfileReaders.h"

namespace check {
namespace {

const char* const kOrdinals[] = {"first", "second", "third"};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// The catalogue's kind of the key, when it knows the key.
std::optional<ValueKind> KindOf(const Catalogue& catalogue, const ProfileRead& read) {
  const auto match = catalogue.FindSection(read.section);
  if (!match) {
    return std::nullopt;
  }
  if (const KeyRule* rule = Catalogue::FindKey(*match->rule, read.key)) {
    return rule->kind;
  }
  if (match->rule->hasPoints && Catalogue::PointIndex(read.key)) {
    return ValueKind::Point;
  }
  return std::nullopt;
}

class Findings {
 public:
  Findings(Report& report, const ProfileRead& read)
      : report_(report), read_(read), key_(read.key) {}

  void Number() {
    const ProfileRead::Part& part = read_.parts[0];
    if (!part.number) {
      Add(Severity::Error, Quoted(read_.raw) + " is not a number: the module reads 0");
      return;
    }
    const std::string_view ignored = part.ignored;
    std::size_t glued = 0;
    while (glued < ignored.size() && !IsBlank(ignored[glued])) {
      ++glued;
    }
    if (glued > 0) {
      Add(Severity::Warning, Quoted(ignored.substr(0, glued)) +
                                 " after the number is ignored: the module reads " +
                                 check::Number(read_.numbers[0]));
    }
    if (const std::string_view rest = Trim(ignored.substr(glued)); !rest.empty()) {
      Add(Severity::Note,
          std::string("the text after the first blank, ") + Quoted(rest) + ", is ignored");
    }
  }

  void Integer() {
    const ProfileRead::Part& part = read_.parts[0];
    if (!part.number) {
      Add(Severity::Error, Quoted(read_.raw) + " is not a whole number: the module reads 0");
    } else if (const std::string_view rest = Trim(part.ignored); !rest.empty()) {
      Add(Severity::Warning, Quoted(rest) +
                                 " after the whole number is ignored: the module reads " +
                                 std::to_string(read_.integer));
    }
  }

  // count: the components the key needs (a RANGE needs two); extraNote: say that a fourth
  // component is ignored.
  void Vector(int count, bool extraNote) {
    const std::string shape = count == 2 ? "(from,to)" : "(x,y,z)";
    if (read_.raw.empty() || read_.raw.front() != '(') {
      Add(Severity::Error, Quoted(read_.raw) + " needs the form " + shape +
                               ", beginning with '(': no component is read and the prior value "
                               "stays");
      return;
    }
    std::string missing;
    for (int i = 0; i < count; ++i) {
      if (!read_.parts[i].supplied) {
        missing += missing.empty() ? "" : ", ";
        missing += kOrdinals[i];
      }
    }
    for (int i = 0; i < count; ++i) {
      const ProfileRead::Part& part = read_.parts[i];
      if (!part.supplied) {
        continue;
      }
      if (part.cut) {
        Add(Severity::Warning, std::string("the ") + kOrdinals[i] +
                                   " component is longer than 19 characters and is cut");
      }
      std::string_view ignored = Trim(part.ignored);
      if (!part.number) {
        Add(Severity::Error, std::string("the ") + kOrdinals[i] +
                                 std::string(" component is not a number: ") +
                                 "the module reads 0");
        continue;
      }
      if (i == 2 && !ignored.empty() && ignored.front() == ',') {
        if (extraNote) {
          Add(Severity::Note, std::string("only three components are used; ") +
                                  Quoted(Trim(ignored.substr(1))) + " is ignored");
        }
        continue;
      }
      // "(6,14)": the ')' left in the second component is no news beside the missing third,
      // nor where only two are needed.
      if (ignored == ")" && (!missing.empty() || i == count - 1)) {
        continue;
      }
      if (!ignored.empty()) {
        Add(Severity::Warning,
            Quoted(ignored) + " after the " + kOrdinals[i] + " component is ignored");
      }
    }
    if (const std::string_view after = Trim(read_.afterClose); !after.empty()) {
      Add(Severity::Warning, std::string("the text after ')', ") + Quoted(after) + ", is ignored");
    }
    if (!missing.empty()) {
      Add(Severity::Error, Quoted(read_.raw) + " lacks its " + missing + " component (" + shape +
                               "): the prior value stays there");
    }
  }

  void Text() {
    // A value cut by the lookup is reported once, beside every kind.
    if (read_.text.size() < std::min<std::size_t>(read_.raw.size(), kProfileValueSize - 1)) {
      Add(Severity::Warning, std::string("is ") + std::to_string(read_.raw.size()) +
                                 " characters long: only the first " +
                                 std::to_string(read_.text.size()) + " are kept");
    }
    const std::size_t comment = read_.raw.find(';');
    if (comment != std::string::npos && comment > 0 && IsBlank(read_.raw[comment - 1])) {
      Add(Severity::Warning, Quoted(read_.raw.substr(comment)) +
                                 " is part of the value: there are no comments after a value");
    }
  }

  void KeyLetter() {
    const std::string& letter = read_.raw;
    if (letter.empty()) {
      return;
    }
    const char first = letter.front();
    if (KeyCodeFromLetter(letter.c_str()) == 0) {
      std::string why = "the module knows only the capital letters A to Z and '*'";
      if (first >= 'a' && first <= 'z') {
        why = "letters must be capitals: write " +
              std::string(1, static_cast<char>(first - 'a' + 'A'));
      } else if (first >= '0' && first <= '9') {
        why = "digits cannot be keys here; only letters map to keys";
      }
      Add(Severity::Error, Quoted(letter) + " is not a key letter (" + why + ")");
    } else if (letter.size() > 1) {
      Add(Severity::Warning, std::string("only the first character of ") + Quoted(letter) +
                                 std::string(" counts: the key is ") + std::string(1, first));
    }
  }

  void List() {
    for (std::size_t i = 0; i < read_.entries.size(); ++i) {
      const ProfileRead::Part& entry = read_.entries[i];
      if (!entry.number) {
        Add(Severity::Error, std::string("entry ") + Quoted(entry.text) +
                                 " is not a whole number: the module reads 0");
      } else if (!entry.ignored.empty()) {
        Add(Severity::Warning, std::string("entry ") + Quoted(entry.ignored) +
                                   " after the whole number is ignored: the module reads " +
                                   std::to_string(read_.integers[i]));
      }
    }
    if (read_.cut) {
      Add(Severity::Warning, std::string("only the first ") +
                                 std::to_string(read_.integers.size()) + " entries are used");
    }
  }

  void Add(Severity severity, const std::string& message) {
    report_.Add(read_.line, severity, key_ + ": " + message);
  }

 private:
  Report& report_;
  const ProfileRead& read_;
  std::string key_;
};

bool NumberKind(ProfileValueKind kind) {
  return kind == ProfileValueKind::Number || kind == ProfileValueKind::Integer ||
         kind == ProfileValueKind::Vector;
}

}  // namespace

void ReportValueFindings(const FileReads& reads, const Catalogue& catalogue) {
  // A key read as a number too (a waypoint's POSITION is first probed as text) is judged as one.
  std::set<std::string> readAsNumber;
  for (const ProfileRead& read : reads.reads()) {
    if (NumberKind(read.kind)) {
      readAsNumber.insert(ReadKey(read.section, read.key, ProfileValueKind::Text));
    }
  }
  std::set<std::string> done;
  for (const ProfileRead& read : reads.reads()) {
    const std::string readKey = ReadKey(read.section, read.key, read.kind);
    if (!read.found || !done.insert(readKey).second) {
      continue;
    }
    Findings findings(reads.report(), read);
    if (read.raw.empty() && NumberKind(read.kind)) {
      findings.Add(Severity::Note, "is empty: the module reads it as if it were absent");
      continue;
    }
    if (read.raw.size() > kProfileValueSize - 1) {
      findings.Add(Severity::Warning, "the value is longer than 254 characters and is cut");
    }
    const std::optional<ValueKind> kind = KindOf(catalogue, read);
    switch (read.kind) {
      case ProfileValueKind::Number:
        findings.Number();
        break;
      case ProfileValueKind::Integer:
        findings.Integer();
        break;
      case ProfileValueKind::Vector:
        findings.Vector(kind == ValueKind::Range ? 2 : 3, kind != ValueKind::Point);
        break;
      case ProfileValueKind::Text:
        if (readAsNumber.count(readKey) == 0) {
          if (kind == ValueKind::KeyLetter) {
            findings.KeyLetter();
          } else {
            findings.Text();
          }
        }
        break;
      case ProfileValueKind::IntegerList:
        findings.List();
        break;
      case ProfileValueKind::FourthElement:
        break;
    }
  }
}

}  // namespace check
