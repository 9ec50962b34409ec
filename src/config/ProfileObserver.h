// A read observer: told of every read the profile readers make, with what the file held and
// what the destination got. The module installs none; the author's check installs one around
// the module's own class set-up and flight-plan load, so it reports what the module read.
#pragma once

#include <string>
#include <vector>

enum class ProfileValueKind { Integer, Number, Vector, FourthElement, Text, IntegerList };

struct ProfileRead {
  // How one number of the value converted: a scalar or integer has one, a vector three.
  struct Part {
    bool supplied = false;  // the value gives this number (a vector's component may be missing)
    bool number = false;    // a number was found in what it gives
    bool cut = false;       // a vector component longer than 19 characters, of which 19 count
    std::string ignored;    // what follows the number and is not used
    std::string text;       // a list entry's token
  };

  std::string section;  // as asked
  std::string key;
  ProfileValueKind kind = ProfileValueKind::Number;
  bool found = false;          // the key is in the file (possibly with an empty value)
  int line = 0;                // the key's line; 0 when absent
  std::string raw;             // the whole value, trimmed and unquoted
  bool cut = false;            // the value, or the text stored, was cut to fit
  bool defaultStayed = false;  // the destination kept all or part of what it held
  // Where the value went: reads into one destination pass on what an earlier read left there.
  const void* destination = nullptr;

  // What the destination holds after the read, by kind.
  double numbers[3] = {0.0, 0.0, 0.0};  // Number, FourthElement: [0]; Vector: x, y, z
  long long integer = 0;                // Integer
  std::string text;                     // Text
  std::vector<int> integers;            // IntegerList
  Part parts[3];
  std::vector<Part> entries;  // IntegerList: how each stored entry converted
  std::string afterClose;     // a vector's text after its closing parenthesis
};

class ProfileObserver {
 public:
  virtual ~ProfileObserver() = default;
  virtual void Read(const ProfileRead& read) = 0;
};

// Installs an observer for its lifetime; the one before is restored afterwards.
class ObserveProfileReads {
 public:
  explicit ObserveProfileReads(ProfileObserver& observer);
  ~ObserveProfileReads();
  ObserveProfileReads(const ObserveProfileReads&) = delete;
  ObserveProfileReads& operator=(const ObserveProfileReads&) = delete;

 private:
  ProfileObserver* previous_;
};
