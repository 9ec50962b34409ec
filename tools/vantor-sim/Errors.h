// What a command throws when it stops; main() prints the message as one line.
#pragma once

#include <stdexcept>

// The command line asks for something that cannot be run as given (a value out of range, a
// scripted key after the end of the run): exit 2, before anything was read or written.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The run cannot do what was asked: a file it needs is missing or wrong, a file it writes
// cannot be written: exit 1.
class RunError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
