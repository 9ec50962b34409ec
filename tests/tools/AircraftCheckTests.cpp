// Planted mistakes in an otherwise clean aircraft file: each must be reported on its line.
#include <gtest/gtest.h>

#include <string>

#include "check/Check.h"
#include "tools/CleanAircraft.h"

namespace {

using check::Severity;

struct Planted {
  const char* name;
  std::string text;      // the file with the mistake
  std::string lineText;  // the line the finding must point at
  int occurrence;        // which line of that text
  Severity severity;
  const char* says;  // part of the message
};

Planted Plant(const char* name, const char* from, const char* to, const char* lineText,
              Severity severity, const char* says, int occurrence = 1) {
  return {name, Replaced(kCleanAircraft, from, to), lineText, occurrence, severity, says};
}

std::string Listing(const check::Report& report) {
  std::string listing;
  for (const check::Finding& finding : report.Sorted()) {
    listing += std::to_string(finding.line) + ": " + check::SeverityName(finding.severity) + ": " +
               finding.message + "\n";
  }
  return listing;
}

void ExpectFinding(const Planted& planted, const check::Report& report) {
  const int line = LineNumberOf(planted.text, planted.lineText, planted.occurrence);
  ASSERT_NE(line, 0) << planted.name << ": no line " << planted.lineText;
  bool found = false;
  for (const check::Finding& finding : report.Sorted()) {
    found = found || (finding.line == line && finding.severity == planted.severity &&
                      finding.message.find(planted.says) != std::string::npos);
  }
  EXPECT_TRUE(found) << planted.name << ": expected line " << line << " "
                     << check::SeverityName(planted.severity) << " '" << planted.says << "'; got\n"
                     << Listing(report);
}

TEST(AircraftCheck, CleanFileHasNoFindings) {
  const check::Report report = check::CheckAircraftText(kCleanAircraft);
  EXPECT_EQ(Listing(report), "");
}

TEST(AircraftCheck, CleanFileReadsTheSameWithOtherLineEndingsCaseAndMark) {
  std::string crlf;
  std::string cr;
  for (const char c : std::string(kCleanAircraft)) {
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    cr += c == '\n' ? '\r' : c;
  }
  std::string lower = Replaced(kCleanAircraft, "[CONFIG]", "[ config ]");
  lower = Replaced(lower, "SIZE=12.5", "size = \"12.5\"");
  for (const std::string& text : {"\xEF\xBB\xBF" + crlf, cr, lower}) {
    EXPECT_EQ(Listing(check::CheckAircraftText(text)), "");
  }
}

TEST(AircraftCheck, ValuesThatDoNotReadAsTheirKind) {
  const Planted cases[] = {
      Plant("text for a number", "SIZE=12.5", "SIZE=abc", "SIZE=abc", Severity::Error,
            "'abc' is not a number"),
      Plant("unit glued to a number", "FUEL_MASS=3000", "FUEL_MASS=3000kg", "FUEL_MASS=3000kg",
            Severity::Warning, "'kg' after the number is ignored"),
      Plant("decimal comma", "COG=1.8", "COG=1,8", "COG=1,8", Severity::Warning,
            "the module reads 1"),
      Plant("vector without parenthesis", "CROSS_SECTION=(20,45,6)", "CROSS_SECTION=20,45,6",
            "CROSS_SECTION=20,45,6", Severity::Error, "beginning with '('"),
      Plant("vector too short", "PMI=(6,14,9)", "PMI=(6,14)", "PMI=(6,14)", Severity::Error,
            "lacks its third component"),
      Plant("integer with a fraction", "VISIBLE=1", "VISIBLE=1.5", "VISIBLE=1.5", Severity::Warning,
            "the module reads 1"),
      Plant("lower-case key letter", "KEY=G", "KEY=g", "KEY=g", Severity::Error,
            "letters must be capitals: write G"),
      Plant("digit as key", "KEY=F", "KEY=5", "KEY=5", Severity::Error, "digits cannot be keys"),
      Plant("group that is not a number", "GROUPS=5", "GROUPS=5 x", "GROUPS=5 x", Severity::Error,
            "'x' is not a whole number"),
      Plant("comment after a text", "MESHNAME=Delta", "MESHNAME=Delta ; the mesh",
            "MESHNAME=Delta ; the mesh", Severity::Warning, "no comments after a value"),
  };
  for (const Planted& planted : cases) {
    ExpectFinding(planted, check::CheckAircraftText(planted.text));
  }
}

TEST(AircraftCheck, UnknownIgnoredAndRepeatedNames) {
  const Planted cases[] = {
      Plant("misspelt key", "AREA=12.5", "AERA=12.5", "AERA=12.5", Severity::Warning,
            "did you mean AREA?"),
      Plant("misspelt section", "[WING]", "[WINGS]", "[WINGS]", Severity::Warning,
            "did you mean [WING]?"),
      Plant("index with a leading zero", "[EX_MAIN_0]", "[EX_MAIN_00]", "[EX_MAIN_00]",
            Severity::Warning, "did you mean [EX_MAIN_0]?"),
      Plant("key of another section", "TRIM=0.05", "TRIM=0.05\nCHORD=2", "CHORD=2",
            Severity::Warning, "it is read in [WING], [FIN]"),
      Plant("ignored key", "BURN_THRUST=90000", "BURN_THRUST=90000\nHOVER_THUST=5", "HOVER_THUST=5",
            Severity::Note, "has no effect"),
      Plant("ignored component key", "GROUPS=5", "GROUPS=5\nINIT_STATE=1", "INIT_STATE=1",
            Severity::Note, "has no effect"),
      Plant("ignored wing angle", "WAVE_DRAG=0.02", "WAVE_DRAG=0.02\nWING_ANGLE=2", "WING_ANGLE=2",
            Severity::Note, "has no effect"),
      Plant("repeated key", "TRIM=0.05", "TRIM=0.05\nSIZE=3", "SIZE=3", Severity::Warning,
            "uses the first one only"),
      Plant("repeated section", "[BRAKES]", "[CONFIG]\nSIZE=3\n[BRAKES]", "[CONFIG]",
            Severity::Warning, "reads only the first", 2),
      Plant("key before any section", "; A complete aircraft.", "SIZE=3", "SIZE=3",
            Severity::Warning, "before the first [section]"),
      Plant("stray line", "TRIM=0.05", "TRIM=0.05\nVISIBLE 1", "VISIBLE 1", Severity::Warning,
            "the module skips it"),
  };
  for (const Planted& planted : cases) {
    ExpectFinding(planted, check::CheckAircraftText(planted.text));
  }
}

TEST(AircraftCheck, ListsCutShortOrNeverRead) {
  const std::string sixDocks = Replaced(
      kCleanAircraft, "[PAYLOAD_0]",
      "[DOCK_1]\nDIR=(0,1,0)\nPOS=(0,1,3)\nROT=(0,0,1)\n[DOCK_2]\nDIR=(0,1,0)\nPOS=(0,1,4)\n"
      "ROT=(0,0,1)\n[DOCK_3]\nDIR=(0,1,0)\nPOS=(0,1,5)\nROT=(0,0,1)\n[DOCK_4]\nDIR=(0,1,0)\n"
      "POS=(0,1,6)\nROT=(0,0,1)\n[DOCK_5]\nDIR=(0,1,0)\nPOS=(0,1,7)\nROT=(0,0,1)\n\n[PAYLOAD_0]");
  const Planted cases[] = {
      Plant("gap", "[EX_MAIN_0]", "[EX_MAIN_1]", "[EX_MAIN_1]", Severity::Warning,
            "where [EX_MAIN_0] is missing"),
      Plant("flame of no length", "LENGTH=4", "LENGTH=0", "LENGTH=0", Severity::Warning,
            "ends the list of main-engine flames"),
      Plant("afterburner flames without an afterburner", "BURN_THRUST=90000", "", "[EX_BURN_0]",
            Severity::Warning, "there is no afterburner"),
      Plant("dock without direction", "DIR=(0,1,0)", "DIR=(0,0,0)", "DIR=(0,0,0)",
            Severity::Warning, "ends the list of docking ports"),
      {"dock past the capacity", sixDocks, "[DOCK_5]", 1, Severity::Warning,
       "at most 5 docking ports"},
      Plant("payload of no mass", "MASS=500", "MASS=0", "MASS=0", Severity::Warning,
            "ends the list of payloads"),
      Plant("payload without a class", "MODULE=Pod", "", "[PAYLOAD_0]", Severity::Warning,
            "a plain vessel of no class"),
      Plant("sequence list ended by a lower-case key", "KEY=G", "KEY=g", "[ANIM_SEQ_1]",
            Severity::Warning, "never read: the list of animation sequences ends at [ANIM_SEQ_0]"),
      Plant("empty group list", "GROUPS=5", "GROUPS=", "GROUPS=", Severity::Warning,
            "ends the list of animation components"),
  };
  for (const Planted& planted : cases) {
    ExpectFinding(planted, check::CheckAircraftText(planted.text));
  }
}

TEST(AircraftCheck, LiftTables) {
  std::string onePoint = Replaced(kCleanAircraft, "PT0=(-20,-0.8,0)", "PT0=(20,-0.8,0)");
  onePoint = Replaced(onePoint, "PT1=(20,0.8,0)", "");
  const Planted cases[] = {
      Plant("decreasing angle", "PT2=(10,1.0,-0.05)", "PT2=(-15,1.0,-0.05)", "PT2=(-15,1.0,-0.05)",
            Severity::Warning, "the table ends here with 2 points"),
      Plant("point behind the end", "PT2=(10,1.0,-0.05)", "PT2=(-15,1.0,-0.05)",
            "PT3=(15,1.2,-0.08)", Severity::Warning, "never read: the table ended at PT2"),
      {"one point", onePoint, "[HLIFT]", 1, Severity::Error, "has 1 point"},
      Plant("missing point inside the table", "PT1=(0,0.1,0)", "", "[VLIFT]", Severity::Warning,
            "PT1 missing: it counts as the point (0, 0, 0)"),
      Plant("table drag without drag values", "USER_DRAG=0", "USER_DRAG=1", "PT0=(-10,-0.5,0)",
            Severity::Error, "has no fourth element"),
      Plant("fin table drag repeated from the wing",
            "USER_DRAG=0\nZERO_DRAG=0.015\n"
            "PT0=(-10,-0.5,0)\nPT1=(0,0.1,0)\nPT2=(10,1.0,-0.05)\nPT3=(15,1.2,-0.08)\n\n[HLIFT]\n"
            "USER_DRAG=0",
            "USER_DRAG=1\nZERO_DRAG=0.015\nPT0=(-10,-0.5,0,0.01)\nPT1=(0,0.1,0,0.01)\n"
            "PT2=(10,1.0,-0.05,0.02)\nPT3=(15,1.2,-0.08,0.03)\n\n[HLIFT]",
            "[HLIFT]", Severity::Warning, "repeats [VLIFT]'s 1"),
  };
  for (const Planted& planted : cases) {
    ExpectFinding(planted, check::CheckAircraftText(planted.text));
  }
}

TEST(AircraftCheck, MissingKeysAndValuesWithoutSense) {
  const Planted cases[] = {
      Plant("no mesh", "MESHNAME=Delta", "", "[CONFIG]", Severity::Error, "MESHNAME missing"),
      Plant("no size", "SIZE=12.5", "", "[CONFIG]", Severity::Error, "SIZE missing"),
      Plant("no touchdown point", "LAND_PT2=(-2.5,-1.8,-1.5)", "", "[CONFIG]", Severity::Error,
            "LAND_PT2 missing"),
      Plant("no main thrust", "MAIN_THRUST=60000", "", "[CONFIG]", Severity::Error,
            "MAIN_THRUST missing"),
      Plant("no wing chord", "CHORD=2.5", "", "[WING]", Severity::Error, "CHORD missing"),
      Plant("no duration", "DURATION=4", "", "[ANIM_SEQ_0]", Severity::Error, "DURATION missing"),
      Plant("zero mass", "EMPTY_MASS=8000", "EMPTY_MASS=0", "EMPTY_MASS=0", Severity::Error,
            "not positive"),
      Plant("negative size", "SIZE=12.5", "SIZE=-1", "SIZE=-1", Severity::Error, "not positive"),
      Plant("zero inertia", "PMI=(6,14,9)", "PMI=(6,0,9)", "PMI=(6,0,9)", Severity::Error,
            "not positive"),
      Plant("zero duration", "DURATION=4", "DURATION=0", "DURATION=0", Severity::Error,
            "not positive"),
      Plant("zero damping", "DAMP_BANK=5", "DAMP_BANK=0", "DAMP_BANK=0", Severity::Warning,
            "cannot be used (the autopilot divides by it): the module keeps 5"),
      Plant("zero steering speed", "SPEED=30", "SPEED=0", "SPEED=0", Severity::Warning,
            "the nose wheel only turns"),
      Plant("zero ceiling", "FLIGHT_MODEL=1", "FLIGHT_MODEL=2", "FLIGHT_MODEL=2", Severity::Error,
            "needs a positive CEILING"),
      Plant("no thrust law", "FLIGHT_MODEL=1", "FLIGHT_MODEL=4", "FLIGHT_MODEL=4", Severity::Error,
            "no thrust"),
      Plant("touchdown points on a line", "LAND_PT3=(2.5,-1.8,-1.5)", "LAND_PT3=(2.5,-1.8,11.5)",
            "LAND_PT3=(2.5,-1.8,11.5)", Severity::Error, "lie on one line"),
      Plant("induced drag without efficiency", "WING_EFFICIENCY=0.7", "", "[FIN]", Severity::Error,
            "the fin's induced drag divides"),
      Plant("config rotational drag replaced by the default", "TRIM=0.05",
            "TRIM=0.05\nROT_DRAG=(1,1,1)", "ROT_DRAG=(1,1,1)", Severity::Note,
            "replaced by [AIRCRAFT] ROTATIONAL_DRAG"),
  };
  for (const Planted& planted : cases) {
    ExpectFinding(planted, check::CheckAircraftText(planted.text));
  }
  std::string replaced = Replaced(kCleanAircraft, "ROTATIONAL_DRAG=(0.1,0.13,0.04)", "");
  replaced = Replaced(replaced, "TRIM=0.05", "TRIM=0.05\nROT_DRAG=(1,1,1)");
  ExpectFinding({"config rotational drag replaced by the default", replaced, "ROT_DRAG=(1,1,1)", 1,
                 Severity::Warning, "replaced by the default"},
                check::CheckAircraftText(replaced));
}

TEST(AircraftCheck, SequencesLinksAndKeys) {
  const Planted cases[] = {
      Plant("component naming no sequence", "SEQ=0", "SEQ=3", "SEQ=3", Severity::Error,
            "SEQ 3 names no sequence, so the component moves nothing: 3 animation sequences are "
            "read"),
      Plant("link naming no sequence", "[ELEVATOR]\nSEQ=1", "[ELEVATOR]\nSEQ=7", "SEQ=7",
            Severity::Error, "names no sequence"),
      Plant("aileron link naming no sequence", "AREA=1", "AREA=1\nLSEQ=3", "LSEQ=3",
            Severity::Error, "names no sequence"),
      Plant("two sequences on one key", "KEY=F", "KEY=G", "KEY=G", Severity::Warning,
            "only that one reacts", 2),
      Plant("sequence on the brake key", "KEY=F", "KEY=B", "KEY=B", Severity::Warning,
            "brake key B"),
      Plant("sequence on the waypoint key", "KEY=F", "KEY=S", "KEY=S", Severity::Warning,
            "S (skip to the next waypoint)"),
      Plant("sequence on the release key", "KEY=F", "KEY=J", "KEY=J", Severity::Warning,
            "J (release a payload)"),
      Plant("brake on the plan key", "KEY=B", "KEY=L", "KEY=L", Severity::Warning,
            "L (the flight-plan name box)"),
      Plant("two sequences of one name", "NAME=Flaps", "NAME=Gear", "NAME=Gear", Severity::Warning,
            "a look-up by name finds only that one", 2),
      Plant("two payloads of one name", "MODULE=Pod",
            "MODULE=Pod\n[PAYLOAD_1]\nMASS=400\nOFF=(0,-1.5,2)\nMESHNAME=Pod\nNAME=Pod1\n"
            "MODULE=Pod",
            "NAME=Pod1", Severity::Warning, "this one cannot be", 2),
      Plant("type in lower case", "TYPE=TRANSLATE", "TYPE=translate", "TYPE=translate",
            Severity::Warning, "builds a rotation"),
      Plant("inherited axis", "ROT_AXIS=(1,0,0)\nRANGE=(0,1)", "RANGE=(0,1)", "[ANIM_COMP_1]",
            Severity::Note, "it keeps the axis of [ANIM_COMP_0]"),
  };
  for (const Planted& planted : cases) {
    ExpectFinding(planted, check::CheckAircraftText(planted.text));
  }
}

TEST(AircraftCheck, SurfacesAndAirfoilsSayWhatTheyInherit) {
  const Planted cases[] = {
      Plant("fin area", "AREA=4", "", "[FIN]", Severity::Warning,
            "[FIN] AREA missing: the fin gets [WING] AREA 12.5"),
      Plant("rudder area", "AREA=1.5", "", "[RUDDER]", Severity::Warning,
            "the rudder gets [ELEVATOR] AREA 2"),
      Plant("right aileron", "RIGHT_OFFSET=(5,0,-1)", "", "[AILERON]", Severity::Warning,
            "the right aileron gets [AILERON] LEFT_OFFSET (-5, 0, -1)"),
      Plant("flaps lift", "LIFT=1.6", "", "[FLAPS]", Severity::Warning,
            "the flaps get [AILERON] LIFT 1.4"),
      Plant("elevator lift", "LIFT=1.5", "", "[ELEVATOR]", Severity::Error, "no default"),
  };
  for (const Planted& planted : cases) {
    ExpectFinding(planted, check::CheckAircraftText(planted.text));
  }
}

}  // namespace

namespace {

// What the check says a key holds is what the module reads: a '[' line without ']' starts no
// section, and an integer may be written in hexadecimal.
TEST(AircraftCheck, SaysWhatTheModuleReadsOfOddLines) {
  std::string text = Replaced(kCleanAircraft, "EMPTY_MASS=8000", "[ note\nEMPTY_MASS=8000");
  text = Replaced(text, "FLIGHT_MODEL=1", "FLIGHT_MODEL=0x1");
  const check::Report report = check::CheckAircraftText(text);
  EXPECT_EQ(report.Count(Severity::Error), 0) << Listing(report);
  EXPECT_EQ(Listing(report), std::to_string(LineNumberOf(text, "[ note")) +
                                 ": warning: '[ note' is not a section, a key=value line or a "
                                 "comment: the module skips it\n");
}

}  // namespace
