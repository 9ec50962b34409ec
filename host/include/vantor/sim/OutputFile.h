// The one way the simulator writes a file. The text goes to a temporary file beside the target
// (TARGET.PID-N.tmp, same folder so the rename cannot cross file systems) and is renamed over
// the target only once it is complete, so a write that fails half-way (short write, disk full,
// unwritable folder, failed rename) leaves the previous file whole and no temporary behind.
// Failures are thrown as std::runtime_error with a one-line message that names the target.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "vantor/sim/Export.h"

namespace vantor::sim {

// The ways a test can make a write fail (testing::InjectWriteFault).
enum class WriteFault {
  kNone,
  kShortWrite,        // a write stores only part of its text
  kDiskFull,          // the data cannot be flushed: no space left on the device
  kUnwritableFolder,  // the temporary file cannot be created beside the target
  kRenameFails,       // the complete file cannot be renamed over the target
};

class VANTOR_SIM_API OutputFile {
 public:
  // Creates the temporary file; throws when the folder cannot take it.
  explicit OutputFile(std::string target);
  // Without a successful Commit the temporary is removed and the target stays as it was.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Appends text. Never throws, so a stream may be written from inside a module's call into
  // the host; the first failure is kept, later writes are dropped, and Commit reports it.
  void Write(std::string_view text);
  bool failed() const { return !error_.empty(); }

  // Closes the temporary and returns its path, for a program that writes the file by name
  // (gnuplot); Commit then renames whatever that program left there.
  const std::string& HandOver();

  // Flushes, closes and renames the temporary over the target; throws when any write failed
  // or the rename did. Calling it again after success does nothing.
  void Commit();

  const std::string& target() const { return target_; }

 private:
  void Fail(const std::string& reason);
  bool Close();

  std::string target_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  std::string error_;
  WriteFault fault_ = WriteFault::kNone;  // injected for this file
  bool committed_ = false;
};

// Writes the whole text through an OutputFile.
VANTOR_SIM_API void WriteFileAtomically(const std::string& target, std::string_view text);

}  // namespace vantor::sim
