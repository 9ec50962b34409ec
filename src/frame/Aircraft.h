// Aircraft: the module's vessel class, one object per vessel. It holds all run-time state of
// one aircraft in fixed records (one per subsystem) and offers the operations the exports, the
// per-frame driver and the subsystems call. The records are public so that each subsystem's
// operations and their tests can reach the state they own; nothing is allocated per frame.
#pragma once

#include "animation/AnimationSequences.h"
#include "animation/Payloads.h"
#include "autopilot/Autopilot.h"
#include "autopilot/FlightPlan.h"
#include "autopilot/GreatCircle.h"
#include "config/VesselConfig.h"
#include "flight/Engines.h"
#include "flight/GroundHandling.h"
#include "flight/SurfaceHolders.h"
#include "frame/AircraftInterface.h"
#include "frame/Host.h"
#include "frame/TextBuilder.h"

class Aircraft final : public AircraftInterface, public VESSEL {
 public:
  explicit Aircraft(OBJHANDLE vessel);
  ~Aircraft() override = default;

  // The host only ever sees the VESSEL part; these convert by the fixed displacement.
  static Aircraft* FromVessel(VESSEL* vessel) { return static_cast<Aircraft*>(vessel); }
  static VESSEL* ToVessel(Aircraft* aircraft) { return static_cast<VESSEL*>(aircraft); }

  // --- frame (frame/Aircraft.cpp, frame/KeyCommands.cpp) ---
  void SetClassCaps();
  void StepAircraft(double simt);
  int ConsumeBufferedKey(DWORD key, bool down, const char* keyState);

  // --- query interface ---
  void SetFlag(int value) override;
  bool SetHeadingTarget(const char* text) override;
  void GetSequenceName(int index, char* name) override;
  double GetSequenceState(int index) override;
  double GetSequenceStateByName(const char* name) override;
  int GetSequenceCount() override;
  double ToggleSequence(int index) override;
  int ConstantQuery12() override { return 1; }
  int ConstantQuery13() override { return 3; }
  int ConstantQuery14() override { return 2; }
  int ConstantQuery15() override { return 0; }

  // --- configuration stages (config/VesselSetup.cpp) ---
  void BuildConfigPath();              // stage 0
  void ReadConfigBlock();              // stage 1
  void PassPhysicalParameters();       // stage 4
  void CreateEngines();                // stage 5
  void RegisterExhaustTextures();      // stage 6
  void AddExhaustFlames(bool burner);  // stages 7 and 8
  void CreateDocks();                  // stage 9

  // --- flight model (flight/) ---
  void ReadEngineSettings();                           // stage 3
  void SetupAirfoils(SurfaceHolders& holders);         // stages 14 and 15
  void SetupControlSurfaces(SurfaceHolders& holders);  // stage 16
  void SetupGroundHandling();                          // stages 17 and 18
  void ManageEngines();
  void SteerOnGround();

  // --- autopilot and navigation (autopilot/) ---
  void ReadAutopilotSettings();  // stage 2
  bool HoldAltitude(double simt);
  bool HoldHeading();
  bool HoldBank();
  bool SetAltitudeTarget(const char* text);
  bool SetBankTarget(const char* text);
  bool SetPitchTarget(const char* text);
  bool LoadFlightPlan(const char* name);
  void FollowFlightPlan();

  // --- animations and payloads (animation/) ---
  void ReadPayloads();      // stage 10
  void ReadSequences();     // stage 11
  void ReadComponents();    // stage 12
  void ReadControlLinks();  // stage 13
  void StepSequences(double simt);
  void BuildMeshes();  // stage 19, and after each release
  void ReleasePayload();

  // --- scenario (scenario/) ---
  void SaveState(FILEHANDLE scenario);
  void LoadState(FILEHANDLE scenario, void* status);

  // --- state, one record per subsystem ---
  VesselConfig vessel;
  EngineSettings engines;
  GroundSettings ground;
  int profileSlot = -1;
  AutopilotState autopilot;
  FlightPlan flightPlan;
  CirclePointMemo waypointOnCircle;  // the current waypoint, for the flight-plan step
  // The flight-status figures that change slowly, kept from one line to the next.
  struct {
    FigureMemo bearing, courseError, altitudeTarget;
  } statusFigures;
  AnimationSet animations;
  PayloadSet payloads;
  bool interfaceFlag = false;  // set through the query interface; nothing reads it
  const VECTOR3 zeroVector{0.0, 0.0, 0.0};
};
