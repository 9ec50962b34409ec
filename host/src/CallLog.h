// The host call log: one line per host call a module makes, in the grammar of docs/host-log.md.
// Arguments are formatted only while the log is active, so a disabled log costs one test.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>

#include "HostExport.h"
#include "vantor/Types.h"

namespace vantor::log {

namespace detail {
// Enabled (or streaming) and not paused; kept by Enable, Stream and Pause so that the test every
// host call makes is one load.
VANTOR_INTERNAL extern bool active;
}  // namespace detail

// Enabled by sim::EnableLog and not paused.
inline bool Active() {
  return detail::active;
}
VANTOR_INTERNAL void Enable(bool enabled);
// Builds the log's state now: what logs from an exit handler must register after this.
VANTOR_INTERNAL void EnsureState();
VANTOR_INTERNAL void Clear();
// What is kept: everything logged since the last Clear, but for what went to a stream.
VANTOR_INTERNAL std::string Text();
// Lines go to sink as they are logged (in batches) instead of being kept, and the log is on
// while a sink is set. An empty sink hands over what is pending and turns the log off.
VANTOR_INTERNAL void Stream(std::function<void(std::string_view)> sink);
// Forgets every handle and pointer name and restarts the counters.
VANTOR_INTERNAL void ResetNames();
// The names handed out so far, to put back when a tool's own calls are done.
struct SavedNames;
VANTOR_INTERNAL std::shared_ptr<SavedNames> SaveNames();
VANTOR_INTERNAL void RestoreNames(const SavedNames& saved);
VANTOR_INTERNAL void AppendLine(std::string line);

// Calls made while an object of this class lives are not logged: the host's own use of VESSEL
// members, and whatever a module calls while the host evaluates its callbacks in the physics.
class VANTOR_INTERNAL Pause {
 public:
  Pause();
  ~Pause();
  Pause(const Pause&) = delete;
  Pause& operator=(const Pause&) = delete;
};

// Names a handle the host has just created (prop0, th1, ...); done whether or not the log is
// active, so names follow creation order.
VANTOR_INTERNAL void NameNewHandle(const char* kind, const void* handle);

// Argument wrappers: each selects a way of writing a value.
struct Quoted {  // text in double quotes; null is written null
  const char* text;
};
struct Handle {  // a host-made handle; null is written null
  const char* kind;
  const void* handle;
};
struct Pointer {  // any other pointer, named ptrN at first appearance
  const void* pointer;
};
struct Function {  // a callback function, named fnN at first appearance
  std::uintptr_t address;
};
struct Raw {  // written as it is
  const char* text;
};
struct Vessel {  // a vessel handle, written vessel:"NAME"
  const VesselRecord* vessel;
};
struct ThrusterGroupType {
  THGROUP_TYPE type;
};
struct ControlType {
  AIRCTRL_TYPE type;
};
struct AirfoilOrientation {
  AIRFOIL_ORIENTATION orientation;
};
struct Animation {  // an animation number; NO_ANIMATION by name
  UINT number;
};
struct Transform {
  const MGROUP_TRANSFORM* transform;
};
struct Status {
  const VESSELSTATUS* status;
};
struct HandleList {  // a list of thruster handles
  const THRUSTER_HANDLE* handles;
  int count;
};

VANTOR_INTERNAL void Put(std::string& out, double value);
VANTOR_INTERNAL void Put(std::string& out, float value);
VANTOR_INTERNAL void Put(std::string& out, int value);
VANTOR_INTERNAL void Put(std::string& out, unsigned value);
VANTOR_INTERNAL void Put(std::string& out, bool value);
VANTOR_INTERNAL void Put(std::string& out, const VECTOR3& value);
VANTOR_INTERNAL void Put(std::string& out, const Quoted& value);
VANTOR_INTERNAL void Put(std::string& out, const Handle& value);
VANTOR_INTERNAL void Put(std::string& out, const Pointer& value);
VANTOR_INTERNAL void Put(std::string& out, const Function& value);
VANTOR_INTERNAL void Put(std::string& out, const Raw& value);
VANTOR_INTERNAL void Put(std::string& out, const Vessel& value);
VANTOR_INTERNAL void Put(std::string& out, const ThrusterGroupType& value);
VANTOR_INTERNAL void Put(std::string& out, const ControlType& value);
VANTOR_INTERNAL void Put(std::string& out, const AirfoilOrientation& value);
VANTOR_INTERNAL void Put(std::string& out, const Animation& value);
VANTOR_INTERNAL void Put(std::string& out, const Transform& value);
VANTOR_INTERNAL void Put(std::string& out, const Status& value);
VANTOR_INTERNAL void Put(std::string& out, const HandleList& value);

// "(a, b, c)": several results of one call (out-parameters), written only when logged.
template <typename... Values>
struct TupleOf {
  std::tuple<Values...> values;
};

template <typename... Values>
TupleOf<Values...> Tuple(const Values&... values) {
  return TupleOf<Values...>{{values...}};
}

template <typename... Values>
void Put(std::string& out, const TupleOf<Values...>& tuple) {
  out += '(';
  std::apply(
      [&out](const Values&... values) {
        [[maybe_unused]] const char* separator = "";
        ((out += separator, Put(out, values), separator = ", "), ...);
      },
      tuple.values);
  out += ')';
}

template <typename... Args>
std::string FormatCall(const char* name, const Args&... args) {
  std::string line = name;
  line += '(';
  [[maybe_unused]] const char* separator = "";
  ((line += separator, Put(line, args), separator = ", "), ...);
  line += ')';
  return line;
}

// The formatting is kept out of the calls' own code, which then needs no frame for it.
template <typename... Args>
[[gnu::noinline, gnu::cold]] void LogCall(const char* name, const Args&... args) {
  AppendLine(FormatCall(name, args...));
}

template <typename Result, typename... Args>
[[gnu::noinline, gnu::cold]] void LogCallReturning(const char* name, const Result& result,
                                                   const Args&... args) {
  std::string line = FormatCall(name, args...);
  line += " -> ";
  Put(line, result);
  AppendLine(std::move(line));
}

// Name(arg, ...)
template <typename... Args>
void Call(const char* name, const Args&... args) {
  if (Active()) [[unlikely]] {
    LogCall(name, args...);
  }
}

// Name(arg, ...) -> result
template <typename Result, typename... Args>
void CallReturning(const char* name, const Result& result, const Args&... args) {
  if (Active()) [[unlikely]] {
    LogCallReturning(name, result, args...);
  }
}

// Wraps a call from the host into a module: marks it "> name" and, when the status line
// changed during the call, adds a line `status "text"` after it.
class VANTOR_INTERNAL ModuleCallMark {
 public:
  explicit ModuleCallMark(const char* exportName);
  // An input-box callback: "> fnN".
  explicit ModuleCallMark(const Function& callback);
  ~ModuleCallMark();
  ModuleCallMark(const ModuleCallMark&) = delete;
  ModuleCallMark& operator=(const ModuleCallMark&) = delete;

 private:
  void Mark(std::string mark);

  bool marked_ = false;
  std::string statusBefore_;
};

}  // namespace vantor::log
