#include "vantor/sim/Observation.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "CallLog.h"
#include "HostState.h"

namespace vantor::sim {
namespace {

constexpr std::size_t kInputBufferSize = 256;

}  // namespace

void ResetHost() {
  HandBackModuleVessels();
  HostState& host = Host();
  host.vessels.clear();
  host.focus = nullptr;
  std::memset(host.statusLine, 0, sizeof host.statusLine);
  host.inputBox = InputBox{};
  host.vesselCreationFails = false;
  host.writeFault = 0;
  host.writeFaultSuffix.clear();
  log::Stream({});
  log::Enable(false);
  log::Clear();
  log::ResetNames();
}

std::string StatusLine() {
  return StatusText();
}

std::string_view StatusLineView() {
  return {Host().statusLine, StatusLength()};
}

void EnableLog(bool enabled) {
  log::Enable(enabled);
}

std::string LogText() {
  return log::Text();
}

void ClearLog() {
  log::Clear();
}

void StreamLog(std::function<void(std::string_view)> sink) {
  log::Stream(std::move(sink));
}

bool InputBoxOpen() {
  return Host().inputBox.open;
}

std::string InputBoxTitle() {
  return Host().inputBox.open ? Host().inputBox.title : "";
}

bool AnswerInputBox(const char* text) {
  InputBox box = Host().inputBox;
  if (!box.open || box.callback == nullptr) {
    return false;
  }
  // Closed before the call, so the callback may open the next box.
  Host().inputBox = InputBox{};
  // The callback gets a writable copy with room to spare, as a pilot's edit field would have.
  const std::string answer = text != nullptr ? text : "";
  std::vector<char> buffer(std::max<std::size_t>(answer.size() + 1, kInputBufferSize), '\0');
  std::copy(answer.begin(), answer.end(), buffer.begin());
  log::ModuleCallMark mark(log::Function{reinterpret_cast<std::uintptr_t>(box.callback)});
  return box.callback(&Host().inputBox, buffer.data(), box.context);
}

void CancelInputBox() {
  Host().inputBox = InputBox{};
}

}  // namespace vantor::sim
