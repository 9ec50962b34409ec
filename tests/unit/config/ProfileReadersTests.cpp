// The readers' conversions and the convention the configuration code relies on: a destination
// keeps its value when the key is absent.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "config/ProfileReaders.h"
#include "support/TestRoot.h"

namespace {

constexpr const char* kFile = "Config/Aircraft/Readers.ini";

class ProfileReadersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root.WriteFile(kFile,
                   "[S]\n"
                   "INT=12.5\nNEG=-3\nEMPTY=\n"
                   "SIZE1=12.5 metres\nSIZE2=12.5m\nSIZE3=abc\nSIZE4=1,5\nSIZE5=\"  2e3\"\n"
                   "SIZE6=inf\nSIZE7=0x10\nSIZE8=-.5E-1x\nSIZE9=1e999\n"
                   "V1=( 1 , 2 , 3 )\nV2=(1,2,3\nV3=(1,2,3,4)\nV4=(1,2)\nV5=1,2,3\nV6=(,5,)\n"
                   "V7=(1'2,3)\nV8=(12345678901234567890123,2,3)\n"
                   "T1=(0,1.2,0.1,0.05)\nT2=(1,2,3)\n"
                   "TEXT=Falcon jet\nLIST1=(3, 4,7)\nLIST2=3 4\t7\nLIST3=a b\nLIST4=\n"
                   "LIST5=((1)),,(2\n");
  }

  double Double(const char* key, double prior = -1.0) {
    ReadProfileDouble(kFile, "S", key, prior);
    return prior;
  }

  VECTOR3 Vector(const char* key, VECTOR3 prior = {-1, -2, -3}) {
    ReadProfileVector(kFile, "S", key, prior);
    return prior;
  }

  TestRoot root;
};

void ExpectVector(const VECTOR3& v, double x, double y, double z) {
  EXPECT_DOUBLE_EQ(v.x, x);
  EXPECT_DOUBLE_EQ(v.y, y);
  EXPECT_DOUBLE_EQ(v.z, z);
}

TEST_F(ProfileReadersTest, IntegersKeepTheirValueWhenAbsentOrEmpty) {
  int value = 5;
  EXPECT_TRUE(ReadProfileInt(kFile, "S", "INT", value));
  EXPECT_EQ(value, 12);
  ReadProfileInt(kFile, "S", "NEG", value);
  EXPECT_EQ(value, -3);
  ReadProfileInt(kFile, "S", "EMPTY", value);
  EXPECT_EQ(value, -3);
  ReadProfileInt(kFile, "S", "NONE", value);
  EXPECT_EQ(value, -3);
  ReadProfileInt("Config/Aircraft/Missing.ini", "S", "INT", value);
  EXPECT_EQ(value, -3);
}

TEST_F(ProfileReadersTest, ScalarsTakeTheFirstTokensLeadingNumber) {
  EXPECT_DOUBLE_EQ(Double("SIZE1"), 12.5);
  EXPECT_DOUBLE_EQ(Double("SIZE2"), 12.5);
  EXPECT_DOUBLE_EQ(Double("SIZE3"), 0.0);
  EXPECT_DOUBLE_EQ(Double("SIZE4"), 1.0);
  EXPECT_DOUBLE_EQ(Double("SIZE5"), 2000.0);
  EXPECT_DOUBLE_EQ(Double("SIZE6"), 0.0);  // no words or hexadecimal: decimal numbers only
  EXPECT_DOUBLE_EQ(Double("SIZE7"), 0.0);
  EXPECT_DOUBLE_EQ(Double("SIZE8"), -0.05);
  EXPECT_DOUBLE_EQ(Double("SIZE9"), 0.0);  // beyond a double's range: no infinity
  EXPECT_DOUBLE_EQ(Double("EMPTY"), -1.0);
  EXPECT_DOUBLE_EQ(Double("NONE"), -1.0);
}

TEST_F(ProfileReadersTest, VectorsFollowTheComponentRules) {
  ExpectVector(Vector("V1"), 1, 2, 3);
  ExpectVector(Vector("V2"), 1, 2, 3);
  ExpectVector(Vector("V3"), 1, 2, 3);
  ExpectVector(Vector("V4"), 1, 2, -3);                     // z not supplied: kept
  ExpectVector(Vector("V5"), -1, -2, -3);                   // no parenthesis: nothing supplied
  ExpectVector(Vector("V6"), -1, 5, -3);                    // empty components: kept
  ExpectVector(Vector("V7"), 1, 2, 3);                      // an apostrophe separates like a comma
  ExpectVector(Vector("V8"), 1234567890123456789.0, 2, 3);  // cut to 19 characters
  ExpectVector(Vector("EMPTY"), -1, -2, -3);
}

TEST_F(ProfileReadersTest, AbsentVectorRoundsToNineSignificantDigits) {
  const VECTOR3 v = Vector("NONE", {0.1234567891, -98765.43219, 1e-300});
  ExpectVector(v, 0.123456789, -98765.4322, 1e-300);
}

TEST_F(ProfileReadersTest, FourthElementIsReadOnlyWhenSupplied) {
  double value = 7.0;
  ReadProfileFourthElement(kFile, "S", "T1", value);
  EXPECT_DOUBLE_EQ(value, 0.05);
  ReadProfileFourthElement(kFile, "S", "T2", value);
  EXPECT_DOUBLE_EQ(value, 0.05);
  ReadProfileFourthElement(kFile, "S", "NONE", value);
  EXPECT_DOUBLE_EQ(value, 0.05);
}

TEST_F(ProfileReadersTest, StringsAreCutToTheirBufferAndKeptWhenAbsent) {
  char name[16] = "Kestre";
  EXPECT_EQ(ReadProfileString(kFile, "S", "NONE", name), 6);
  EXPECT_STREQ(name, "Kestre");
  EXPECT_EQ(ReadProfileString(kFile, "S", "TEXT", name), 10);
  EXPECT_STREQ(name, "Falcon jet");
  EXPECT_EQ(ReadProfileString(kFile, "S", "EMPTY", name), 0);
  EXPECT_STREQ(name, "");

  char small[5] = "abcd";
  EXPECT_EQ(ReadProfileString(kFile, "S", "TEXT", small), 4);
  EXPECT_STREQ(small, "Falc");

  // An unterminated buffer is read only within its size.
  char guarded[8];
  std::memset(guarded, 'z', sizeof guarded);
  EXPECT_EQ(ReadProfileString(kFile, "S", "NONE", guarded, 4), 3);
  EXPECT_STREQ(guarded, "zzz");
}

TEST_F(ProfileReadersTest, IntegerListsSplitAtAnyRunOfSeparators) {
  int values[4] = {9, 9, 9, 9};
  EXPECT_EQ(ReadProfileIntList(kFile, "S", "LIST1", values, 4), 3);
  EXPECT_EQ(values[0], 3);
  EXPECT_EQ(values[1], 4);
  EXPECT_EQ(values[2], 7);
  EXPECT_EQ(ReadProfileIntList(kFile, "S", "LIST2", values, 4), 3);
  EXPECT_EQ(values[2], 7);
  EXPECT_EQ(ReadProfileIntList(kFile, "S", "LIST3", values, 4), 2);
  EXPECT_EQ(values[0], 0);
  EXPECT_EQ(values[1], 0);
  EXPECT_EQ(ReadProfileIntList(kFile, "S", "LIST4", values, 4), 0);
  EXPECT_EQ(ReadProfileIntList(kFile, "S", "NONE", values, 4), 0);
  EXPECT_EQ(ReadProfileIntList(kFile, "S", "LIST5", values, 4), 2);
  EXPECT_EQ(values[0], 1);
  EXPECT_EQ(values[1], 2);

  int two[3] = {0, 0, -5};  // tokens beyond capacity are dropped, never written
  EXPECT_EQ(ReadProfileIntList(kFile, "S", "LIST1", two, 2), 2);
  EXPECT_EQ(two[2], -5);
}

TEST(KeyCodeFromLetter, MapsCapitalLettersAndAsterisk) {
  EXPECT_EQ(KeyCodeFromLetter("G"), 34);
  EXPECT_EQ(KeyCodeFromLetter("GX"), 34);
  EXPECT_EQ(KeyCodeFromLetter("A"), 30);
  EXPECT_EQ(KeyCodeFromLetter("Z"), 44);
  EXPECT_EQ(KeyCodeFromLetter("Q"), 16);
  EXPECT_EQ(KeyCodeFromLetter("M"), 50);
  EXPECT_EQ(KeyCodeFromLetter("*"), -1);
  EXPECT_EQ(KeyCodeFromLetter("g"), 0);
  EXPECT_EQ(KeyCodeFromLetter("1"), 0);
  EXPECT_EQ(KeyCodeFromLetter(""), 0);
  EXPECT_EQ(KeyCodeFromLetter(nullptr), 0);
}

}  // namespace
