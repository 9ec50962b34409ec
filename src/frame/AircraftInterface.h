// The query and trigger operations other modules may call on an aircraft. The slot order is
// part of the contract with those modules: never reorder, insert or remove a virtual here.
#pragma once

class AircraftInterface {
 public:
  virtual int ReservedPointerOperation(void* /*unused*/) { return 0; }             // slot 0
  virtual int ReservedPairOperation(int /*unused*/, int /*unused*/) { return 0; }  // slot 1
  virtual void SetFlag(int value) = 0;                                             // slot 2
  virtual bool SetHeadingTarget(const char* /*text*/) { return false; }            // slot 3
  virtual void GetSequenceName(int /*index*/, char* /*name*/) {}                   // slot 4
  virtual double GetSequenceState(int /*index*/) { return 0.0; }                   // slot 5
  virtual double GetSequenceStateByName(const char* /*name*/) { return 0.0; }      // slot 6
  virtual int GetSequenceCount() { return 0; }                                     // slot 7
  virtual double ToggleSequence(int /*index*/) { return 0.0; }                     // slot 8
  virtual double ReservedQuery9() { return 0.0; }                                  // slot 9
  virtual double ReservedQuery10() { return 0.0; }                                 // slot 10
  virtual double ReservedQuery11() { return 0.0; }                                 // slot 11
  virtual int ConstantQuery12() = 0;                                               // slot 12
  virtual int ConstantQuery13() = 0;                                               // slot 13
  virtual int ConstantQuery14() = 0;                                               // slot 14
  virtual int ConstantQuery15() = 0;                                               // slot 15

 protected:
  // Not virtual: a virtual destructor would take table slots. Owners delete the full object.
  ~AircraftInterface() = default;
};
