// The portable profile lookup must read aircraft files exactly as the platform's reader does.
#include <gtest/gtest.h>

#include <string>

#include "config/ProfileLookup.h"
#include "support/TestRoot.h"

#if !defined(_WIN32)

namespace {

constexpr const char* kFile = "Config/Aircraft/Lookup.ini";

class ProfileLookupTest : public ::testing::Test {
 protected:
  void Write(const std::string& text) { root.WriteFile(kFile, text); }

  // The value (or the default "DEF") as text.
  std::string Get(const char* section, const char* key, DWORD size = 255) {
    char buffer[300];
    lastCount = GetPrivateProfileStringA(section, key, "DEF", buffer, size, kFile);
    return buffer;
  }

  int GetInt(const char* section, const char* key, int defaultValue = -7) {
    return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, kFile));
  }

  TestRoot root;
  DWORD lastCount = 0;
};

TEST_F(ProfileLookupTest, NamesAreTrimmedAndCaseInsensitive) {
  Write("[ Wing ] trailing text\n  Area  = 12\nSPAN\t=\t7\n[fin]\nAREA=3\n");
  EXPECT_EQ(Get("WING", "area"), "12");
  EXPECT_EQ(Get(" wing\t", " AREA "), "12");
  EXPECT_EQ(Get("WING", "span"), "7");
  EXPECT_EQ(Get("FIN", "Area"), "3");
  EXPECT_EQ(Get("WIN", "AREA"), "DEF");  // a prefix is no match
  EXPECT_EQ(Get("WING", "AREAS"), "DEF");
  EXPECT_EQ(Get("WI NG", "AREA"), "DEF");
}

TEST_F(ProfileLookupTest, ValuesAreTrimmedUnquotedAndKeepTrailingText) {
  Write(
      "[S]\nA =  spaced value \t\nB=\"quoted \"\nC='single'\nD=\"mixed'\nE=1 ; note\n"
      "F=\"\"\nG=\"\nH= \" inner \" \nI=a=b\n");
  EXPECT_EQ(Get("S", "A"), "spaced value");
  EXPECT_EQ(Get("S", "B"), "quoted ");
  EXPECT_EQ(Get("S", "C"), "single");
  EXPECT_EQ(Get("S", "D"), "\"mixed'");
  EXPECT_EQ(Get("S", "E"), "1 ; note");
  EXPECT_EQ(Get("S", "F"), "");
  EXPECT_EQ(Get("S", "G"), "\"");
  EXPECT_EQ(Get("S", "H"), " inner ");
  EXPECT_EQ(Get("S", "I"), "a=b");
}

TEST_F(ProfileLookupTest, CommentsAndLinesWithoutEqualsAreNoKeys) {
  Write("[S]\n;A=1\n  ; B=2\nC\nC 3\nD=4\n");
  EXPECT_EQ(Get("S", ";A"), "DEF");
  EXPECT_EQ(Get("S", "A"), "DEF");
  EXPECT_EQ(Get("S", "B"), "DEF");
  EXPECT_EQ(Get("S", "C"), "DEF");
  EXPECT_EQ(Get("S", "D"), "4");
}

TEST_F(ProfileLookupTest, FirstSectionAndFirstKeyWin) {
  Write("TOP=0\n[S]\nA=1\nA=2\n[T]\nB=5\n[s]\nA=3\nC=9\n");
  EXPECT_EQ(Get("S", "A"), "1");
  EXPECT_EQ(Get("S", "C"), "DEF");  // duplicate sections are not merged
  EXPECT_EQ(Get("T", "B"), "5");
  EXPECT_EQ(Get("S", "TOP"), "DEF");  // keys before any section are in no named section
  EXPECT_EQ(Get("T", "TOP"), "DEF");
}

TEST_F(ProfileLookupTest, EveryLineEndingAndByteOrderMarkWork) {
  for (const std::string ending : {"\n", "\r", "\r\n"}) {
    Write("\xEF\xBB\xBF[S]" + ending + "A=1" + ending + "B=2" + ending + "[T]" + ending + "C=3");
    EXPECT_EQ(Get("S", "A"), "1");
    EXPECT_EQ(Get("S", "B"), "2");
    EXPECT_EQ(Get("T", "C"), "3");
  }
}

TEST_F(ProfileLookupTest, EmptyValueIsEmptyTextAndAbsentIsDefault) {
  Write("[S]\nEMPTY=\nBLANK=   \n");
  EXPECT_EQ(Get("S", "EMPTY"), "");
  EXPECT_EQ(lastCount, 0u);
  EXPECT_EQ(Get("S", "BLANK"), "");
  EXPECT_EQ(Get("S", "NONE"), "DEF");
  EXPECT_EQ(lastCount, 3u);
  EXPECT_EQ(Get("NONE", "EMPTY"), "DEF");

  char buffer[16] = "x";
  EXPECT_EQ(GetPrivateProfileStringA("S", "NONE", "ab  ", buffer, 16, kFile), 2u);
  EXPECT_STREQ(buffer, "ab");  // trailing blanks of a default are dropped
  EXPECT_EQ(GetPrivateProfileStringA("S", "NONE", nullptr, buffer, 16, kFile), 0u);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(GetPrivateProfileStringA("S", "EMPTY", "d", buffer, 16, "Config/missing.ini"), 1u);
  EXPECT_STREQ(buffer, "d");
}

TEST_F(ProfileLookupTest, CopiesAtMostSizeMinusOneCharacters) {
  const std::string longValue(400, 'v');
  Write("[S]\nLONG=" + longValue + "\nQUOTED=\"" + longValue + "\"\nSHORT=abcdef\n");
  EXPECT_EQ(Get("S", "LONG"), std::string(254, 'v'));
  EXPECT_EQ(lastCount, 254u);
  EXPECT_EQ(Get("S", "QUOTED"), std::string(254, 'v'));
  EXPECT_EQ(Get("S", "SHORT", 4), "abc");
  EXPECT_EQ(lastCount, 3u);
  EXPECT_EQ(Get("S", "NONE", 3), "DE");

  char untouched[4] = "xyz";
  EXPECT_EQ(GetPrivateProfileStringA("S", "SHORT", "", untouched, 0, kFile), 0u);
  EXPECT_STREQ(untouched, "xyz");
}

TEST_F(ProfileLookupTest, IntegersReadSignAndLeadingDigitsAndWrap) {
  Write(
      "[S]\nA=12.5\nB= 42abc\nC=abc\nD=\nE=-17\nF=+8\nG=4294967297\nH=2147483648\n"
      "I=\"33\"\nJ=- 5\n");
  EXPECT_EQ(GetInt("S", "A"), 12);
  EXPECT_EQ(GetInt("S", "B"), 42);
  EXPECT_EQ(GetInt("S", "C"), 0);
  EXPECT_EQ(GetInt("S", "D"), -7);  // empty value: the default
  EXPECT_EQ(GetInt("S", "NONE"), -7);
  EXPECT_EQ(GetInt("S", "E"), -17);
  EXPECT_EQ(GetInt("S", "F"), 8);
  EXPECT_EQ(GetInt("S", "G"), 1);
  EXPECT_EQ(GetInt("S", "H"), -2147483647 - 1);
  EXPECT_EQ(GetInt("S", "I"), 33);
  EXPECT_EQ(GetInt("S", "J"), 0);
}

}  // namespace

#endif
