// Follows the module's class set-up through an aircraft file, stage by stage, and reports what
// it will silently do: missing keys without a default, values it cannot use, lists cut short,
// values inherited from an earlier section, clashing keys.
#pragma once

#include <string>
#include <vector>

#include "check/FileReads.h"

namespace check {

class AircraftCheck {
 public:
  explicit AircraftCheck(const FileReads& reader) : reader_(reader), report_(reader.report()) {}
  void Run();

 private:
  struct Sequence {
    std::string section;
    int keyCode = 0;
    int keyLine = 0;
    double initial = 0.0;
    int components = 0;
  };

  // Vessel set-up: CONFIG, AUTOPILOT, engines, flames, docks.
  void CheckConfigBlock();
  bool Glider() const;
  void CheckAutopilot();
  void CheckEngineModel();
  void CheckThrusters();
  void CheckFlames(const char* prefix, const char* listOf);
  void CheckDocks();
  // Payloads and animations.
  void CheckPayloads();
  void CheckSequences();
  void CheckComponents();
  void CheckLinks();
  void CheckKeyClashes();
  // Aerodynamics and ground.
  void CheckInducedDrag();
  void CheckLiftTable(const char* section, const char* surface, bool userDrag);
  void CheckAirfoilsAndSurfaces();
  void CheckGround();

  // Reports a missing key; returns true when it is missing.
  bool Missing(const char* section, const char* key, Severity severity,
               const std::string& consequence);
  // A scalar that must be greater than 0 when given.
  void RequirePositive(const char* section, const char* key, const std::string& consequence);

  const FileReads& reader_;
  Report& report_;
  std::vector<Sequence> sequences_;
  bool afterburner_ = false;
  bool userDragVertical_ = false;
  bool userDragHorizontal_ = false;
  int brakeKey_ = 0;
};

}  // namespace check
