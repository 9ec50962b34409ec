// Corners where the platform's reader was found (under Wine, by tests/windows) to differ from
// the first portable lookup, and which the portable lookup now reads the platform's way.
#include <gtest/gtest.h>

#include <string>

#include "config/ProfileLookup.h"
#include "support/TestRoot.h"

#if !defined(_WIN32)

namespace {

constexpr const char* kFile = "Config/Aircraft/Platform.ini";

class ProfileLookupPlatformTest : public ::testing::Test {
 protected:
  void Write(const std::string& text) { root.WriteFile(kFile, text); }

  std::string Get(const char* section, const char* key) {
    char buffer[255];
    GetPrivateProfileStringA(section, key, "DEF", buffer, sizeof buffer, kFile);
    return buffer;
  }

  int GetInt(const char* key) {
    return static_cast<int>(GetPrivateProfileIntA("S", key, -7, kFile));
  }

  TestRoot root;
};

TEST_F(ProfileLookupPlatformTest, SectionNameRunsToTheLastClosingBracket) {
  Write("[a]b]\nK=1\n[S] ; see [T]\nL=2\n[T]]\nM=3\n");
  EXPECT_EQ(Get("a]b", "K"), "1");
  EXPECT_EQ(Get("a", "K"), "DEF");
  EXPECT_EQ(Get("S] ; see [T", "L"), "2");
  EXPECT_EQ(Get("T]", "M"), "3");
  EXPECT_EQ(Get("T", "M"), "DEF");
}

TEST_F(ProfileLookupPlatformTest, BracketLineWithoutClosingBracketIsNoSection) {
  Write("[S]\nA=1\n[Open\nB=2\n[x=3\nC=4\n[T]\nD=5\n");
  EXPECT_EQ(Get("S", "B"), "2");  // still in S
  EXPECT_EQ(Get("S", "C"), "4");
  EXPECT_EQ(Get("Open", "B"), "DEF");
  EXPECT_EQ(Get("T", "D"), "5");
}

TEST_F(ProfileLookupPlatformTest, ControlBlanksAreTrimmed) {
  Write(
      "[S]\n\vA\f=\v1\v\nB=\x1A"
      "2\x1A\n");
  EXPECT_EQ(Get("S", "A"), "1");
  EXPECT_EQ(Get("S", "B"), "2");
  EXPECT_EQ(GetInt("A"), 1);
}

TEST_F(ProfileLookupPlatformTest, IntegersTakeLowerCasePrefixes) {
  Write("[S]\nA=0x1f\nB=-0x10\nC=0o17\nD=0b101\nE=0X10\nF=0b2\nG=0xfffffffff\nH=010\n");
  EXPECT_EQ(GetInt("A"), 31);
  EXPECT_EQ(GetInt("B"), -16);
  EXPECT_EQ(GetInt("C"), 15);
  EXPECT_EQ(GetInt("D"), 5);
  EXPECT_EQ(GetInt("E"), 0);   // upper-case X is no prefix: "0" then a letter
  EXPECT_EQ(GetInt("F"), 0);   // 2 is no binary digit
  EXPECT_EQ(GetInt("G"), -1);  // wrapped modulo 2^32
  EXPECT_EQ(GetInt("H"), 10);  // a leading zero alone is still decimal
}

}  // namespace

#endif
