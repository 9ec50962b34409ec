// fly --host-log: the host's call log streamed to its file as the calls happen, so that a long
// flight's log costs no memory. The file is written beside its target and renamed into place
// when the run completes; a run that fails leaves the previous log whole.
#pragma once

#include <optional>
#include <string>

#include "vantor/sim/OutputFile.h"

class HostLogFile {
 public:
  // Starts logging into the file; an empty path logs nothing.
  explicit HostLogFile(std::string path);
  // Stops logging; without Commit the partial file is removed.
  ~HostLogFile();
  HostLogFile(const HostLogFile&) = delete;
  HostLogFile& operator=(const HostLogFile&) = delete;

  // Stops logging and puts the complete log in place; throws, naming the file, when it cannot.
  void Commit();

 private:
  void Stop();

  std::optional<vantor::sim::OutputFile> file_;
};
