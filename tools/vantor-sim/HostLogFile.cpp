#include "HostLogFile.h"

#include <string_view>

#include "vantor/sim/Observation.h"

HostLogFile::HostLogFile(std::string path) {
  if (path.empty()) {
    return;
  }
  file_.emplace(std::move(path));
  // OutputFile::Write never throws, so the stream is safe inside a module's call into the host.
  vantor::sim::StreamLog([this](std::string_view text) { file_->Write(text); });
}

HostLogFile::~HostLogFile() {
  Stop();
}

void HostLogFile::Stop() {
  if (file_) {
    vantor::sim::StreamLog({});
  }
}

void HostLogFile::Commit() {
  if (file_) {
    Stop();
    file_->Commit();
    file_.reset();
  }
}
