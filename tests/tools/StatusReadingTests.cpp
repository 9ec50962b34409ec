// The simulator reads the module's status line every frame, and skips most of the work when the
// line changed only in its digits: what it reads must still be what each line says.
#include <gtest/gtest.h>

#include <string>

#include "status/FlightStatusReader.h"
#include "status/TextShape.h"

namespace {

TEST(TextShape, DigitsAloneDifferOnlyWhereBothTextsHaveADigit) {
  const struct {
    std::string a;
    std::string b;
    bool expected;
  } cases[] = {
      {"Alt 1500 / Ds 6.289", "Alt 1600 / Ds 7.281", true},
      {"same text, long enough for three words", "same text, long enough for three words", true},
      {"", "", true},
      {"Leg 1", "Leg A", false},
      {"12", "123", false},
      {"1234567a9", "1234567b9", false},  // the last character of the first word
      {"12345678x", "12345678y", false},  // after the last whole word
      {"1234567/9", "123456709", false},  // the characters either side of the digits
      {"1234567:9", "123456799", false},
      {"\x80"
       "1234567",
       "\x81"
       "1234567",
       false},  // bytes with the high bit set
      {"\xb0"
       "1234567",
       "\x30"
       "1234567",
       false},  // a digit's code with the high bit set
      // Lines long enough for whole blocks of sixteen, then words of eight, then single ones.
      {"Hd : 61.25 / Bg : 80.50 / Er : 9.75", "Hd : 61.27 / Bg : 80.49 / Er : 9.76", true},
      {"0123456789abcdeF 1234567 9", "0123456789abcdef 1234567 9", false},  // a block's last
      {"A123456789abcdef 1234567 9", "a123456789abcdef 1234567 9", false},  // a block's first
      {"0123456789abcdef 1234567 9", "9876543210abcdef 7654321 0", true},
      {"0123456789abcdef\x80", "0123456789abcdef\x81", false},
      {"0123456789:bcdef", "01234567890bcdef", false},  // a digit beside ':' in a block
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DigitsAloneDiffer(c.a, c.b), c.expected) << '"' << c.a << "\" \"" << c.b << '"';
    EXPECT_EQ(DigitsAloneDiffer(c.b, c.a), c.expected) << '"' << c.b << "\" \"" << c.a << '"';
  }
}

// A flight-status line as the module writes it, from its parts.
std::string StatusLine(const std::string& description, const std::string& steering,
                       const std::string& altitude, const std::string& distance,
                       const std::string& waypoint) {
  return "Flight status - " + description + " : Hd : " + steering + " / Alt " + altitude +
         " / Ds " + distance + " / Phase " + waypoint;
}

TEST(FlightStatusReader, EveryLineSaysItsOwnWaypointTargetAndDescription) {
  const std::string before = "270.00 / Bg : 270.03 / Er : -0.03";
  const std::string after = "271.50 / Bg : 269.93 / Er : -0.13";
  const std::string level = "1.00 / Bg : 2.00 / Er : 0.00";
  const struct {
    std::string line;
    bool isStatus;
    unsigned waypoint;
    double altitude;
    const char* description;
  } lines[] = {
      {StatusLine("Leg 1", before, "1500", "6.289", "0"), true, 0, 1500.0, "Leg 1"},
      // The steering figures alone change, frame after frame.
      {StatusLine("Leg 1", after, "1500", "6.187", "0"), true, 0, 1500.0, "Leg 1"},
      // Each of the three read parts changes in a digit only.
      {StatusLine("Leg 2", after, "1500", "6.187", "0"), true, 0, 1500.0, "Leg 2"},
      {StatusLine("Leg 2", after, "1600", "6.187", "0"), true, 0, 1600.0, "Leg 2"},
      {StatusLine("Leg 2", after, "1600", "6.187", "1"), true, 1, 1600.0, "Leg 2"},
      // Another line leaves what was read alone.
      {"Autopilot engaged", false, 1, 1600.0, "Leg 2"},
      {StatusLine("Leg 2", after, "1600", "6.187", "1x"), false, 1, 1600.0, "Leg 2"},
      // The last of each marker counts, also in a description.
      {StatusLine("A : Hd : 5", level, "900", "1.000", "3"), true, 3, 900.0, "A : Hd : 5"},
      {StatusLine("A : Hd : 6", level, "900", "1.000", "3"), true, 3, 900.0, "A : Hd : 6"},
  };
  FlightStatusReader reader;
  for (const auto& l : lines) {
    SCOPED_TRACE(l.line);
    EXPECT_EQ(reader.Read(l.line), l.isStatus);
    const FlightStatusFields& fields = reader.Fields();
    EXPECT_TRUE(fields.known);
    EXPECT_EQ(fields.waypoint, l.waypoint);
    EXPECT_EQ(fields.altitudeTarget, l.altitude);
    EXPECT_EQ(fields.description, l.description);
  }
}

}  // namespace
