#include "CallLog.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <unordered_map>

#include "HostState.h"

namespace vantor::log {
namespace {

// Names of handles and pointers, per kind: the counter and what each address is called.
struct NameSpace {
  unsigned next = 0;
  std::unordered_map<std::uintptr_t, std::string> names;
};

// Whether a log is kept and how deep the pauses are: plain values, set before anything runs, for
// the pause that every physics step makes.
bool enabled = false;
int pauseDepth = 0;

struct LogState {
  std::string text;
  std::function<void(std::string_view)> sink;
  std::map<std::string, NameSpace, std::less<>> names;
};

// A streamed log is handed over in pieces of about this size.
constexpr std::size_t kStreamBatch = 64 * 1024;

LogState& State() {
  static LogState state;
  return state;
}

std::string& NameOf(const char* kind, std::uintptr_t address, bool fresh) {
  NameSpace& space = State().names[kind];
  auto [entry, inserted] = space.names.try_emplace(address);
  if (inserted || fresh) {
    entry->second = kind + std::to_string(space.next++);
  }
  return entry->second;
}

std::uintptr_t AddressOf(const void* pointer) {
  return reinterpret_cast<std::uintptr_t>(pointer);
}

// Every control character, the quote and the backslash are escaped, so a line of the log is
// always one line and a text can be read back unambiguously.
void PutQuoted(std::string& out, const char* text) {
  out += '"';
  for (const char* c = text; *c != '\0'; ++c) {
    const unsigned char byte = static_cast<unsigned char>(*c);
    switch (byte) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (byte < 0x20 || byte == 0x7f) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\x%02x", byte);
          out += escape;
        } else {
          out += static_cast<char>(byte);
        }
    }
  }
  out += '"';
}

template <typename Number>
void PutNumber(std::string& out, Number value) {
  if (std::isnan(value)) {
    out += "nan";
    return;
  }
  if (std::isinf(value)) {
    out += value < 0 ? "-inf" : "inf";
    return;
  }
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void UpdateActive() {
  detail::active = enabled && pauseDepth == 0;
}

}  // namespace

bool detail::active = false;

void EnsureState() {
  State();
}

void Enable(bool on) {
  enabled = on;
  UpdateActive();
}

void Clear() {
  State().text.clear();
}

std::string Text() {
  return State().text;
}

void ResetNames() {
  State().names.clear();
}

struct SavedNames {
  std::map<std::string, NameSpace, std::less<>> names;
};

std::shared_ptr<SavedNames> SaveNames() {
  return std::make_shared<SavedNames>(SavedNames{State().names});
}

void RestoreNames(const SavedNames& saved) {
  State().names = saved.names;
}

void Stream(std::function<void(std::string_view)> sink) {
  LogState& state = State();
  if (state.sink && !state.text.empty()) {
    state.sink(state.text);
    state.text.clear();
  }
  state.sink = std::move(sink);
  enabled = static_cast<bool>(state.sink);
  UpdateActive();
}

void AppendLine(std::string line) {
  LogState& state = State();
  state.text += line;
  state.text += '\n';
  if (state.sink && state.text.size() >= kStreamBatch) {
    state.sink(state.text);
    state.text.clear();
  }
}

Pause::Pause() {
  ++pauseDepth;
  UpdateActive();
}
Pause::~Pause() {
  --pauseDepth;
  UpdateActive();
}

void NameNewHandle(const char* kind, const void* handle) {
  NameOf(kind, AddressOf(handle), true);
}

void Put(std::string& out, double value) {
  PutNumber(out, value);
}
void Put(std::string& out, float value) {
  PutNumber(out, value);
}
void Put(std::string& out, int value) {
  out += std::to_string(value);
}
void Put(std::string& out, unsigned value) {
  out += std::to_string(value);
}
void Put(std::string& out, bool value) {
  out += value ? "true" : "false";
}

void Put(std::string& out, const VECTOR3& value) {
  out += '(';
  Put(out, value.x);
  out += ", ";
  Put(out, value.y);
  out += ", ";
  Put(out, value.z);
  out += ')';
}

void Put(std::string& out, const Quoted& value) {
  if (value.text == nullptr) {
    out += "null";
  } else {
    PutQuoted(out, value.text);
  }
}

void Put(std::string& out, const Handle& value) {
  if (value.handle == nullptr) {
    out += "null";
  } else {
    out += NameOf(value.kind, AddressOf(value.handle), false);
  }
}

void Put(std::string& out, const Pointer& value) {
  if (value.pointer == nullptr) {
    out += "null";
  } else {
    out += NameOf("ptr", AddressOf(value.pointer), false);
  }
}

void Put(std::string& out, const Function& value) {
  if (value.address == 0) {
    out += "null";
  } else {
    out += NameOf("fn", value.address, false);
  }
}

void Put(std::string& out, const Raw& value) {
  out += value.text != nullptr ? value.text : "null";
}

void Put(std::string& out, const Vessel& value) {
  if (value.vessel == nullptr) {
    out += "null";
  } else if (!IsLiveVessel(value.vessel)) {
    out += "vessel:?";
  } else {
    out += "vessel:";
    PutQuoted(out, value.vessel->name.c_str());
  }
}

void Put(std::string& out, const ThrusterGroupType& value) {
  switch (value.type) {
    case THGROUP_MAIN:
      out += "THGROUP_MAIN";
      return;
    case THGROUP_RETRO:
      out += "THGROUP_RETRO";
      return;
    case THGROUP_HOVER:
      out += "THGROUP_HOVER";
      return;
  }
  Put(out, static_cast<int>(value.type));
}

void Put(std::string& out, const ControlType& value) {
  static const char* const kNames[AIRCTRL_KIND_COUNT] = {"AIRCTRL_ELEVATOR", "AIRCTRL_RUDDER",
                                                         "AIRCTRL_AILERON", "AIRCTRL_FLAP",
                                                         "AIRCTRL_ELEVATORTRIM"};
  const int index = static_cast<int>(value.type);
  if (index >= 0 && index < AIRCTRL_KIND_COUNT) {
    out += kNames[index];
  } else {
    Put(out, index);
  }
}

void Put(std::string& out, const AirfoilOrientation& value) {
  switch (value.orientation) {
    case LIFT_VERTICAL:
      out += "LIFT_VERTICAL";
      return;
    case LIFT_HORIZONTAL:
      out += "LIFT_HORIZONTAL";
      return;
  }
  Put(out, static_cast<int>(value.orientation));
}

void Put(std::string& out, const Animation& value) {
  if (value.number == NO_ANIMATION) {
    out += "NO_ANIMATION";
  } else {
    Put(out, value.number);
  }
}

void Put(std::string& out, const Transform& value) {
  const MGROUP_TRANSFORM* transform = value.transform;
  Put(out, Pointer{transform});
  if (transform == nullptr) {
    return;
  }
  static const char* const kKinds[] = {" ROTATE{", " TRANSLATE{", " SCALE{"};
  const int kind = static_cast<int>(transform->kind);
  if (kind < 0 || kind > 2) {
    out += " UNKNOWN{}";
    return;
  }
  out += kKinds[kind];
  out += "mesh ";
  Put(out, transform->mesh);
  out += ", groups [";
  // A module's group list is short; the cap only bounds what a corrupt count could make us read.
  constexpr UINT kMaxGroupsShown = 64;
  if (transform->groups != nullptr) {
    const UINT shown = std::min(transform->groupCount, kMaxGroupsShown);
    for (UINT i = 0; i < shown; ++i) {
      if (i > 0) {
        out += ", ";
      }
      Put(out, transform->groups[i]);
    }
    if (transform->groupCount > shown) {
      out += ", ...";
    }
  }
  out += "]";
  switch (transform->kind) {
    case MGROUP_TRANSFORM::ROTATE: {
      const auto* rotate = static_cast<const MGROUP_ROTATE*>(transform);
      out += ", ref ";
      Put(out, rotate->ref);
      out += ", axis ";
      Put(out, rotate->axis);
      out += ", angle ";
      Put(out, rotate->angle);
      break;
    }
    case MGROUP_TRANSFORM::TRANSLATE: {
      const auto* translate = static_cast<const MGROUP_TRANSLATE*>(transform);
      out += ", shift ";
      Put(out, translate->shift);
      break;
    }
    case MGROUP_TRANSFORM::SCALE: {
      const auto* scale = static_cast<const MGROUP_SCALE*>(transform);
      out += ", ref ";
      Put(out, scale->ref);
      out += ", scale ";
      Put(out, scale->scale);
      break;
    }
  }
  out += '}';
}

void Put(std::string& out, const Status& value) {
  const VESSELSTATUS* status = value.status;
  if (status == nullptr) {
    out += "null";
    return;
  }
  out += "{position ";
  Put(out, status->position);
  out += ", velocity ";
  Put(out, status->velocity);
  out += ", angularVelocity ";
  Put(out, status->angularVelocity);
  out += ", rotation (";
  for (int row = 0; row < 3; ++row) {
    if (row > 0) {
      out += ", ";
    }
    Put(out, VECTOR3{status->rotation[row][0], status->rotation[row][1], status->rotation[row][2]});
  }
  out += "), landed ";
  Put(out, status->landed);
  out += '}';
}

void Put(std::string& out, const HandleList& value) {
  if (value.handles == nullptr) {
    out += "null";
    return;
  }
  out += '[';
  for (int i = 0; i < value.count; ++i) {
    if (i > 0) {
      out += ", ";
    }
    Put(out, Handle{"th", value.handles[i]});
  }
  out += ']';
}

ModuleCallMark::ModuleCallMark(const char* exportName) {
  if (Active()) {
    Mark(std::string("> ") + exportName);
  }
}

ModuleCallMark::ModuleCallMark(const Function& callback) {
  if (Active()) {
    std::string mark = "> ";
    Put(mark, callback);
    Mark(std::move(mark));
  }
}

void ModuleCallMark::Mark(std::string mark) {
  AppendLine(std::move(mark));
  marked_ = true;
  statusBefore_ = StatusText();
}

ModuleCallMark::~ModuleCallMark() {
  if (!marked_ || !Active()) {
    return;
  }
  const std::string status = StatusText();
  if (statusBefore_ != status) {
    std::string line = "status ";
    PutQuoted(line, status.c_str());
    AppendLine(std::move(line));
  }
}

}  // namespace vantor::log
