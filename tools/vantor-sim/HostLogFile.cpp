#include "HostLogFile.h"

#include <cstdio>
#include <string_view>

#include "Errors.h"
#include "vantor/sim/Observation.h"

HostLogFile::HostLogFile(std::string path) : path_(std::move(path)) {
  if (path_.empty()) {
    return;
  }
  partial_ = path_ + ".partial";
  stream_.open(partial_, std::ios::binary | std::ios::trunc);
  if (!stream_) {
    throw RunError("cannot write the host log to " + path_);
  }
  vantor::sim::StreamLog(
      [this](std::string_view text) { stream_.write(text.data(), std::ssize(text)); });
}

HostLogFile::~HostLogFile() {
  if (!partial_.empty()) {
    Stop();
    std::remove(partial_.c_str());
  }
}

void HostLogFile::Stop() {
  vantor::sim::StreamLog({});
  stream_.close();
}

void HostLogFile::Commit() {
  if (partial_.empty()) {
    return;
  }
  Stop();
  const bool written = !stream_.fail() && std::rename(partial_.c_str(), path_.c_str()) == 0;
  if (!written) {
    std::remove(partial_.c_str());
  }
  partial_.clear();
  if (!written) {
    throw RunError("cannot write the host log to " + path_);
  }
}
