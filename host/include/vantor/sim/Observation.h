// What the simulator sees of the host and answers it: the status line, the call log and the
// input box a module opened; and a fresh start.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "vantor/sim/Export.h"

namespace vantor::sim {

// Deletes every vessel, clears the call log (and turns it off) and its handle names, the status
// line, the open input box, the focus and every injected failure. Vessels made by a module
// through CreateVessel are first handed to the module's vvcExit (unlogged), so nothing leaks; a
// vessel object a test constructed itself is the test's to destroy.
VANTOR_SIM_API void ResetHost();

// The status line, as vapiDebugString holds it now.
VANTOR_SIM_API std::string StatusLine();
// The same where the host keeps it, without a copy: valid until the next module call writes it.
VANTOR_SIM_API std::string_view StatusLineView();

// The call log (format in docs/host-log.md). Logging is off until enabled.
VANTOR_SIM_API void EnableLog(bool enabled);
VANTOR_SIM_API std::string LogText();
VANTOR_SIM_API void ClearLog();
// Hands the log to sink as it is written, in pieces of whole lines, instead of keeping it, so
// that a long run's log costs no memory: LogText() then holds at most the piece not yet handed
// over. The log is on while a sink is set; an empty sink gets nothing more: what is pending goes
// to the previous sink, and the log is off. ResetHost does the same.
VANTOR_SIM_API void StreamLog(std::function<void(std::string_view)> sink);

// The input box a module opened and has not been answered yet.
VANTOR_SIM_API bool InputBoxOpen();
VANTOR_SIM_API std::string InputBoxTitle();
// Calls the open box's callback with the text and closes the box; returns the callback's
// result (false when no box is open).
VANTOR_SIM_API bool AnswerInputBox(const char* text);
// Closes the open box without calling its callback, as a pilot's Cancel does.
VANTOR_SIM_API void CancelInputBox();

}  // namespace vantor::sim
